; The install half of a lab's pair: copies a routine to 0000:0200, points INT 7Ch at it, and ends
; with 4Ch. The routine prints "!" and returns.
%include "install_low.inc"
        org 100h
        install_low 7Ch
        bang_routine
