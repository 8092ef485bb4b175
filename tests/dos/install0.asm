; A lab's divide-overflow routine: copied to 0000:0200 behind INT 0, it prints "0!" and ends the
; program that divided with code 7; this program itself ends with 4Ch.
        org 100h
        xor ax, ax
        mov es, ax
        mov di, 200h
        mov si, routine
        mov cx, routine_end - routine
        cld
        rep movsb
        mov word [es:0], 200h
        mov word [es:2], 0
        mov ax, 4C00h
        int 21h
routine:
        mov ah, 2
        mov dl, '0'
        int 21h
        mov dl, '!'
        int 21h
        mov ax, 4C07h
        int 21h
routine_end:
