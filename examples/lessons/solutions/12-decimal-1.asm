; Lesson 12, exercise 1 (solution): the last digit is the remainder of a division by 10; the
; digits come out from the last one, so they wait on the stack. The loop tests at its end,
; so 0 still gives one digit.
; Урок 12, упражнение 1 (решение): последняя цифра — остаток от деления на 10; цифры получаются
; с последней, поэтому они ждут в стеке. Цикл проверяет условие в конце, поэтому 0 тоже даёт
; одну цифру.

PUTC = 4000H

        MOV #0,R2       ; R2 counts the digits on the stack
DIGIT:  MOV R1,R3
        DIV #10,R1      ; R1 := the number without its last digit
        MOV R1,R0
        MUL #10,R0
        SUB R0,R3       ; R3 := the last digit
        PUSH R3
        ADD #1,R2
        CMP #0,R1
        BNE DIGIT       ; until no digits are left
WRITE:  POP R0          ; the first digit comes off first
        ADD #'0',R0
        CALL #PUTC
        SUB #1,R2
        BNE WRITE
        HLT
