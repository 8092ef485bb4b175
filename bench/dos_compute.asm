; A compute-bound DOS program for the emulator benchmark: rounds of register arithmetic, memory
; moves and string instructions over a 4 KB buffer, then a checksum printed in hex.
        cpu 186
        org 100h
ROUNDS  equ 10000
        mov bp, ROUNDS
round:  ; arithmetic over the buffer: a running sum with shifts, carries and a multiply
        mov si, buffer
        mov cx, 2048
        xor ax, ax
        xor dx, dx
arith:  mov bx, [si]
        add ax, bx
        adc dx, 0
        xor bx, ax
        shl bx, 1
        rcl ax, 1
        sub bx, dx
        mov [si], bx
        add si, 2
        cmp bx, 8000h
        jb .low
        inc di
.low:   loop arith
        mov [sum], ax
        mov ax, bx
        mul word [sum]
        add [sum + 2], dx
        ; memory moves: copy the buffer's halves both ways
        push ds
        pop es
        mov si, buffer
        mov di, buffer + 2048
        mov cx, 1024
        rep movsw
        mov si, buffer + 2049
        mov di, buffer + 1
        mov cx, 2047
        rep movsb
        ; string loads and stores, and a scan
        mov si, buffer
        mov di, buffer + 1024
        mov cx, 512
copy:   lodsb
        add al, cl
        stosb
        loop copy
        mov di, buffer
        mov al, [sum]
        mov cx, 4096
        repne scasb
        add [sum + 2], cx
        dec bp
        jnz round

        mov ax, [sum + 2]
        call print_word
        mov ax, [sum]
        call print_word
        mov ax, 4C00h
        int 21h

%include "hex_output.inc"

sum     dw 0, 0
buffer:
%assign i 0
%rep 4096
        db (i * 13 + 7) & 0FFh
%assign i i + 1
%endrep
