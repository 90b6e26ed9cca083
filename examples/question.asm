; Question: asks a yes-or-no question until the answer is right.
; Shows the ROM entry point 4180H: the user types TRUE or FALSE and R1 becomes 1 or 0.
; Вопрос: задаёт вопрос с ответом "да" или "нет", пока ответ не будет верным.
; Показывает точку входа ПЗУ 4180H: пользователь вводит TRUE или FALSE, R1 становится 1 или 0.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line
READBOOL = 4180H        ; ROM entry point: R1 := 1 for TRUE, 0 for FALSE

ASK:    MOV #QUESTION,R2
        MOV #LEN(QUESTION),R3
        CALL #PRINT
        CALL #READBOOL  ; the answer is written again at the start of the next line
        CMP #1,R1       ; 7 is a prime number: TRUE is right
        BE RIGHT
        MOV #WRONG,R2
        MOV #LEN(WRONG),R3
        CALL #PRINT
        CALL #NEWLINE
        BR ASK
RIGHT:  MOV #YES,R2
        MOV #LEN(YES),R3
        CALL #PRINT
        CALL #NEWLINE
        HLT

; PRINT: writes R3 characters from the address in R2; changes R0, R2, R3.
PRINT:  MOV (R2)%,R0
        CALL #PUTC
        ADD #1,R2
        SUB #1,R3
        BNE PRINT
        RET

; The blank after DS is not part of the text; every other blank is, also one before ";".
QUESTION: DS Is 7 a prime number? ;
WRONG:  DS  is wrong, try again.
YES:    DS  is right!
