; Mode 13h: a pattern written straight to A000h, pixels through INT 10h, colours through the
; DAC's ports and the BIOS; the frame is written to FRAME.BIN by the program itself, then back to
; text mode.
        cpu 186
        org 100h
        mov ax, 0013h
        int 10h
        push 0A000h
        pop es
        xor di, di
        xor dx, dx              ; row
.row:   xor cx, cx              ; column
.col:   mov ax, dx
        imul ax, ax, 3
        add ax, cx
        stosb
        inc cx
        cmp cx, 320
        jb .col
        inc dx
        cmp dx, 200
        jb .row
        mov ax, 0C55h           ; pixel (10, 20) = 55h through the BIOS
        xor bx, bx
        mov cx, 10
        mov dx, 20
        int 10h
        mov ax, 0C81h           ; in mode 13h bit 7 is colour, not XOR
        mov cx, 11
        int 10h
        mov ah, 0Dh
        mov cx, 10
        int 10h
        mov [pixels], al
        mov ah, 0Dh
        mov cx, 11
        int 10h
        mov [pixels+1], al
        mov dx, 3C8h            ; colour 1 through the ports, colour 2 through the BIOS
        mov al, 1
        out dx, al
        inc dx
        mov al, 63
        out dx, al
        mov al, 0
        out dx, al
        out dx, al
        mov ax, 1010h
        mov bx, 2
        mov dh, 1
        mov ch, 2
        mov cl, 3
        int 10h
        mov ax, 1015h
        mov bx, 1
        int 10h
        mov [colours], dh
        mov [colours+1], ch
        mov [colours+2], cl
        mov ah, 3Ch             ; the frame to FRAME.BIN
        xor cx, cx
        mov dx, name
        int 21h
        mov bx, ax
        push ds
        push 0A000h
        pop ds
        mov ah, 40h
        xor dx, dx
        mov cx, 64000
        int 21h
        pop ds
        mov ah, 3Eh
        int 21h
        mov ax, 0003h
        int 10h
        mov ah, 0Fh
        int 10h
        call print_byte
        mov dl, ' '
        call putc
        mov al, [pixels]
        call print_byte
        mov al, [pixels+1]
        call print_byte
        mov dl, ' '
        call putc
        mov al, [colours]
        call print_byte
        mov al, [colours+1]
        call print_byte
        mov al, [colours+2]
        call print_byte
        call newline
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"
name    db 'FRAME.BIN', 0
pixels  db 0, 0
colours db 0, 0, 0
