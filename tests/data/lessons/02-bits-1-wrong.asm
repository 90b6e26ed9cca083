; Lesson 2, exercise 1, a typical wrong solution: without the final H the numbers are decimal,
; 48 is 30H (the digit 0), 45 is 2DH (-), 58 is 3AH (:).
; Урок 2, упражнение 1, типичное неверное решение: без буквы H числа десятичные,
; 48 — это 30H (цифра 0), 45 — 2DH (-), 58 — 3AH (:).

PUTC = 4000H

        MOV #48,R0
        CALL #PUTC
        MOV #45,R0
        CALL #PUTC
        MOV #58,R0
        CALL #PUTC
        HLT
