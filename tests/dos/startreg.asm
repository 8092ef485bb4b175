; Prints the registers a program starts with (AX BX CX SI DI BP, and DX less the PSP, which
; differ between machines only by where the program sits), then exits.
        cpu 186
        org 100h
        push dx
        push ax
        mov ax, bx
        pop bx              ; BX: the start AX
        xchg ax, bx
        call print_word     ; AX
        mov dl, ' '
        call putc
        mov ax, bx          ; BX
        call print_word
        mov dl, ' '
        call putc
        mov ax, cx
        call print_word
        mov dl, ' '
        call putc
        pop ax              ; DX: the PSP's segment
        mov bx, cs
        sub ax, bx
        call print_word
        mov dl, ' '
        call putc
        mov ax, si
        call print_word
        mov dl, ' '
        call putc
        mov ax, di
        call print_word
        mov dl, ' '
        call putc
        mov ax, bp
        call print_word
        call newline
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"
