; The 16-colour planes read back through the graphics controller in mode 12h: a pattern written
; plane by plane, read with read mode 0 through each read map and with read mode 1 under several
; colour compare and don't-care values, copied through the latches with write mode 1 and read
; again; then DOS itself reads A000h (a file written straight from it) and writes it (a file read
; straight into it, one plane enabled). What the program read goes to READ.BIN; the sums of the
; planes DOS wrote are printed.
        cpu 186
        org 100h
        mov ax, 0012h
        int 10h
        push 0A000h
        pop es
        ; The pattern: byte i of plane p is i * (p + 3) + p * 55h.
        xor bx, bx
.plane: mov dx, 3C4h
        mov al, 02h
        mov ah, 1
        mov cl, bl
        shl ah, cl
        out dx, ax
        xor di, di
        mov al, bl
        mov ah, 55h
        mul ah
        mov dl, al              ; p * 55h
        mov dh, bl
        add dh, 3               ; p + 3
        xor cx, cx
.byte:  mov al, cl
        mul dh
        add al, dl
        stosb
        inc cl
        jnz .byte
        inc bx
        cmp bx, 4
        jb .plane
        mov dx, 3C4h
        mov ax, 0F02h
        out dx, ax
        mov di, buffer
        ; Read mode 0 through each read map.
        xor bx, bx
.map:   mov dx, 3CEh
        mov al, 04h
        mov ah, bl
        out dx, ax
        call take
        inc bx
        cmp bx, 4
        jb .map
        ; Read mode 1: the pixels whose colour matches the compare register where it cares.
        mov si, compares
.compare:
        lodsw
        cmp ax, 0FFFFh
        je .copy
        mov cx, ax
        mov dx, 3CEh
        mov ax, 0805h
        out dx, ax
        mov al, 02h
        mov ah, cl
        out dx, ax
        mov al, 07h
        mov ah, ch
        out dx, ax
        push si
        call take
        pop si
        jmp .compare
.copy:  mov dx, 3CEh            ; write mode 1: bytes 0-255 copied to 1000h through the latches
        mov ax, 0105h
        out dx, ax
        push ds
        push es
        pop ds
        xor si, si
        mov bx, 1000h
        mov cx, 256
.latch: mov al, [si]
        mov [bx], al
        inc si
        inc bx
        loop .latch
        pop ds
        mov ax, 0005h
        out dx, ax
        xor bx, bx
.copied:
        mov al, 04h
        mov ah, bl
        out dx, ax
        push bx
        mov si, 1000h
        call take_from
        pop bx
        mov dx, 3CEh
        inc bx
        cmp bx, 4
        jb .copied
        ; The file: what the program read, then DOS's own reads of A000h through read map 2
        ; and through read mode 1 (colour 0Ch where planes 2 and 3 care).
        mov ah, 3Ch
        xor cx, cx
        mov dx, name
        int 21h
        mov bx, ax
        mov ah, 40h
        mov cx, di
        sub cx, buffer
        mov dx, buffer
        int 21h
        mov dx, 3CEh
        mov ax, 0204h
        out dx, ax
        call dos_dump
        mov dx, 3CEh
        mov ax, 0805h
        out dx, ax
        mov ax, 0C02h
        out dx, ax
        mov ax, 0C07h
        out dx, ax
        call dos_dump
        mov dx, 3CEh
        mov ax, 0005h
        out dx, ax
        mov ah, 3Eh
        int 21h
        ; DOS reads the file's first 256 bytes into A000:2000h with only plane 1 enabled.
        mov dx, 3C4h
        mov ax, 0202h
        out dx, ax
        mov ax, 3D00h
        mov dx, name
        int 21h
        mov bx, ax
        push ds
        push 0A000h
        pop ds
        mov ah, 3Fh
        mov cx, 256
        mov dx, 2000h
        int 21h
        pop ds
        mov ah, 3Eh
        int 21h
        mov dx, 3C4h
        mov ax, 0F02h
        out dx, ax
        ; The sums of planes 0 and 1 there, read through the read map.
        mov di, plane_sums
        xor bx, bx
.sum:   mov dx, 3CEh
        mov al, 04h
        mov ah, bl
        out dx, ax
        mov si, 2000h
        mov cx, 256
        xor dx, dx
.add:   mov al, [es:si]
        xor ah, ah
        add dx, ax
        inc si
        loop .add
        mov [di], dx
        add di, 2
        inc bx
        cmp bx, 2
        jb .sum
        mov ax, 0003h
        int 10h
        mov ax, [plane_sums]
        call print_word
        mov dl, ' '
        call putc
        mov ax, [plane_sums+2]
        call print_word
        call newline
        mov ax, 4C00h
        int 21h

; 256 bytes from A000:0000 (or A000:SI for take_from) to DS:DI onwards.
take:   xor si, si
take_from:
        push ds
        push es
        push ds
        push es
        pop ds
        pop es
        mov cx, 256
        rep movsb
        pop es
        pop ds
        ret

; 256 bytes written to the file BX by DOS straight from A000:0000.
dos_dump:
        push ds
        push 0A000h
        pop ds
        mov ah, 40h
        mov cx, 256
        xor dx, dx
        int 21h
        pop ds
        ret

%include "hex_output.inc"
name     db "READ.BIN", 0
compares dw 0F00h, 0F05h, 050Ah, 0003h, 080Fh, 0FFFFh
plane_sums dw 0, 0
buffer:
