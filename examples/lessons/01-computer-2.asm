; Lesson 1, exercise 2: write Q on one line and 42 on the next one.
; NEWLINE moves the screen to the next line.
; Урок 1, упражнение 2: напишите Q в одной строке и 42 в следующей.
; NEWLINE переводит экран на следующую строку.

PUTC = 4000H            ; ROM: writes the character in R0 / ПЗУ: выводит символ из R0
NEWLINE = 4010H         ; ROM: starts a new line / ПЗУ: начинает новую строку

        ; your program / ваша программа
        HLT
