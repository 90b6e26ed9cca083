; Lesson 12, exercise 1, a typical wrong solution: the loop tests R1 before the first digit,
; so the number 0 writes nothing at all.
; Урок 12, упражнение 1, типичное неверное решение: цикл проверяет R1 до первой цифры,
; поэтому число 0 не выводит ничего.

PUTC = 4000H

        MOV #0,R2
DIGIT:  CMP #0,R1
        BE WRITE
        MOV R1,R3
        DIV #10,R1
        MOV R1,R0
        MUL #10,R0
        SUB R0,R3
        PUSH R3
        ADD #1,R2
        BR DIGIT
WRITE:  CMP #0,R2
        BE DONE
        POP R0
        ADD #'0',R0
        CALL #PUTC
        SUB #1,R2
        BR WRITE
DONE:   HLT
