; Prints the length of its command tail in hex and the tail itself between brackets.
        cpu 186
        org 100h
        mov al, [80h]
        call print_byte
        mov dl, '['
        call putc
        xor cx, cx
        mov cl, [80h]
        mov si, 81h
        jcxz close
each:   lodsb
        mov dl, al
        call putc
        loop each
close:  mov dl, ']'
        call putc
        call newline
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"
