; Lesson 14, exercise 2, a typical wrong solution: TRUE sets LO := M instead of M + 1. Once HI
; is LO + 1, M is LO again and the machine asks the same question for ever.
; Урок 14, упражнение 2, типичное неверное решение: TRUE ставит LO := M вместо M + 1. Когда
; HI станет равным LO + 1, M снова равно LO, и машина задаёт один и тот же вопрос без конца.

PUTC = 4000H
NEWLINE = 4010H
READBOOL = 4180H        ; ROM: R1 := 1 for TRUE, 0 for FALSE / ПЗУ: R1 := 1 для TRUE, 0 для FALSE

        MOV #1,LO
        MOV #100,HI
ASK:    MOV LO,R2
        CMP HI,R2
        BGE DONE
        ADD HI,R2
        DIV #2,R2
        MOV R2,R1
        CALL #PRINTNUM
        CALL #READBOOL
        CMP #1,R1
        BE LARGER
        MOV R2,HI
        BR ASK
LARGER: MOV R2,LO
        BR ASK
DONE:   MOV LO,R3
        MOV R3,R1
        CALL #PRINTNUM
        HLT

; PRINTNUM: writes R1 (0..32767) in decimal and ends the line; changes no register.
; PRINTNUM: выводит R1 (0..32767) в десятичном виде и завершает строку; регистры не меняет.
PRINTNUM:
        PUSH R0
        PUSH R1
        PUSH R2
        PUSH R3
        MOV #0,R2
DIGIT:  MOV R1,R3
        DIV #10,R1
        MOV R1,R0
        MUL #10,R0
        SUB R0,R3
        PUSH R3
        ADD #1,R2
        CMP #0,R1
        BNE DIGIT
WRITE:  POP R0
        ADD #'0',R0
        CALL #PUTC
        SUB #1,R2
        BNE WRITE
        CALL #NEWLINE
        POP R3
        POP R2
        POP R1
        POP R0
        RET

LO:     DW 1            ; the smallest number still possible / наименьшее ещё возможное число
HI:     DW 100          ; the largest / наибольшее
