; Waits 36 timer ticks (about two seconds) polling the time of day through INT 1Ah AH=00.
        cpu 186
        org 100h
        xor ah, ah
        int 1Ah
        mov bx, dx
.poll:  xor ah, ah
        int 1Ah
        mov ax, dx
        sub ax, bx
        cmp ax, 36
        jb .poll
        mov ax, 4C00h
        int 21h
