; What a program's own fault handlers and string port instructions see: an undefined opcode
; reaches the program's INT 6 handler with its own address (the handler steps over it), and
; OUTSB/INSB reach the interrupt controller's mask register as OUT and IN do.
        cpu 186
        org 100h

start:  mov ax, 3506h
        int 21h
        mov [old6], bx
        mov [old6 + 2], es
        mov dx, undefined
        mov ax, 2506h
        int 21h
        push ds
        pop es
        cld

faulting:
        db 0Fh, 0Bh                 ; no such instruction on the 80186
        call newline

        in al, 21h                  ; the mask as it was
        mov [mask], al
        mov dx, 21h
        mov si, newmask
        outsb                       ; the mask through OUTSB ...
        mov di, readback
        insb                        ; ... and back through INSB
        mov al, [readback]
        call print_byte
        call newline
        mov dx, 21h
        mov si, mask
        outsb                       ; the old mask again
        in al, 21h
        call print_byte
        cmp al, [mask]
        jne .wrong
        call newline

        push ds
        lds dx, [old6]
        mov ax, 2506h
        int 21h
        pop ds
        mov ax, 4C00h
        int 21h
.wrong: mov ax, 4C01h
        int 21h

; Prints "6:" and the faulting instruction's offset (which must be `faulting`), and returns past it.
undefined:
        push bp
        mov bp, sp
        mov dl, '6'
        call putc
        mov dl, ':'
        call putc
        mov ax, [bp + 2]
        call print_word
        sub ax, faulting
        jz .same
        mov dl, '!'
        call putc
.same:  add word [bp + 2], 2
        pop bp
        iret

%include "hex_output.inc"

old6:     dd 0
mask:     db 0
newmask:  db 0BCh
readback: db 0
