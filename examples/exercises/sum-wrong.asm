; Sum, a typical wrong solution: the first number is not kept before the second is read.
; Both calls put their number into R1, so R3 ends up as twice the second number.
; Сумма, типичное неверное решение: первое число не сохранено до чтения второго.
; Оба вызова кладут число в R1, поэтому в R3 оказывается удвоенное второе число.

READINT = 4182H         ; ROM entry point: R1 := an integer typed by the user

        CALL #READINT   ; R1 := the first number
        CALL #READINT   ; wrong: R1 := the second number, the first is lost
        MOV R1,R3
        ADD R1,R3       ; R3 := the second + the second
        HLT
