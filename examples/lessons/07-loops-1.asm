; Lesson 7, exercise 1: R1 holds N (1..30) at the start. Write N stars on one line.
; Урок 7, упражнение 1: в начале в R1 лежит N (1..30). Выведите N звёздочек в одну строку.

PUTC = 4000H

        MOV #'*',R0
        CALL #PUTC      ; one star; repeat it N times / одна звёздочка; повторите N раз
        HLT
