; Skeleton of an 8086 program in simplified segments (MASM)
data segment
    ; your data here
data ends

stack segment stack
    dw 128 dup(0)
stack ends

code segment
    assume cs:code, ds:data, ss:stack
start:
    mov ax, data
    mov ds, ax

    ; your code here

    mov ax, 4c00h
    int 21h
code ends
end start
