#!/usr/bin/env python3
"""Draws the bitmaps of the "dark" skin.

    make_dark_skin.py <folder>

Writes every bitmap named in dark_entries.lst as a 24-bit Windows bitmap
into <folder> and copies the list (as entries.lst) and dark.ini next to
them, so that `skinpack pack <folder> dark.skn` can pack the skin. Its
geometry differs from the light blue skin on purpose: 8-pixel frame
borders, a 34-row caption, 26 x 22 caption buttons, 16 x 16 check box and
radio button cells in 12- and 8-frame strips, and 21-pixel scroll bars.
Standard library only; the drawing helpers are in skinart.py.
"""
import os
import sys

from skinart import (ARROW_DOWN, ARROW_LEFT, ARROW_RIGHT, ARROW_UP, CHECK, CLOSE, DROP_ARROW, GRIP_DOTS,
                     MAGENTA, MAXIMIZE, MINIMIZE, RESTORE, SMALL_DOWN, SMALL_LEFT, SMALL_RIGHT, SMALL_UP,
                     STATE_ORDER, Image, box, centred_glyph, glyph, mix, ramp, stops_ramp, strip, write_skin)

HERE = os.path.dirname(os.path.abspath(__file__))

# --- geometry ----------------------------------------------------------------

BORDER = 8              # side and bottom borders
CAPTION_HEIGHT = 34
CAPTION_BUTTON = (26, 22)
BOX_CELL = 16           # check box and radio button cells
SCROLL = 21             # scroll bar thickness

# --- palette -----------------------------------------------------------------

FACE = (45, 48, 54)             # ButtonFace
WINDOW = (30, 32, 36)           # background of edits and lists
TEXT = (232, 234, 238)          # ButtonText, WindowText
ACCENT = (74, 138, 214)
ACCENT_DARK = (46, 94, 156)
LINE = (88, 94, 106)            # rings of edits and combo boxes
GLYPH = (222, 226, 234)
GLYPH_OFF = (104, 108, 116)

# Control faces by state: border, top and bottom of the fill.
STATES = {
    "normal": ((96, 102, 116), (70, 75, 85), (56, 60, 68)),
    "hot": (ACCENT, (82, 88, 100), (64, 69, 79)),
    # Pressed and down sink into a blue-tinted face, told apart from the
    # normal face even by a flat speed button that is down.
    "pressed": (ACCENT_DARK, (30, 40, 56), (40, 52, 70)),
    "disabled": ((64, 66, 72), (50, 52, 57), (46, 48, 53)),
}

# Window frame (active, inactive), outside in: eight columns.
EDGE = {
    True: ((12, 13, 16), (78, 86, 102), (52, 58, 70), (46, 51, 62), (44, 49, 60), (42, 47, 58), (36, 40, 50),
           (20, 22, 27)),
    False: ((24, 25, 28), (70, 72, 78), (50, 52, 57), (47, 49, 54), (46, 48, 53), (45, 47, 52), (40, 42, 47),
            (30, 31, 35)),
}
# Caption rows as (row, colour) stops: a thin accent along the top of the
# active caption, then a slow ramp.
CAPTION_STOPS = {
    True: [(0, (12, 13, 16)), (1, ACCENT), (2, ACCENT_DARK), (3, (60, 66, 80)), (18, (50, 55, 67)),
           (32, (42, 47, 58)), (33, (20, 22, 27))],
    False: [(0, (24, 25, 28)), (1, (70, 72, 78)), (2, (58, 60, 66)), (3, (54, 56, 62)), (32, (46, 48, 53)),
            (33, (30, 31, 35))],
}


def face(w, h, state, r=2, focused=False):
    border, top, bottom = STATES[state]
    inner = {"normal": (84, 90, 102), "hot": (96, 104, 118), "pressed": None, "disabled": None}[state]
    img = box(w, h, border, top, bottom, r, inner)
    if focused:
        for x in range(2, w - 2):
            img.put(x, 1, ACCENT)
            img.put(x, h - 2, ACCENT)
        for y in range(2, h - 2):
            img.put(1, y, ACCENT)
            img.put(w - 2, y, ACCENT)
    return img


def glyph_colour(state):
    return GLYPH_OFF if state == "disabled" else GLYPH


# --- window frame ------------------------------------------------------------

