; Lesson 12, exercise 2 (solution): N shows bit 15; the character is chosen before CMP, since
; MOV sets the flags too, and SL moves the next bit up.
; Урок 12, упражнение 2 (решение): N показывает бит 15; символ выбирается до CMP, потому что
; MOV тоже ставит флаги, а SL поднимает следующий бит.

PUTC = 4000H

        MOV #16,R2
NEXT:   MOV #'0',R0
        CMP #0,R1
        BGE ZERO        ; bit 15 is 0
        MOV #'1',R0
ZERO:   CALL #PUTC
        SL R1           ; the next bit becomes bit 15
        SUB #1,R2
        BNE NEXT
        HLT
