; Zefra sample
        .model small
start:  mov   ax, 0FFh      ; load
        MOV   BX, 0x1F      // C-style comment
        push  word [bx+si+4]
        fld1
        pfrcpit1 mm0, mm1
        db    'text', 0, "more
        cmp   al, 'x'   # hash comment
        jnz   start
        my_label equ 3.5 €
