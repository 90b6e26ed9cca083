; Lesson 10, exercise 2, a typical wrong solution: DIGIT uses R0 without saving it, so the
; caller gets the digit's code in R0 instead of its own value.
; Урок 10, упражнение 2, типичное неверное решение: DIGIT пользуется R0, не сохранив его,
; и вызывающая программа получает в R0 код цифры вместо своего значения.

PUTC = 4000H

        CALL #DIGIT
        HLT

DIGIT:  MOV R1,R0
        ADD #'0',R0
        CALL #PUTC
        RET
