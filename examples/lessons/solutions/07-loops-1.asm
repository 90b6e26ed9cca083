; Lesson 7, exercise 1 (solution): R1 counts the stars still to write; SUB sets Z at 0.
; Урок 7, упражнение 1 (решение): R1 считает, сколько звёздочек осталось; SUB ставит Z на нуле.

PUTC = 4000H

        MOV #'*',R0
LOOP:   CALL #PUTC
        SUB #1,R1
        BNE LOOP        ; until R1 reaches 0
        HLT
