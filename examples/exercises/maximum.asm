; Maximum (exercise solution): R0 := the largest signed word of the array at 00C2H,
; whose length is the word at 00C0H. The first word is the first candidate, so an array of
; negative numbers works too; the program lies below 00C0H and leaves the array as it is.
; Максимум (решение упражнения): R0 := наибольшее слово со знаком из массива с 00C2H,
; длина которого записана в слове 00C0H. Первый кандидат - первое слово массива, поэтому
; массив отрицательных чисел тоже годится; программа лежит ниже 00C0H и не меняет массив.

COUNT = 00C0H           ; the word with the number of words, at least 1

        MOV #COUNT,R1
        MOV (R1),R2     ; R2 := how many words are left to look at
        ADD #2,R1       ; R1 := the address of the first word
        MOV (R1),R0     ; the first word is the largest so far
NEXT:   SUB #1,R2
        BE DONE         ; no words left
        ADD #2,R1       ; the next word
        CMP (R1),R0     ; BGE: jumps when R0 >= the word (signed)
        BGE NEXT
        MOV (R1),R0     ; a larger one
        BR NEXT
DONE:   HLT
