; Lesson 8, exercise 1: write the text TEXT backwards, from its last character to its first:
; 24Q ,olleH. Use LEN(TEXT), so that the program works for any text.
; Урок 8, упражнение 1: выведите текст TEXT задом наперёд, от последнего символа к первому:
; 24Q ,olleH. Пользуйтесь LEN(TEXT), чтобы программа работала с любым текстом.

PUTC = 4000H

        MOV #TEXT,R1    ; the address of the first character / адрес первого символа
        ; your program / ваша программа
        HLT
TEXT:   DS Hello, Q42
