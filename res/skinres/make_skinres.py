#!/usr/bin/env python3
"""Draws the program's own skin bitmaps.

    make_skinres.py <folder>

Writes into <folder>, as 24-bit Windows bitmaps:
  glazemenu.bmp  64 x 16: four 16 x 16 menu glyphs on white (white is
                 transparent): restore, maximise, minimise, close;
  track.bmp      16 x 4: a sunken track-bar channel lying down;
  trackvert.bmp  4 x 16: the same channel standing up.
Standard library only.
"""
import os
import struct
import sys

WHITE = (255, 255, 255)
INK = (32, 40, 56)

# Track-bar channel, top row first: shadow, dark inner line, face, highlight.
CHANNEL_ROWS = [(122, 146, 180), (64, 72, 88), (226, 232, 240), (255, 255, 255)]
CHANNEL_END = (150, 166, 190)   # the short ends of the channel

GLYPHS = {
    "restore": [
        "................",
        "................",
        "................",
        ".....########...",
        ".....########...",
        ".....#......#...",
        "...########.#...",
        "...########.#...",
        "...#......###...",
        "...#......#.....",
        "...#......#.....",
        "...#......#.....",
        "...########.....",
        "................",
        "................",
        "................",
    ],
    "maximize": [
        "................",
        "................",
        "................",
        "...##########...",
        "...##########...",
        "...#........#...",
        "...#........#...",
        "...#........#...",
        "...#........#...",
        "...#........#...",
        "...#........#...",
        "...#........#...",
        "...##########...",
        "................",
        "................",
        "................",
    ],
    "minimize": [
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "....########....",
        "....########....",
        "................",
        "................",
        "................",
        "................",
    ],
    "close": [
        "................",
        "................",
        "................",
        "...##......##...",
        "....##....##....",
        ".....##..##.....",
        "......####......",
        ".......##.......",
        "......####......",
        ".....##..##.....",
        "....##....##....",
        "...##......##...",
        "................",
        "................",
        "................",
        "................",
    ],
}


def bmp(width, height, pixel):
    """A 24-bit bottom-up BMP file; pixel(x, y) gives (r, g, b), y from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    return header + info + data


def glaze_menu(x, y):
    name = ("restore", "maximize", "minimize", "close")[x // 16]
    return INK if GLYPHS[name][y][x % 16] == "#" else WHITE


def track(x, y):
    if x in (0, 15):
        return CHANNEL_END if y in (1, 2) else CHANNEL_ROWS[y]
    return CHANNEL_ROWS[y]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for glyph in GLYPHS.values():
        assert len(glyph) == 16 and all(len(row) == 16 for row in glyph)
    images = {
        "glazemenu.bmp": bmp(64, 16, glaze_menu),
        "track.bmp": bmp(16, 4, track),
        "trackvert.bmp": bmp(4, 16, lambda x, y: track(y, x)),
    }
    for name, data in images.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
