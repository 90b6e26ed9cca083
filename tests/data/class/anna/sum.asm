; Sum (exercise solution): reads two numbers and leaves their sum in R3.
; The first number is kept in R3 before the second call, which puts the new number into R1.
; Сумма (решение упражнения): читает два числа и оставляет их сумму в R3.
; Первое число сохраняется в R3 до второго вызова, который кладёт новое число в R1.

READINT = 4182H         ; ROM entry point: R1 := an integer typed by the user

        CALL #READINT   ; R1 := the first number
        MOV R1,R3       ; keep it: the next call overwrites R1
        CALL #READINT   ; R1 := the second number
        ADD R1,R3       ; R3 := the first + the second
        HLT
