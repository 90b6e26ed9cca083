; Lesson 5, exercise 2: R1 holds a number. Put R1 - 10 into R2 and 0 into R0, and end the
; program with the flags N and Z that the subtraction set (N = 1: negative, Z = 1: zero).
; The program below does the sums but ends with the wrong flags: find why and fix it.
; Урок 5, упражнение 2: в R1 лежит число. Положите R1 - 10 в R2 и 0 в R0 и закончите
; программу с флагами N и Z, которые установило вычитание (N = 1 — отрицательное, Z = 1 — ноль).
; Программа ниже всё вычисляет, но заканчивается с неверными флагами: найдите причину и исправьте.

        MOV R1,R2
        SUB #10,R2      ; N and Z tell the sign of R2 now / N и Z сейчас говорят о знаке R2
        MOV #0,R0
        HLT
