; Lesson 4, exercise 1, a typical wrong solution: the hours are subtracted from the minutes
; without turning them into minutes first (MUL #60 is missing).
; Урок 4, упражнение 1, типичное неверное решение: часы вычитаются из минут, не переведённые
; сначала в минуты (нет MUL #60).

        MOV R1,R2
        DIV #60,R2
        MOV R1,R3
        SUB R2,R3
        HLT
