; Countdown (exercise solution): writes the number in R1 (0..9) and every number below it
; down to 0 on one line, with a blank between two numbers.
; The test comes right after SUB: the loop leaves once R1 has gone below 0.
; Обратный отсчёт (решение упражнения): выводит число из R1 (0..9) и все числа ниже него
; до 0 в одной строке, с пробелом между соседними числами.
; Проверка стоит сразу после SUB: цикл кончается, когда R1 станет меньше 0.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

LOOP:   MOV R1,R0
        ADD #'0',R0     ; a digit 0..9 becomes its character '0'..'9'
        CALL #PUTC
        SUB #1,R1
        BL DONE         ; R1 went below 0: 0 was the last one written
        MOV #' ',R0
        CALL #PUTC
        BR LOOP
DONE:   CALL #NEWLINE
        HLT
