; The real-time clock through ports 70h/71h: the date and time as "CCYY-MM-DD HH:MM" (its
; registers are BCD, so their hex digits are the decimal ones).
        cpu 186
        org 100h
        mov si, fields
.next:  lodsb
        cmp al, 0FFh
        je .done
        out 70h, al
        in al, 71h
        call print_byte
        lodsb
        or al, al
        jz .next
        mov dl, al
        call putc
        jmp .next
.done:  call newline
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"
; register, separator after it
fields  db 32h, 0, 09h, '-', 08h, '-', 07h, ' ', 04h, ':', 02h, 0, 0FFh
