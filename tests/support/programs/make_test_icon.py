#!/usr/bin/env python3
"""Writes a 16x16 32-bit icon (a green square with a dark border) for the icon tests."""
import struct
import sys

SIZE = 16


def main(path):
    pixels = bytearray()
    for y in range(SIZE):           # bottom-up rows of BGRA
        for x in range(SIZE):
            edge = x in (0, SIZE - 1) or y in (0, SIZE - 1)
            pixels += bytes((20, 40, 20, 255)) if edge else bytes((60, 200, 60, 255))
    mask = bytes(4 * SIZE)          # AND mask: 16 rows of 32 bits, all opaque
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + bytes(pixels) + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(icondir + entry + image)


if __name__ == "__main__":
    main(sys.argv[1])
