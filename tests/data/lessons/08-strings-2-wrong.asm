; Lesson 8, exercise 2, a typical wrong solution: the blank is written before every character,
; the first one too.
; Урок 8, упражнение 2, типичное неверное решение: пробел выводится перед каждым символом,
; и перед первым тоже.

PUTC = 4000H

        MOV #TEXT,R1
        MOV #LEN(TEXT),R2
NEXT:   MOV #' ',R0
        CALL #PUTC
        MOV (R1)%,R0
        CALL #PUTC
        ADD #1,R1
        SUB #1,R2
        BNE NEXT
        HLT
TEXT:   DS SPACE
