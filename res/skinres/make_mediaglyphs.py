#!/usr/bin/env python3
"""Draws the media player's button glyphs.

    make_mediaglyphs.py <folder>

Writes 27 24-bit Windows bitmaps of 16 x 16 pixels into <folder>, named
<look>_<button>.bmp: looks "en" (enabled, dark ink), "di" (disabled, grey
embossed on a white shadow) and "cl" (coloured), buttons "mpplay",
"mppause", "mpstop", "mpnext", "mpprev", "mpstep", "mpback", "mprecord" and
"mpeject". Olive (128 128 0) is the transparent background. Standard
library only.
"""
import os
import sys

from make_skinres import bmp

OLIVE = (128, 128, 0)
INK = (16, 16, 24)
GREY = (128, 128, 128)
WHITE = (255, 255, 255)
GREEN = (0, 150, 40)
YELLOW = (200, 160, 0)
RED = (200, 24, 24)
BLUE = (24, 64, 200)


def right_triangle(x0, size):
    """Points right: column i of `size` spans 2 * (size - i) rows about the middle."""
    return {(x0 + i, y) for i in range(size) for y in range(8 - (size - i), 8 + (size - i))}


def left_triangle(x0, size):
    return {(x0 + i, y) for i in range(size) for y in range(8 - (i + 1), 8 + (i + 1))}


def box(x0, y0, x1, y1):
    return {(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)}


SHAPES = {
    "mpplay": (right_triangle(5, 6), GREEN),
    "mppause": (box(4, 3, 6, 12) | box(9, 3, 11, 12), YELLOW),
    "mpstop": (box(4, 4, 11, 11), RED),
    "mpnext": (right_triangle(2, 5) | right_triangle(7, 5) | box(12, 3, 13, 12), BLUE),
    "mpprev": (box(2, 3, 3, 12) | left_triangle(4, 5) | left_triangle(9, 5), BLUE),
    "mpstep": (right_triangle(3, 5) | right_triangle(8, 5), BLUE),
    "mpback": (left_triangle(3, 5) | left_triangle(8, 5), BLUE),
    "mprecord": ({(x, y) for x in range(16) for y in range(16) if (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 4.6 ** 2}, RED),
    "mpeject": ({(x, y) for y in range(3, 8) for x in range(7 - (y - 3), 9 + (y - 3))} | box(3, 9, 12, 11), INK),
}


def glyph(points, look, colour):
    def pixel(x, y):
        if look == "en":
            return INK if (x, y) in points else OLIVE
        if look == "cl":
            return colour if (x, y) in points else OLIVE
        # Disabled: grey ink over its white shadow one pixel down and right.
        if (x, y) in points:
            return GREY
        return WHITE if (x - 1, y - 1) in points else OLIVE

    return bmp(16, 16, pixel)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, (points, colour) in SHAPES.items():
        assert points and all(0 <= x < 16 and 0 <= y < 15 for x, y in points), name
        for look in ("en", "di", "cl"):
            with open(os.path.join(folder, f"{look}_{name}.bmp"), "wb") as f:
                f.write(glyph(points, look, colour))


if __name__ == "__main__":
    main()
