; Lesson 5, exercise 1: R1 holds a number (-32767..32767); change its sign: R1 := -R1.
; Do it the way the machine makes a negative number: invert every bit, then add 1.
; Урок 5, упражнение 1: в R1 лежит число (-32767..32767); смените его знак: R1 := -R1.
; Сделайте это так, как машина получает отрицательное число: инвертируйте все биты и прибавьте 1.

        ; your program / ваша программа
        HLT
