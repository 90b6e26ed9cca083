; Lesson 3, exercise 2: move the values round: R2 gets what R1 held, R3 what R2 held,
; and R1 what R3 held. R0 may change.
; Урок 3, упражнение 2: передвиньте значения по кругу: R2 получает то, что было в R1,
; R3 — то, что было в R2, а R1 — то, что было в R3. R0 можно менять.

        ; your program / ваша программа
        HLT
