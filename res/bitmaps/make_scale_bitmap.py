#!/usr/bin/env python3
"""Writes scale5010.bmp, the capacity meter's building blocks: 28 by 50
pixels, 8 bits per pixel. Columns, left to right:

  0-1    left edge: light grey, the last pixel of column 1 dark grey
  2,3,4  bar colours green, yellow, red: gradients in rows 13 to 36
  5-24   one 20-pixel ruler tile: white, black major tick in its first
         column (rows 4-45), black axis in rows 24-25, light grey minor ticks
         every 4 columns (rows 8-23 and 26-41), light grey rows 0-1 and dark
         grey rows 48-49
  25-26  right edge: dark grey shadow below a light grey top
  27     blank column: white between the light grey top and dark grey bottom

Usage: make_scale_bitmap.py [output path]  (default: beside this script)
"""
import os
import struct
import sys

WIDTH, HEIGHT = 28, 50
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
LIGHT = (193, 193, 193)
DARK = (107, 107, 107)
TICK = (172, 172, 172)

# Rows 13 to 36 of the three bar colours; rows 16 to 32 are the brightest.
GRADIENT_ROWS = {
    13: ((0, 88, 0), (120, 110, 0), (88, 12, 0)),
    14: ((5, 162, 5), (180, 160, 5), (162, 32, 5)),
    15: ((10, 234, 10), (238, 209, 10), (234, 51, 10)),
    33: ((10, 233, 10), (237, 208, 10), (233, 51, 10)),
    34: ((6, 185, 6), (198, 175, 6), (185, 38, 6)),
    35: ((3, 137, 3), (159, 143, 3), (137, 25, 3)),
    36: ((0, 88, 0), (120, 110, 0), (88, 12, 0)),
}
BRIGHTEST = ((11, 255, 11), (255, 223, 11), (255, 57, 11))


def bar_pixel(colour, row):
    if 16 <= row <= 32:
        return BRIGHTEST[colour]
    if row in GRADIENT_ROWS:
        return GRADIENT_ROWS[row][colour]
    return WHITE


def tile_pixel(column, row):
    if row <= 1:
        return LIGHT
    if row >= 48:
        return DARK
    if column == 0 and 4 <= row <= 45:
        return BLACK
    if row in (24, 25):
        return BLACK
    if column in (4, 8, 12, 16) and (8 <= row <= 23 or 26 <= row <= 41):
        return TICK
    return WHITE


def pixel(x, y):
    if x == 0:
        return LIGHT
    if x == 1:
        return DARK if y == HEIGHT - 1 else LIGHT
    if 2 <= x <= 4:
        return bar_pixel(x - 2, y)
    if 5 <= x <= 24:
        return tile_pixel(x - 5, y)
    if x == 25:
        return LIGHT if y <= 1 else DARK
    if x == 26:
        return LIGHT if y == 0 else DARK
    if y <= 1:
        return LIGHT
    return DARK if y >= 48 else WHITE


def bmp_bytes():
    pixels = [[pixel(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    palette = sorted({p for row in pixels for p in row})
    index = {colour: i for i, colour in enumerate(palette)}
    stride = (WIDTH + 3) // 4 * 4
    rows = b"".join(bytes(index[p] for p in pixels[y]) + bytes(stride - WIDTH)
                    for y in reversed(range(HEIGHT)))  # bottom-up
    table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette) + bytes(4 * (256 - len(palette)))
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + table + rows


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "scale5010.bmp")
    with open(out, "wb") as f:
        f.write(bmp_bytes())


if __name__ == "__main__":
    main()
