; Lesson 2, exercise 1 (solution): the codes in hexadecimal, each with its final H.
; Урок 2, упражнение 1 (решение): коды в шестнадцатеричном виде, каждый с буквой H в конце.

PUTC = 4000H

        MOV #48H,R0     ; H
        CALL #PUTC
        MOV #45H,R0     ; E
        CALL #PUTC
        MOV #58H,R0     ; X
        CALL #PUTC
        HLT
