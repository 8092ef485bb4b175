; Mode 12h through the BIOS: all 307,200 pixels written one INT 10h AH=0Ch call each, as a
; student's first drawing program does.
        cpu 186
        org 100h
        mov ax, 0012h
        int 10h
        xor dx, dx
.row:   xor cx, cx
.pixel: mov ax, cx
        add ax, dx
        and al, 0Fh
        mov ah, 0Ch
        xor bx, bx
        int 10h
        inc cx
        cmp cx, 640
        jb .pixel
        inc dx
        cmp dx, 480
        jb .row
        mov ax, 0003h
        int 10h
        mov ax, 4C00h
        int 21h
