; A filter: copies standard input to standard output in capitals, until the input ends.
        org 100h
next:   mov ah, 3Fh
        xor bx, bx
        mov cx, 1
        mov dx, char
        int 21h
        jc done
        test ax, ax
        jz done
        mov al, [char]
        cmp al, 'a'
        jb put
        cmp al, 'z'
        ja put
        sub byte [char], 20h
put:    mov ah, 40h
        mov bx, 1
        mov cx, 1
        mov dx, char
        int 21h
        jmp next
done:   mov ax, 4C00h
        int 21h
char    db 0
