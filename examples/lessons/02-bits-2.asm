; Lesson 2, exercise 2: put these binary numbers into the registers, written in hexadecimal:
;   R1 := 0000 0000 1111 1111
;   R2 := 1000 0000 0000 0001
;   R3 := 0111 1111 1111 1111
; Each group of four bits is one hexadecimal digit.
; Урок 2, упражнение 2: положите в регистры эти двоичные числа, записав их шестнадцатерично:
;   R1 := 0000 0000 1111 1111
;   R2 := 1000 0000 0000 0001
;   R3 := 0111 1111 1111 1111
; Каждая группа из четырёх битов — одна шестнадцатеричная цифра.

        MOV #0,R1       ; replace 0 / замените 0
        HLT
