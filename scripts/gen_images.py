#!/usr/bin/env python3
"""Draws Halyard's own toolbar, icons and bookmark images and writes them as BMP and ICO files
into res/images. Run by hand after changing a picture; the files are committed. The ASCII table
is drawn at build time instead: `gen_images.py --ascii-table OUT.bmp` writes only that picture."""
import os, struct, sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'res', 'images')
MAGENTA = (255, 0, 255)

# A 5x7 font for the letters and digits the pictures use.
FONT = {
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'B': ['11110', '10001', '11110', '10001', '10001', '10001', '11110'],
    'C': ['01111', '10000', '10000', '10000', '10000', '10000', '01111'],
    'D': ['11110', '10001', '10001', '10001', '10001', '10001', '11110'],
    'H': ['10001', '10001', '10001', '11111', '10001', '10001', '10001'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'S': ['01111', '10000', '10000', '01110', '00001', '00001', '11110'],
    '0': ['01110', '10001', '10011', '10101', '11001', '10001', '01110'],
    '1': ['00100', '01100', '00100', '00100', '00100', '00100', '01110'],
    '2': ['01110', '10001', '00001', '00010', '00100', '01000', '11111'],
    '3': ['11110', '00001', '00001', '01110', '00001', '00001', '11110'],
    '4': ['00010', '00110', '01010', '10010', '11111', '00010', '00010'],
    '5': ['11111', '10000', '11110', '00001', '00001', '10001', '01110'],
    '6': ['00110', '01000', '10000', '11110', '10001', '10001', '01110'],
    '7': ['11111', '00001', '00010', '00100', '01000', '01000', '01000'],
    '8': ['01110', '10001', '10001', '01110', '10001', '10001', '01110'],
    '9': ['01110', '10001', '10001', '01111', '00001', '00010', '01100'],
}


class Canvas:
    def __init__(self, w, h, bg=MAGENTA):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge:
                    self.put(x, y, c)
                elif fill:
                    self.put(x, y, fill)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def disc(self, cx, cy, r, c, ring=None):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if d <= r * r:
                    self.put(x, y, ring if ring and d > (r - 1.2) ** 2 else c)

    def tri(self, pts, c):
        xs = [p[0] for p in pts]; ys = [p[1] for p in pts]
        for y in range(min(ys), max(ys) + 1):
            for x in range(min(xs), max(xs) + 1):
                if inside(pts, x + .5, y + .5):
                    self.put(x, y, c)

    def text(self, x, y, s, c):
        for ch in s:
            for r, row in enumerate(FONT[ch]):
                for k, bit in enumerate(row):
                    if bit == '1':
                        self.put(x + k, y + r, c)
            x += 6


def inside(pts, x, y):
    s = 0
    for i in range(3):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % 3]
        cross = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)
        s += 1 if cross >= 0 else -1
    return abs(s) == 3


BLACK, WHITE, GREY, DARK = (0, 0, 0), (255, 255, 255), (192, 192, 192), (96, 96, 96)
BLUE, NAVY, RED, GREEN = (40, 90, 200), (20, 40, 120), (200, 40, 40), (30, 150, 60)
YELLOW, ORANGE, CYAN = (240, 200, 40), (230, 130, 30), (40, 170, 200)


def page(c, x=4, y=2, w=11, h=15, fold=True):
    c.rect(x, y, x + w, y + h, DARK, WHITE)
    if fold:
        c.line(x + w - 3, y, x + w, y + 3, DARK)


def lines_on(c, x, y, n, w=6):
    for i in range(n):
        c.line(x, y + 2 * i, x + w, y + 2 * i, BLUE)


def magnifier(c, x=8, y=7):
    c.disc(x, y, 4, (220, 240, 255), DARK)
    c.line(x + 3, y + 3, x + 7, y + 7, BLACK)
    c.line(x + 4, y + 3, x + 8, y + 7, BLACK)


def flag(c, colour, x=6, y=3):
    c.line(x, y, x, y + 14, DARK)
    c.tri([(x + 1, y), (x + 10, y + 4), (x + 1, y + 8)], colour)


def arrow(c, up, colour, x=15, y=12):
    if up:
        c.tri([(x - 3, y + 3), (x + 4, y + 3), (x, y - 1)], colour)
    else:
        c.tri([(x - 3, y), (x + 4, y), (x, y + 4)], colour)


