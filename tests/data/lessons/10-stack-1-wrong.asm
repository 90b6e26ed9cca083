; Lesson 10, exercise 1, a typical wrong solution: popping in the reverse order gives every
; register its own value back, so nothing is swapped.
; Урок 10, упражнение 1, типичное неверное решение: снятие в обратном порядке возвращает
; каждому регистру его же значение, и ничего не меняется.

        PUSH R1
        PUSH R2
        POP R2
        POP R1
        HLT
