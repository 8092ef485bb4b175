; Waits 36 timer ticks (about two seconds) reading the tick count at 40:6Ch in a tight loop.
        cpu 186
        org 100h
        push 40h
        pop es
        mov bx, [es:6Ch]
.poll:  mov ax, [es:6Ch]
        sub ax, bx
        cmp ax, 36
        jb .poll
        mov ax, 4C00h
        int 21h
