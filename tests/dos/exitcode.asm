; Prints a line character by character through INT 21h function 02h and ends with exit code 42.
        cpu 186
        org 100h
        mov si, text
next:   lodsb
        or al, al
        jz done
        mov dl, al
        mov ah, 02h
        int 21h
        jmp next
done:   mov ax, 4C2Ah
        int 21h
text    db 'leaving with 42', 13, 10, 0
