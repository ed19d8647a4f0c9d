#!/usr/bin/env python3
"""Draws the program icon: a blue shield with a white alarm mark, as an .ico
file holding 16x16 and 32x32 images, each in 16 and 256 colours."""
import struct
import sys

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def shield_pixel(x, y, n, flat=False):
    """Colour of pixel (x, y) of an n x n icon, or None where transparent.
    flat: plain colours that the 16-colour palette holds exactly."""
    # Work in a 32-unit square whatever the size.
    u = (x + 0.5) * 32.0 / n
    v = (y + 0.5) * 32.0 / n
    half = 13.0 if v < 18 else 13.0 - (v - 18) * 13.0 / 13.5
    inside = 2 <= v <= 31 and abs(u - 16) <= half
    if not inside:
        return None
    edge = abs(u - 16) > half - 2.2 * 32 / n / 1.6 or v < 2 + 2.2 * 32 / n / 1.6
    if edge:
        return (0, 0, 128) if flat else (20, 52, 120)
    # Alarm mark: a bar and a dot.
    if abs(u - 16) <= 2.2 and (7 <= v <= 19 or 22 <= v <= 25.5):
        return (255, 255, 255)
    if flat:
        return (0, 0, 255)
    # Light-to-deep blue from top to bottom.
    t = (v - 2) / 29.0
    return (int(96 - 60 * t), int(160 - 70 * t), int(235 - 45 * t))


def nearest(palette, rgb):
    return min(range(len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], rgb)))


def image(n, bpp):
    pixels = [[shield_pixel(x, y, n, bpp == 4) for x in range(n)] for y in range(n)]
    if bpp == 4:
        palette = VGA16
    else:
        colours = sorted({p for row in pixels for p in row if p is not None})
        palette = ([(0, 0, 0)] + colours)[:256]
        palette += [(0, 0, 0)] * (256 - len(palette))
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, bpp, 0, 0, 0, 0, 0, 0)
    pal = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    xor_rows, and_rows = [], []
    for y in reversed(range(n)):   # bottom-up
        idx = [0 if p is None else nearest(palette, p) for p in pixels[y]]
        if bpp == 4:
            row = bytes((idx[i] << 4) | idx[i + 1] for i in range(0, n, 2))
        else:
            row = bytes(idx)
        xor_rows.append(row + b'\0' * (-len(row) % 4))
        bits = 0
        for x in range(n):
            bits = (bits << 1) | (1 if pixels[y][x] is None else 0)
        mask = bits.to_bytes(n // 8, 'big')
        and_rows.append(mask + b'\0' * (-len(mask) % 4))
    return header + pal + b''.join(xor_rows) + b''.join(and_rows)


def main(out):
    images = [(16, 4), (32, 4), (16, 8), (32, 8)]
    blobs = [image(n, bpp) for n, bpp in images]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (n, bpp), blob in zip(images, blobs):
        data += struct.pack('<BBBBHHII', n, n, 16 if bpp == 4 else 0, 0, 1, bpp, len(blob), offset)
        offset += len(blob)
    with open(out, 'wb') as f:
        f.write(data + b''.join(blobs))


if __name__ == '__main__':
    main(sys.argv[1])
