; Keys typed through the keyboard: a hook on INT 9 records each byte the controller gives at port
; 60h before the BIOS's handler turns it into a key; three keys are read through INT 16h, and a
; fourth wait for a key meets the end of the typed input.
        cpu 186
        org 100h
        mov ax, 3509h
        int 21h
        mov [old], bx
        mov [old+2], es
        mov ax, 2509h
        mov dx, hook
        int 21h
        mov cx, 3
        mov di, keys
.read:  mov ah, 00h
        int 16h
        mov [di], ax
        add di, 2
        loop .read
        sti                     ; a few interrupts' time for the last key's release to come
        mov cx, 9
.settle:
        hlt
        loop .settle
        mov si, codes
        mov cx, [count]
.code:  lodsb
        call print_byte
        mov dl, ' '
        call putc
        loop .code
        call newline
        mov si, keys
        mov cx, 3
.key:   lodsw
        call print_word
        mov dl, ' '
        call putc
        loop .key
        call newline
        mov ah, 00h
        int 16h
        mov ax, 4C00h
        int 21h
hook:   push ax
        push bx
        in al, 60h
        mov bx, [cs:count]
        and bx, 0Fh
        mov [cs:codes+bx], al
        inc word [cs:count]
        pop bx
        pop ax
        jmp far [cs:old]

%include "hex_output.inc"
old     dd 0
count   dw 0
keys    times 3 dw 0
codes   times 16 db 0
