; The timer's read-back command and counting modes, as far as they are the same on every run:
; the status of channel 0 as the BIOS left it (without the output, which runs), the status of
; each mode on channel 2 with its gate low (dosbox does not hold the count there, nor keep the
; null count of modes 1 and 5 until their trigger: those are left out), mode 0's output before and
; after its count runs out with the gate open, and the IRQ 0s channel 0 gives in modes 0, 2 and
; 3 over two of channel 2's runs of FFFFh clocks (1, or 2 for more than one). dosbox repeats the
; one-shot modes 1, 4 and 5 on channel 0, which the chip does not: those are left out.
        cpu 186
        org 100h
        mov al, 0E2h            ; read-back: status of channel 0
        out 43h, al
        in al, 40h
        and al, 7Fh
        call print_byte
        call newline
        in al, 61h
        and al, 0FCh            ; channel 2's gate low, speaker off
        out 61h, al
        mov si, modes
.mode:  lodsb
        or al, al
        jz .gated
        out 43h, al
        mov bl, al
        mov al, 34h
        out 42h, al
        mov al, 12h
        out 42h, al
        call next_clock
        mov al, 0E8h            ; read-back: status of channel 2
        out 43h, al
        in al, 42h
        and bl, 0Eh
        cmp bl, 02h             ; modes 1 and 5
        je .null
        cmp bl, 0Ah
        jne .show
.null:  and al, 0BFh
.show:  call print_byte
        mov dl, ' '
        call putc
        jmp .mode
.gated: call newline
        mov al, 0B0h            ; mode 0, gate open: low while counting, high at the end
        out 43h, al
        mov al, 0FFh
        out 42h, al
        out 42h, al
        in al, 61h
        or al, 01h
        out 61h, al
        call next_clock
        call status2
        call print_byte
        mov al, 0B0h
        out 43h, al
        mov al, 2
        out 42h, al
        mov al, 0
        out 42h, al
        call next_clock
        call next_clock
        call next_clock
        call status2
        call print_byte
        call newline
        ; Channel 0 in each mode, counting its interrupts.
        cli
        xor ax, ax
        mov es, ax
        mov ax, [es:8*4]
        mov [old8], ax
        mov ax, [es:8*4+2]
        mov [old8+2], ax
        mov word [es:8*4], tick
        mov [es:8*4+2], cs
        sti
        mov si, irq_modes
.irq:   lodsb
        or al, al
        jz .done
        cli
        out 43h, al
        mov al, 00h
        out 40h, al
        mov al, 10h
        out 40h, al
        mov word [ticks], 0
        sti
        call wait_run
        call wait_run
        mov ax, [ticks]
        cmp ax, 2
        jbe .few
        mov al, 2
.few:   call print_byte
        mov dl, ' '
        call putc
        jmp .irq
.done:  cli
        mov al, 36h             ; the BIOS's rate again
        out 43h, al
        xor al, al
        out 40h, al
        out 40h, al
        mov ax, [old8]
        mov [es:8*4], ax
        mov ax, [old8+2]
        mov [es:8*4+2], ax
        sti
        call newline
        mov ax, 4C00h
        int 21h

; Returns once channel 0 (at the BIOS's rate) has counted on: a clock of the timer has passed.
next_clock:
        push ax
        push bx
        xor al, al              ; latch channel 0
        out 43h, al
        in al, 40h
        mov bl, al
        in al, 40h
.again: xor al, al
        out 43h, al
        in al, 40h
        mov bh, al
        in al, 40h
        cmp bh, bl
        je .again
        pop bx
        pop ax
        ret

; Channel 2's status byte through the read-back command.
status2:
        mov al, 0E8h
        out 43h, al
        in al, 42h
        ret

; Channel 2 in mode 0 counting FFFFh clocks (about 55 ms), its end waited for in its status.
wait_run:
        mov al, 0B0h
        out 43h, al
        mov al, 0FFh
        out 42h, al
        out 42h, al
.wait:  call status2
        test al, 80h
        jz .wait
        ret

tick:   inc word [cs:ticks]
        push ax
        mov al, 20h
        out 20h, al
        pop ax
        iret

%include "hex_output.inc"
modes     db 0B0h, 0B2h, 0B4h, 0B6h, 0B8h, 0BAh, 0B1h, 0
irq_modes db 30h, 34h, 36h, 0
ticks     dw 0
old8      dd 0
