; Lesson 9, exercise 1 (solution): R3 starts at 0; each number is tested first, then added.
; Урок 9, упражнение 1 (решение): R3 начинается с 0; каждое число сначала проверяется,
; потом прибавляется.

READINT = 4182H

        MOV #0,R3
NEXT:   CALL #READINT   ; R1 := the next number
        CMP #0,R1
        BE DONE         ; 0 ends the input
        ADD R1,R3
        BR NEXT
DONE:   HLT
