; The BIOS's pixels in the CGA and 16-colour modes: in mode 04h a few pixels through INT 10h and
; the whole of B800h written to CGA.BIN; in modes 06h, 0Dh and 12h pixels written and read back,
; XOR included, and the palette registers as the mode set leaves them.
        cpu 186
        org 100h
        mov ax, 0004h
        int 10h
        mov si, points
.cga:   lodsw                   ; x
        cmp ax, 0FFFFh
        je .dump
        mov cx, ax
        lodsw                   ; y
        mov dx, ax
        lodsb                   ; colour
        mov ah, 0Ch
        xor bx, bx
        int 10h
        jmp .cga
.dump:  mov ah, 3Ch
        xor cx, cx
        mov dx, name
        int 21h
        mov bx, ax
        push ds
        push 0B800h
        pop ds
        mov ah, 40h
        xor dx, dx
        mov cx, 4000h
        int 21h
        pop ds
        mov ah, 3Eh
        int 21h
        mov si, modes
.mode:  lodsb
        or al, al
        jz .done
        xor ah, ah
        int 10h
        mov ax, 0C05h           ; colour 5 at (7, 3), then 3 XORed in
        xor bx, bx
        mov cx, 7
        mov dx, 3
        int 10h
        mov ax, 0C83h
        int 10h
        mov ah, 0Dh
        int 10h
        call print_byte
        mov ax, 0C0Fh           ; colour 15 at (8, 3): its neighbour keeps its own
        mov cx, 8
        mov dx, 3
        int 10h
        mov ah, 0Dh
        mov cx, 7
        int 10h
        call print_byte
        mov ax, 1007h           ; palette register 6
        mov bl, 6
        int 10h
        mov al, bh
        call print_byte
        mov dl, ' '
        call putc
        jmp .mode
.done:  mov ax, 0003h
        int 10h
        call newline
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"
name    db 'CGA.BIN', 0
modes   db 06h, 0Dh, 12h, 0
; x, y, colour
points  dw 0, 0
        db 1
        dw 1, 0
        db 2
        dw 3, 1
        db 3
        dw 319, 199
        db 3
        dw 160, 100
        db 2
        dw 0FFFFh
