; Lesson 7, exercise 3 (solution): the loop tests R2 before adding, so R2 = 0 adds nothing.
; Урок 7, упражнение 3 (решение): цикл проверяет R2 до сложения, поэтому при R2 = 0 ничего
; не прибавляется.

        MOV #0,R3
LOOP:   CMP #0,R2
        BE DONE         ; no more additions
        ADD R1,R3
        SUB #1,R2
        BR LOOP
DONE:   HLT
