; Lesson 1, exercise 2, a typical wrong solution: no NEWLINE, so everything is on one line.
; Урок 1, упражнение 2, типичное неверное решение: нет NEWLINE, всё в одной строке.

PUTC = 4000H

        MOV #'Q',R0
        CALL #PUTC
        MOV #'4',R0
        CALL #PUTC
        MOV #'2',R0
        CALL #PUTC
        HLT
