; The user half of the pair: calls INT 7Ch, which the install half left behind, and ends with 5.
        org 100h
        int 7Ch
        mov ax, 4C05h
        int 21h
