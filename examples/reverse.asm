; Reverse: reads keys into a buffer until Enter, writing each one, then writes the line backwards.
; Shows the keyboard ports, a buffer reserved with RW and byte stores with a moving address.
; Наоборот: читает клавиши в буфер до Enter, выводя каждую, затем выводит строку задом наперёд.
; Показывает порты клавиатуры, буфер, выделенный RW, и запись байтов по сдвигаемому адресу.

PUTC = 4000H            ; ROM: writes the character in R0
NEWLINE = 4010H         ; ROM: moves the screen to the next line
SIZE = 20               ; the buffer holds 20 characters

        MOV #BUF,R1     ; R1: where the next key goes
        MOV #0,R2       ; R2: how many keys are in the buffer
WAIT:   IN 0,R3         ; keyboard status: 80H when a key can be read
        CMP #80H,R3
        BNE WAIT
        IN 1,R0         ; the key
        CMP #13,R0      ; Enter ends the line
        BE DONE
        CALL #PUTC
        MOV R0%,(R1)%   ; one byte into the buffer
        ADD #1,R1
        ADD #1,R2
        CMP #SIZE,R2    ; a full buffer ends the line too
        BNE WAIT
DONE:   CALL #NEWLINE
        CMP #0,R2       ; an empty line has nothing to reverse
        BE END
BACK:   SUB #1,R1       ; from the last key back to the first
        MOV (R1)%,R0
        CALL #PUTC
        SUB #1,R2
        BNE BACK
        CALL #NEWLINE
END:    HLT

BUF:    RW 10           ; 10 words = 20 bytes
