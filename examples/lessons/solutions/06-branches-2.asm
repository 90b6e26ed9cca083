; Lesson 6, exercise 2 (solution): one CMP, then BE and BL test the same flags.
; MOV sets the flags too, so the branches come right after CMP, before any MOV.
; Урок 6, упражнение 2 (решение): один CMP, затем BE и BL проверяют одни и те же флаги.
; MOV тоже ставит флаги, поэтому ветвления идут сразу после CMP, до любого MOV.

PUTC = 4000H

        CMP #0,R1       ; compare R1 with 0
        BE ZERO
        BL MINUS
        MOV #'+',R0
        BR SHOW
ZERO:   MOV #'0',R0
        BR SHOW
MINUS:  MOV #'-',R0
SHOW:   CALL #PUTC
        HLT
