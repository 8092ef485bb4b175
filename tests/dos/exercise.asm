; The instruction exerciser: runs each instruction group over tables of operands and prints one
; checksum per group over the results and over the flags the processor defines for that group
; (flags the manuals leave undefined are masked out). Divide errors reach a handler of ours that
; counts them and steps over the two-byte instruction that raised them.
        cpu 186
        org 100h

%define ALL   08D5h                 ; OF SF ZF AF PF CF
%define NOAF  08C5h
%define CFOF  0801h

start:  mov ax, 3500h
        int 21h
        mov [old0], bx
        mov [old0 + 2], es
        mov dx, divide_error
        mov ax, 2500h
        int 21h
        push ds
        pop es
        cld

        mov bx, alu_cases
        mov dx, alu_name
        call run_pairs_table
        mov bx, muldiv_cases
        mov dx, muldiv_name
        call run_pairs_table
        mov bx, unary_cases
        mov dx, unary_name
        call run_pairs_table
        call group_shifts
        call group_decimal
        call group_jumps
        call group_loops
        call group_misc
        call group_strings
        call group_186

        push ds
        lds dx, [old0]
        mov ax, 2500h
        int 21h
        pop ds
        mov ax, 4C00h
        int 21h

; ---- checksum: sum = rol(sum, 3) xor value, plus 1; print_sum shows "name XXXX" and clears it
fold:   push cx
        mov cx, [sum]
        rol cx, 3
        xor cx, ax
        inc cx
        mov [sum], cx
        pop cx
        ret

print_sum:                          ; DX = the group's name ('$'-terminated)
        mov ah, 09h
        int 21h
        mov ax, [faults]
        call fold
        mov ax, [sum]
        call print_word
        call newline
        mov word [sum], 0
        mov word [faults], 0
        ret

%include "hex_output.inc"

divide_error:                       ; steps over the faulting two-byte instruction
        push bp
        mov bp, sp
        add word [bp + 2], 2
        pop bp
        inc word [cs:faults]
        iret

; ---- the instruction under test runs in `slot`, four bytes patched in from a case; the slot
; folds AX and the flags under [mask]
..@slot:
        nop
        nop
        nop
        nop
        pushf
        call fold
        pop ax
        and ax, [mask]
        jmp fold

; run_pairs: AX = a, BX = b, DX = b & 0Fh, for every pair of values and both flag patterns; folds
; BX and DX too.
run_pairs:
        xor si, si
.a:     xor di, di
.b:     xor bp, bp
.f:     mov bx, [values + di]
        mov dx, bx
        and dx, 0Fh
        mov ax, [values + si]
        push word [patterns + bp]
        popf
        call ..@slot
        mov ax, bx
        call fold
        mov ax, dx
        call fold
        add bp, 2
        cmp bp, 4
        jb .f
        add di, 2
        cmp di, value_count * 2
        jb .b
        add si, 2
        cmp si, value_count * 2
        jb .a
        ret

; a table of cases: 4 code bytes and the mask of defined flags each, ended by a zero mask
run_pairs_table:
        push dx
.case:  mov ax, [bx + 4]
        or ax, ax
        jz .done
        mov [mask], ax
        mov ax, [bx]
        mov [..@slot], ax
        mov ax, [bx + 2]
        mov [..@slot + 2], ax
        push bx
        call run_pairs
        pop bx
        add bx, 6
        jmp .case
.done:  pop dx
        jmp print_sum

; ---- shifts and rotates of AL and AX by CL = 0 .. width-1, and by 1 through D0h/D1h
group_shifts:
        mov byte [shift_op], 0
.op:    cmp byte [shift_op], 6      ; /6 is no instruction of its own
        je .next
        mov al, [shift_op]
        shl al, 3
        or al, 0C0h                 ; ModRM: the operation on AL or AX
        mov [..@slot + 1], al
        mov word [..@slot + 2], 9090h
        mov byte [..@slot], 0D2h
        mov byte [width], 8
        call run_counts
        mov byte [..@slot], 0D3h
        mov byte [width], 16
        call run_counts
.next:  inc byte [shift_op]
        cmp byte [shift_op], 8
        jb .op
        mov dx, shift_name
        jmp print_sum

run_counts:
        xor si, si
.a:     xor cx, cx
.c:     xor bp, bp
.f:     mov ax, NOAF                ; the defined flags: all for a count of 0, no OF beyond 1,
        cmp byte [shift_op], 4      ; and AF only where rotates leave it alone
        jae .shift
        mov ax, ALL
.shift: jcxz .count0
        cmp cx, 1
        je .masked
        and ax, 00D5h
        jmp short .masked
.count0:
        mov ax, ALL
