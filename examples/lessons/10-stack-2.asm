; Lesson 10, exercise 2: write the subroutine DIGIT. It writes the number in R1 (0..9) as a
; digit and gives every register back as it found it. The main program stays as it is.
; Урок 10, упражнение 2: напишите подпрограмму DIGIT. Она выводит число из R1 (0..9) цифрой
; и возвращает все регистры такими, какими их получила. Главную программу не меняйте.

PUTC = 4000H

        CALL #DIGIT
        HLT

; DIGIT: writes R1 as a digit; changes no register / выводит R1 цифрой; регистры не меняет
DIGIT:  ; your subroutine / ваша подпрограмма
        RET
