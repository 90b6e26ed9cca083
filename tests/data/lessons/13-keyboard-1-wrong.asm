; Lesson 13, exercise 1, a typical wrong solution: it writes the key itself, and the password
; can be read on the screen.
; Урок 13, упражнение 1, типичное неверное решение: выводит саму клавишу, и пароль можно
; прочитать на экране.

PUTC = 4000H

WAIT:   IN P.0,R3
        CMP #80H,R3
        BNE WAIT
        IN P.1,R0
        CMP #13,R0
        BE DONE
        CALL #PUTC
        BR WAIT
DONE:   HLT
