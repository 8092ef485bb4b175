; Loads CHILD.COM with 4Bh AL=01h as a debugger does, then single-steps it with the trap flag:
; INT 1 counts the steps up to its first INT 21h, after which the child runs on by itself; prints
; the count and the child's exit code.
        cpu 186
        org 100h
        mov sp, stack_top
        call shrink_to_stack
        mov al, 01h
        call exec_child
        jc fail
        mov ah, 62h         ; the child is now the current program
        int 21h
        mov [child_psp], bx
        mov ax, 2501h       ; INT 1: count steps
        mov dx, on_step
        int 21h
        mov ax, 2522h       ; the child ends here
        mov dx, ended
        int 21h
        mov bx, [child_psp]
        mov es, bx
        mov word [es:0Ah], ended
        mov [es:0Ch], cs
        mov [saved_sp], sp
        mov ax, [block + 14h]
        mov bx, [block + 12h]
        mov cx, [block + 10h]
        mov dx, [block + 0Eh]
        cli
        mov ss, cx
        mov sp, dx
        pop si              ; the start AX
        pushf
        pop di
        or di, 100h         ; trap flag
        push di
        push ax             ; CS
        push bx             ; IP
        mov ax, si
        mov ds, [cs:child_psp]
        mov es, [cs:child_psp]
        iret

on_step:
        push bp
        push ax
        push ds
        mov bp, sp
        mov ds, [bp + 8]    ; the stepped instruction's CS
        mov bp, [bp + 6]    ; and IP
        cmp word [ds:bp], 21CDh
        pop ds
        jne .count
        mov bp, sp
        and word [bp + 8], 0FEFFh   ; at INT 21h: stop stepping (FLAGS, now DS is off the stack)
.count: inc word [cs:steps]
        pop ax
        pop bp
        iret

ended:  mov ax, cs
        mov ds, ax
        mov ss, ax
        mov sp, [saved_sp]
        mov ah, 4Dh
        int 21h
        push ax
        mov ax, [steps]
        call print_word
        mov dl, ' '
        call putc
        pop ax
        call print_word
        call newline
        mov ax, 4C00h
        int 21h
fail:   call print_word
        mov ax, 4CFFh
        int 21h

tail    db 0, 13
block   dw 0, tail, 0, fcb, 0, fcb, 0, 0, 0, 0, 0
child_psp dw 0
saved_sp dw 0
steps   dw 0

%include "exec_child.inc"
%include "hex_output.inc"
        align 2
        times 256 db 0
stack_top:
