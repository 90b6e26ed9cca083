; Lesson 5, exercise 2, a typical wrong solution: the MOV after SUB sets the flags from the 0
; it moves, so Z = 1 and N = 0 whatever the subtraction gave.
; Урок 5, упражнение 2, типичное неверное решение: MOV после SUB ставит флаги по
; пересылаемому 0, поэтому Z = 1 и N = 0, что бы ни дало вычитание.

        MOV R1,R2
        SUB #10,R2
        MOV #0,R0
        HLT
