; Lesson 9, exercise 1, a typical wrong solution: R3 is not set to 0 first, so the sum is
; added to what the register held before the run.
; Урок 9, упражнение 1, типичное неверное решение: R3 не обнуляется, и сумма прибавляется
; к тому, что было в регистре до запуска.

READINT = 4182H

NEXT:   CALL #READINT
        CMP #0,R1
        BE DONE
        ADD R1,R3
        BR NEXT
DONE:   HLT
