; Hello: writes a greeting on the screen, one character at a time.
; The ROM routine PUTC waits until the display is ready and writes R0.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

        MOV #MSG,R1     ; R1 walks along the text, byte by byte
        MOV #LEN(MSG),R2
NEXT:   MOV (R1)%,R0    ; one character (a byte) into R0
        CALL #PUTC
        ADD #1,R1
        SUB #1,R2
        BNE NEXT
        CALL #NEWLINE
        HLT

MSG:    DS Hello, world!
