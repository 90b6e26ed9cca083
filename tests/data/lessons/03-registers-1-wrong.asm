; Lesson 3, exercise 1, a typical wrong solution: the first MOV overwrites R1, so the second
; copies R2 back into itself and both registers end up with R2's value.
; Урок 3, упражнение 1, типичное неверное решение: первый MOV затирает R1, второй копирует
; R2 обратно, и в обоих регистрах оказывается значение R2.

        MOV R2,R1
        MOV R1,R2
        HLT
