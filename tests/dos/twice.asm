; Run twice in one PC: the first run finds INT 7Ch not pointing at 0000:0200, copies its routine
; there, points the vector at it and ends with 0; a later run finds it, calls INT 7Ch (which prints
; "!") and ends with 5.
%include "install_low.inc"
        org 100h
        xor ax, ax
        mov es, ax
        cmp word [es:7Ch*4], 200h
        jne install
        cmp word [es:7Ch*4+2], 0
        jne install
        int 7Ch
        mov ax, 4C05h
        int 21h
install:
        install_low 7Ch
        bang_routine
