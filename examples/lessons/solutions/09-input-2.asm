; Lesson 9, exercise 2 (solution): the first answer is kept in R2 before the second call puts
; its answer into R1; 1 AND 1 is the only pair that gives 1.
; Урок 9, упражнение 2 (решение): первый ответ сохраняется в R2, прежде чем второй вызов
; положит свой ответ в R1; только пара 1 И 1 даёт 1.

READBOOL = 4180H

        CALL #READBOOL
        MOV R1,R2       ; keep the first answer
        CALL #READBOOL
        MOV R1,R3
        AND R2,R3       ; R3 := R3 AND R2
        HLT
