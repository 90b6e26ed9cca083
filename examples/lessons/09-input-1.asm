; Lesson 9, exercise 1: read numbers with CALL #4182H until the number 0 is typed,
; and leave the sum of all of them in R3. R3 may hold anything at the start.
; Урок 9, упражнение 1: читайте числа через CALL #4182H, пока не введут число 0,
; и оставьте сумму всех чисел в R3. В начале в R3 может быть что угодно.

READINT = 4182H         ; ROM: R1 := the number typed / ПЗУ: R1 := введённое число

        CALL #READINT
        ; your program / ваша программа
        HLT
