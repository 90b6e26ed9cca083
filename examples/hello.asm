; Hello: writes a greeting on the screen, one character at a time.
; Shows a DS string, its length LEN(MSG) and the ROM routine PUTC, which writes R0.
; Привет: выводит приветствие на экран по одному символу.
; Показывает строку DS, её длину LEN(MSG) и подпрограмму ПЗУ PUTC, выводящую R0.

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