.masked:
        mov [mask], ax
        mov ax, [values + si]
        push word [patterns + bp]
        popf
        call ..@slot
        add bp, 2
        cmp bp, 4
        jb .f
        inc cx
        cmp cl, [width]
        jb .c
        add si, 2
        cmp si, value_count * 2
        jb .a
        ret

; ---- the decimal adjustments over every AL, three AH values and three flag patterns
group_decimal:
        mov bx, decimal_cases
.case:  mov ax, [bx + 2]
        or ax, ax
        jz .done
        mov [mask], ax
        mov ax, [bx]
        mov [..@slot], ax
        mov word [..@slot + 2], 9090h
        xor cx, cx                  ; AL
.al:    cmp cl, [bx + 4]
        jb .skip
        cmp cl, [bx + 5]
        ja .skip
        xor si, si
.ah:    xor bp, bp
.f:     mov al, cl
        mov ah, [decimal_ah + si]
        push word [decimal_flags + bp]
        popf
        call ..@slot
        add bp, 2
        cmp bp, 6
        jb .f
        inc si
        cmp si, 3
        jb .ah
.skip:  inc cx
        cmp cx, 256
        jb .al
        add bx, 6
        jmp .case
.done:  mov dx, decimal_name
        jmp print_sum

; ---- every conditional jump under 32 combinations of CF PF ZF SF OF
group_jumps:
        xor cx, cx                  ; condition
.cc:    mov al, cl
        or al, 70h
        mov [..@jump], al
        xor si, si                  ; combination
.f:     xor ax, ax                  ; the flags of combination SI, bit by bit
        mov bx, jump_flags
        mov dx, si
.bit:   shr dx, 1
        jnc .clear
        or ax, [bx]
.clear: add bx, 2
        cmp bx, jump_flags + 10
        jb .bit
.go:    xor dx, dx
        push ax
        popf
        jmp short ..@jump
..@jump:
        db 70h, 01h
        inc dx
        mov ax, dx
        call fold
        inc si
        cmp si, 32
        jb .f
        inc cx
        cmp cx, 16
        jb .cc
        mov dx, jump_name
        jmp print_sum

; ---- LOOP, LOOPZ, LOOPNZ and JCXZ
group_loops:
        mov si, loop_counts
.next:  lodsw
        cmp ax, 0FFFFh
        je .done
        mov cx, ax
        xor dx, dx
.l1:    inc dx
        loop .l1
        mov ax, dx
        call fold
        mov cx, [si - 2]
        xor dx, dx
.l2:    inc dx
        cmp dx, 3                   ; ZF set once three passes are done
        loopnz .l2
        call fold_dx_cx
        mov cx, [si - 2]
        xor dx, dx
.l3:    inc dx
        test dx, 4                  ; ZF clear from the fourth pass on
        loopz .l3
        call fold_dx_cx
        mov cx, [si - 2]
        mov ax, 1
        jcxz .zero
        mov ax, 2
.zero:  call fold
        jmp .next
.done:  mov dx, loop_name
        jmp print_sum

fold_dx_cx:
        mov ax, dx
        call fold
        mov ax, cx
        jmp fold

; ---- moves, conversions, addressing, the stack, flags transfer
group_misc:
        xor si, si
.conv:  mov ax, [values + si]
        cbw
        call fold
        mov ax, [values + si]
        cwd
        call fold
        mov ax, dx
        call fold
        mov ax, [values + si]
        xchg al, ah
        call fold
        mov bx, table
        mov ax, [values + si]
        xlatb
        call fold
        mov ah, [values + si]
        sahf
        lahf
        and ax, 0D5FFh
        call fold
        add si, 2
        cmp si, value_count * 2
        jb .conv
        ; effective addresses with every base and index, and displacements of both sizes
        mov bx, 1234h
        mov bp, 8765h
        mov si, 0F00Fh
        mov di, 0102h
        lea ax, [bx + si + 7Fh]
        call fold
        lea ax, [bx + di - 80h]
        call fold
        lea ax, [bp + si + 1000h]
        call fold
        lea ax, [bp + di]
        call fold
        lea ax, [si - 1]
        call fold
        lea ax, [di + 0F000h]
        call fold
        lea ax, [bp + 5]
        call fold
        lea ax, [bx]
        call fold
        ; memory operands through DS, ES and SS, and a segment prefix
        mov bx, table
        mov ax, [bx + 3]
        call fold
        mov ax, [es:bx + 5]
        call fold
        mov bp, sp
        push word 5A5Ah
        mov ax, [bp - 2]
        call fold
        pop ax
        mov si, 6
        mov ax, [cs:bx + si]
        call fold
        ; XCHG with memory, the stack, near and far calls
        mov ax, 1111h
        xchg ax, [table + 8]
        call fold
        mov ax, [table + 8]
        call fold
        xchg ax, [table + 8]        ; and back
        push cs
        call near far_routine       ; a near call to a far return: CS was pushed first
        call fold
        call near_routine
        call fold
        mov dx, misc_name
        jmp print_sum

