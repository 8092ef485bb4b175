; The BIOS's text calls in the graphics modes: a scroll fills the screen with the colour in BH,
; 08h reads back the characters 09h and 0Eh drew, and a scroll down moves them a row. Each line:
; the first eight pixels after the fill, the characters at columns 0 and 1, then after the scroll
; the character at row 1 and the pixel at the top left.
        org 100h

start:  mov si, modes
.mode:  lodsw                       ; AL = mode, AH = fill
        cmp al, 0FFh
        je .done
        push si
        mov [fill], ah
        xor ah, ah
        int 10h
        mov ax, 0600h
        mov bh, [fill]
        xor cx, cx
        mov dx, 184Fh
        int 10h
        xor cx, cx
.pixel: mov ah, 0Dh
        xor bh, bh
        xor dx, dx
        int 10h
        call print_byte
        inc cx
        cmp cx, 8
        jb .pixel
        call space
        xor dx, dx
        call cursor
        mov ax, 0941h
        mov bx, 0003h
        mov cx, 1
        int 10h
        mov dx, 0001h
        call cursor
        mov ax, 0E42h
        mov bx, 0002h
        int 10h
        xor dx, dx
        call read
        mov dx, 0001h
        call read
        mov ax, 0701h
        mov bh, [fill]
        xor cx, cx
        mov dx, 0502h
        int 10h
        mov dx, 0100h
        call read
        mov ah, 0Dh
        xor bh, bh
        xor cx, cx
        xor dx, dx
        int 10h
        call print_byte
        call newline
        pop si
        jmp .mode
.done:  mov ax, 0003h
        int 10h
        mov ax, 4C00h
        int 21h

cursor: mov ah, 02h
        xor bh, bh
        int 10h
        ret

; Prints the character at row DH, column DL as 08h reads it.
read:   call cursor
        mov ah, 08h
        xor bh, bh
        int 10h
        call print_word
space:  mov dl, ' '
        jmp putc

%include "hex_output.inc"

modes:  db 04h, 55h, 0Dh, 0Ah, 0Eh, 0Ch, 10h, 09h, 11h, 01h, 12h, 0Bh, 13h, 05h, 0FFh, 0
fill:   db 0
