; Lesson 4, exercise 2 (solution): multiply first, then divide, so that no fraction is lost
; before the multiplication.
; Урок 4, упражнение 2 (решение): сначала умножение, потом деление, чтобы дробная часть
; не потерялась до умножения.

        MOV R1,R2
        MUL #9,R2       ; 37 * 9 = 333
        DIV #5,R2       ; 333 / 5 = 66
        ADD #32,R2      ; 98
        HLT
