; Mode 12h written straight to A000h through the graphics controller, as a fast "putpixel" does:
; the map mask, set/reset with the bit mask and the latches, write modes 1 and 2, the XOR
; function, then read mode 1's colour compare, each plane through the read map, and the pixels
; through the BIOS.
        cpu 186
        org 100h
        mov ax, 0012h
        int 10h
        push 0A000h
        pop es
        mov dx, 3C4h
        mov ax, 0402h           ; map mask: plane 2
        out dx, ax
        mov byte [es:0], 80h
        mov ax, 0F02h
        out dx, ax
        mov dx, 3CEh
        mov ax, 0E00h           ; set/reset colour 14, enabled on every plane, pixel 1 only
        out dx, ax
        mov ax, 0F01h
        out dx, ax
        mov ax, 4008h
        out dx, ax
        mov al, [es:0]
        mov [es:0], al
        mov ax, 0001h           ; write mode 2, pixel 2 in colour 9
        out dx, ax
        mov ax, 0205h
        out dx, ax
        mov ax, 2008h
        out dx, ax
        mov al, [es:0]
        mov al, 9
        mov [es:0], al
        mov ax, 0105h           ; write mode 1: byte 0 copied to byte 1 through the latches
        out dx, ax
        mov al, [es:0]
        mov [es:1], al
        mov ax, 0005h           ; write mode 0, XOR: F0h into every plane of byte 2
        out dx, ax
        mov ax, 0FF08h
        out dx, ax
        mov ax, 1803h
        out dx, ax
        mov al, [es:2]
        mov byte [es:2], 0F0h
        mov ax, 0003h
        out dx, ax
        mov ax, 0805h           ; read mode 1: the pixels of colour 14
        out dx, ax
        mov ax, 0E02h
        out dx, ax
        mov ax, 0F07h
        out dx, ax
        mov al, [es:0]
        mov [compare], al
        mov ax, 0005h
        out dx, ax
        mov di, planes          ; bytes 0-2 of each plane
        mov bl, 0
.plane: mov dx, 3CEh
        mov al, 04h
        mov ah, bl
        out dx, ax
        mov al, [es:0]
        mov [di], al
        mov al, [es:1]
        mov [di+1], al
        mov al, [es:2]
        mov [di+2], al
        add di, 3
        inc bl
        cmp bl, 4
        jb .plane
        mov di, pixels          ; pixels 0-23 of row 0 through the BIOS
        xor cx, cx
.pixel: mov ah, 0Dh
        xor bh, bh
        xor dx, dx
        int 10h
        mov [di], al
        inc di
        inc cx
        cmp cx, 24
        jb .pixel
        mov ax, 0003h
        int 10h
        mov al, [compare]
        call print_byte
        mov dl, ' '
        call putc
        mov si, planes
        mov cx, 12
.show:  lodsb
        call print_byte
        loop .show
        mov dl, ' '
        call putc
        mov si, pixels
        mov cx, 24
.shown: lodsb
        call print_byte
        loop .shown
        call newline
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"
compare db 0
planes  times 12 db 0
pixels  times 24 db 0
