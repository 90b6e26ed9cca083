; Lesson 13, exercise 1: read keys through ports 0 and 1 until Enter (code 13), and write a
; star for every key instead of the key itself, as a password field does.
; Урок 13, упражнение 1: читайте клавиши через порты 0 и 1 до Enter (код 13) и выводите
; вместо каждой клавиши звёздочку, как поле для пароля.

PUTC = 4000H

WAIT:   IN P.0,R3       ; the keyboard status / состояние клавиатуры
        ; your program / ваша программа
        HLT
