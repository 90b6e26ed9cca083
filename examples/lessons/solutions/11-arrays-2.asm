; Lesson 11, exercise 2 (solution): (R1) is both operands: the word at the address in R1 is
; added to itself; R1 then moves on by two bytes, one word.
; Урок 11, упражнение 2 (решение): (R1) — оба операнда: слово по адресу из R1 прибавляется
; к самому себе; затем R1 сдвигается на два байта, одно слово.

ARRAY = 0C0H

        MOV #ARRAY,R1
        MOV (R1),R2     ; R2 := N
NEXT:   ADD #2,R1       ; the next word
        ADD (R1),(R1)   ; the word := the word + the word
        SUB #1,R2
        BNE NEXT
        HLT
