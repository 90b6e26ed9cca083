; Lesson 7, exercise 3, a typical wrong solution: the test after the addition. With R2 = 0 the
; first SUB makes it -1, and the loop adds R1 tens of thousands of times until it overflows.
; Урок 7, упражнение 3, типичное неверное решение: проверка после сложения. При R2 = 0 первый
; SUB даёт -1, и цикл прибавляет R1 десятки тысяч раз, пока не случится переполнение.

        MOV #0,R3
LOOP:   ADD R1,R3
        SUB #1,R2
        BNE LOOP
        HLT
