; Maximum, solved another way: the words are read from the last back to the first, the
; largest so far kept in R3 and moved into R0 at the end.

SIZE = 00C0H

        MOV #SIZE,R2
        MOV (R2),R1
        ADD R1,R1           ; the words' length in bytes
        ADD R1,R2           ; R2 := the last word's address
        MOV (R2),R3
BACK:   SUB #2,R2
        CMP #SIZE,R2
        BE FINISH           ; back at the count: every word seen
        CMP (R2),R3
        BGE BACK
        MOV (R2),R3
        BR BACK
FINISH: MOV R3,R0
        HLT
