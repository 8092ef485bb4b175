; Looks at the keyboard once, then loops for ever without calling DOS: only Ctrl+Break pressed
; twice (or closing the window) ends it.
        org 100h
        mov ah, 01h
        int 16h
.loop:  jmp .loop