def button(name):
    c = Canvas(20, 21)
    if name == 'new':
        page(c); c.disc(14, 5, 3, YELLOW)
    elif name == 'open':
        c.rect(2, 6, 16, 17, DARK, YELLOW); c.rect(2, 4, 8, 6, DARK, YELLOW)
        c.tri([(5, 17), (19, 17), (17, 9)], ORANGE)
    elif name == 'save':
        c.rect(3, 3, 16, 17, NAVY, BLUE); c.rect(6, 3, 13, 8, DARK, WHITE); c.rect(6, 12, 13, 17, DARK, GREY)
    elif name == 'print':
        c.rect(5, 2, 14, 8, DARK, WHITE); c.rect(2, 8, 17, 15, DARK, GREY); c.rect(5, 13, 14, 18, DARK, WHITE)
        c.put(15, 10, GREEN)
    elif name == 'cut':
        c.line(6, 2, 12, 12, DARK); c.line(13, 2, 7, 12, DARK)
        c.disc(6, 15, 3, RED, RED); c.disc(13, 15, 3, RED, RED); c.disc(6, 15, 1, MAGENTA); c.disc(13, 15, 1, MAGENTA)
    elif name == 'copy':
        page(c, 2, 2, 9, 11, False); page(c, 8, 7, 9, 11, False); lines_on(c, 10, 10, 3, 5)
    elif name == 'paste':
        c.rect(3, 4, 14, 18, DARK, ORANGE); c.rect(6, 2, 11, 5, DARK, GREY); page(c, 8, 9, 9, 9, False)
    elif name == 'undo':
        c.line(5, 10, 13, 10, BLUE); c.line(13, 10, 15, 12, BLUE); c.line(15, 12, 15, 16, BLUE)
        c.tri([(1, 10), (6, 5), (6, 15)], BLUE)
    elif name == 'redo':
        c.line(6, 10, 14, 10, BLUE); c.line(6, 10, 4, 12, BLUE); c.line(4, 12, 4, 16, BLUE)
        c.tri([(18, 10), (13, 5), (13, 15)], BLUE)
    elif name == 'find':
        magnifier(c)
    elif name == 'findnext':
        magnifier(c, 7, 7); arrow(c, False, GREEN, 15, 13)
    elif name == 'findprev':
        magnifier(c, 7, 7); arrow(c, True, GREEN, 15, 14)
    elif name == 'replace':
        c.text(2, 3, 'A', BLUE); c.text(12, 11, 'B', RED); c.line(7, 14, 10, 14, DARK); c.line(9, 12, 10, 14, DARK)
    elif name == 'bmtoggle':
        flag(c, CYAN)
    elif name == 'bmnext':
        flag(c, CYAN, 4); arrow(c, False, GREEN, 15, 13)
    elif name == 'bmprev':
        flag(c, CYAN, 4); arrow(c, True, GREEN, 15, 14)
    elif name == 'bmclear':
        flag(c, CYAN, 4); c.line(11, 11, 17, 17, RED); c.line(17, 11, 11, 17, RED)
    elif name == 'compile':
        page(c, 3, 2, 11, 15); c.text(6, 6, 'A', NAVY); c.disc(15, 15, 3, GREEN, DARK)
    elif name == 'link':
        c.rect(2, 7, 10, 12, DARK); c.rect(9, 9, 17, 14, DARK); c.rect(3, 8, 9, 11, GREY); c.rect(10, 10, 16, 13, GREY)
    elif name == 'run':
        c.tri([(5, 3), (16, 10), (5, 17)], GREEN)
    elif name == 'debug':
        c.disc(10, 11, 5, RED, BLACK); c.line(10, 6, 10, 16, BLACK)
        for y in (8, 11, 14):
            c.line(2, y, 5, y, BLACK); c.line(15, y, 18, y, BLACK)
        c.disc(10, 5, 2, BLACK)
    elif name == 'debughere':
        page(c, 7, 2, 11, 16); lines_on(c, 9, 5, 4, 6)
        c.disc(4, 6, 3, RED, (140, 0, 0))
        c.tri([(1, 10), (7, 14), (1, 18)], YELLOW); c.line(1, 10, 7, 14, DARK); c.line(7, 14, 1, 18, DARK); c.line(1, 10, 1, 18, DARK)
    elif name == 'prompt':
        c.rect(1, 3, 18, 17, DARK, BLACK); c.rect(2, 4, 17, 5, NAVY, NAVY)
        c.line(4, 8, 7, 10, WHITE); c.line(7, 10, 4, 12, WHITE); c.line(9, 12, 13, 12, WHITE)
    elif name == 'location':
        c.rect(2, 6, 16, 17, DARK, YELLOW); c.rect(2, 4, 8, 6, DARK, YELLOW); c.disc(13, 7, 3, RED, DARK)
    elif name == 'calc':
        c.rect(4, 2, 15, 18, DARK, GREY); c.rect(6, 4, 13, 7, DARK, (200, 230, 200))
        for y in (10, 13, 16):
            for x in (6, 9, 12):
                c.rect(x, y, x + 1, y + 1, BLACK)
    elif name == 'ascii':
        c.rect(2, 3, 17, 17, DARK, WHITE); c.text(4, 7, 'A', NAVY); c.text(11, 7, '1', RED)
    elif name == 'stop':
        c.rect(5, 5, 14, 14, (120, 0, 0), RED)
    return c


