; Double (exercise solution): the subroutine DOUBLE doubles R1 and changes no other register.
; It works in R0, so it pushes R0 first and pops it back before RET; the stack is left as it was.
; Удвоение (решение упражнения): подпрограмма DOUBLE удваивает R1 и не меняет других регистров.
; Она работает с R0, поэтому сначала кладёт R0 в стек и достаёт его перед RET; стек остаётся прежним.

        CALL #DOUBLE
        HLT

; DOUBLE: R1 := R1 + R1; every other register is given back unchanged.
DOUBLE: PUSH R0         ; keep the caller's R0
        MOV R1,R0
        ADD R0,R1       ; R1 := R1 + R1
        POP R0          ; the caller's R0 again
        RET
