; Lesson 5, exercise 1 (solution): -x is NOT x + 1 in two's complement.
; Урок 5, упражнение 1 (решение): в дополнительном коде -x — это NOT x + 1.

        NOT R1          ; 0005 becomes FFFA
        ADD #1,R1       ; FFFB, that is -5
        HLT
