; Upper: writes a DS string, turns its small Latin letters into capitals in place, writes it again.
; Shows byte operands with % : reading a byte (R1)% and storing one back with R0%,(R1)%.
; Заглавные: выводит строку DS, заменяет в ней строчные латинские буквы заглавными, выводит её снова.
; Показывает байтовые операнды с %: чтение байта (R1)% и запись байта обратно R0%,(R1)%.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

        CALL #PRINT
        MOV #TEXT,R1    ; R1 walks along the text, one byte at a time
        MOV #LEN(TEXT),R2
NEXT:   MOV (R1)%,R0    ; one character
        CMP #'a',R0     ; BL: jumps when R0 < 'a'
        BL SKIP
        CMP #'z',R0     ; BG: jumps when R0 > 'z'
        BG SKIP
        SUB #32,R0      ; 'a'..'z' lie 32 above 'A'..'Z'
        MOV R0%,(R1)%   ; the low byte of R0 replaces this byte only
SKIP:   ADD #1,R1
        SUB #1,R2
        BNE NEXT
        CALL #PRINT
        HLT

; PRINT: writes TEXT and ends the line; changes R0..R2.
PRINT:  MOV #TEXT,R1
        MOV #LEN(TEXT),R2
CHAR:   MOV (R1)%,R0
        CALL #PUTC
        ADD #1,R1
        SUB #1,R2
        BNE CHAR
        CALL #NEWLINE
        RET

TEXT:   DS Hello, world of Q42!
