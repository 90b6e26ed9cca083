; Decimal: the subroutine PRINTNUM writes the signed number in R1 in decimal.
; Shows division by 10 for the digits and the stack that turns them into writing order.
; Десятичный вывод: подпрограмма PRINTNUM выводит число со знаком из R1 в десятичном виде.
; Показывает деление на 10 для получения цифр и стек, который ставит их в порядок записи.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

        MOV #0,R1
        CALL #PRINTNUM
        MOV #-7,R1
        CALL #PRINTNUM
        MOV #32767,R1   ; the largest word value
        CALL #PRINTNUM
        MOV #-32767,R1  ; the smallest: -32768 does not exist on this machine
        CALL #PRINTNUM
        HLT

; PRINTNUM: writes R1 in decimal and ends the line; changes R0..R3.
PRINTNUM:
        CMP #0,R1       ; BGE: jumps when R1 >= 0
        BGE POS
        MOV #'-',R0
        CALL #PUTC
        MOV #0,R0       ; R1 := 0 - R1
        SUB R1,R0
        MOV R0,R1
POS:    MOV #0,R2       ; R2 counts the digits on the stack
NEXT:   MOV R1,R3
        DIV #10,R1      ; R1 := R1 / 10
        MOV R1,R0
        MUL #10,R0
        SUB R0,R3       ; R3 := the last digit
        PUSH R3
        ADD #1,R2
        CMP #0,R1
        BNE NEXT
WRITE:  POP R0          ; the first digit comes back first
        ADD #'0',R0
        CALL #PUTC
        SUB #1,R2
        BNE WRITE
        CALL #NEWLINE
        RET
