; Lesson 11, exercise 1: the word at 00C0H holds N (at least 1), and N words follow it from
; 00C2H on. Put into R3 how many of them are negative; leave the array as it is.
; Урок 11, упражнение 1: в слове 00C0H лежит N (не меньше 1), а за ним с адреса 00C2H идут
; N слов. Положите в R3, сколько из них отрицательных; массив не меняйте.

ARRAY = 0C0H            ; the address of N / адрес N

        MOV #ARRAY,R1
        MOV (R1),R2     ; R2 := N
        ADD #2,R1       ; R1 := the address of the first word / адрес первого слова
        ; your program / ваша программа
        HLT
