; Lesson 14, exercise 2: now the player thinks of a number from 1 to 100 and the machine
; guesses it. The words LO and HI hold the smallest and the largest number still possible.
; While LO < HI: M := (LO + HI) / 2; write M with PRINTNUM and read the answer with
; CALL #READBOOL: TRUE means "my number is larger than M", so LO := M + 1; FALSE means it
; is M or less, so HI := M. When LO = HI, put the number into R3 (and write it).
; Урок 14, упражнение 2: теперь игрок задумывает число от 1 до 100, а машина его угадывает.
; В словах LO и HI лежат наименьшее и наибольшее ещё возможные числа. Пока LO < HI:
; M := (LO + HI) / 2; выведите M подпрограммой PRINTNUM и прочитайте ответ через
; CALL #READBOOL: TRUE значит «моё число больше M», тогда LO := M + 1; FALSE значит, что оно
; не больше M, тогда HI := M. Когда LO = HI, положите число в R3 (и выведите его).

PUTC = 4000H
NEWLINE = 4010H
READBOOL = 4180H        ; ROM: R1 := 1 for TRUE, 0 for FALSE / ПЗУ: R1 := 1 для TRUE, 0 для FALSE

        MOV #1,LO
        MOV #100,HI
        ; your program / ваша программа
        HLT

; PRINTNUM: writes R1 (0..32767) in decimal and ends the line; changes no register.
; PRINTNUM: выводит R1 (0..32767) в десятичном виде и завершает строку; регистры не меняет.
PRINTNUM:
        PUSH R0
        PUSH R1
        PUSH R2
        PUSH R3
        MOV #0,R2
DIGIT:  MOV R1,R3
        DIV #10,R1
        MOV R1,R0
        MUL #10,R0
        SUB R0,R3
        PUSH R3
        ADD #1,R2
        CMP #0,R1
        BNE DIGIT
WRITE:  POP R0
        ADD #'0',R0
        CALL #PUTC
        SUB #1,R2
        BNE WRITE
        CALL #NEWLINE
        POP R3
        POP R2
        POP R1
        POP R0
        RET

LO:     DW 1            ; the smallest number still possible / наименьшее ещё возможное число
HI:     DW 100          ; the largest / наибольшее
