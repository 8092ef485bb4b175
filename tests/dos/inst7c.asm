; The install half of a lab's pair: copies a routine to 0000:0200, points INT 7Ch at it, and ends
; with 4Ch. The routine prints "!" and returns.
        org 100h
        xor ax, ax
        mov es, ax
        mov di, 200h
        mov si, routine
        mov cx, routine_end - routine
        cld
        rep movsb
        mov word [es:7Ch*4], 200h
        mov word [es:7Ch*4+2], 0
        mov ax, 4C00h
        int 21h
routine:
        mov ah, 2
        mov dl, '!'
        int 21h
        iret
routine_end:
