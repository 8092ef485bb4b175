; Waits 36 timer ticks (about two seconds) halting until each interrupt.
        cpu 186
        org 100h
        push 40h
        pop es
        mov bx, [es:6Ch]
        sti
.wait:  hlt
        mov ax, [es:6Ch]
        sub ax, bx
        cmp ax, 36
        jb .wait
        mov ax, 4C00h
        int 21h
