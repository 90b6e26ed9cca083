; Lesson 13, exercise 2: read keys through ports 0 and 1 until Enter (code 13), and put into
; R3 how many of them were digits, from '0' to '9'. Nothing needs to be written.
; Урок 13, упражнение 2: читайте клавиши через порты 0 и 1 до Enter (код 13) и положите в R3,
; сколько из них было цифр, от '0' до '9'. Выводить ничего не нужно.

        MOV #0,R3
WAIT:   IN P.0,R0       ; the keyboard status / состояние клавиатуры
        ; your program / ваша программа
        HLT
