; Vera: capitals from the keyboard, not finished
WAIT:   IN 0,R3
        CMPP #80H,R3
        HLT
