; Lesson 5, exercise 2 (solution): MOV sets the flags too, so R0 := 0 comes before the
; subtraction, which is the last operation to set them.
; Урок 5, упражнение 2 (решение): MOV тоже устанавливает флаги, поэтому R0 := 0 стоит до
; вычитания, которое устанавливает их последним.

        MOV #0,R0
        MOV R1,R2
        SUB #10,R2      ; the last operation that sets N and Z
        HLT
