; Countdown, a typical wrong solution: the loop repeats only while R1 is above 0,
; so 0 is never written unless N is 0 itself.
; Обратный отсчёт, типичное неверное решение: цикл повторяется, только пока R1 больше 0,
; поэтому 0 не выводится, если только N не равно 0.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

LOOP:   MOV R1,R0
        ADD #'0',R0
        CALL #PUTC
        MOV #' ',R0
        CALL #PUTC
        SUB #1,R1
        BG LOOP         ; wrong: BGE would go on down to 0
        CALL #NEWLINE
        HLT
