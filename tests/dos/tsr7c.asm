; The install half of a lab's pair as a resident program: points INT 7Ch at its own routine and
; stays with 31h. The routine prints "R" and returns.
        org 100h
        mov ax, 257Ch
        mov dx, routine
        int 21h
        mov dx, (routine_end - $$ + 100h + 15) / 16
        mov ax, 3100h
        int 21h
routine:
        push ax
        push dx
        mov ah, 2
        mov dl, 'R'
        int 21h
        pop dx
        pop ax
        iret
routine_end:
