; Mode 13h in the window: colour bands written straight to A000h, a box of colour 5 (made an
; unusual green through the DAC's ports), a line of text through the BIOS, then three seconds of
; ticks before going back to text mode.
        cpu 186
        org 100h
        mov ax, 0013h
        int 10h
        mov dx, 3C8h
        mov al, 5
        out dx, al
        inc dx
        mov al, 1
        out dx, al
        mov al, 62
        out dx, al
        mov al, 33
        out dx, al
        push 0A000h
        pop es
        xor di, di
        mov cx, 64000
.bands: mov ax, di
        shr ax, 4
        and al, 0Fh
        add al, 32              ; the colour wheel's first hues
        stosb
        loop .bands
        mov di, 50 * 320 + 100  ; a 120 x 80 box of colour 5
        mov dx, 80
.box:   mov cx, 120
        mov al, 5
        rep stosb
        add di, 320 - 120
        dec dx
        jnz .box
        mov ah, 02h
        xor bh, bh
        mov dx, 0102h
        int 10h
        mov si, text
.text:  lodsb
        or al, al
        jz .wait
        mov ah, 0Eh
        mov bl, 15
        int 10h
        jmp .text
.wait:  sti
        mov cx, 55
.tick:  hlt
        loop .tick
        mov ax, 0003h
        int 10h
        mov ax, 4C00h
        int 21h
text    db 'Mode 13h', 0
