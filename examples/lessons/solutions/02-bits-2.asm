; Lesson 2, exercise 2 (solution): four bits make one hexadecimal digit.
; A hexadecimal number starts with a digit, so 0FFH, not FFH.
; Урок 2, упражнение 2 (решение): четыре бита дают одну шестнадцатеричную цифру.
; Шестнадцатеричное число начинается с цифры, поэтому 0FFH, а не FFH.

        MOV #0FFH,R1    ; 0000 0000 1111 1111
        MOV #8001H,R2   ; 1000 0000 0000 0001
        MOV #7FFFH,R3   ; 0111 1111 1111 1111
        HLT
