; Lesson 12, exercise 1: R1 holds a number from 0 to 32767. Write it in decimal: 305 as the
; three characters 3, 0, 5; and 0 as the single digit 0.
; Урок 12, упражнение 1: в R1 лежит число от 0 до 32767. Выведите его в десятичном виде:
; 305 — тремя символами 3, 0, 5, а 0 — одной цифрой 0.

PUTC = 4000H

        MOV #0,R2       ; R2 counts the digits on the stack / R2 считает цифры в стеке
        ; your program / ваша программа
        HLT
