; Lesson 5, exercise 1, a typical wrong solution: NOT alone gives -x - 1 (FFFA is -6, not -5).
; Урок 5, упражнение 1, типичное неверное решение: один NOT даёт -x - 1 (FFFA — это -6, а не -5).

        NOT R1
        HLT
