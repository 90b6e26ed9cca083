; Lesson 4, exercise 1: R1 holds a number of minutes (0..32767) at the start.
; Put the whole hours into R2 and the minutes left over into R3: 135 is 2 hours 15 minutes.
; Урок 4, упражнение 1: в начале в R1 лежит число минут (0..32767).
; Положите в R2 число полных часов, а в R3 — оставшиеся минуты: 135 — это 2 часа 15 минут.

        MOV R1,R2
        ; R2 := hours, R3 := minutes / R2 := часы, R3 := минуты
        HLT
