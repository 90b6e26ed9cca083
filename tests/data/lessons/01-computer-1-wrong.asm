; Lesson 1, exercise 1, a typical wrong solution: CALL PUTC without # jumps to the address
; stored in the word at 4000H, not to 4000H itself.
; Урок 1, упражнение 1, типичное неверное решение: CALL PUTC без # переходит по адресу,
; записанному в слове 4000H, а не на сам адрес 4000H.

PUTC = 4000H

        MOV #'O',R0
        CALL PUTC
        MOV #'K',R0
        CALL PUTC
        HLT
