; Polls the keyboard and display status for ever and never moves a character.
L: IN 0,R0
   IN 2,R1
   BR L
