; Prints a greeting through INT 21h function 09h and ends with exit code 0.
        cpu 186
        org 100h
        mov dx, greeting
        mov ah, 09h
        int 21h
        mov ax, 4C00h
        int 21h
greeting db 'Hello, world!', 13, 10, '$'
