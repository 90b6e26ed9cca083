; Lesson 6, exercise 1 (solution): CMP R2,R1 compares R1 with R2; BGE jumps when R1 >= R2.
; Урок 6, упражнение 1 (решение): CMP R2,R1 сравнивает R1 с R2; BGE переходит при R1 >= R2.

        MOV R1,R3       ; R3 := R1, and R2 if that is larger
        CMP R2,R1
        BGE DONE        ; R1 >= R2: R1 is the answer
        MOV R2,R3
DONE:   HLT
