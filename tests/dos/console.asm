; The console as a debugger uses it, for a test that types at this program in a real console.
; First two commands as DEBUG reads them: a prompt, a line through INT 21h AH=0Ah (echo,
; Backspace) shown back in brackets; Ctrl+C at the second runs the program's INT 23h, and the
; call starts again. A key read through INT 21h AH=08h goes on. Then a full screen as TD draws it: a menu bar at B800h in colour, the cursor
; placed through INT 10h, and the code of each key read through INT 16h on a row of its own, until
; Alt+X ends the program with code 7.
        cpu 186
        org 100h
        mov ax, 2523h
        mov dx, on_break
        int 21h
        call command
        call command
        mov ah, 08h
        int 21h
        mov ax, 0003h
        int 10h
        mov ax, 0B800h
        mov es, ax
        xor di, di
        mov ax, 1F20h               ; the bar: bright white on blue
        mov cx, 80
        rep stosw
        xor di, di
        mov si, title
.title: lodsb
        or al, al
        jz .cursor
        mov ah, 1Fh
        stosw
        jmp .title
.cursor:
        mov ah, 02h                 ; row 10, column 5
        xor bh, bh
        mov dx, 0A05h
        int 10h
        mov di, 2 * 160
.key:   mov ah, 00h
        int 16h
        push ax
        call show_word
        pop ax
        cmp ax, 2D00h               ; Alt+X
        jne .key
        mov ax, 4C07h
        int 21h

command:
        mov dx, prompt
        mov ah, 09h
        int 21h
        mov dx, line
        mov ah, 0Ah
        int 21h
        call newline
        mov dl, '['
        call putc
        mov si, line + 2
        mov cl, [line + 1]
        xor ch, ch
        jcxz .end
.char:  lodsb
        mov dl, al
        call putc
        loop .char
.end:   mov dl, ']'
        call putc
        jmp newline

on_break:
        push ax
        push dx
        mov dx, broke
        mov ah, 09h
        int 21h
        pop dx
        pop ax
        iret

; AX in hex at ES:DI, yellow on blue, then DI to the start of the next row.
show_word:
        mov cx, 4
.digit: rol ax, 4
        push ax
        and al, 0Fh
        add al, '0'
        cmp al, '9'
        jbe .put
        add al, 7
.put:   mov ah, 1Eh
        stosw
        pop ax
        loop .digit
        add di, 160 - 8
        ret

%include "hex_output.inc"

prompt: db '-$'
broke:  db 'break', 13, 10, '$'
title:  db ' File  Run  Breakpoints', 0
line:   db 20, 0
        times 21 db 0
