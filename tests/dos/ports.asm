; The devices' ports and the BIOS's answers about them, as a program reads them: the interrupt
; controller's mask, the real-time clock's status registers and RAM, port 61h, the colour table,
; and INT 13h on a hard disk that is not there (its carry).
        cpu 186
        org 100h
        in al, 21h              ; the mask the BIOS left
        call print_byte
        call space
        mov bl, al
        mov al, 0BDh            ; a mask written reads back
        out 21h, al
        in al, 21h
        call print_byte
        call space
        mov al, bl
        out 21h, al
        mov al, 0Ah             ; clock status A, without the update-in-progress bit
        out 70h, al
        in al, 71h
        and al, 7Fh
        call print_byte
        call space
        mov al, 0Bh
        out 70h, al
        in al, 71h
        call print_byte
        call space
        mov al, 0Dh
        out 70h, al
        in al, 71h
        call print_byte
        call space
        mov al, 3Eh             ; a byte of the clock's RAM keeps what is written
        out 70h, al
        mov al, 5Ah
        out 71h, al
        mov al, 3Eh
        out 70h, al
        in al, 71h
        call print_byte
        call newline
        in al, 61h              ; gate and speaker bits read back
        mov bl, al
        and al, 0FCh
        or al, 1
        out 61h, al
        in al, 61h
        and al, 3
        call print_byte
        call space
        mov al, bl
        and al, 0FCh
        out 61h, al
        mov dx, 3C8h            ; colour 5 written through the ports
        mov al, 5
        out dx, al
        inc dx
        mov al, 10
        out dx, al
        mov al, 20
        out dx, al
        mov al, 30
        out dx, al
        mov ax, 1015h           ; read back through the BIOS
        mov bx, 5
        int 10h
        mov al, dh
        call print_byte
        mov al, ch
        call print_byte
        mov al, cl
        call print_byte
        call newline
        mov ah, 02h             ; reading a hard disk that is not there
        mov al, 1
        mov cx, 1
        mov dx, 0080h
        push cs
        pop es
        mov bx, buffer
        int 13h
        call print_carry
        call newline
        mov ax, 4C00h
        int 21h

print_carry:                    ; the carry as "C" or "-" (the status of a missing drive varies)
        mov dl, '-'
        jnc .out
        mov dl, 'C'
.out:   call putc
space:  mov dl, ' '
        jmp putc

%include "hex_output.inc"
buffer:
