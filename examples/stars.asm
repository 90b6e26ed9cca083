; Stars: draws a triangle of stars; the subroutine STARS writes a row of R1 stars.
; Shows CALL and RET and how PUSH and POP keep the caller's registers safe.
; Звёздочки: рисует треугольник; подпрограмма STARS выводит строку из R1 звёздочек.
; Показывает CALL и RET и то, как PUSH и POP сохраняют регистры вызывающей программы.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line
ROWS = 5

        MOV #1,R1       ; R1: the length of the row, 1..ROWS
ROW:    CALL #STARS     ; R1 is the same after the call
        ADD #1,R1
        CMP #ROWS,R1    ; BLE: jumps while R1 <= ROWS
        BLE ROW
        HLT

; STARS: writes R1 stars and ends the line. Changes no register:
; it saves R0 and R1 on the stack and restores them in reverse order.
STARS:  PUSH R0
        PUSH R1
NEXT:   MOV #'*',R0
        CALL #PUTC      ; the return address goes on the stack above R0 and R1
        SUB #1,R1
        BNE NEXT
        CALL #NEWLINE
        POP R1          ; the last one pushed comes off first
        POP R0
        RET             ; takes the return address off the stack