near_routine:
        mov ax, sp
        and ax, 0Fh
        ret
far_routine:
        mov ax, 4321h
        retf

; ---- string instructions: copies (overlapping too), fills, compares and scans, both directions
group_strings:
        mov di, buffer              ; a known pattern to start from
        mov cx, 128
        mov al, 1
.fill:  stosb
        add al, 7
        loop .fill
        mov si, buffer
        mov di, buffer + 130
        mov cx, 40
        rep movsb
        call fold_registers
        mov si, buffer + 10         ; overlapping: repeats the first byte forwards
        mov di, buffer + 11
        mov cx, 20
        rep movsb
        call fold_registers
        std
        mov si, buffer + 200
        mov di, buffer + 210
        mov cx, 30
        rep movsw
        call fold_registers
        cld
        mov di, buffer + 40
        mov ax, 0A55Ah
        mov cx, 9
        rep stosw
        call fold_registers
        mov si, buffer
        mov di, buffer + 130
        mov cx, 60
        repe cmpsb
        call fold_registers
        mov di, buffer
        mov al, 0A5h
        mov cx, 200
        repne scasb
        call fold_registers
        std
        mov si, buffer + 100
        mov cx, 50
        xor dx, dx
.sum:   lodsb
        add dl, al
        adc dh, 0
        loop .sum
        cld
        call fold_registers
        mov si, buffer
        mov di, buffer + 1
        mov cx, 5
        repe cmpsw
        call fold_registers
        mov si, buffer              ; the whole buffer
        mov cx, 128
.all:   lodsw
        call fold
        loop .all
        mov dx, string_name
        jmp print_sum

fold_registers:                     ; SI, DI, CX, DX and the flags
        pushf
        mov ax, si
        call fold
        mov ax, di
        call fold
        mov ax, cx
        call fold
        mov ax, dx
        call fold
        pop ax
        and ax, ALL
        jmp fold

; ---- the 80186's additions
group_186:
        xor si, si
.imul:  mov bx, [values + si]
        imul ax, bx, 1234h
        pushf
        call fold
        pop ax
        and ax, CFOF
        call fold
        imul ax, bx, -3
        pushf
        call fold
        pop ax
        and ax, CFOF
        call fold
        mov ax, bx
        shl ax, 5
        call fold
        mov ax, bx
        sar al, 3
        call fold
        mov ax, bx
        rcr ax, 9
        call fold
        push word [values + si]
        push byte -2
        pop ax
        call fold
        pop ax
        call fold
        add si, 2
        cmp si, value_count * 2
        jb .imul
        mov ax, 1
        mov bx, 2
        mov cx, 3
        mov dx, 4
        mov si, 5
        mov di, 6
        mov bp, 7
        pusha
        xor ax, ax
        mov bx, ax
        mov cx, ax
        mov dx, ax
        mov si, ax
        mov di, ax
        mov bp, ax
        popa
        add ax, bx
        add ax, cx
        add ax, dx
        add ax, si
        add ax, di
        add ax, bp
        call fold
        mov bp, sp
        mov si, sp
        enter 10, 0
        mov ax, si
        sub ax, sp
        call fold
        mov ax, si
        sub ax, bp
        call fold
        leave
        mov ax, si
        sub ax, sp
        call fold
        enter 4, 3
        mov ax, si
        sub ax, sp
        call fold
        mov ax, [bp - 2]
        sub ax, si
        call fold
        leave
        mov ax, 5
        bound ax, [limits]
        call fold
        mov dx, new186_name
        jmp print_sum

; ---- data
values  dw 0000h, 0001h, 0002h, 007Fh, 0080h, 00FFh, 0100h, 7FFFh, 8000h, 8001h
        dw 0FFFFh, 0FFFEh, 1234h, 5678h, 9ABCh, 0DEF0h, 0F0Fh, 0F00Fh, 00F9h, 0099h
value_count equ ($ - values) / 2
patterns dw 0000h, 08D5h
decimal_ah db 00h, 01h, 0FFh
decimal_flags dw 0000h, 0011h, 08D5h
loop_counts dw 1, 2, 5, 100, 0FFFFh
limits  dw -3, 7
jump_flags dw 0001h, 0004h, 0040h, 0080h, 0800h   ; CF PF ZF SF OF

