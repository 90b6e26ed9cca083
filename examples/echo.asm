; Echo: writes every key typed until Enter is pressed.
; The keyboard is ready on the third status read in a row (value 80H).

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

WAIT:   IN 0,R3         ; keyboard status
        CMP #80H,R3
        BNE WAIT
        IN 1,R0         ; the key
        CMP #13,R0      ; Enter?
        BE DONE
        CALL #PUTC
        BR WAIT
DONE:   CALL #NEWLINE
        HLT
