; A clock and a keyboard hook while DOS reads the keys: INT 9 counts every byte the controller
; gives, INT 1Ch counts the ticks, and the keys are read with INT 21h 01h up to Enter. Then the two
; counts are shown in hex: "9=nnnn 1C=nnnn".
        org 100h
        mov ax, 3509h
        int 21h
        mov [old9], bx
        mov [old9+2], es
        mov ax, 351Ch
        int 21h
        mov [old1c], bx
        mov [old1c+2], es
        mov ax, 2509h
        mov dx, hook9
        int 21h
        mov ax, 251Ch
        mov dx, hook1c
        int 21h
.read:  mov ah, 01h
        int 21h
        cmp al, 13
        jne .read
        push ds
        lds dx, [old9]
        mov ax, 2509h
        int 21h
        pop ds
        push ds
        lds dx, [old1c]
        mov ax, 251Ch
        int 21h
        pop ds
        call newline
        mov dl, '9'
        call putc
        mov dl, '='
        call putc
        mov ax, [count9]
        call print_word
        mov dl, ' '
        call putc
        mov dl, '1'
        call putc
        mov dl, 'C'
        call putc
        mov dl, '='
        call putc
        mov ax, [ticks]
        call print_word
        call newline
        mov ax, 4C00h
        int 21h

hook9:  inc word [cs:count9]
        jmp far [cs:old9]
hook1c: inc word [cs:ticks]
        iret

%include "hex_output.inc"

old9    dd 0
old1c   dd 0
count9  dw 0
ticks   dw 0
