; A mouse event handler over the graphics window: mode 13h, the driver reset, the pointer shown,
; a handler for the left button's press and release (mask 06h). Once both have come (or after
; about ten seconds), back in text mode it prints a line for each call: the conditions (AX), the
; buttons (BX) and whether interrupts were enabled in the handler (0200h) or not (0000h).
        cpu 186
        org 100h
        mov ax, 0013h
        int 10h
        xor ax, ax
        int 33h
        push cs
        pop es
        mov dx, handler
        mov cx, 0006h
        mov ax, 000Ch
        int 33h
        mov ax, 0001h
        int 33h
        push 40h
        pop es
        mov bx, [es:6Ch]
        sti
.wait:  hlt
        cmp word [count], 2
        jae .done
        mov ax, [es:6Ch]
        sub ax, bx
        cmp ax, 182
        jb .wait
.done:  xor ax, ax              ; the reset takes the handler away
        int 33h
        mov ax, 0003h
        int 10h
        mov si, calls
        mov cx, [count]
        jcxz .none
.show:  lodsw
        call print_word
        mov dl, ' '
        call putc
        lodsw
        call print_word
        mov dl, ' '
        call putc
        lodsw
        call print_word
        call newline
        loop .show
        mov ax, 4C00h
        int 21h
.none:  mov dx, timeout
        mov ah, 09h
        int 21h
        mov ax, 4C01h
        int 21h

handler:
        push ds
        push cs
        pop ds
        cmp word [count], 4
        jae .full
        push ax
        mov ax, [count]
        mov di, ax              ; 6 bytes a call
        shl di, 1
        add di, ax
        shl di, 1
        add di, calls
        pop ax
        mov [di], ax
        mov [di+2], bx
        pushf
        pop ax
        and ax, 0200h
        mov [di+4], ax
        inc word [count]
.full:  pop ds
        retf

%include "hex_output.inc"
timeout db "no mouse events", 13, 10, "$"
count   dw 0
calls   times 4 * 3 dw 0
