; A lab's divide-overflow routine, copied to 0000:0200 behind INT 0: it prints "0!" and ends the
; program that divided with code 7. This program itself ends with 4Ch.
%include "install_low.inc"
        org 100h
        install_low 0
routine:
        mov ah, 2
        mov dl, '0'
        int 21h
        mov dl, '!'
        int 21h
        mov ax, 4C07h
        int 21h
routine_end:
