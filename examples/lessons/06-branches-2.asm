; Lesson 6, exercise 2: R1 holds a number. Write + when it is greater than 0,
; - when it is less than 0, and 0 when it is 0.
; Урок 6, упражнение 2: в R1 лежит число. Выведите +, если оно больше 0,
; -, если меньше 0, и 0, если оно равно 0.

PUTC = 4000H

        MOV #'+',R0
        ; choose the character / выберите символ
        CALL #PUTC
        HLT