def frame_top():
    frames = []
    for active in (True, False):
        rows = stops_ramp(CAPTION_STOPS[active], CAPTION_HEIGHT)
        img = Image(300, CAPTION_HEIGHT)
        for y, c in enumerate(rows):
            img.fill(0, y, 300, y + 1, c)
        frames.append(img)
    return strip(frames, vertical=True)


def frame_side(active):
    """The left border: caption rows, the edge, the bottom corner."""
    edge = EDGE[active]
    rows = stops_ramp(CAPTION_STOPS[active], CAPTION_HEIGHT)
    height = CAPTION_HEIGHT + 40 + BORDER
    img = Image(BORDER, height)
    for y in range(CAPTION_HEIGHT):
        img.put(0, y, edge[0])
        for x in range(1, BORDER):
            img.put(x, y, rows[y])
    for y in range(CAPTION_HEIGHT, height - BORDER):
        for x, c in enumerate(edge):
            img.put(x, y, c)
    # Bottom corner: the columns turn into the bottom border's rows.
    for i in range(BORDER):
        y = height - 1 - i
        for x in range(BORDER):
            img.put(x, y, edge[min(x, i)])
    # Rounded top corner: the region leaves the magenta pixels out.
    for x, y in ((0, 0), (1, 0), (2, 0), (0, 1), (0, 2), (1, 1)):
        img.put(x, y, MAGENTA)
    for x, y in ((3, 0), (2, 1), (1, 2), (0, 3)):
        img.put(x, y, edge[0])
    return img


def frame_left():
    return strip([frame_side(True), frame_side(False)])


def frame_right():
    return strip([frame_side(True).mirrored(), frame_side(False).mirrored()])


def frame_bottom():
    frames = []
    for active in (True, False):
        img = Image(32, BORDER)
        for y, c in enumerate(reversed(EDGE[active])):
            img.fill(0, y, 32, y + 1, c)
        frames.append(img)
    return strip(frames, vertical=True)


# --- caption buttons ---------------------------------------------------------

def caption_button(mark, danger=False):
    looks = {
        "normal": ((70, 76, 90), (60, 66, 80), (50, 55, 67), GLYPH),
        "pressed": ((24, 28, 36), (36, 40, 50), (44, 49, 60), GLYPH),
        "hot": (ACCENT, (82, 130, 196), (58, 104, 170), (255, 255, 255)),
        "disabled": ((56, 58, 64), (52, 54, 60), (48, 50, 56), GLYPH_OFF),
    }
    if danger:
        looks["hot"] = ((150, 40, 34), (214, 74, 62), (178, 50, 42), (255, 255, 255))
        looks["pressed"] = ((110, 26, 22), (140, 36, 30), (170, 52, 44), (255, 255, 255))
    w, h = CAPTION_BUTTON
    frames = []
    for state in ("normal", "pressed", "hot", "disabled"):
        border, top, bottom, ink = looks[state]
        cell = box(w, h, border, top, bottom, r=3)
        centred_glyph(cell, mark, ink)
        frames.append(cell)
    frames += [frames[0], frames[3]]   # frames 5 and 6 are not used by the engine
    return strip(frames)


def mdi_buttons():
    marks = [["......", "......", "......", "......", "######", "######"],
             ["..####", "..####", "####.#", "####.#", "#..###", "####.."],
             ["##..##", ".####.", "..##..", "..##..", ".####.", "##..##"]]
    cells = []
    for mark in marks:
        # Frames: normal, pressed, hot, and hot again (the engine shows
        # frame 4 for a hot button on the menu band).
        for state in ("normal", "pressed", "hot", "hot"):
            cell = face(15, 14, state)
            centred_glyph(cell, mark, GLYPH)
            cells.append(cell)
    return strip(cells)


# --- menus -------------------------------------------------------------------

MENU = (38, 41, 47)
MENU_BAR = (36, 39, 45)
SELECTED = ((74, 138, 214), (52, 96, 156), (46, 86, 142))   # border, top, bottom


def menu_bar():
    frames = []
    for active in (True, False):
        top, bottom, line = ((44, 48, 56), MENU_BAR, (20, 22, 27)) if active else \
            ((46, 48, 53), (42, 44, 49), (30, 31, 35))
        img = Image(40, 20)
        for y, c in enumerate(ramp(top, bottom, 19)):
            img.fill(0, y, 40, y + 1, c)
        img.fill(0, 19, 40, 20, line)
        frames.append(img)
    return strip(frames, vertical=True)


