; The floppy through INT 13h: reset, the boot sector of the empty disk, a sector written on the
; second head and read back, the drive's geometry and the last status.
        cpu 186
        org 100h
        push cs
        pop es
        mov ah, 00h
        mov dl, 0
        int 13h
        call print_carry
        mov ax, 0201h           ; the boot sector
        mov cx, 0001h
        mov dx, 0000h
        mov bx, sector
        int 13h
        call print_carry
        mov ax, [sector+510]
        call print_word
        mov dl, ' '
        call putc
        mov ax, [sector+11]
        call print_word
        call newline
        mov di, pattern         ; two sectors of a pattern at cylinder 1, head 1, sector 17
        mov cx, 1024
        xor ax, ax
.fill:  stosb
        add al, 7
        loop .fill
        mov ax, 0302h
        mov cx, 0111h
        mov dx, 0100h
        mov bx, pattern
        int 13h
        call print_carry
        mov al, 0
        mov ax, 0202h
        mov cx, 0111h
        mov dx, 0100h
        mov bx, sector
        int 13h
        call print_carry
        mov si, pattern
        mov di, sector
        mov cx, 1024
        repe cmpsb
        mov dl, 'S'
        je .same
        mov dl, 'D'
.same:  call putc
        call newline
        mov ah, 08h             ; the geometry
        mov dl, 0
        int 13h
        push dx
        push cx
        mov al, bl
        call print_byte
        mov dl, ' '
        call putc
        pop ax
        call print_word
        mov dl, ' '
        call putc
        pop ax
        mov al, ah              ; the last head (DL, the number of drives, depends on the setup)
        call print_byte
        call newline
        mov ah, 01h             ; the status of the last operation
        mov dl, 0
        int 13h
        mov al, ah
        call print_byte
        call newline
        mov ax, 4C00h
        int 21h

print_carry:
        pushf
        push ax
        mov al, ah
        call print_byte
        pop ax
        call print_byte
        popf
        mov dl, '-'
        jnc .out
        mov dl, 'C'
.out:   call putc
        mov dl, ' '
        jmp putc

%include "hex_output.inc"
sector  equ 1000h
pattern equ 1400h
