; Lesson 13, exercise 2 (solution): a digit is a code from '0' to '9', both ends included:
; BL skips what lies below '0', BG what lies above '9'.
; Урок 13, упражнение 2 (решение): цифра — код от '0' до '9', оба конца включительно:
; BL пропускает то, что ниже '0', BG — то, что выше '9'.

        MOV #0,R3
WAIT:   IN P.0,R0
        CMP #80H,R0
        BNE WAIT
        IN P.1,R1       ; the key
        CMP #13,R1
        BE DONE         ; Enter
        CMP #'0',R1     ; compare the key with '0'
        BL WAIT
        CMP #'9',R1
        BG WAIT
        ADD #1,R3       ; a digit
        BR WAIT
DONE:   HLT
