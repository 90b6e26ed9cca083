; Table: adds up a table of numbers written with DW and keeps the sum in a word reserved with RW.
; Shows indirect addressing (R1) walking through memory two bytes per word, and absolute operands.
; Таблица: складывает числа таблицы, заданной через DW, и хранит сумму в слове, выделенном RW.
; Показывает косвенную адресацию (R1), идущую по памяти по два байта на слово, и прямые операнды.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line
COUNT = 5               ; the number of words in TABLE

        MOV #TABLE,R1   ; R1 holds the address of the current word
        MOV #COUNT,R2
        MOV #0,R0
NEXT:   ADD (R1),R0     ; R0 := R0 + the word at the address in R1
        ADD #2,R1       ; a word takes two bytes
        SUB #1,R2
        BNE NEXT
        MOV R0,SUM      ; SUM without # is the word at that address

        MOV SUM,R3      ; reads SUM back and writes it digit by digit
        MOV #0,R2
DIGIT:  MOV R3,R1
        DIV #10,R3
        MOV R3,R0
        MUL #10,R0
        SUB R0,R1       ; R1 := the last digit
        PUSH R1
        ADD #1,R2
        CMP #0,R3
        BNE DIGIT
WRITE:  POP R0
        ADD #'0',R0
        CALL #PUTC
        SUB #1,R2
        BNE WRITE
        CALL #NEWLINE
        HLT

TABLE:  DW 120
        DW 35
        DW -8
        DW 1000
        DW 0BH          ; hexadecimal: 11
SUM:    RW 1
