#!/usr/bin/env python3
"""Draws the glyphs of the skin previewer's buttons.

    make_glyphs.py <folder>

Writes 24-bit Windows bitmaps: glyph.bmp (one 16 x 16 arrow on olive, the
colour of its bottom-left pixel, which buttons leave transparent) and
glyphs2.bmp (the same arrow and a greyed copy side by side). Standard
library only.
"""
import os
import struct
import sys

OLIVE = (128, 128, 0)      # transparent: the bottom-left pixel
INK = (24, 64, 140)
LIGHT = (120, 170, 230)
GREY = (140, 140, 140)


def arrow(ink, light):
    """A right-pointing arrow on the transparent colour, rows top first."""
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            c = OLIVE
            if 6 <= y <= 9 and 2 <= x <= 8:
                c = light if y in (6, 9) else ink
            dy = abs(y - 7.5)
            if 8 <= x <= 13 and dy <= 13 - x + 0.5:
                c = ink
            if x == 0 and y == 15:
                c = OLIVE
            row.append(c)
        rows.append(row)
    return rows


def write_bmp(path, rows):
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    normal = arrow(INK, LIGHT)
    grey = arrow(GREY, (200, 200, 200))
    write_bmp(os.path.join(folder, "glyph.bmp"), normal)
    write_bmp(os.path.join(folder, "glyphs2.bmp"), [a + b for a, b in zip(normal, grey)])


if __name__ == "__main__":
    main()
