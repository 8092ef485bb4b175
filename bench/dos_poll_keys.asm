; Waits 36 timer ticks (about two seconds) polling the keyboard through INT 16h AH=01, as a game
; loop or a "press any key" loop does.
        cpu 186
        org 100h
        push 40h
        pop es
        mov bx, [es:6Ch]
.poll:  mov ah, 01h
        int 16h
        mov ax, [es:6Ch]
        sub ax, bx
        cmp ax, 36
        jb .poll
        mov ax, 4C00h
        int 21h
