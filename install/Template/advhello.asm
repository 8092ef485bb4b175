; Greeting with the simplified segment directives (TASM)
        .model small
        .stack 100h
        .data
greeting db 'Hello, World!', 0dh, 0ah, '$'
        .code
main    proc
        mov ax, @data
        mov ds, ax
        mov dx, offset greeting
        call print
        mov ax, 4c00h
        int 21h
main    endp

; prints the '$'-terminated string at DS:DX
print   proc near
        push ax
        mov ah, 09h
        int 21h
        pop ax
        ret
print   endp
        end main
