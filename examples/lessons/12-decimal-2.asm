; Lesson 12, exercise 2: write the word in R1 as 16 binary digits, from bit 15 down to bit 0:
; 5 is 0000000000000101. Hint: bit 15 is the sign, so CMP #0,R1 tells it; SL R1 brings the
; next bit there.
; Урок 12, упражнение 2: выведите слово из R1 шестнадцатью двоичными цифрами, от бита 15 до
; бита 0: 5 — это 0000000000000101. Подсказка: бит 15 — знак, его покажет CMP #0,R1; SL R1
; ставит на его место следующий бит.

PUTC = 4000H

        MOV #16,R2      ; 16 digits / 16 цифр
        ; your program / ваша программа
        HLT
