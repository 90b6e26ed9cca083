; Double, a typical wrong solution: DOUBLE uses R0 for its work without saving it,
; so the caller finds its R0 changed to the old value of R1.
; Удвоение, типичное неверное решение: DOUBLE работает с R0, не сохранив его,
; поэтому вызывающая программа находит в R0 прежнее значение R1.

        CALL #DOUBLE
        HLT

DOUBLE: MOV R1,R0       ; wrong: the caller's R0 is lost
        ADD R0,R1
        RET
