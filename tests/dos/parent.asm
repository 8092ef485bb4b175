; Runs CHILD.COM with 4Bh AL=00h twice (memory given back in between), prints what 4Dh tells
; after each run, and ends with the child's code plus one.
        cpu 186
        org 100h
        mov sp, stack_top
        call shrink_to_stack
        jc fail
        mov cx, 2
again:  push cx
        mov al, 00h
        call exec_child
        pop cx
        jc fail
        mov ah, 4Dh
        int 21h
        call print_word
        call newline
        loop again
        mov ax, 4C06h
        int 21h
fail:   call print_word
        mov ax, 4CFFh
        int 21h

tail    db 8, ' one two', 13
block   dw 0, tail, 0, fcb, 0, fcb, 0

%include "exec_child.inc"
%include "hex_output.inc"
        align 2
        times 256 db 0
stack_top:
