; Draws on the text screen through its memory at B800h and through the BIOS (set mode, cursor,
; teletype with wrap and scroll, write character and attribute, scroll a window up and down),
; then prints the whole screen back, row by row, with a sum of each row's attributes, and the
; cursor position.
        cpu 186
        org 100h
        mov ax, 0003h               ; 80 x 25 colour text, cleared
        int 10h
        mov ax, 0B800h
        mov es, ax
        mov di, (2 * 80 + 10) * 2   ; row 2, column 10: yellow on blue
        mov si, direct
        mov ah, 1Eh
direct_loop:
        lodsb
        or al, al
        jz teletype
        stosw
        jmp direct_loop

teletype:
        mov ah, 02h                 ; cursor to row 24, column 70
        xor bh, bh
        mov dx, 24 * 256 + 70
        int 10h
        mov si, wrap
teletype_loop:
        lodsb
        or al, al
        jz cells
        mov ah, 0Eh
        int 10h
        jmp teletype_loop

cells:  mov ah, 02h                 ; five white-on-red x at row 10, column 3
        xor bh, bh
        mov dx, 10 * 256 + 3
        int 10h
        mov ax, 0978h
        mov bx, 004Fh
        mov cx, 5
        int 10h
        mov ah, 02h                 ; three y at row 11 that keep their attribute
        mov dx, 11 * 256 + 0
        int 10h
        mov ax, 0A79h
        mov cx, 3
        int 10h
        mov ax, 0601h               ; rows 10-12, columns 0-39 up by one, blanks black on grey
        mov bh, 70h
        mov cx, 10 * 256 + 0
        mov dx, 12 * 256 + 39
        int 10h
        mov ax, 0702h               ; rows 0-3 down by two, blanks bright green
        mov bh, 0Ah
        mov cx, 0
        mov dx, 3 * 256 + 79
        int 10h
        mov ah, 02h                 ; a cursor move on page 10 (BH) leaves page 0's alone
        mov dx, 10 * 256 + 3
        int 10h

        ; the screen, row by row
        push ds
        pop es
        xor bp, bp                  ; row
dump_row:
        mov ax, bp
        call print_byte
        mov dl, ':'
        call putc
        push ds
        mov ax, 0B800h
        mov ds, ax
        mov ax, bp
        mov cx, 160
        mul cx
        mov si, ax
        mov cx, 80
        xor bx, bx                  ; attribute sum
dump_cell:
        lodsw
        add bl, ah
        adc bh, 0
        cmp al, 20h
        jae printable
        mov al, '.'
printable:
        mov dl, al
        mov ah, 02h
        int 21h
        loop dump_cell
        pop ds
        mov dl, ' '
        call putc
        mov ax, bx
        xchg al, ah
        call print_byte
        mov al, ah
        call print_byte
        call newline
        inc bp
        cmp bp, 25
        jb dump_row

        mov ah, 03h                 ; page 0's cursor: the last move was on page 10
        xor bh, bh
        int 10h
        mov al, dh
        mov bl, dl
        call print_byte
        mov al, bl
        call print_byte
        mov dl, ' '
        call putc
        mov ah, 08h
        xor bh, bh
        int 10h
        push ax
        mov al, ah
        call print_byte
        pop ax
        call print_byte
        call newline
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"

direct  db 'written to the screen memory', 0
wrap    db 'wrap and scroll!', 0
