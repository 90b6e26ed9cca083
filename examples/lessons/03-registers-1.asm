; Lesson 3, exercise 1: R1 and R2 hold two numbers at the start; swap them,
; so that R1 holds what R2 held and R2 what R1 held. R0 and R3 may change.
; Урок 3, упражнение 1: в начале в R1 и R2 лежат два числа; поменяйте их местами,
; чтобы в R1 оказалось то, что было в R2, а в R2 — то, что было в R1. R0 и R3 можно менять.

        ; your program / ваша программа
        HLT
