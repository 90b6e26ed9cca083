; Capitals from the keyboard (exercise solution): reads keys until Enter and writes them on one
; line, small Latin letters made capital and every other key as it is.
; Заглавные с клавиатуры (решение упражнения): читает клавиши до Enter и выводит их в одной
; строке, строчные латинские буквы заглавными, остальные клавиши как есть.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

WAIT:   IN 0,R3         ; keyboard status: 80H once a key can be read
        CMP #80H,R3
        BNE WAIT
        IN 1,R0         ; the key
        CMP #13,R0      ; Enter ends the line
        BE DONE
        CMP #'a',R0     ; BL: jumps when R0 < 'a'
        BL PUT
        CMP #'z',R0     ; BG: jumps when R0 > 'z'
        BG PUT
        SUB #32,R0      ; 'a'..'z' lie 32 above 'A'..'Z'
PUT:    CALL #PUTC
        BR WAIT
DONE:   CALL #NEWLINE
        HLT
