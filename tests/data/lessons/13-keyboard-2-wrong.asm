; Lesson 13, exercise 2, a typical wrong solution: BLE and BGE leave out the ends, so the
; digits 0 and 9 are not counted.
; Урок 13, упражнение 2, типичное неверное решение: BLE и BGE исключают концы, поэтому цифры
; 0 и 9 не считаются.

        MOV #0,R3
WAIT:   IN P.0,R0
        CMP #80H,R0
        BNE WAIT
        IN P.1,R1
        CMP #13,R1
        BE DONE
        CMP #'0',R1
        BLE WAIT
        CMP #'9',R1
        BGE WAIT
        ADD #1,R3
        BR WAIT
DONE:   HLT
