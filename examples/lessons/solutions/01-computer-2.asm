; Lesson 1, exercise 2 (solution): Q, a new line, then 42.
; Урок 1, упражнение 2 (решение): Q, новая строка, затем 42.

PUTC = 4000H
NEWLINE = 4010H

        MOV #'Q',R0
        CALL #PUTC
        CALL #NEWLINE   ; the next character goes to the next line
        MOV #'4',R0
        CALL #PUTC
        MOV #'2',R0
        CALL #PUTC
        HLT
