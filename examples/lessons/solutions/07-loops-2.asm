; Lesson 7, exercise 2 (solution): R3 starts at 0 and R1 is added while it counts down;
; the test comes first, so N = 0 adds nothing.
; Урок 7, упражнение 2 (решение): R3 начинается с 0, и R1 прибавляется, пока считает вниз;
; проверка идёт первой, поэтому при N = 0 ничего не прибавляется.

        MOV #0,R3
LOOP:   CMP #0,R1
        BLE DONE        ; R1 <= 0: nothing left to add
        ADD R1,R3
        SUB #1,R1
        BR LOOP
DONE:   HLT
