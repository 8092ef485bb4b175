; Run by PARENT.COM: prints its command tail and what handle 1 writes to, then ends with code 5.
        cpu 186
        org 100h
        mov dl, '<'
        call putc
        xor cx, cx
        mov cl, [80h]
        mov si, 81h
        jcxz .done
.each:  lodsb
        mov dl, al
        call putc
        loop .each
.done:  mov dl, '>'
        call putc
        call newline
        mov ah, 40h         ; through the handle it inherited
        mov bx, 1
        mov cx, text_end - text
        mov dx, text
        int 21h
        mov ax, 4C05h
        int 21h
text    db 'child via handle 1', 13, 10
text_end:

%include "hex_output.inc"
