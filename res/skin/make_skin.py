#!/usr/bin/env python3
"""Draws the bitmaps of the "light blue" skin.

    make_skin.py <folder>

Writes every bitmap named in entries.lst as a 24-bit Windows bitmap into
<folder> and copies entries.lst and lightblue.ini next to them, so that
`skinpack pack <folder> lightblue.skn` can pack the skin. The art is drawn
pixel by pixel (no smoothing), so it stays crisp at 96 dpi. Magenta
(255, 0, 255) marks transparent pixels. Standard library only; the drawing
helpers are in skinart.py, the elements both skins draw alike in
skinparts.py.
"""
import os
import sys

import skinparts as parts
from skinart import CHECK, MAGENTA, WHITE, Image, box, centred_glyph, glyph, main, mix, ramp, stops_ramp, strip

HERE = os.path.dirname(os.path.abspath(__file__))

# --- palette -----------------------------------------------------------------

FACE = (207, 207, 207)          # ButtonFace
SHADOW = (122, 146, 180)        # ButtonShadow: rings of edits and combo boxes
GLYPH = (36, 60, 102)
GLYPH_OFF = (156, 156, 156)

# Control faces by state: border, top and bottom of the fill.
STATES = {
    "normal": ((104, 136, 182), (252, 253, 255), (206, 224, 247)),
    "hot": ((72, 130, 208), (255, 255, 255), (219, 236, 255)),
    "pressed": ((70, 100, 150), (178, 204, 238), (210, 227, 248)),
    "disabled": ((172, 172, 176), (242, 242, 242), (226, 226, 228)),
}

# Window frame (active, inactive): outline, highlight, middle, inner edge.
EDGE = {
    True: ((84, 76, 110), (206, 200, 222), (164, 152, 188), (124, 112, 150)),
    False: ((150, 150, 160), (238, 238, 242), (210, 210, 216), (178, 178, 188)),
}
CAPTION_HEIGHT = 29
# Caption rows as (row, colour) stops; row 9 of the active caption is the
# colour the skin's accents are derived from.
CAPTION_STOPS = {
    True: [(0, (84, 76, 110)), (1, (228, 222, 236)), (2, (190, 178, 200)), (9, (158, 143, 167)),
           (13, (148, 132, 158)), (14, (124, 108, 142)), (26, (146, 134, 174)), (27, (134, 120, 160)),
           (28, (92, 82, 118))],
    False: [(0, (150, 150, 160)), (1, (248, 248, 250)), (2, (232, 232, 236)), (13, (214, 214, 220)),
            (14, (200, 200, 208)), (27, (214, 214, 222)), (28, (160, 160, 170))],
}


# --- faces -------------------------------------------------------------------

FACES = parts.Faces(STATES, {"normal": WHITE, "hot": WHITE, "pressed": None, "disabled": (250, 250, 250)},
                    ring=(150, 190, 238), glyph=GLYPH, glyph_off=GLYPH_OFF)
glyph_colour = FACES.glyph_colour


# --- window frame ------------------------------------------------------------

def frame_side(active):
    """The left border: caption rows, the edge, the bottom corner."""
    e0, e1, e2, e3 = EDGE[active]
    rows = stops_ramp(CAPTION_STOPS[active], CAPTION_HEIGHT)
    img = Image(4, 64)
    for y in range(CAPTION_HEIGHT):
        c = rows[y]
        img.put(0, y, e0)
        img.put(1, y, c if y in (0, CAPTION_HEIGHT - 1) else mix(c, WHITE, 0.35))
        img.put(2, y, c)
        img.put(3, y, c)
    for y in range(CAPTION_HEIGHT, 60):
        for x, c in enumerate((e0, e1, e2, e3)):
            img.put(x, y, c)
    for y, row in zip(range(60, 64), ((e0, e1, e2, e3), (e0, e1, e2, e2), (e0, e1, e1, e1), (e0, e0, e0, e0))):
        for x, c in enumerate(row):
            img.put(x, y, c)
    # Rounded top corner: the region leaves the magenta pixels out.
    for x, y in ((0, 0), (1, 0), (0, 1)):
        img.put(x, y, MAGENTA)
    for x, y in ((2, 0), (1, 1), (0, 2)):
        img.put(x, y, e0)
    return img


# --- caption buttons ---------------------------------------------------------


