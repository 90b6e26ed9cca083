; Lesson 1, exercise 1 (solution): writes OK.
; Урок 1, упражнение 1 (решение): выводит OK.

PUTC = 4000H            ; ROM: writes the character in R0

        MOV #'O',R0
        CALL #PUTC
        MOV #'K',R0
        CALL #PUTC
        HLT
