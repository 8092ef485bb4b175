; Mode 13h drawing: 90 frames, each writing all 64,000 pixels one at a time (colour = column +
; row + frame), as a student's animation loop does.
        cpu 186
        org 100h
        mov ax, 0013h
        int 10h
        push 0A000h
        pop es
        xor bp, bp              ; frame
.frame: xor di, di
        xor dx, dx              ; row
.row:   xor cx, cx              ; column
.pixel: mov ax, cx
        add ax, dx
        add ax, bp
        stosb
        inc cx
        cmp cx, 320
        jb .pixel
        inc dx
        cmp dx, 200
        jb .row
        inc bp
        cmp bp, 90
        jb .frame
        mov ax, 0003h
        int 10h
        mov ax, 4C00h
        int 21h
