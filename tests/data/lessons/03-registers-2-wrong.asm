; Lesson 3, exercise 2, a typical wrong solution: R2 is overwritten before it is copied to R3.
; Урок 3, упражнение 2, типичное неверное решение: R2 затирается раньше, чем скопирован в R3.

        MOV R3,R0
        MOV R1,R2
        MOV R2,R3
        MOV R0,R1
        HLT
