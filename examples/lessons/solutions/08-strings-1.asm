; Lesson 8, exercise 1 (solution): the last character is at TEXT + LEN(TEXT) - 1;
; R1 moves back one byte at a time.
; Урок 8, упражнение 1 (решение): последний символ лежит по адресу TEXT + LEN(TEXT) - 1;
; R1 идёт назад по одному байту.

PUTC = 4000H

        MOV #TEXT,R1
        ADD #LEN(TEXT),R1
        SUB #1,R1       ; R1 := the address of the last character
        MOV #LEN(TEXT),R2
NEXT:   MOV (R1)%,R0
        CALL #PUTC
        SUB #1,R1
        SUB #1,R2
        BNE NEXT
        HLT
TEXT:   DS Hello, Q42