; op AX or AL with BX or BL: ModRM D8h (reg = BX, r/m = AX)
alu_cases:
        db 00h, 0D8h, 90h, 90h
        dw ALL
        db 01h, 0D8h, 90h, 90h
        dw ALL
        db 08h, 0D8h, 90h, 90h
        dw NOAF
        db 09h, 0D8h, 90h, 90h
        dw NOAF
        db 10h, 0D8h, 90h, 90h
        dw ALL
        db 11h, 0D8h, 90h, 90h
        dw ALL
        db 18h, 0D8h, 90h, 90h
        dw ALL
        db 19h, 0D8h, 90h, 90h
        dw ALL
        db 20h, 0D8h, 90h, 90h
        dw NOAF
        db 21h, 0D8h, 90h, 90h
        dw NOAF
        db 28h, 0D8h, 90h, 90h
        dw ALL
        db 29h, 0D8h, 90h, 90h
        dw ALL
        db 30h, 0D8h, 90h, 90h
        dw NOAF
        db 31h, 0D8h, 90h, 90h
        dw NOAF
        db 38h, 0D8h, 90h, 90h
        dw ALL
        db 39h, 0D8h, 90h, 90h
        dw ALL
        db 84h, 0D8h, 90h, 90h
        dw NOAF
        db 85h, 0D8h, 90h, 90h
        dw NOAF
        db 83h, 0C0h, 80h, 90h      ; add ax, -128 (sign-extended byte)
        dw ALL
        db 83h, 0F8h, 7Fh, 90h      ; cmp ax, 127
        dw ALL
        db 80h, 0D0h, 0F0h, 90h     ; adc al, 0F0h
        dw ALL
        db 0F6h, 0C0h, 81h, 90h     ; test al, 81h
        dw NOAF
        db 0, 0, 0, 0
        dw 0

; MUL IMUL DIV IDIV of AL/AX by BL/BX (ModRM E3h-FBh); a divide error counts and skips
muldiv_cases:
        db 0F6h, 0E3h, 90h, 90h
        dw CFOF
        db 0F7h, 0E3h, 90h, 90h
        dw CFOF
        db 0F6h, 0EBh, 90h, 90h
        dw CFOF
        db 0F7h, 0EBh, 90h, 90h
        dw CFOF
        db 0F6h, 0F3h, 90h, 90h
        dw 0002h                    ; no flag is defined: keep bit 1, which is always set
        db 0F7h, 0F3h, 90h, 90h
        dw 0002h
        db 0F6h, 0FBh, 90h, 90h
        dw 0002h
        db 0F7h, 0FBh, 90h, 90h
        dw 0002h
        db 0, 0, 0, 0
        dw 0

; INC DEC NOT NEG of AL and AX
unary_cases:
        db 0FEh, 0C0h, 90h, 90h
        dw ALL
        db 0FEh, 0C8h, 90h, 90h
        dw ALL
        db 40h, 90h, 90h, 90h
        dw ALL
        db 48h, 90h, 90h, 90h
        dw ALL
        db 0F6h, 0D0h, 90h, 90h
        dw ALL
        db 0F7h, 0D0h, 90h, 90h
        dw ALL
        db 0F6h, 0D8h, 90h, 90h
        dw ALL
        db 0F7h, 0D8h, 90h, 90h
        dw ALL
        db 0, 0, 0, 0
        dw 0

; DAA DAS AAA AAS AAM AAD: 2 code bytes, mask, the range of AL. AAA and AAS stay where the
; 8086 and its successors agree (no carry between AL and AH); AAM 0 is a divide error.
decimal_cases:
        db 27h, 90h
        dw 00D5h
        db 0, 0FFh
        db 2Fh, 90h
        dw 00D5h
        db 0, 0FFh
        db 37h, 90h
        dw 0011h
        db 6, 0F9h
        db 3Fh, 90h
        dw 0011h
        db 6, 0F9h
        db 0D4h, 0Ah
        dw 00C4h
        db 0, 0FFh
        db 0D4h, 00h
        dw 00C4h
        db 0, 0FFh
        db 0D5h, 0Ah
        dw 00C4h
        db 0, 0FFh
        db 0D5h, 07h
        dw 00C4h
        db 0, 0FFh
        dw 0, 0, 0

alu_name     db 'alu $'
muldiv_name  db 'muldiv $'
unary_name   db 'unary $'
shift_name   db 'shift $'
decimal_name db 'decimal $'
jump_name    db 'jump $'
loop_name    db 'loop $'
misc_name    db 'misc $'
string_name  db 'string $'
new186_name  db '80186 $'

sum     dw 0
faults  dw 0
mask    dw 0
shift_op db 0
width   db 0
old0    dd 0
table:
%assign i 0
%rep 256
        db (i * 37 + 11) & 0FFh
%assign i i + 1
%endrep
buffer  times 260 db 0
