; Lesson 14, exercise 2 (solution): every answer halves the numbers still possible, so seven
; questions are enough for 100 numbers.
; Урок 14, упражнение 2 (решение): каждый ответ вдвое сокращает возможные числа, поэтому
; для 100 чисел хватает семи вопросов.

PUTC = 4000H
NEWLINE = 4010H
READBOOL = 4180H        ; ROM: R1 := 1 for TRUE, 0 for FALSE / ПЗУ: R1 := 1 для TRUE, 0 для FALSE

        MOV #1,LO
        MOV #100,HI
ASK:    MOV LO,R2
        CMP HI,R2       ; compare LO with HI
        BGE DONE        ; LO = HI: the number is found
        ADD HI,R2
        DIV #2,R2       ; R2 := M = (LO + HI) / 2
        MOV R2,R1
        CALL #PRINTNUM  ; the question: is your number larger than M?
        CALL #READBOOL
        CMP #1,R1
        BE LARGER
        MOV R2,HI       ; FALSE: M or less
        BR ASK
LARGER: ADD #1,R2
        MOV R2,LO       ; TRUE: M + 1 or more
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
