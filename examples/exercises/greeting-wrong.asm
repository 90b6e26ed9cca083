; Greeting, a typical wrong solution: the loop tests its counter before writing the character,
; so it leaves as the last character is read, and "!" is never written.
; Приветствие, типичное неверное решение: цикл проверяет счётчик до вывода символа,
; поэтому выходит, прочитав последний символ, и "!" так и не выводится.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

        MOV #MSG,R1
        MOV #LEN(MSG),R2
NEXT:   MOV (R1)%,R0
        ADD #1,R1
        SUB #1,R2
        BE DONE         ; wrong: leaves before the last character is written
        CALL #PUTC
        BR NEXT
DONE:   CALL #NEWLINE
        HLT

MSG:    DS Hello, Q42!
