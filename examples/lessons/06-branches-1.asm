; Lesson 6, exercise 1: R1 and R2 hold two numbers (negative ones too).
; Put the larger of them into R3.
; Урок 6, упражнение 1: в R1 и R2 лежат два числа (бывают и отрицательные).
; Положите большее из них в R3.

        CMP R2,R1       ; compare R1 with R2 / сравнить R1 с R2
        ; your program / ваша программа
        HLT
