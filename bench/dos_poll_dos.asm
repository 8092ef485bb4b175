; Waits 36 timer ticks (about two seconds) polling the keyboard through DOS (INT 21h AH=0Bh).
        cpu 186
        org 100h
        push 40h
        pop es
        mov bx, [es:6Ch]
.poll:  mov ah, 0Bh
        int 21h
        mov ax, [es:6Ch]
        sub ax, bx
        cmp ax, 36
        jb .poll
        mov ax, 4C00h
        int 21h
