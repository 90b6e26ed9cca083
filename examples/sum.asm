; Sum: reads two integers and writes their sum in decimal.
; Shows the ROM entry point 4182H, which reads a number into R1, and DIV and MUL for the digits.
; Сумма: читает два целых числа и выводит их сумму в десятичном виде.
; Показывает точку входа ПЗУ 4182H, читающую число в R1, и DIV и MUL для получения цифр.

READINT = 4182H         ; ROM entry point: R1 := an integer typed by the user
PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

        CALL #READINT
        MOV R1,R3
        CALL #READINT
        ADD R1,R3       ; R3 := R3 + R1

        CMP #0,R3       ; N = 1 when 0 > R3
        BGE POSITIVE
        MOV #'-',R0
        CALL #PUTC
        MOV #0,R0       ; R3 := 0 - R3
        SUB R3,R0
        MOV R0,R3

POSITIVE:
        MOV #0,R2       ; R2 counts the digits on the stack
DIGIT:  MOV R3,R1
        DIV #10,R3      ; R3 := R3 / 10
        MOV R3,R0
        MUL #10,R0
        SUB R0,R1       ; R1 := the last digit
        PUSH R1
        ADD #1,R2
        CMP #0,R3
        BNE DIGIT

WRITE:  POP R0          ; the digits come back in writing order
        ADD #'0',R0
        CALL #PUTC
        SUB #1,R2
        BNE WRITE
        CALL #NEWLINE
        HLT
