#!/usr/bin/env python3
"""Draws the bitmaps of the "dark" skin.

    make_dark_skin.py <folder>

Writes every bitmap named in dark_entries.lst as a 24-bit Windows bitmap
into <folder> and copies the list (as entries.lst) and dark.ini next to
them, so that `skinpack pack <folder> dark.skn` can pack the skin. Its
geometry differs from the light blue skin on purpose: 8-pixel frame
borders, a 34-row caption, 26 x 22 caption buttons, 16 x 16 check box and
radio button cells in 12- and 8-frame strips, and 21-pixel scroll bars.
Standard library only; the drawing helpers are in skinart.py, the elements
both skins draw alike in skinparts.py.
"""
import os
import sys

import skinparts as parts
from skinart import CHECK, MAGENTA, STATE_ORDER, Image, box, centred_glyph, glyph, main, stops_ramp, strip

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


# --- faces -------------------------------------------------------------------

FACES = parts.Faces(STATES, {"normal": (84, 90, 102), "hot": (96, 104, 118), "pressed": None, "disabled": None},
                    ring=ACCENT, glyph=GLYPH, glyph_off=GLYPH_OFF)
glyph_colour = FACES.glyph_colour


# --- window frame ------------------------------------------------------------

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


# --- menus -------------------------------------------------------------------

MENU = (38, 41, 47)
MENU_BAR = (36, 39, 45)
SELECTED = ((74, 138, 214), (52, 96, 156), (46, 86, 142))   # border, top, bottom


def menu_items():
    # The separator's line lies in the fixed bottom rows: a separator item is
    # short, and squeezing the stretched middle rows would drop a line there.
    return parts.menu_items(17, ((22, 24, 28), (70, 75, 86)), SELECTED)


# --- check boxes, radio buttons ----------------------------------------------

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


# --- tabs --------------------------------------------------------------------

TAB_LOOKS = {"selected": ((58, 63, 73), FACE), "normal": ((50, 54, 62), (40, 43, 49)),
             "hot": ((64, 70, 82), (50, 55, 65)), "disabled": ((44, 46, 51), (40, 42, 47))}


def tab_border():
    img = Image(24, 24, FACE)
    for i in range(24):
        for x, y in ((i, 0), (i, 23), (0, i), (23, i)):
            img.put(x, y, LINE)
    return img


# --- headers, combo boxes, edits, scroll bars --------------------------------

HEADER_LOOKS = {"normal": ((58, 62, 71), (48, 51, 58)), "hot": ((70, 76, 88), (56, 61, 71)),
                "pressed": ((36, 39, 45), (46, 49, 56))}

COMBO_BORDERS = {"normal": LINE, "pressed": ACCENT_DARK, "disabled": (64, 66, 72), "hot": ACCENT}
NO_INNER = dict.fromkeys(STATE_ORDER)
# The left side meets the text area: a dark divider instead of the ring.
COMBO_DIVIDER = dict.fromkeys(STATE_ORDER, (24, 26, 30))

SCROLL_LOOKS = {   # border, top, bottom
    "normal": ((80, 86, 98), (66, 71, 81), (56, 60, 69)),
    "pressed": (ACCENT_DARK, (52, 96, 156), (62, 110, 172)),
    "disabled": ((52, 54, 60), (44, 46, 51), (42, 44, 49)),
    "hot": (ACCENT, (84, 92, 106), (70, 76, 88)),
}
TRACK = ((34, 36, 41), (26, 28, 32), (40, 42, 46), (30, 31, 35))   # base, edge; when disabled


# --- the skin ----------------------------------------------------------------

BITMAPS = {
    "frametop.bmp": lambda: parts.frame_top(CAPTION_STOPS, CAPTION_HEIGHT, 300),
    "framebottom.bmp": lambda: parts.frame_bottom(EDGE),
    "frameleft.bmp": lambda: parts.frame_left(frame_side),
    "frameright.bmp": lambda: parts.frame_right(frame_side),
    "menu.bmp": menu_items,
    "dialog.bmp": lambda: FACES.up_down(False),
    "button.bmp": FACES.push_button,
    "checkbox.bmp": check_box,
    "radio.bmp": radio_button,
    "progress.bmp": lambda: parts.progress((LINE, (26, 28, 32), (34, 36, 41)),
                                           (ACCENT_DARK, (110, 170, 236), (60, 120, 196)), (130, 186, 246)),
    "groupboxedge.bmp": lambda: parts.group_box_edge((LINE, (66, 68, 74))),
    "tabborder.bmp": tab_border,
    "tabs.bmp": lambda: parts.tabs(26, 24, 3, LINE, TAB_LOOKS, FACE, ACCENT),
    "status.bmp": lambda: parts.status(22, (44, 47, 53), (38, 41, 47), (22, 24, 28), (70, 75, 86)),
    "combo.bmp": lambda: parts.combo_button(STATES, COMBO_BORDERS, NO_INNER, COMBO_DIVIDER),
    "sunkedge.bmp": lambda: parts.sunk_edge(COMBO_BORDERS, WINDOW, (40, 42, 46)),
    "combo-arrows.bmp": lambda: parts.combo_arrows(glyph_colour, (120, 126, 140), (20, 22, 27)),
    "header.bmp": lambda: parts.header(22, HEADER_LOOKS, 4, ((26, 28, 32), (78, 84, 96)), (22, 24, 28), ACCENT),
    "menutool.bmp": lambda: parts.menu_bar({True: ((44, 48, 56), MENU_BAR, (20, 22, 27)),
                                            False: ((46, 48, 53), (42, 44, 49), (30, 31, 35))}),
    "menuborder.bmp": lambda: parts.menu_border(MENU, [(90, 96, 110), (24, 26, 30), MENU]),
    "button-mdi.bmp": FACES.mdi_buttons,
    "groupboxlabel.bmp": lambda: box(30, 18, LINE, (60, 65, 75), (50, 54, 62), r=2),
    "toolbar2.bmp": lambda: FACES.toolbar_buttons((ACCENT_DARK, (40, 52, 70), (46, 60, 80))),
    "button-toolbar.bmp": lambda: FACES.up_down(True),
    **parts.caption_bitmaps(caption_button),
    "arrows.bmp": lambda: parts.scroll_arrows(SCROLL, SCROLL_LOOKS, NO_INNER, glyph_colour,
                                              ((150, 156, 170), (210, 226, 250), (220, 226, 236)), (24, 26, 30)),
    "hscroll_back.bmp": lambda: parts.scroll_track(False, SCROLL, *TRACK),
    "vscroll_back.bmp": lambda: parts.scroll_track(True, SCROLL, *TRACK),
    "hscroll_bar.bmp": lambda: parts.scroll_thumb(False, 28, SCROLL, SCROLL_LOOKS, 3),
    "vscroll_bar.bmp": lambda: parts.scroll_thumb(True, 28, SCROLL, SCROLL_LOOKS, 3),
}


if __name__ == "__main__":
    sys.exit(main(sys.argv, __doc__, HERE, "dark_entries.lst", BITMAPS))
