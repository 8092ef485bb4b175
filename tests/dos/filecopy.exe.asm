; An MZ program (its header written out by hand, with one relocation) that copies COPYIN.TXT to
; COPYOUT.TXT in 7-byte pieces through INT 21h 3Ch-40h, reports the copy's size through 42h,
; prints the copy through handle 1, deletes it with 41h, and shows the error a missing file gives.
        bits 16
        cpu 186
%macro check 0
        jnc %%ok
        jmp failed
%%ok:
%endmacro
header:
        db 'MZ'
        dw file_size % 512            ; bytes in the last page
        dw (file_size + 511) / 512    ; pages
        dw 1                          ; relocations
        dw 2                          ; header paragraphs
        dw 40h                        ; minimum extra paragraphs (the stack)
        dw 0FFFFh                     ; maximum extra paragraphs
        dw (image_size + 15) / 16     ; SS, relative to the image
        dw 400h                       ; SP
        dw 0                          ; checksum
        dw start                      ; IP
        dw 0                          ; CS, relative to the image
        dw relocation                 ; relocation table
        dw 0                          ; overlay
relocation:
        dw fix + 1, 0                 ; the immediate of "mov ax, 0" below
        times 32 - ($ - header) db 0

        section image vstart=0 follows=.text
start:
fix:    mov ax, 0                     ; the image's segment, once relocated
        mov ds, ax
        mov dx, source
        mov ax, 3D00h
        int 21h
        check
        mov [in_handle], ax
        mov dx, target
        xor cx, cx
        mov ah, 3Ch
        int 21h
        check
        mov [out_handle], ax
copy:   mov bx, [in_handle]
        mov dx, piece
        mov cx, 7
        mov ah, 3Fh
        int 21h
        check
        or ax, ax
        jz copied
        mov cx, ax
        mov bx, [out_handle]
        mov ah, 40h
        int 21h
        check
        jmp copy
copied: mov bx, [in_handle]
        mov ah, 3Eh
        int 21h
        mov bx, [out_handle]
        mov ah, 3Eh
        int 21h
        ; the copy's size: open it again and seek to its end
        mov dx, target
        mov ax, 3D02h
        int 21h
        check
        mov [out_handle], ax
        mov bx, ax
        mov ax, 4202h
        xor cx, cx
        xor dx, dx
        int 21h
        mov [size], ax
        mov dx, size_text
        mov ah, 09h
        int 21h
        mov ax, [size]
        call print_word_space
        call newline
        mov bx, [out_handle]
        mov ax, 4200h
        xor cx, cx
        xor dx, dx
        int 21h
show:   mov bx, [out_handle]
        mov dx, piece
        mov cx, 100
        mov ah, 3Fh
        int 21h
        or ax, ax
        jz shown
        mov cx, ax
        mov bx, 1
        mov ah, 40h
        int 21h
        jmp show
shown:  mov bx, [out_handle]
        mov ah, 3Eh
        int 21h
        mov dx, target
        mov ah, 41h
        int 21h
        check
        ; opening the deleted file fails with carry and error 2
        mov dx, target
        mov ax, 3D00h
        int 21h
        pushf
        call print_word_space
        pop ax
        and ax, 1
        call print_word_space
        call newline
        ; closing a handle that is not open fails with error 6
        mov bx, 19
        mov ah, 3Eh
        int 21h
        call print_word_space
        call newline
        mov ax, 4C00h
        int 21h
failed: mov ah, 4Ch
        int 21h

print_word_space:
        call print_word
        mov dl, ' '
        jmp putc

%include "hex_output.inc"

source     db 'COPYIN.TXT', 0
target     db 'COPYOUT.TXT', 0
size_text  db 'size $'
in_handle  dw 0
out_handle dw 0
size       dw 0
piece      times 100 db 0
image_size equ $ - start
file_size  equ 32 + image_size
