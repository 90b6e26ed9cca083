; Lesson 8, exercise 1, a typical wrong solution: the loop goes on while R1 is above TEXT
; (BG), so it stops before the first character; BGE would write that one too.
; Урок 8, упражнение 1, типичное неверное решение: цикл идёт, пока R1 больше TEXT (BG),
; поэтому он останавливается перед первым символом; BGE вывел бы и его.

PUTC = 4000H

        MOV #TEXT,R1
        ADD #LEN(TEXT),R1
        SUB #1,R1
NEXT:   MOV (R1)%,R0
        CALL #PUTC
        SUB #1,R1
        CMP #TEXT,R1    ; compare R1 with the address TEXT
        BG NEXT
        HLT
TEXT:   DS Hello, Q42
