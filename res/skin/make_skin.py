#!/usr/bin/env python3
"""Draws the bitmaps of the "light blue" skin.

    make_skin.py <folder>

Writes every bitmap named in entries.lst as a 24-bit Windows bitmap into
<folder> and copies entries.lst and lightblue.ini next to them, so that
`skinpack pack <folder> lightblue.skn` can pack the skin. The art is drawn
pixel by pixel (no smoothing), so it stays crisp at 96 dpi. Magenta
(255, 0, 255) marks transparent pixels. Standard library only; the drawing
helpers are in skinart.py.
"""
import os
import sys

from skinart import (ARROW_DOWN, ARROW_LEFT, ARROW_RIGHT, ARROW_UP, CHECK, CLOSE, DROP_ARROW, GRIP_DOTS,
                     MAGENTA, MAXIMIZE, MINIMIZE, RESTORE, SMALL_DOWN, SMALL_LEFT, SMALL_RIGHT, SMALL_UP,
                     STATE_ORDER, WHITE, Image, box, centred_glyph, glyph, mix, ramp, stops_ramp, strip,
                     write_skin)

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

def face(w, h, state, r=2, focused=False):
    border, top, bottom = STATES[state]
    inner = {"normal": WHITE, "hot": WHITE, "pressed": None, "disabled": (250, 250, 250)}[state]
    img = box(w, h, border, top, bottom, r, inner)
    if focused:
        ring = (150, 190, 238)
        for x in range(2, w - 2):
            img.put(x, 1, ring)
            img.put(x, h - 2, ring)
        for y in range(2, h - 2):
            img.put(1, y, ring)
            img.put(w - 2, y, ring)
    return img


def glyph_colour(state):
    return GLYPH_OFF if state == "disabled" else GLYPH


# --- window frame ------------------------------------------------------------

def frame_top():
    frames = []
    for active in (True, False):
        rows = stops_ramp(CAPTION_STOPS[active], CAPTION_HEIGHT)
        img = Image(292, CAPTION_HEIGHT)
        for y, c in enumerate(rows):
            img.fill(0, y, 292, y + 1, c)
        frames.append(img)
    return strip(frames, vertical=True)


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


def frame_left():
    return strip([frame_side(True), frame_side(False)])


def frame_right():
    return strip([frame_side(True).mirrored(), frame_side(False).mirrored()])


def frame_bottom():
    frames = []
    for active in (True, False):
        e0, e1, e2, e3 = EDGE[active]
        img = Image(32, 4)
        for y, c in enumerate((e3, e2, e1, e0)):
            img.fill(0, y, 32, y + 1, c)
        frames.append(img)
    return strip(frames, vertical=True)


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


def mdi_buttons():
    marks = [["......", "......", "......", "......", "######", "######"],
             ["..####", "..####", "####.#", "####.#", "#..###", "####.."],
             ["##..##", ".####.", "..##..", "..##..", ".####.", "##..##"]]
    cells = []
    for mark in marks:
        # Frames: normal, pressed, hot, and hot again (the engine shows
        # frame 4 for a hot button on the menu band).
        for state in ("normal", "pressed", "hot", "hot"):
            border, top, bottom = STATES[state]
            cell = Image(15, 14)
            body = box(15, 14, border, top, bottom, r=2, inner=WHITE if state != "pressed" else None)
            centred_glyph(body, mark, GLYPH)
            cell.paste(body, 0, 0)
            cells.append(cell)
    return strip(cells)


# --- menus -------------------------------------------------------------------

def menu_bar():
    frames = []
    for active in (True, False):
        top, bottom, line = ((246, 249, 254), (220, 230, 245), (170, 186, 212)) if active else \
            ((248, 248, 249), (230, 230, 233), (190, 190, 196))
        img = Image(40, 20)
        for y, c in enumerate(ramp(top, bottom, 19)):
            img.fill(0, y, 40, y + 1, c)
        img.fill(0, 19, 40, 20, line)
        frames.append(img)
    return strip(frames, vertical=True)