def menu_items():
    w, h = 24, 20
    # The separator's line lies in the fixed bottom rows: a separator item is
    # short, and squeezing the stretched middle rows would drop a line there.
    separator = Image(w, h)
    separator.fill(3, h - 3, w - 3, h - 2, (22, 24, 28))
    separator.fill(3, h - 2, w - 3, h - 1, (70, 75, 86))
    selected = box(w, h, *SELECTED, r=2)
    return strip([Image(w, h), separator, Image(w, h), selected, Image(w, h)])


def menu_border():
    img = Image(24, 24, MENU)
    for i, c in enumerate([(90, 96, 110), (24, 26, 30), MENU]):
        for x in range(i, 24 - i):
            img.put(x, i, c)
            img.put(x, 23 - i, c)
        for y in range(i, 24 - i):
            img.put(i, y, c)
            img.put(23 - i, y, c)
    return img


# --- buttons, check boxes, radio buttons -------------------------------------

def push_button():
    frames = [face(24, 22, s) for s in STATE_ORDER]
    frames.append(face(24, 22, "normal", focused=True))
    return strip(frames)


BOX_STATES = ("normal", "hot", "pressed", "disabled")
BOX_LOOKS = {   # ring, fill when off, fill when on
    "normal": ((128, 134, 148), WINDOW, ACCENT),
    "hot": (ACCENT, (38, 42, 50), (96, 156, 226)),
    "pressed": (ACCENT_DARK, (24, 26, 30), ACCENT_DARK),
    "disabled": ((72, 74, 80), (40, 42, 46), (62, 64, 70)),
}
MIXED = ["########", "########"]


def check_box():
    """Twelve 16 x 16 cells: unchecked, checked and mixed, each normal, hot,
    pressed and disabled."""
    frames = []
    for mark in (None, CHECK, MIXED):
        for state in BOX_STATES:
            ring, off, on = BOX_LOOKS[state]
            cell = Image(BOX_CELL, BOX_CELL)
            b = box(14, 14, ring if mark is None else (on if state != "disabled" else ring),
                    off if mark is None else on, off if mark is None else on, r=1)
            ink = GLYPH_OFF if state == "disabled" else (255, 255, 255)
            if mark is CHECK:
                glyph(b, 3, 4, CHECK, ink)
                glyph(b, 3, 5, CHECK, ink)
            elif mark is MIXED:
                glyph(b, 3, 6, MIXED, ink)
            cell.paste(b, 1, 1)
            frames.append(cell)
    return strip(frames)


def disc(cell, cx, cy, radius, colour):
    for y in range(cell.h):
        for x in range(cell.w):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                cell.put(x, y, colour)


def radio_button():
    """Eight 16 x 16 cells: off and on, each normal, hot, pressed and disabled."""
    frames = []
    for on in (False, True):
        for state in BOX_STATES:
            ring, off, fill = BOX_LOOKS[state]
            cell = Image(BOX_CELL, BOX_CELL)
            disc(cell, 8, 8, 7.2, ring if not on or state == "disabled" else fill)
            disc(cell, 8, 8, 6.0, off)
            if on:
                disc(cell, 8, 8, 3.2, GLYPH_OFF if state == "disabled" else fill)
            frames.append(cell)
    return strip(frames)


# --- bars, tabs, headers -----------------------------------------------------

def progress():
    trough = box(20, 14, LINE, (26, 28, 32), (34, 36, 41), r=2)
    fill = box(20, 14, ACCENT_DARK, (110, 170, 236), (60, 120, 196), r=2, inner=(130, 186, 246))
    return strip([trough, fill])


def group_box_edge():
    frames = []
    for colour in (LINE, (66, 68, 74)):
        img = Image(16, 16)
        img.overlay(box(16, 16, colour, MAGENTA, MAGENTA, r=2), 0, 0)
        frames.append(img)
    return strip(frames)


def group_box_label():
    return box(30, 18, LINE, (60, 65, 75), (50, 54, 62), r=2)


