; Lesson 4, exercise 2, a typical wrong solution: dividing first drops the remainder too early:
; 37 / 5 = 7, 7 * 9 = 63, and 63 + 32 = 95 instead of 98.
; Урок 4, упражнение 2, типичное неверное решение: деление первым слишком рано отбрасывает
; остаток: 37 / 5 = 7, 7 * 9 = 63, и 63 + 32 = 95 вместо 98.

        MOV R1,R2
        DIV #5,R2
        MUL #9,R2
        ADD #32,R2
        HLT