def menu_items():
    w, h = 24, 20
    normal = Image(w, h)
    separator = Image(w, h)
    separator.fill(3, 15, w - 3, 16, (196, 206, 222))
    separator.fill(3, 16, w - 3, 17, WHITE)
    selected = box(w, h, (120, 166, 226), (238, 245, 255), (204, 224, 250), r=2, inner=(248, 251, 255))
    return strip([normal, separator, Image(w, h), selected, Image(w, h)])


def menu_border():
    img = Image(24, 24, (250, 251, 253))
    ring = [(128, 146, 176), WHITE, (250, 251, 253)]
    for i, c in enumerate(ring):
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


# --- bars, tabs, headers -----------------------------------------------------

def progress():
    trough = box(20, 14, SHADOW, (232, 236, 242), (250, 251, 253), r=2)
    fill = box(20, 14, (76, 130, 200), (178, 214, 252), (88, 148, 224), r=2, inner=(206, 228, 254))
    return strip([trough, fill])


def group_box_edge():
    frames = []
    for colour in (SHADOW, (176, 176, 180)):
        img = Image(16, 16)
        outline = box(16, 16, colour, MAGENTA, MAGENTA, r=2)
        img.overlay(outline, 0, 0)
        frames.append(img)
    return strip(frames)


def group_box_label():
    return box(30, 18, SHADOW, (250, 252, 255), (214, 228, 246), r=2, inner=WHITE)


def tabs():
    w, h = 24, 22
    frames = []
    for state in ("normal", "selected", "disabled", "hot", "normal"):
        if state == "selected":
            img = box(w, h, SHADOW, WHITE, FACE, r=2, inner=WHITE, corners=(True, True, False, False))
            img.fill(2, 1, w - 2, 3, (92, 150, 222))   # accent along the top
            img.fill(1, h - 1, w - 1, h, FACE)          # open into the pane
        else:
            top, bottom = {"normal": ((244, 247, 252), (212, 224, 240)), "hot": ((255, 255, 255), (222, 236, 255)),
                           "disabled": ((240, 240, 240), (222, 222, 224))}[state]
            img = box(w, h, SHADOW, top, bottom, r=2, inner=WHITE, corners=(True, True, False, False))
            img.fill(0, h - 1, w, h, SHADOW)
        frames.append(img)
    return strip(frames)


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


def status():
    w, h = 16, 20
    fill = ramp((230, 234, 240), (212, 216, 224), h)
    frames = []
    for kind in ("lowered", "raised", "none"):
        img = Image(w, h)
        for y in range(h):
            img.fill(0, y, w, y + 1, fill[y])
        if kind != "none":
            dark, light = ((150, 162, 182), WHITE) if kind == "lowered" else (WHITE, (150, 162, 182))
            img.fill(0, 0, w, 1, dark)
            img.fill(0, 0, 1, h, dark)
            img.fill(0, h - 1, w, h, light)
            img.fill(w - 1, 0, w, h, light)
        frames.append(img)
    return strip(frames)


def header():
    w, h = 20, 20
    frames = []
    for state in ("normal", "hot", "pressed", "normal", "normal"):
        top, bottom = {"normal": (WHITE, (226, 234, 246)), "hot": (WHITE, (210, 228, 252)),
                       "pressed": ((200, 218, 242), (226, 236, 250))}[state]
        img = Image(w, h)
        for y, c in enumerate(ramp(top, bottom, h)):
            img.fill(0, y, w, y + 1, c)
        img.fill(w - 2, 3, w - 1, h - 3, (190, 204, 224))
        img.fill(w - 1, 3, w, h - 3, WHITE)
        img.fill(0, h - 1, w, h, SHADOW)
        if state == "hot":
            img.fill(0, h - 3, w, h - 1, (110, 160, 230))
        frames.append(img)
    return strip(frames)


