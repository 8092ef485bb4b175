; Divides by zero; prints "after" only if the division came back.
        org 100h
        mov ax, 1
        xor bl, bl
        div bl
        mov ah, 9
        mov dx, after
        int 21h
        mov ax, 4C00h
        int 21h
after   db 'after$'
