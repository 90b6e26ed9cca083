; Lesson 11, exercise 1, a typical wrong solution: BG skips only the positive words, so the
; zeros are counted as negative.
; Урок 11, упражнение 1, типичное неверное решение: BG пропускает только положительные
; слова, поэтому нули считаются отрицательными.

ARRAY = 0C0H

        MOV #ARRAY,R1
        MOV (R1),R2
        ADD #2,R1
        MOV #0,R3
NEXT:   CMP #0,(R1)
        BG SKIP
        ADD #1,R3
SKIP:   ADD #2,R1
        SUB #1,R2
        BNE NEXT
        HLT
