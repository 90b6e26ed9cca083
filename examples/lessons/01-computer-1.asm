; Lesson 1, exercise 1: write OK on the screen.
; Put the code of each letter into R0 and call PUTC; end with HLT.
; Урок 1, упражнение 1: напишите на экране OK.
; Положите код каждой буквы в R0 и вызовите PUTC; в конце поставьте HLT.

PUTC = 4000H            ; ROM: writes the character in R0 / ПЗУ: выводит символ из R0

        MOV #'O',R0
        ; here: write O, then K / здесь: выведите O, затем K
        HLT
