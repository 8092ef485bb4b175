; The timer: a hook on INT 1Ch counts 36 ticks (about two seconds) while the program halts between them; the BIOS's
; count at 40:6Ch and INT 1Ah agree with it.
        cpu 186
        org 100h
        mov ax, 351Ch
        int 21h
        mov [old], bx
        mov [old+2], es
        mov ax, 251Ch
        mov dx, tick
        int 21h
        xor ax, ax
        int 1Ah
        mov [first], dx
        sti
.wait:  hlt
        cmp word [count], 36
        jb .wait
        xor ax, ax
        int 1Ah
        sub dx, [first]
        push dx
        mov ax, 251Ch
        push ds
        lds dx, [old]
        int 21h
        pop ds
        mov ax, [count]
        call print_word
        mov dl, ' '
        call putc
        pop ax
        cmp ax, 36              ; a tick may fall between the hook's count and INT 1Ah's
        jb .show
        cmp ax, 37
        ja .show
        mov ax, 36
.show:  call print_word
        call newline
        mov ax, 4C00h
        int 21h
tick:   inc word [cs:count]
        iret

%include "hex_output.inc"
count   dw 0
first   dw 0
old     dd 0
