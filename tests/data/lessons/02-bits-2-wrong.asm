; Lesson 2, exercise 2, a typical wrong solution: 8001 without H is the decimal number 8001.
; Урок 2, упражнение 2, типичное неверное решение: 8001 без H — десятичное число 8001.

        MOV #0FFH,R1
        MOV #8001,R2
        MOV #7FFFH,R3
        HLT
