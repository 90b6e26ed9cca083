; Lesson 6, exercise 2, a typical wrong solution: BGE takes 0 for a positive number.
; Урок 6, упражнение 2, типичное неверное решение: BGE принимает 0 за положительное число.

PUTC = 4000H

        CMP #0,R1
        BGE PLUS
        MOV #'-',R0
        BR SHOW
PLUS:   MOV #'+',R0
SHOW:   CALL #PUTC
        HLT