def toolbar_buttons():
    w, h = 22, 22
    hot = face(w, h, "hot")
    pressed = face(w, h, "pressed")
    checked = box(w, h, STATES["pressed"][0], (214, 230, 250), (228, 240, 254), r=2)
    return strip([Image(w, h), pressed, Image(w, h), hot, checked])


# --- combo boxes and edits ---------------------------------------------------

COMBO_BORDERS = {"normal": SHADOW, "pressed": (70, 100, 150), "disabled": (172, 172, 176), "hot": (72, 130, 208)}


def sunk_edge():
    frames = []
    for state in STATE_ORDER:
        inside = (244, 244, 244) if state == "disabled" else WHITE
        frames.append(box(12, 21, COMBO_BORDERS[state], inside, inside, r=1))
    return strip(frames)


def combo_button():
    frames = []
    for state in STATE_ORDER:
        _, top, bottom = STATES[state]
        ring = COMBO_BORDERS[state]
        img = box(19, 21, ring, top, bottom, r=1, inner=WHITE if state != "pressed" else None,
                  corners=(False, True, False, True))
        # The left side meets the text area: a light divider instead of the ring.
        for y in range(1, 20):
            img.put(0, y, (228, 236, 248) if state != "disabled" else (236, 236, 236))
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
        grip.put(x + 2, y + 2, WHITE)
        grip.fill(x, y, x + 2, y + 2, (120, 136, 164))
    frames.append(grip)
    return strip(frames)


# --- scroll bars -------------------------------------------------------------

def scroll_arrows():
    def button(state, mark):
        looks = {"normal": ((150, 170, 200), (248, 250, 254), (218, 230, 246)),
                 "pressed": ((86, 120, 170), (182, 206, 240), (204, 222, 248)),
                 "disabled": ((190, 190, 194), (244, 244, 244), (230, 230, 232)),
                 "hot": ((72, 130, 208), (255, 255, 255), (210, 230, 255))}
        border, top, bottom = looks[state]
        img = box(17, 17, border, top, bottom, r=2, inner=WHITE if state != "pressed" else None)
        centred_glyph(img, mark, glyph_colour(state))
        return img

    frames = []
    for mark in (ARROW_LEFT, ARROW_RIGHT, ARROW_UP, ARROW_DOWN):
        frames += [button(s, mark) for s in STATE_ORDER]
    for vertical in (False, True):
        for colour in ((112, 140, 186), (70, 100, 150), (72, 130, 208)):
            g = Image(17, 17)
            for i in (5, 8, 11):
                for j in range(5, 12):
                    if vertical:
                        g.put(j, i, colour)
                        g.put(j, i + 1, WHITE)
                    else:
                        g.put(i, j, colour)
                        g.put(i + 1, j, WHITE)
            frames.append(g)
    frames.append(Image(17, 17))
    return strip(frames)


def scroll_track(vertical):
    frames = []
    for state in STATE_ORDER:
        base = (244, 244, 245) if state == "disabled" else (234, 239, 246)
        edge = (222, 222, 224) if state == "disabled" else (214, 222, 234)
        img = Image(16, 17, base)
        img.fill(0, 0, 16, 1, edge)
        img.fill(0, 16, 16, 17, edge)
        frames.append(img.transposed() if vertical else img)
    return strip(frames)


def scroll_thumb(vertical):
    looks = {"normal": ((110, 140, 186), (246, 249, 254), (196, 216, 244)),
             "pressed": ((84, 116, 170), (214, 230, 252), (170, 198, 238)),
             "hot": ((72, 130, 208), (255, 255, 255), (206, 228, 255)),
             "disabled": ((190, 190, 194), (244, 244, 244), (226, 226, 228))}
    frames = []
    for state in ("normal", "pressed", "hot", "disabled", "normal"):
        border, top, bottom = looks[state]
        img = box(24, 17, border, top, bottom, r=2, inner=WHITE)
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
    write_skin(argv[1], HERE, "entries.lst", BITMAPS)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
