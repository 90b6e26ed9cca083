; Lesson 11, exercise 2, a typical wrong solution: R1 moves by one byte, so after the first
; word it works on words that straddle two array items.
; Урок 11, упражнение 2, типичное неверное решение: R1 сдвигается на один байт, поэтому после
; первого слова работает со словами, лежащими на стыке двух элементов массива.

ARRAY = 0C0H

        MOV #ARRAY,R1
        MOV (R1),R2
        ADD #1,R1
NEXT:   ADD #1,R1
        ADD (R1),(R1)
        SUB #1,R2
        BNE NEXT
        HLT
