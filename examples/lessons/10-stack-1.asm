; Lesson 10, exercise 1: swap R1 and R2 with PUSH and POP only, without touching R0 and R3.
; The stack must end as it began (SP = 0100).
; Урок 10, упражнение 1: поменяйте местами R1 и R2 только командами PUSH и POP, не трогая R0
; и R3. Стек в конце должен быть таким же, как в начале (SP = 0100).

        PUSH R1
        ; your program / ваша программа
        HLT