def caption_button(mark, danger=False):
    looks = {
        "normal": ((112, 98, 140), (204, 194, 222), (148, 132, 170), WHITE, (90, 78, 112)),
        "pressed": ((76, 64, 100), (128, 114, 154), (168, 156, 190), WHITE, None),
        "hot": ((84, 126, 196), (226, 238, 255), (152, 190, 240), GLYPH, None),
        "disabled": ((170, 166, 180), (230, 228, 234), (206, 202, 214), (150, 146, 162), None),
    }
    if danger:
        looks["hot"] = ((150, 46, 40), (246, 170, 160), (206, 72, 60), WHITE, (130, 36, 30))
        looks["pressed"] = ((120, 30, 26), (176, 52, 44), (214, 104, 92), WHITE, None)
    frames = []
    for state in ("normal", "pressed", "hot", "disabled"):
        border, top, bottom, ink, shade = looks[state]
        cell = Image(21, 21)
        body = box(19, 19, border, top, bottom, r=3, inner=mix(top, WHITE, 0.5))
        centred_glyph(body, mark, ink, shadow=shade)
        cell.paste(body, 1, 1)
        frames.append(cell)
    frames += [frames[0], frames[3]]   # frames 5 and 6 are not used by the engine
    return strip(frames)


# --- check boxes, radio buttons ----------------------------------------------

def check_box():
    frames = []
    for state, mark in (("normal", None), ("normal", CHECK), ("disabled", None), ("disabled", CHECK),
                        ("normal", "grey")):
        border, top, bottom = STATES[state]
        cell = Image(14, 14)
        b = box(13, 13, border, WHITE if state == "normal" else top, bottom, r=0,
                inner=(236, 242, 250) if state == "normal" else None)
        if mark == "grey":
            b.fill(3, 3, 10, 10, (104, 146, 204))
        elif mark:
            glyph(b, 2, 3, mark, glyph_colour(state))
        cell.paste(b, 0, 1)
        frames.append(cell)
    return strip(frames)


RADIO_RING = ["....#####....", "..##.....##..", ".#.........#.", ".#.........#.", "#...........#",
              "#...........#", "#...........#", "#...........#", "#...........#", ".#.........#.",
              ".#.........#.", "..##.....##..", "....#####...."]
RADIO_DOT = [".###.", "#####", "#####", "#####", ".###."]


def radio_button():
    frames = []
    for state, dot in (("normal", False), ("normal", True), ("disabled", False), ("disabled", True),
                       ("hot", True)):
        border, top, bottom = STATES[state]
        cell = Image(13, 14)
        fill = ramp(WHITE if state != "disabled" else top, bottom, 13)
        for y, row in enumerate(RADIO_RING):
            first, last = row.index("#"), row.rindex("#")
            for x in range(first, last + 1):
                cell.put(x, y + 1, border if row[x] == "#" else fill[y])
        if dot:
            glyph(cell, 4, 5, RADIO_DOT, glyph_colour(state))
        frames.append(cell)
    return strip(frames)


# --- tabs --------------------------------------------------------------------

TAB_LOOKS = {"selected": (WHITE, FACE), "normal": ((244, 247, 252), (212, 224, 240)),
             "hot": ((255, 255, 255), (222, 236, 255)), "disabled": ((240, 240, 240), (222, 222, 224))}


def tab_border():
    img = Image(24, 24, FACE)
    for x in range(24):
        img.put(x, 0, SHADOW)
        img.put(x, 23, SHADOW)
    for y in range(24):
        img.put(0, y, SHADOW)
        img.put(23, y, SHADOW)
    for x in range(1, 23):
        img.put(x, 1, WHITE)
    for y in range(1, 23):
        img.put(1, y, WHITE)
    for x in range(1, 23):
        img.put(x, 22, (184, 184, 190))
    for y in range(2, 23):
        img.put(22, y, (184, 184, 190))
    return img


# --- menus, headers, combo boxes, edits, scroll bars --------------------------

MENU_SEPARATOR = ((196, 206, 222), WHITE)   # dark, light
MENU_SELECTED = ((120, 166, 226), (238, 245, 255), (204, 224, 250))   # border, top, bottom

HEADER_LOOKS = {"normal": (WHITE, (226, 234, 246)), "hot": (WHITE, (210, 228, 252)),
                "pressed": ((200, 218, 242), (226, 236, 250))}

COMBO_BORDERS = {"normal": SHADOW, "pressed": (70, 100, 150), "disabled": (172, 172, 176), "hot": (72, 130, 208)}
COMBO_INNER = {"normal": WHITE, "pressed": None, "disabled": WHITE, "hot": WHITE}
# The left side meets the text area: a light divider instead of the ring.
COMBO_DIVIDER = {"normal": (228, 236, 248), "pressed": (228, 236, 248), "disabled": (236, 236, 236),
                 "hot": (228, 236, 248)}

