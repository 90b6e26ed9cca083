; Lesson 11, exercise 1 (solution): R1 walks through the words, two bytes at a time;
; BGE skips every word that is 0 or more.
; Урок 11, упражнение 1 (решение): R1 идёт по словам, по два байта за шаг; BGE пропускает
; каждое слово, которое не меньше 0.

ARRAY = 0C0H

        MOV #ARRAY,R1
        MOV (R1),R2     ; R2 := N
        ADD #2,R1
        MOV #0,R3
NEXT:   CMP #0,(R1)     ; compare the word with 0
        BGE SKIP
        ADD #1,R3       ; a negative one
SKIP:   ADD #2,R1
        SUB #1,R2
        BNE NEXT
        HLT