TOOLBAR = ['new', 'open', 'save', 'print', 'cut', 'copy', 'paste', 'undo', 'redo', 'find', 'findnext',
           'findprev', 'replace', 'bmtoggle', 'bmnext', 'bmprev', 'bmclear', 'compile', 'link', 'run',
           'debug', 'debughere', 'prompt', 'location', 'calc', 'ascii', 'stop']


def write_bmp(path, canvas):
    w, h = canvas.w, canvas.h
    stride = (w * 3 + 3) & ~3
    data = b''
    for y in range(h - 1, -1, -1):
        row = b''.join(struct.pack('BBB', b, g, r) for (r, g, b) in canvas.px[y])
        data += row + b'\0' * (stride - len(row))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + data)


def strip(canvases):
    w = sum(c.w for c in canvases)
    s = Canvas(w, canvases[0].h)
    x = 0
    for c in canvases:
        for y in range(c.h):
            s.px[y][x:x + c.w] = c.px[y]
        x += c.w
    return s


def write_ico(path, images):
    """Each image is a square canvas; magenta is transparent. 32-bit pixels with an AND mask."""
    entries, blobs = b'', b''
    offset = 6 + 16 * len(images)
    for c in images:
        n = c.w
        pixels = b''
        for y in range(n - 1, -1, -1):
            for (r, g, b) in c.px[y]:
                pixels += struct.pack('BBBB', b, g, r, 0 if (r, g, b) == MAGENTA else 255)
        mask_stride = ((n + 31) // 32) * 4
        mask = b''
        for y in range(n - 1, -1, -1):
            bits = 0
            row = bytearray(mask_stride)
            for x, p in enumerate(c.px[y]):
                if p == MAGENTA:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(row)
        info = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        blob = info + pixels + mask
        entries += struct.pack('<BBBBHHII', n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 1, len(images)) + entries + blobs)


