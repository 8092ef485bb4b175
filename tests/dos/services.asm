; The DOS functions a program asks about its system, each answered as DOS 5 answers: invalid
; dates and times refused, the true version, missing drives, no network, the country information
; and upper case, a commit, the extended open, and functions DOS 5 does not have. Each line is
; AX, BX, CX and DX after the call (those the table's mask names) and the carry.
        org 100h

start:  mov si, calls
.next:  cmp byte [si], 0
        je .done
        push si
        mov ax, [si + 1]
        mov bx, [si + 3]
        mov cx, [si + 5]
        mov dx, [si + 7]
        mov di, buffer
        push ds
        pop es
        mov si, name
        clc
        int 21h
        pushf
        mov [result], ax
        mov [result + 2], bx
        mov [result + 4], cx
        mov [result + 6], dx
        pop bp
        pop si
        mov bl, [si]
        xor di, di
.reg:   shr bl, 1
        jnc .skip
        mov ax, [result + di]
        call print_word
        mov dl, ' '
        call putc
.skip:  add di, 2
        cmp di, 8
        jb .reg
        mov ax, bp
        and al, 1
        call print_byte
        call newline
        add si, 9
        jmp .next
.done:  mov ax, 4C00h
        int 21h

%include "hex_output.inc"

AX_ equ 1
BX_ equ 2
CX_ equ 4
DX_ equ 8
%macro call21 5
        db %1
        dw %2, %3, %4, %5
%endmacro
calls:  call21 AX_, 2B00h, 0, 1979, 0101h        ; before 1980
        call21 AX_, 2B00h, 0, 2000, 0D01h        ; month 13
        call21 AX_, 2D00h, 0, 1800h, 0           ; 24:00
        call21 AX_, 2D00h, 0, 0C3Bh, 3C00h       ; 60 seconds
        call21 AX_, 2D00h, 0, 0C3Bh, 0064h       ; 100 hundredths
        call21 AX_ | BX_, 3306h, 0, 0, 0         ; 5.00
        call21 AX_, 3200h, 0, 0, 9               ; no drive I:
        call21 AX_, 3600h, 0, 0, 9
        call21 AX_, 1C00h, 0, 0, 9
        call21 AX_, 5F02h, 0, 0, 0               ; no network
        call21 AX_ | CX_, 6501h, 0FFFFh, 41, 0FFFFh
        call21 AX_ | DX_, 6520h, 0, 0, 'a'
        call21 AX_, 6A00h, 1, 0, 0               ; commit standard output
        call21 AX_, 6800h, 99, 0, 0              ; a handle that is not open
        call21 AX_ | CX_, 6C00h, 0, 0, 01h       ; open this program
        call21 AX_, 6C00h, 0, 0, 10h             ; create it only if new
        call21 AX_, 6D00h, 0, 0, 0               ; not DOS 5's
        call21 AX_, 0F012h, 0, 0, 0
        call21 AX_, 1812h, 0, 0, 0
        call21 AX_, 7143h, 0, 0, 0               ; long names: none
        db 0

name:   db "SERVICES.COM", 0
result: dw 0, 0, 0, 0
buffer: times 64 db 0
