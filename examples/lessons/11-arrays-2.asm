; Lesson 11, exercise 2: the word at 00C0H holds N (at least 1), and N words follow it from
; 00C2H on. Double each of these words in its place; change nothing else in memory.
; Урок 11, упражнение 2: в слове 00C0H лежит N (не меньше 1), а за ним с адреса 00C2H идут
; N слов. Удвойте каждое из этих слов на его месте; больше ничего в памяти не меняйте.

ARRAY = 0C0H

        MOV #ARRAY,R1
        MOV (R1),R2     ; R2 := N
        ; your program / ваша программа
        HLT
