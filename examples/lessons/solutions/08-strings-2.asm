; Lesson 8, exercise 2 (solution): a blank after every character but the last; the blank at
; the end of the line would not be seen anyway, but the blank before the first one would.
; Урок 8, упражнение 2 (решение): пробел после каждого символа, кроме последнего; пробел в
; конце строки и так не был бы виден, а пробел перед первым символом был бы.

PUTC = 4000H

        MOV #TEXT,R1
        MOV #LEN(TEXT),R2
NEXT:   MOV (R1)%,R0
        CALL #PUTC
        ADD #1,R1
        SUB #1,R2
        BE DONE         ; that was the last character
        MOV #' ',R0
        CALL #PUTC
        BR NEXT
DONE:   HLT
TEXT:   DS SPACE
