; Lesson 9, exercise 2, a typical wrong solution: the second call overwrites the first answer
; in R1, so only the second answer counts.
; Урок 9, упражнение 2, типичное неверное решение: второй вызов затирает первый ответ в R1,
; поэтому учитывается только второй ответ.

READBOOL = 4180H

        CALL #READBOOL
        CALL #READBOOL
        MOV R1,R3
        AND R1,R3
        HLT