SCROLL = 17             # scroll bar thickness
SCROLL_LOOKS = {"normal": ((150, 170, 200), (248, 250, 254), (218, 230, 246)),
                "pressed": ((86, 120, 170), (182, 206, 240), (204, 222, 248)),
                "disabled": ((190, 190, 194), (244, 244, 244), (230, 230, 232)),
                "hot": ((72, 130, 208), (255, 255, 255), (210, 230, 255))}
SCROLL_INNER = {"normal": WHITE, "pressed": None, "disabled": WHITE, "hot": WHITE}
TRACK = ((234, 239, 246), (214, 222, 234), (244, 244, 245), (222, 222, 224))   # base, edge; when disabled
THUMB_LOOKS = {"normal": ((110, 140, 186), (246, 249, 254), (196, 216, 244)),
               "pressed": ((84, 116, 170), (214, 230, 252), (170, 198, 238)),
               "hot": ((72, 130, 208), (255, 255, 255), (206, 228, 255)),
               "disabled": ((190, 190, 194), (244, 244, 244), (226, 226, 228))}


# --- the skin ----------------------------------------------------------------

BITMAPS = {
    "frametop.bmp": lambda: parts.frame_top(CAPTION_STOPS, CAPTION_HEIGHT, 292),
    "framebottom.bmp": lambda: parts.frame_bottom(EDGE),
    "frameleft.bmp": lambda: parts.frame_left(frame_side),
    "frameright.bmp": lambda: parts.frame_right(frame_side),
    "menu.bmp": lambda: parts.menu_items(15, MENU_SEPARATOR, MENU_SELECTED, (248, 251, 255)),
    "dialog.bmp": lambda: FACES.up_down(False),
    "button.bmp": FACES.push_button,
    "checkbox.bmp": check_box,
    "radio.bmp": radio_button,
    "progress.bmp": lambda: parts.progress((SHADOW, (232, 236, 242), (250, 251, 253)),
                                           ((76, 130, 200), (178, 214, 252), (88, 148, 224)), (206, 228, 254)),
    "groupboxedge.bmp": lambda: parts.group_box_edge((SHADOW, (176, 176, 180))),
    "tabborder.bmp": tab_border,
    "tabs.bmp": lambda: parts.tabs(24, 22, 2, SHADOW, TAB_LOOKS, FACE, (92, 150, 222), inner=WHITE),
    "status.bmp": lambda: parts.status(20, (230, 234, 240), (212, 216, 224), (150, 162, 182), WHITE),
    "combo.bmp": lambda: parts.combo_button(STATES, COMBO_BORDERS, COMBO_INNER, COMBO_DIVIDER),
    "sunkedge.bmp": lambda: parts.sunk_edge(COMBO_BORDERS, WHITE, (244, 244, 244)),
    "combo-arrows.bmp": lambda: parts.combo_arrows(glyph_colour, (120, 136, 164), WHITE),
    "header.bmp": lambda: parts.header(20, HEADER_LOOKS, 3, ((190, 204, 224), WHITE), SHADOW, (110, 160, 230)),
    "menutool.bmp": lambda: parts.menu_bar({True: ((246, 249, 254), (220, 230, 245), (170, 186, 212)),
                                            False: ((248, 248, 249), (230, 230, 233), (190, 190, 196))}),
    "menuborder.bmp": lambda: parts.menu_border((250, 251, 253), [(128, 146, 176), WHITE, (250, 251, 253)]),
    "button-mdi.bmp": FACES.mdi_buttons,
    "groupboxlabel.bmp": lambda: box(30, 18, SHADOW, (250, 252, 255), (214, 228, 246), r=2, inner=WHITE),
    "toolbar2.bmp": lambda: FACES.toolbar_buttons((STATES["pressed"][0], (214, 230, 250), (228, 240, 254))),
    "button-toolbar.bmp": lambda: FACES.up_down(True),
    **parts.caption_bitmaps(caption_button),
    "arrows.bmp": lambda: parts.scroll_arrows(SCROLL, SCROLL_LOOKS, SCROLL_INNER, glyph_colour,
                                              ((112, 140, 186), (70, 100, 150), (72, 130, 208)), WHITE),
    "hscroll_back.bmp": lambda: parts.scroll_track(False, SCROLL, *TRACK),
    "vscroll_back.bmp": lambda: parts.scroll_track(True, SCROLL, *TRACK),
    "hscroll_bar.bmp": lambda: parts.scroll_thumb(False, 24, SCROLL, THUMB_LOOKS, 2, inner=WHITE),
    "vscroll_bar.bmp": lambda: parts.scroll_thumb(True, 24, SCROLL, THUMB_LOOKS, 2, inner=WHITE),
}


if __name__ == "__main__":
    sys.exit(main(sys.argv, __doc__, HERE, "entries.lst", BITMAPS))
