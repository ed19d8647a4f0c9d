"""Drawing helpers shared by the scripts that draw the built-in skins.

Images are lists of RGB rows; magenta (255, 0, 255) marks transparent
pixels. write_skin() writes the bitmaps an entries list names, as 24-bit
Windows bitmaps, next to the definition text, ready for `skinpack pack`.
Standard library only.
"""
import os
import shutil
import struct
import sys

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)


# --- drawing -----------------------------------------------------------------

class Image:
    def __init__(self, w, h, fill=MAGENTA):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = tuple(c)

    def get(self, x, y):
        return self.px[y][x]

    def fill(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = tuple(c)

    def paste(self, img, dx, dy):
        for y in range(img.h):
            for x in range(img.w):
                self.put(dx + x, dy + y, img.px[y][x])

    def overlay(self, img, dx, dy):
        """Pastes img leaving out its magenta pixels."""
        for y in range(img.h):
            for x in range(img.w):
                if img.px[y][x] != MAGENTA:
                    self.put(dx + x, dy + y, img.px[y][x])

    def mirrored(self):
        out = Image(self.w, self.h)
        for y in range(self.h):
            out.px[y] = list(reversed(self.px[y]))
        return out

    def transposed(self):
        out = Image(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                out.px[x][y] = self.px[y][x]
        return out

    def bmp(self):
        stride = (self.w * 3 + 3) & ~3
        rows = []
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for r, g, b in self.px[y]:
                row += bytes((b, g, r))
            row += bytes(stride - len(row))
            rows.append(bytes(row))
        data = b"".join(rows)
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
        return header + info + data


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def ramp(top, bottom, n):
    if n <= 1:
        return [top] * max(n, 0)
    return [mix(top, bottom, i / (n - 1)) for i in range(n)]


def stops_ramp(stops, n):
    """Colours of n rows from (row, colour) stops, linear in between."""
    out = []
    for y in range(n):
        for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
            if y0 <= y <= y1:
                out.append(c0 if y1 == y0 else mix(c0, c1, (y - y0) / (y1 - y0)))
                break
        else:
            out.append(stops[-1][1])
    return out


def strip(frames, vertical=False):
    """Frames side by side (or stacked) in one image."""
    if vertical:
        out = Image(frames[0].w, sum(f.h for f in frames))
        y = 0
        for f in frames:
            out.paste(f, 0, y)
            y += f.h
        return out
    out = Image(sum(f.w for f in frames), frames[0].h)
    x = 0
    for f in frames:
        out.paste(f, x, 0)
        x += f.w
    return out


def cut_corners(w, h, r):
    """Pixels left out at the corners of a w x h box with corner size r."""
    out = set()
    for dy in range(r):
        for dx in range(r - dy):
            for x, y in ((dx, dy), (w - 1 - dx, dy), (dx, h - 1 - dy), (w - 1 - dx, h - 1 - dy)):
                out.add((x, y))
    return out


def box(w, h, border, top, bottom, r=2, inner=None, vertical_fill=True, corners=(True, True, True, True)):
    """A bordered box with cut corners on magenta: fill ramps top to bottom
    (or left to right), inner is an optional highlight just inside the border."""
    img = Image(w, h)
    cut = cut_corners(w, h, r) if r > 0 else set()
    keep = []
    if not corners[0]:
        keep += [(x, y) for (x, y) in cut if x < w // 2 and y < h // 2]
    if not corners[1]:
        keep += [(x, y) for (x, y) in cut if x >= w // 2 and y < h // 2]
    if not corners[2]:
        keep += [(x, y) for (x, y) in cut if x < w // 2 and y >= h // 2]
    if not corners[3]:
        keep += [(x, y) for (x, y) in cut if x >= w // 2 and y >= h // 2]
    cut -= set(keep)
    fill = ramp(top, bottom, h if vertical_fill else w)
    inside = [[(x, y) not in cut for x in range(w)] for y in range(h)]
    for y in range(h):
        for x in range(w):
            if not inside[y][x]:
                continue
            edge = x in (0, w - 1) or y in (0, h - 1) or not all(
                inside[y + dy][x + dx] for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                img.put(x, y, border)
            else:
                img.put(x, y, fill[y] if vertical_fill else fill[x])
    if inner:
        for y in range(1, h - 1):
            for x in range(1, w - 1):
                if not inside[y][x] or img.get(x, y) == border:
                    continue
                near = any(img.get(x + dx, y + dy) == border for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if near:
                    img.put(x, y, inner)
    return img


def glyph(img, x, y, rows, colour):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch == "#":
                img.put(x + dx, y + dy, colour)


def centred_glyph(img, rows, colour, dx=0, dy=0, shadow=None):
    gw, gh = max(len(r) for r in rows), len(rows)
    x, y = (img.w - gw) // 2 + dx, (img.h - gh) // 2 + dy
    if shadow:
        glyph(img, x + 1, y + 1, rows, shadow)
    glyph(img, x, y, rows, colour)


ARROW_UP = ["...#...", "..###..", ".#####.", "#######"]
ARROW_DOWN = list(reversed(ARROW_UP))
ARROW_LEFT = ["...#", "..##", ".###", "####", ".###", "..##", "...#"]
ARROW_RIGHT = [r[::-1] for r in ARROW_LEFT]
SMALL_UP = ["..#..", ".###.", "#####"]
SMALL_DOWN = list(reversed(SMALL_UP))
SMALL_LEFT = ["..#", ".##", "###", ".##", "..#"]
SMALL_RIGHT = [r[::-1] for r in SMALL_LEFT]

STATE_ORDER = ["normal", "pressed", "disabled", "hot"]   # frames 1-4 of most elements


# --- marks -------------------------------------------------------------------

CLOSE = ["##.....##", "###...###", ".###.###.", "..#####..", "...###...", "..#####..", ".###.###.",
         "###...###", "##.....##"]
MAXIMIZE = ["#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#",
            "#########"]
RESTORE = ["..#######", "..#######", "..#.....#", "#######.#", "#######.#", "#.....###", "#.....#..",
           "#.....#..", "#######.."]
MINIMIZE = [".........", ".........", ".........", ".........", ".........", ".........",
            "#########", "#########"]


CHECK = [".......#", "......##", "#....##.", "##..##..", ".####...", "..##...."]
DROP_ARROW = ["#######", ".#####.", "..###..", "...#..."]
GRIP_DOTS = [(7, 1), (7, 4), (4, 4), (7, 7), (4, 7), (1, 7)]


# --- writing -----------------------------------------------------------------

def read_entries(path):
    """Entry names of an entries list, in container order."""
    with open(path, encoding="ascii") as f:
        return [line.strip() for line in f if line.strip() and not line.startswith("#")]


def write_skin(out, here, entries_file, bitmaps):
    """Writes every bitmap entries_file names into out (drawn by bitmaps[name]),
    copies the other entries from here, and the list itself as entries.lst."""
    os.makedirs(out, exist_ok=True)
    for name in read_entries(os.path.join(here, entries_file)):
        if name.endswith(".bmp"):
            data = bitmaps[name]().bmp()
            path = os.path.join(out, name)
            # Leave an unchanged file alone so that its time stamp stays.
            if not os.path.exists(path) or open(path, "rb").read() != data:
                with open(path, "wb") as f:
                    f.write(data)
        else:
            shutil.copyfile(os.path.join(here, name), os.path.join(out, name))
    shutil.copyfile(os.path.join(here, entries_file), os.path.join(out, "entries.lst"))


def main(argv, doc, here, entries_file, bitmaps):
    """A drawing script's command line: one argument, the output folder; the
    usage line is the third line of the script's docstring."""
    if len(argv) != 2:
        print(doc.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    write_skin(argv[1], here, entries_file, bitmaps)
    return 0
