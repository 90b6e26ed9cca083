; Lesson 12, exercise 2, a typical wrong solution: it takes bit 0 first (AND #1, then SR),
; so the digits come out backwards.
; Урок 12, упражнение 2, типичное неверное решение: берёт сначала бит 0 (AND #1, затем SR),
; поэтому цифры выходят задом наперёд.

PUTC = 4000H

        MOV #16,R2
NEXT:   MOV R1,R0
        AND #1,R0
        ADD #'0',R0
        CALL #PUTC
        SR R1
        SUB #1,R2
        BNE NEXT
        HLT
