; Guess my number (my own work!)
; The registers are swapped, the names are new, the printing routine comes first
; and the winning branch last.

OUT_CHAR = 4000H
CRLF = 4010H
GETNUM = 4182H

        BR BEGIN
WRITE:  MOV (R1)%,R0        ; a character
        CALL #OUT_CHAR
        ADD #1,R1
        SUB #1,R2
        BNE WRITE
        RET

BEGIN:  MOV #0,R3
AGAIN:  CALL #GETNUM
        MOV R2,R1
        ADD #1,R3
        CMP #52,R1
        BE GOOD
        BL LOWER
        MOV #TXT2,R1
        MOV #LEN(TXT2),R2
        BR SHOW
LOWER:  MOV #TXT1,R1
        MOV #LEN(TXT1),R2
SHOW:   CALL #WRITE
        CALL #CRLF
        CMP #7,R3
        BL AGAIN
        MOV #TXT4,R1
        MOV #LEN(TXT4),R2
        CALL #WRITE
        CALL #CRLF
        HLT

TXT1:   DS Too small
TXT2:   DS Too big
TXT3:   DS Yes! Tries:
TXT4:   DS Game over

GOOD:   MOV #TXT3,R1
        MOV #LEN(TXT3),R2
        CALL #WRITE
        MOV #' ',R0
        CALL #OUT_CHAR
        MOV R3,R0
        ADD #'0',R0
        CALL #OUT_CHAR
        CALL #CRLF
        HLT
