; Lesson 3, exercise 2 (solution): R0 keeps R3; then each register takes its neighbour's value,
; starting with the one whose value is already saved.
; Урок 3, упражнение 2 (решение): R0 хранит R3; затем каждый регистр берёт значение соседа,
; начиная с того, чьё значение уже сохранено.

        MOV R3,R0       ; keep R3
        MOV R2,R3       ; R3 := R2
        MOV R1,R2       ; R2 := R1
        MOV R0,R1       ; R1 := the old R3
        HLT
