; Lesson 7, exercise 3: R1 and R2 hold two numbers, R2 is 0 or more. Put R1 * R2 into R3
; without MUL: add R1 to R3 R2 times.
; Урок 7, упражнение 3: в R1 и R2 лежат два числа, R2 не меньше 0. Положите R1 * R2 в R3
; без MUL: прибавьте R1 к R3 R2 раз.

        MOV #0,R3
        ; your loop / ваш цикл
        HLT