def tabs():
    w, h = 26, 24
    frames = []
    for state in ("normal", "selected", "disabled", "hot", "normal"):
        if state == "selected":
            img = box(w, h, LINE, (58, 63, 73), FACE, r=3, corners=(True, True, False, False))
            img.fill(2, 1, w - 2, 3, ACCENT)     # accent along the top
            img.fill(1, h - 1, w - 1, h, FACE)  # open into the pane
        else:
            top, bottom = {"normal": ((50, 54, 62), (40, 43, 49)), "hot": ((64, 70, 82), (50, 55, 65)),
                           "disabled": ((44, 46, 51), (40, 42, 47))}[state]
            img = box(w, h, LINE, top, bottom, r=3, corners=(True, True, False, False))
            img.fill(0, h - 1, w, h, LINE)
        frames.append(img)
    return strip(frames)


def tab_border():
    img = Image(24, 24, FACE)
    for i in range(24):
        for x, y in ((i, 0), (i, 23), (0, i), (23, i)):
            img.put(x, y, LINE)
    return img


def status():
    w, h = 16, 22
    fill = ramp((44, 47, 53), (38, 41, 47), h)
    frames = []
    for kind in ("lowered", "raised", "none"):
        img = Image(w, h)
        for y in range(h):
            img.fill(0, y, w, y + 1, fill[y])
        if kind != "none":
            dark, light = ((22, 24, 28), (70, 75, 86)) if kind == "lowered" else ((70, 75, 86), (22, 24, 28))
            img.fill(0, 0, w, 1, dark)
            img.fill(0, 0, 1, h, dark)
            img.fill(0, h - 1, w, h, light)
            img.fill(w - 1, 0, w, h, light)
        frames.append(img)
    return strip(frames)


def header():
    w, h = 20, 22
    frames = []
    for state in ("normal", "hot", "pressed", "normal", "normal"):
        top, bottom = {"normal": ((58, 62, 71), (48, 51, 58)), "hot": ((70, 76, 88), (56, 61, 71)),
                       "pressed": ((36, 39, 45), (46, 49, 56))}[state]
        img = Image(w, h)
        for y, c in enumerate(ramp(top, bottom, h)):
            img.fill(0, y, w, y + 1, c)
        img.fill(w - 2, 4, w - 1, h - 4, (26, 28, 32))
        img.fill(w - 1, 4, w, h - 4, (78, 84, 96))
        img.fill(0, h - 1, w, h, (22, 24, 28))
        if state == "hot":
            img.fill(0, h - 3, w, h - 1, ACCENT)
        frames.append(img)
    return strip(frames)


def toolbar_buttons():
    w, h = 22, 22
    checked = box(w, h, ACCENT_DARK, (40, 52, 70), (46, 60, 80), r=2)
    return strip([Image(w, h), face(w, h, "pressed"), Image(w, h), face(w, h, "hot"), checked])


# --- combo boxes and edits ---------------------------------------------------

COMBO_BORDERS = {"normal": LINE, "pressed": ACCENT_DARK, "disabled": (64, 66, 72), "hot": ACCENT}


def sunk_edge():
    frames = []
    for state in STATE_ORDER:
        inside = (40, 42, 46) if state == "disabled" else WINDOW
        frames.append(box(12, 21, COMBO_BORDERS[state], inside, inside, r=1))
    return strip(frames)


def combo_button():
    frames = []
    for state in STATE_ORDER:
        _, top, bottom = STATES[state]
        img = box(19, 21, COMBO_BORDERS[state], top, bottom, r=1, corners=(False, True, False, True))
        # The left side meets the text area: a dark divider instead of the ring.
        for y in range(1, 20):
            img.put(0, y, (24, 26, 30))
        frames.append(img)
    return strip(frames)


def combo_arrows():
    frames = []
    for state in STATE_ORDER:
        img = Image(11, 11)
        centred_glyph(img, DROP_ARROW, glyph_colour(state), dy=1)
        frames.append(img)
    grip = Image(11, 11)
    for x, y in GRIP_DOTS:
        grip.put(x + 2, y + 2, (20, 22, 27))
        grip.fill(x, y, x + 2, y + 2, (120, 126, 140))
    frames.append(grip)
    return strip(frames)


# --- scroll bars -------------------------------------------------------------

