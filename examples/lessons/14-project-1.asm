; Lesson 14, exercise 1: the game of the lesson lets the player guess for ever. Give five
; guesses only: after the fifth wrong guess write "More" or "Less" as before, then the line
; Lost, and stop. The right number on the fifth guess still wins.
; Урок 14, упражнение 1: в игре из урока можно угадывать бесконечно. Дайте только пять
; попыток: после пятой неверной попытки выведите, как раньше, "More" или "Less", затем строку
; Lost и остановитесь. Верное число с пятой попытки всё ещё выигрывает.

PUTC = 4000H
NEWLINE = 4010H
READINT = 4182H
SECRET = 37             ; the number to guess / число, которое нужно угадать

        MOV #0,R3       ; R3 counts the guesses / R3 считает попытки
ASK:    CALL #READINT   ; R1 := the guess / R1 := попытка
        ADD #1,R3
        CMP #SECRET,R1
        BE WIN
        BL SMALL
        MOV #LESS,R2
        MOV #LEN(LESS),R1
        BR SAY
SMALL:  MOV #MORE,R2
        MOV #LEN(MORE),R1
SAY:    CALL #PRINT
        CALL #NEWLINE
        ; after five guesses: Lost / после пяти попыток: Lost
        BR ASK
WIN:    MOV #RIGHT,R2
        MOV #LEN(RIGHT),R1
        CALL #PRINT
        MOV #' ',R0
        CALL #PUTC
        MOV R3,R0
        ADD #'0',R0
        CALL #PUTC
        CALL #NEWLINE
        HLT

; PRINT: writes R1 characters from the address in R2 / выводит R1 символов с адреса из R2
PRINT:  MOV (R2)%,R0
        CALL #PUTC
        ADD #1,R2
        SUB #1,R1
        BNE PRINT
        RET

MORE:   DS More
LESS:   DS Less
RIGHT:  DS Right! Guesses:
LOST:   DS Lost
