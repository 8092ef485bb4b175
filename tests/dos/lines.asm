; Reads three lines through INT 21h function 0Ah and prints each back between brackets with its
; length, then reads the rest of standard input through function 01h up to a Ctrl-Z and prints
; it back through 02h. (The reference machine hangs on a line longer than the buffer, and on the
; end of redirected input: the input keeps its lines short and ends with a Ctrl-Z.)
        cpu 186
        org 100h
        mov cx, 3
line:   push cx
        mov dx, buffer
        mov ah, 0Ah
        int 21h
        mov dx, open
        mov ah, 09h
        int 21h
        mov al, [buffer + 1]
        add al, '0'
        mov dl, al
        mov ah, 02h
        int 21h
        mov dl, ':'
        int 21h
        xor bx, bx
        mov bl, [buffer + 1]
        mov byte [buffer + 2 + bx], '$'
        mov dx, buffer + 2
        mov ah, 09h
        int 21h
        mov dx, close
        int 21h
        pop cx
        loop line
        mov dx, rest_text
        mov ah, 09h
        int 21h
        mov cx, 200                 ; at most this many characters
more:   mov ah, 01h
        int 21h
        cmp al, 1Ah
        je done
        mov dl, al
        mov ah, 02h
        int 21h
        loop more
done:   mov ax, 4C00h
        int 21h

open    db 13, 10, '[$'
close   db ']', 13, 10, '$'
rest_text db 'rest:', '$'
buffer  db 10, 0
        times 12 db 0
