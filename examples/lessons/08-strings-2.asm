; Lesson 8, exercise 2: write the text TEXT with a blank between every two characters:
; S P A C E. No blank before the first character.
; Урок 8, упражнение 2: выведите текст TEXT с пробелом между каждыми двумя символами:
; S P A C E. Перед первым символом пробела нет.

PUTC = 4000H

        ; your program / ваша программа
        HLT
TEXT:   DS SPACE
