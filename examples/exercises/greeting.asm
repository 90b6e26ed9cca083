; Greeting (exercise solution): writes the line "Hello, Q42!".
; R2 counts the characters still to write; the loop ends once it reaches 0.
; Приветствие (решение упражнения): выводит строку "Hello, Q42!".
; R2 считает ещё не выведенные символы; цикл кончается, когда он дойдёт до 0.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

        MOV #MSG,R1     ; R1 walks along the text, byte by byte
        MOV #LEN(MSG),R2
NEXT:   MOV (R1)%,R0    ; one character
        CALL #PUTC
        ADD #1,R1
        SUB #1,R2       ; one fewer to write
        BNE NEXT
        CALL #NEWLINE
        HLT

MSG:    DS Hello, Q42!
