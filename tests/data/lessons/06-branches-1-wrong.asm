; Lesson 6, exercise 1, a typical wrong solution: the operands of CMP are the wrong way round,
; so BGE jumps when R2 >= R1 and R3 gets the smaller number.
; Урок 6, упражнение 1, типичное неверное решение: операнды CMP переставлены, поэтому BGE
; переходит при R2 >= R1, и в R3 попадает меньшее число.

        MOV R1,R3
        CMP R1,R2
        BGE DONE
        MOV R2,R3
DONE:   HLT
