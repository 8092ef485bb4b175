; Prints a greeting through DOS function 09h (MASM)
data segment
    greeting db 'Hello, World!', 0dh, 0ah, '$'
data ends

stack segment stack
    dw 128 dup(0)
stack ends

code segment
    assume cs:code, ds:data, ss:stack
start:
    mov ax, data
    mov ds, ax
    lea dx, greeting
    mov ah, 09h
    int 21h
    mov ax, 4c00h
    int 21h
code ends
end start
