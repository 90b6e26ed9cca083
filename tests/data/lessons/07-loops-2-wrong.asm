; Lesson 7, exercise 2, a typical wrong solution: R3 is never set to 0, so the sum is added to
; whatever the register held before.
; Урок 7, упражнение 2, типичное неверное решение: R3 не обнуляется, и сумма прибавляется
; к тому, что было в регистре раньше.

LOOP:   CMP #0,R1
        BLE DONE
        ADD R1,R3
        SUB #1,R1
        BR LOOP
DONE:   HLT
