; A guessing game: five guesses at the secret number.

PUTC = 4000H
NEWLINE = 4010H
READINT = 4182H
SECRET = 37

        MOV #0,R3
ASK:    CALL #READINT
        ADD #1,R3
        CMP #SECRET,R1
        BE WIN
        BL SMALL
        MOV #LESS,R2
        MOV #LEN(LESS),R1
        BR SAY
SMALL:  MOV #MORE,R2
        MOV #LEN(MORE),R1
SAY:    CALL #PRINT
        CALL #NEWLINE
        CMP #5,R3
        BL ASK
        MOV #LOST,R2
        MOV #LEN(LOST),R1
        CALL #PRINT
        CALL #NEWLINE
        HLT
WIN:    MOV #RIGHT,R2
        MOV #LEN(RIGHT),R1
        CALL #PRINT
        MOV #' ',R0
        CALL #PUTC
        MOV R3,R0
        ADD #'0',R0
        CALL #PUTC
        CALL #NEWLINE
        HLT

PRINT:  MOV (R2)%,R0
        CALL #PUTC
        ADD #1,R2
        SUB #1,R1
        BNE PRINT
        RET

MORE:   DS More
LESS:   DS Less
RIGHT:  DS Right! Guesses:
LOST:   DS Lost
