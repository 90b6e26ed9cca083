; Lesson 4, exercise 2: R1 holds a temperature in degrees Celsius (-100..1000).
; Put into R2 the same temperature in degrees Fahrenheit: R1 * 9 / 5 + 32
; (DIV drops the remainder: 37 degrees give 98).
; Урок 4, упражнение 2: в R1 лежит температура в градусах Цельсия (-100..1000).
; Положите в R2 ту же температуру в градусах Фаренгейта: R1 * 9 / 5 + 32
; (DIV отбрасывает остаток: 37 градусов дают 98).

        MOV R1,R2
        ; your program / ваша программа
        HLT