def scaled(c, n):
    s = Canvas(n, n)
    for y in range(n):
        for x in range(n):
            s.px[y][x] = c.px[y * c.h // n][x * c.w // n]
    return s


def app_icon():
    c = Canvas(32, 32)
    c.rect(3, 3, 28, 28, NAVY, BLUE)
    c.text(6, 8, 'H', WHITE); c.text(14, 8, 'A', YELLOW)
    c.line(6, 20, 25, 20, WHITE); c.line(6, 23, 20, 23, WHITE)
    return c


def doc_icon():
    c = Canvas(32, 32)
    c.rect(6, 2, 25, 29, DARK, WHITE); c.line(20, 2, 25, 7, DARK)
    c.text(9, 6, 'A', NAVY); c.text(15, 6, 'S', NAVY)
    for i in range(5):
        c.line(9, 16 + 2 * i, 22 - 2 * (i % 2), 16 + 2 * i, BLUE)
    return c


def small(kind):
    c = Canvas(16, 16)
    if kind == 'root':
        c.rect(1, 4, 14, 14, DARK, YELLOW); c.rect(1, 2, 6, 4, DARK, YELLOW)
    elif kind == 'file':
        c.rect(3, 1, 12, 14, DARK, WHITE); c.line(5, 5, 10, 5, BLUE); c.line(5, 8, 10, 8, BLUE); c.line(5, 11, 9, 11, BLUE)
    elif kind == 'filesel':
        c.rect(3, 1, 12, 14, NAVY, (255, 250, 200)); c.line(5, 5, 10, 5, RED); c.line(5, 8, 10, 8, RED); c.line(5, 11, 9, 11, RED)
    elif kind == 'mode':
        c.disc(7, 7, 6, GREEN, DARK); c.tri([(5, 4), (11, 7), (5, 10)], WHITE)
    elif kind == 'segment':
        c.rect(2, 2, 13, 13, DARK, WHITE); c.rect(4, 4, 11, 6, BLUE, BLUE); c.rect(4, 9, 11, 11, GREEN, GREEN)
    elif kind == 'search':
        c.disc(6, 6, 4, (220, 240, 255), DARK); c.line(9, 9, 14, 14, BLACK)
    return c


def bookmarks():
    """14 images of 12 x 12: the numbered bookmarks 0-9, the unnamed one, and three spares."""
    images = []
    for i in range(14):
        c = Canvas(12, 12)
        if i < 10:
            c.rect(0, 0, 11, 11, NAVY, CYAN); c.text(4, 3, str(i)[0], BLACK) if False else None
            draw_digit(c, i)
        elif i == 10:
            c.rect(1, 1, 10, 10, NAVY, CYAN); c.disc(5, 5, 2, WHITE)
        else:
            c.disc(5, 5, 4, ORANGE, DARK)
        images.append(c)
    return images


def draw_digit(c, d):
    rows = FONT[str(d)]
    for r, row in enumerate(rows):
        for k, bit in enumerate(row):
            if bit == '1':
                c.put(3 + k, 2 + r, BLACK)


# The editor margin's cursor: an arrow pointing up and to the right, towards the text.
ARROW = ['B', 'BB', 'BWB', 'BWWB', 'BWWWB', 'BWWWWB', 'BWWWWWB', 'BWWWWWWB', 'BWWWWWWWB', 'BWWWWWWWWB',
         'BWWWWWBBBBB', 'BWWBWWB', 'BWB BWWB', 'BB  BWWB', 'B    BWWB', '     BWWB', '      BB']


def write_cur(path, rows, hot):
    """A 32 x 32 monochrome cursor: 'B' black, 'W' white, anything else transparent."""
    xor, mask = b'', b''
    for y in range(31, -1, -1):
        xbits, abits = 0, 0
        for x in range(32):
            c = rows[y][x] if y < len(rows) and x < len(rows[y]) else ' '
            bit = 1 << (31 - x)
            if c == 'W':
                xbits |= bit
            elif c != 'B':
                abits |= bit
        xor += struct.pack('>I', xbits)
        mask += struct.pack('>I', abits)
    info = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    blob = info + palette + xor + mask
    entry = struct.pack('<BBBBHHII', 32, 32, 2, 0, hot[0], hot[1], len(blob), 6 + 16)
    with open(path, 'wb') as f:
        f.write(struct.pack('<HHH', 0, 2, 1) + entry + blob)


def margin_cursor():
    tip = 15
    rows = []
    for r in ARROW:
        line = [' '] * 32
        for x, c in enumerate(r):
            line[tip - x] = c
        rows.append(''.join(line))
    return rows, (tip, 0)


# ---- The ASCII code table (bitmap 146) ---------------------------------------------------------
# A 5x7 font of every printable ASCII character, one string of five pixels per row.
ASCII_GLYPHS = {
    ' ': ['00000'] * 7,
    '!': ['00100', '00100', '00100', '00100', '00100', '00000', '00100'],
    '"': ['01010', '01010', '01010', '00000', '00000', '00000', '00000'],
    '#': ['01010', '01010', '11111', '01010', '11111', '01010', '01010'],
    '$': ['00100', '01111', '10100', '01110', '00101', '11110', '00100'],
    '%': ['11000', '11001', '00010', '00100', '01000', '10011', '00011'],
    '&': ['01100', '10010', '10100', '01000', '10101', '10010', '01101'],
    "'": ['00100', '00100', '01000', '00000', '00000', '00000', '00000'],
    '(': ['00010', '00100', '01000', '01000', '01000', '00100', '00010'],
    ')': ['01000', '00100', '00010', '00010', '00010', '00100', '01000'],
    '*': ['00000', '00100', '10101', '01110', '10101', '00100', '00000'],
    '+': ['00000', '00100', '00100', '11111', '00100', '00100', '00000'],
    ',': ['00000', '00000', '00000', '00000', '01100', '00100', '01000'],
    '-': ['00000', '00000', '00000', '11111', '00000', '00000', '00000'],
    '.': ['00000', '00000', '00000', '00000', '00000', '01100', '01100'],
    '/': ['00000', '00001', '00010', '00100', '01000', '10000', '00000'],
    '0': ['01110', '10001', '10011', '10101', '11001', '10001', '01110'],
    '1': ['00100', '01100', '00100', '00100', '00100', '00100', '01110'],
    '2': ['01110', '10001', '00001', '00010', '00100', '01000', '11111'],
    '3': ['11111', '00010', '00100', '00010', '00001', '10001', '01110'],
    '4': ['00010', '00110', '01010', '10010', '11111', '00010', '00010'],
    '5': ['11111', '10000', '11110', '00001', '00001', '10001', '01110'],
    '6': ['00110', '01000', '10000', '11110', '10001', '10001', '01110'],
    '7': ['11111', '00001', '00010', '00100', '01000', '01000', '01000'],
    '8': ['01110', '10001', '10001', '01110', '10001', '10001', '01110'],
    '9': ['01110', '10001', '10001', '01111', '00001', '00010', '01100'],
    ':': ['00000', '01100', '01100', '00000', '01100', '01100', '00000'],
    ';': ['00000', '01100', '01100', '00000', '01100', '00100', '01000'],
    '<': ['00010', '00100', '01000', '10000', '01000', '00100', '00010'],
    '=': ['00000', '00000', '11111', '00000', '11111', '00000', '00000'],
    '>': ['01000', '00100', '00010', '00001', '00010', '00100', '01000'],
    '?': ['01110', '10001', '00001', '00010', '00100', '00000', '00100'],
    '@': ['01110', '10001', '00001', '01101', '10101', '10101', '01110'],
    'A': ['01110', '10001', '10001', '11111', '10001', '10001', '10001'],
    'B': ['11110', '10001', '10001', '11110', '10001', '10001', '11110'],
    'C': ['01110', '10001', '10000', '10000', '10000', '10001', '01110'],
    'D': ['11100', '10010', '10001', '10001', '10001', '10010', '11100'],
    'E': ['11111', '10000', '10000', '11110', '10000', '10000', '11111'],
    'F': ['11111', '10000', '10000', '11110', '10000', '10000', '10000'],
    'G': ['01110', '10001', '10000', '10111', '10001', '10001', '01111'],
    'H': ['10001', '10001', '10001', '11111', '10001', '10001', '10001'],
    'I': ['01110', '00100', '00100', '00100', '00100', '00100', '01110'],
    'J': ['00111', '00010', '00010', '00010', '00010', '10010', '01100'],
    'K': ['10001', '10010', '10100', '11000', '10100', '10010', '10001'],
    'L': ['10000', '10000', '10000', '10000', '10000', '10000', '11111'],
    'M': ['10001', '11011', '10101', '10101', '10001', '10001', '10001'],
    'N': ['10001', '10001', '11001', '10101', '10011', '10001', '10001'],
    'O': ['01110', '10001', '10001', '10001', '10001', '10001', '01110'],
    'P': ['11110', '10001', '10001', '11110', '10000', '10000', '10000'],
    'Q': ['01110', '10001', '10001', '10001', '10101', '10010', '01101'],
    'R': ['11110', '10001', '10001', '11110', '10100', '10010', '10001'],
    'S': ['01111', '10000', '10000', '01110', '00001', '00001', '11110'],
    'T': ['11111', '00100', '00100', '00100', '00100', '00100', '00100'],
    'U': ['10001', '10001', '10001', '10001', '10001', '10001', '01110'],
    'V': ['10001', '10001', '10001', '10001', '10001', '01010', '00100'],
    'W': ['10001', '10001', '10001', '10101', '10101', '10101', '01010'],
    'X': ['10001', '10001', '01010', '00100', '01010', '10001', '10001'],
    'Y': ['10001', '10001', '10001', '01010', '00100', '00100', '00100'],
    'Z': ['11111', '00001', '00010', '00100', '01000', '10000', '11111'],
    '[': ['01110', '01000', '01000', '01000', '01000', '01000', '01110'],
    '\\': ['00000', '10000', '01000', '00100', '00010', '00001', '00000'],
    ']': ['01110', '00010', '00010', '00010', '00010', '00010', '01110'],
    '^': ['00100', '01010', '10001', '00000', '00000', '00000', '00000'],
    '_': ['00000', '00000', '00000', '00000', '00000', '00000', '11111'],
    '`': ['01000', '00100', '00010', '00000', '00000', '00000', '00000'],
    'a': ['00000', '00000', '01110', '00001', '01111', '10001', '01111'],
    'b': ['10000', '10000', '10110', '11001', '10001', '10001', '11110'],
    'c': ['00000', '00000', '01110', '10000', '10000', '10001', '01110'],
    'd': ['00001', '00001', '01101', '10011', '10001', '10001', '01111'],
    'e': ['00000', '00000', '01110', '10001', '11111', '10000', '01110'],
    'f': ['00110', '01001', '01000', '11100', '01000', '01000', '01000'],
    'g': ['00000', '01111', '10001', '10001', '01111', '00001', '01110'],
    'h': ['10000', '10000', '10110', '11001', '10001', '10001', '10001'],
    'i': ['00100', '00000', '01100', '00100', '00100', '00100', '01110'],
    'j': ['00010', '00000', '00110', '00010', '00010', '10010', '01100'],
    'k': ['10000', '10000', '10010', '10100', '11000', '10100', '10010'],
    'l': ['01100', '00100', '00100', '00100', '00100', '00100', '01110'],
    'm': ['00000', '00000', '11010', '10101', '10101', '10001', '10001'],
    'n': ['00000', '00000', '10110', '11001', '10001', '10001', '10001'],
    'o': ['00000', '00000', '01110', '10001', '10001', '10001', '01110'],
    'p': ['00000', '00000', '11110', '10001', '11110', '10000', '10000'],
    'q': ['00000', '00000', '01101', '10011', '01111', '00001', '00001'],
    'r': ['00000', '00000', '10110', '11001', '10000', '10000', '10000'],
    's': ['00000', '00000', '01110', '10000', '01110', '00001', '11110'],
    't': ['01000', '01000', '11100', '01000', '01000', '01001', '00110'],
    'u': ['00000', '00000', '10001', '10001', '10001', '10011', '01101'],
    'v': ['00000', '00000', '10001', '10001', '10001', '01010', '00100'],
    'w': ['00000', '00000', '10001', '10001', '10101', '10101', '01010'],
    'x': ['00000', '00000', '10001', '01010', '00100', '01010', '10001'],
    'y': ['00000', '00000', '10001', '10001', '01111', '00001', '01110'],
    'z': ['00000', '00000', '11111', '00010', '00100', '01000', '11111'],
    '{': ['00010', '00100', '00100', '01000', '00100', '00100', '00010'],
    '|': ['00100', '00100', '00100', '00100', '00100', '00100', '00100'],
    '}': ['01000', '00100', '00100', '00010', '00100', '00100', '01000'],
    '~': ['00000', '00000', '01000', '10101', '00010', '00000', '00000'],
}

# The names of the control codes 0-31; 127 is DEL and 32 is shown as SP so that it can be seen.
CONTROL_NAMES = ['NUL', 'SOH', 'STX', 'ETX', 'EOT', 'ENQ', 'ACK', 'BEL', 'BS', 'HT', 'LF', 'VT', 'FF',
                 'CR', 'SO', 'SI', 'DLE', 'DC1', 'DC2', 'DC3', 'DC4', 'NAK', 'SYN', 'ETB', 'CAN', 'EM',
                 'SUB', 'ESC', 'FS', 'GS', 'RS', 'US']

# The table fills the dialog's client area: 274 x 327 dialog units of its 10-point System font,
# two pixels per unit each way.
ASCII_SIZE = (548, 654)
ASCII_SCALE = 2                     # each font pixel is a 2x2 square
ASCII_ADVANCE = 6 * ASCII_SCALE     # glyph plus one blank column
ASCII_PALETTE = [(255, 255, 255), (0, 0, 0), (0, 0, 128), (128, 0, 0), (232, 236, 244), (96, 96, 96),
                 (0, 96, 0)]


def ascii_label(code):
    if code < 32:
        return CONTROL_NAMES[code]
    if code == 32:
        return 'SP'
    if code == 127:
        return 'DEL'
    return chr(code)


def ascii_text(c, x, y, text, colour):
    for ch in text:
        for row, bits in enumerate(ASCII_GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == '1':
                    for dy in range(ASCII_SCALE):
                        for dx in range(ASCII_SCALE):
                            c.put(x + col * ASCII_SCALE + dx, y + row * ASCII_SCALE + dy, colour)
        x += ASCII_ADVANCE


def ascii_table():
    """Codes 0-127 in four blocks of 32 rows: decimal, hexadecimal, then the character or the
    name of the control code."""
    white, black, blue, red, shade, grey, green = ASCII_PALETTE
    w, h = ASCII_SIZE
    c = Canvas(w, h, white)
    block_w, margin = 10 * ASCII_ADVANCE + 8, 8        # "DEC HX CHR" plus padding
    gap = (w - 2 * margin - 4 * block_w) // 3
    top, head, row_h = 8, 22, 18
    title = 'ASCII 0-127'
    ascii_text(c, (w - len(title) * ASCII_ADVANCE) // 2, top, title, green)
    y0 = top + head + 6
    for block in range(4):
        x0 = margin + block * (block_w + gap)
        ascii_text(c, x0 + 4, y0, 'Dec', grey)
        ascii_text(c, x0 + 4 + 4 * ASCII_ADVANCE, y0, 'Hx', grey)
        ascii_text(c, x0 + 4 + 7 * ASCII_ADVANCE, y0, 'Chr', grey)
        c.line(x0, y0 + head - 4, x0 + block_w - 1, y0 + head - 4, black)
        for r in range(32):
            code = block * 32 + r
            y = y0 + head + r * row_h
            if r % 2:
                c.rect(x0, y - 2, x0 + block_w - 1, y + row_h - 3, shade, shade)
            ascii_text(c, x0 + 4, y, '%3d' % code, black)
            ascii_text(c, x0 + 4 + 4 * ASCII_ADVANCE, y, '%02X' % code, blue)
            ascii_text(c, x0 + 4 + 7 * ASCII_ADVANCE, y, ascii_label(code), red)
        bottom = y0 + head + 32 * row_h - 2
        c.rect(x0 - 1, y0 - 4, x0 + block_w, bottom, black)
    return c


def write_bmp4(path, canvas, palette):
    """A 16-colour BMP: the table needs a handful of colours, and a quarter of the size."""
    w, h = canvas.w, canvas.h
    index = {colour: i for i, colour in enumerate(palette)}
    stride = ((w + 1) // 2 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x, colour in enumerate(canvas.px[y]):
            row[x // 2] |= index[colour] << (0 if x % 2 else 4)
        data += row
    colours = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    colours += b'\0' * (64 - len(colours))
    offset = 14 + 40 + 64
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    with open(path, 'wb') as f:
        f.write(header + info + colours + bytes(data))


def main():
    os.makedirs(OUT, exist_ok=True)
    write_bmp(os.path.join(OUT, 'toolbar.bmp'), strip([button(n) for n in TOOLBAR]))
    write_bmp(os.path.join(OUT, 'bookmarks.bmp'), strip(bookmarks()))
    write_cur(os.path.join(OUT, 'margin.cur'), *margin_cursor())
    a = app_icon(); d = doc_icon()
    write_ico(os.path.join(OUT, 'halyard.ico'), [a, scaled(a, 16)])
    write_ico(os.path.join(OUT, 'document.ico'), [d, scaled(d, 16)])
    for name in ('root', 'file', 'filesel', 'mode', 'segment', 'search'):
        write_ico(os.path.join(OUT, name + '.ico'), [small(name)])


if __name__ == '__main__':
    if len(sys.argv) == 3 and sys.argv[1] == '--ascii-table':
        write_bmp4(sys.argv[2], ascii_table(), ASCII_PALETTE)
    else:
        main()
