; Lesson 7, exercise 2: R1 holds N (0..255). Put 1 + 2 + ... + N into R3 (0 when N is 0).
; R3 may hold anything at the start.
; Урок 7, упражнение 2: в R1 лежит N (0..255). Положите 1 + 2 + ... + N в R3 (0 при N = 0).
; В начале в R3 может быть что угодно.

        ; your program / ваша программа
        HLT
