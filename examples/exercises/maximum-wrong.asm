; Maximum, a typical wrong solution: the maximum starts at 0 instead of the first word,
; so when every word is negative the answer is 0, which is not in the array at all.
; Максимум, типичное неверное решение: максимум начинается с 0, а не с первого слова,
; поэтому, когда все слова отрицательны, ответ 0, которого в массиве вовсе нет.

COUNT = 00C0H           ; the word with the number of words

        MOV #COUNT,R1
        MOV (R1),R2     ; R2 := how many words are left to look at
        MOV #0,R0       ; wrong: 0 may be larger than every word
NEXT:   ADD #2,R1
        CMP (R1),R0
        BGE SKIP
        MOV (R1),R0
SKIP:   SUB #1,R2
        BNE NEXT
        HLT
