; Reads a number into R1, copies it to R0 and halts.
CALL #4182H
MOV R1,R0
HLT
