; Lesson 9, exercise 2: read two answers with CALL #4180H (TRUE or FALSE).
; Put 1 into R3 when both are TRUE, otherwise 0.
; Урок 9, упражнение 2: прочитайте два ответа через CALL #4180H (TRUE или FALSE).
; Положите в R3 1, если оба ответа TRUE, иначе 0.

READBOOL = 4180H        ; ROM: R1 := 1 for TRUE, 0 for FALSE / ПЗУ: R1 := 1 для TRUE, 0 для FALSE

        CALL #READBOOL
        ; your program / ваша программа
        HLT
