; Lesson 4, exercise 1 (solution): the hours are R1 / 60, the minutes R1 - hours * 60.
; Урок 4, упражнение 1 (решение): часы — это R1 / 60, минуты — R1 - часы * 60.

        MOV R1,R2
        DIV #60,R2      ; R2 := whole hours, the remainder is dropped
        MOV R2,R0
        MUL #60,R0      ; R0 := those hours in minutes
        MOV R1,R3
        SUB R0,R3       ; R3 := R1 - hours * 60
        HLT
