; Lesson 13, exercise 1 (solution): wait for the status 80H, take the key, stop at Enter,
; otherwise write a star.
; Урок 13, упражнение 1 (решение): ждём состояния 80H, берём клавишу, на Enter
; останавливаемся, иначе выводим звёздочку.

PUTC = 4000H

WAIT:   IN P.0,R3       ; the keyboard status
        CMP #80H,R3
        BNE WAIT        ; no key yet
        IN P.1,R1       ; the key
        CMP #13,R1
        BE DONE         ; Enter
        MOV #'*',R0
        CALL #PUTC
        BR WAIT
DONE:   HLT
