; Countdown: writes the digits 9 down to 0 on one line, then "Go!".
; Shows a counting loop: SUB sets the flags, BGE repeats while the counter is not negative.
; Обратный отсчёт: выводит цифры от 9 до 0 в одной строке, затем "Go!".
; Показывает цикл со счётчиком: SUB ставит флаги, BGE повторяет, пока счётчик не меньше нуля.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

        MOV #9,R3       ; R3 is the counter
LOOP:   MOV R3,R0
        ADD #'0',R0     ; a digit 0..9 becomes its character '0'..'9'
        CALL #PUTC
        MOV #' ',R0
        CALL #PUTC
        SUB #1,R3       ; N = 1 once R3 has gone below 0
        BGE LOOP

        MOV #'G',R0
        CALL #PUTC
        MOV #'o',R0
        CALL #PUTC
        MOV #'!',R0
        CALL #PUTC
        CALL #NEWLINE
        HLT
