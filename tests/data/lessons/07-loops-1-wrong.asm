; Lesson 7, exercise 1, a typical wrong solution: the counter is tested before the star is
; written, so the loop ends one star early.
; Урок 7, упражнение 1, типичное неверное решение: счётчик проверяется до вывода звёздочки,
; поэтому цикл кончается на одну звёздочку раньше.

PUTC = 4000H

        MOV #'*',R0
LOOP:   SUB #1,R1
        BE DONE
        CALL #PUTC
        BR LOOP
DONE:   HLT
