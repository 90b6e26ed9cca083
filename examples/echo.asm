; Echo: writes every key typed until Enter is pressed.
; Shows the keyboard ports: status in port 0 (80H on the third read in a row), the key in port 1.
; Эхо: выводит каждую нажатую клавишу, пока не нажата Enter.
; Показывает порты клавиатуры: состояние в порту 0 (80H на третьем чтении подряд), код клавиши в порту 1.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line

WAIT:   IN 0,R3         ; keyboard status
        CMP #80H,R3
        BNE WAIT
        IN 1,R0         ; the key
        CMP #13,R0      ; Enter?
        BE DONE
        CALL #PUTC
        BR WAIT
DONE:   CALL #NEWLINE
        HLT
