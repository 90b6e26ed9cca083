; Lesson 2, exercise 1: write the three characters whose codes are 48H, 45H and 58H,
; giving the codes as numbers (not as 'c').
; Урок 2, упражнение 1: выведите три символа с кодами 48H, 45H и 58H,
; записав коды числами (не как 'c').

PUTC = 4000H

        MOV #48H,R0
        CALL #PUTC
        ; the other two / остальные два
        HLT