SCROLL_LOOKS = {   # border, top, bottom
    "normal": ((80, 86, 98), (66, 71, 81), (56, 60, 69)),
    "pressed": (ACCENT_DARK, (52, 96, 156), (62, 110, 172)),
    "disabled": ((52, 54, 60), (44, 46, 51), (42, 44, 49)),
    "hot": (ACCENT, (84, 92, 106), (70, 76, 88)),
}
TRACK = (34, 36, 41)


def scroll_arrows():
    frames = []
    for mark in (ARROW_LEFT, ARROW_RIGHT, ARROW_UP, ARROW_DOWN):
        for state in STATE_ORDER:
            img = box(SCROLL, SCROLL, *SCROLL_LOOKS[state], r=2)
            centred_glyph(img, mark, glyph_colour(state))
            frames.append(img)
    # Thumb grips, horizontal then vertical: normal, pressed, hot.
    for vertical in (False, True):
        for colour in ((150, 156, 170), (210, 226, 250), (220, 226, 236)):
            g = Image(SCROLL, SCROLL)
            for i in (7, 10, 13):
                for j in range(7, 14):
                    if vertical:
                        g.put(j, i, colour)
                        g.put(j, i + 1, (24, 26, 30))
                    else:
                        g.put(i, j, colour)
                        g.put(i + 1, j, (24, 26, 30))
            frames.append(g)
    frames.append(Image(SCROLL, SCROLL))
    return strip(frames)


def scroll_track(vertical):
    frames = []
    for state in STATE_ORDER:
        base = (40, 42, 46) if state == "disabled" else TRACK
        edge = (30, 31, 35) if state == "disabled" else (26, 28, 32)
        img = Image(16, SCROLL, base)
        img.fill(0, 0, 16, 1, edge)
        img.fill(0, SCROLL - 1, 16, SCROLL, edge)
        frames.append(img.transposed() if vertical else img)
    return strip(frames)


def scroll_thumb(vertical):
    frames = []
    for state in ("normal", "pressed", "hot", "disabled", "normal"):
        img = box(28, SCROLL, *SCROLL_LOOKS[state], r=3)
        frames.append(img.transposed() if vertical else img)
    return strip(frames)


# --- up-down buttons ---------------------------------------------------------

def up_down(vertical):
    w, h = (16, 11) if vertical else (16, 16)
    frames = []
    for mark in ((SMALL_UP, SMALL_DOWN) if vertical else (SMALL_LEFT, SMALL_RIGHT)):
        for state in STATE_ORDER:
            img = face(w, h, state)
            centred_glyph(img, mark, glyph_colour(state))
            frames.append(img)
    return strip(frames)


# --- the skin ----------------------------------------------------------------

BITMAPS = {
    "frametop.bmp": frame_top,
    "framebottom.bmp": frame_bottom,
    "frameleft.bmp": frame_left,
    "frameright.bmp": frame_right,
    "menu.bmp": menu_items,
    "dialog.bmp": lambda: up_down(False),
    "button.bmp": push_button,
    "checkbox.bmp": check_box,
    "radio.bmp": radio_button,
    "progress.bmp": progress,
    "groupboxedge.bmp": group_box_edge,
    "tabborder.bmp": tab_border,
    "tabs.bmp": tabs,
    "status.bmp": status,
    "combo.bmp": combo_button,
    "sunkedge.bmp": sunk_edge,
    "combo-arrows.bmp": combo_arrows,
    "header.bmp": header,
    "menutool.bmp": menu_bar,
    "menuborder.bmp": menu_border,
    "button-mdi.bmp": mdi_buttons,
    "groupboxlabel.bmp": group_box_label,
    "toolbar2.bmp": toolbar_buttons,
    "button-toolbar.bmp": lambda: up_down(True),
    "closebutton.bmp": lambda: caption_button(CLOSE, danger=True),
    "maxbutton.bmp": lambda: caption_button(MAXIMIZE),
    "minbutton.bmp": lambda: caption_button(MINIMIZE),
    "restrorebutton.bmp": lambda: caption_button(RESTORE),
    "arrows.bmp": scroll_arrows,
    "hscroll_back.bmp": lambda: scroll_track(False),
    "vscroll_back.bmp": lambda: scroll_track(True),
    "hscroll_bar.bmp": lambda: scroll_thumb(False),
    "vscroll_bar.bmp": lambda: scroll_thumb(True),
}


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    write_skin(argv[1], HERE, "dark_entries.lst", BITMAPS)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
