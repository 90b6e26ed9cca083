; Lesson 10, exercise 1 (solution): the last word pushed is the first popped, so popping in
; the order of the pushes swaps the two values.
; Урок 10, упражнение 1 (решение): последнее положенное слово снимается первым, поэтому
; снятие в порядке записи меняет значения местами.

        PUSH R1
        PUSH R2
        POP R1          ; R1 := the word pushed last, R2's
        POP R2          ; R2 := R1's
        HLT
