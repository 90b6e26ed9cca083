; Lesson 10, exercise 2 (solution): DIGIT works in R0, so it saves R0 on the stack first and
; takes it back before RET, which then finds its return address on top of the stack.
; Урок 10, упражнение 2 (решение): DIGIT работает с R0, поэтому сначала кладёт R0 в стек и
; снимает его перед RET, который тогда находит адрес возврата на вершине стека.

PUTC = 4000H

        CALL #DIGIT
        HLT

; DIGIT: writes R1 as a digit; changes no register.
DIGIT:  PUSH R0         ; keep the caller's R0
        MOV R1,R0
        ADD #'0',R0
        CALL #PUTC
        POP R0          ; the caller's R0 again
        RET
