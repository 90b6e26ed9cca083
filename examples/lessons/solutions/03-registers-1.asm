; Lesson 3, exercise 1 (solution): R3 keeps a copy of R1 while R1 is overwritten.
; Урок 3, упражнение 1 (решение): R3 хранит копию R1, пока R1 перезаписывается.

        MOV R1,R3       ; R3 := R1
        MOV R2,R1       ; R1 := R2
        MOV R3,R2       ; R2 := the old R1
        HLT
