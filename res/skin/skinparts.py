"""Element drawings that both built-in skins share. Each skin passes its own
palette and sizes; what only one skin draws stays in its script.
Standard library only.
"""
from skinart import (ARROW_DOWN, ARROW_LEFT, ARROW_RIGHT, ARROW_UP, CLOSE, DROP_ARROW, GRIP_DOTS, MAGENTA,
                     MAXIMIZE, MINIMIZE, RESTORE, SMALL_DOWN, SMALL_LEFT, SMALL_RIGHT, SMALL_UP, STATE_ORDER, Image,
                     box, centred_glyph, ramp, stops_ramp, strip)


# --- faces -------------------------------------------------------------------

class Faces:
    """The control faces of one skin. states maps a state to (border, top,
    bottom), inner a state to the highlight just inside the border (or None);
    ring is the focus ring, glyph and glyph_off the mark colours."""

    def __init__(self, states, inner, ring, glyph, glyph_off):
        self.states, self.inner, self.ring = states, inner, ring
        self.glyph, self.glyph_off = glyph, glyph_off

    def face(self, w, h, state, r=2, focused=False):
        border, top, bottom = self.states[state]
        img = box(w, h, border, top, bottom, r, self.inner[state])
        if focused:
            for x in range(2, w - 2):
                img.put(x, 1, self.ring)
                img.put(x, h - 2, self.ring)
            for y in range(2, h - 2):
                img.put(1, y, self.ring)
                img.put(w - 2, y, self.ring)
        return img

    def glyph_colour(self, state):
        return self.glyph_off if state == "disabled" else self.glyph

    def push_button(self):
        frames = [self.face(24, 22, s) for s in STATE_ORDER]
        frames.append(self.face(24, 22, "normal", focused=True))
        return strip(frames)

    def mdi_buttons(self):
        marks = [["......", "......", "......", "......", "######", "######"],
                 ["..####", "..####", "####.#", "####.#", "#..###", "####.."],
                 ["##..##", ".####.", "..##..", "..##..", ".####.", "##..##"]]
        cells = []
        for mark in marks:
            # Frames: normal, pressed, hot, and hot again (the engine shows
            # frame 4 for a hot button on the menu band).
            for state in ("normal", "pressed", "hot", "hot"):
                cell = self.face(15, 14, state)
                centred_glyph(cell, mark, self.glyph)
                cells.append(cell)
        return strip(cells)

    def toolbar_buttons(self, checked):
        """checked is the (border, top, bottom) of a button that is down."""
        w, h = 22, 22
        down = box(w, h, *checked, r=2)
        return strip([Image(w, h), self.face(w, h, "pressed"), Image(w, h), self.face(w, h, "hot"), down])

    def up_down(self, vertical):
        w, h = (16, 11) if vertical else (16, 16)
        frames = []
        for mark in ((SMALL_UP, SMALL_DOWN) if vertical else (SMALL_LEFT, SMALL_RIGHT)):
            for state in STATE_ORDER:
                img = self.face(w, h, state)
                centred_glyph(img, mark, self.glyph_colour(state))
                frames.append(img)
        return strip(frames)


# --- window frame ------------------------------------------------------------

def frame_top(stops, height, width):
    """The caption band, active above inactive; stops as for stops_ramp()."""
    frames = []
    for active in (True, False):
        img = Image(width, height)
        for y, c in enumerate(stops_ramp(stops[active], height)):
            img.fill(0, y, width, y + 1, c)
        frames.append(img)
    return strip(frames, vertical=True)


def frame_left(side):
    return strip([side(True), side(False)])


def frame_right(side):
    return strip([side(True).mirrored(), side(False).mirrored()])


def frame_bottom(edges):
    """edges[active] lists the border's colours from the outside in."""
    frames = []
    for active in (True, False):
        img = Image(32, len(edges[active]))
        for y, c in enumerate(reversed(edges[active])):
            img.fill(0, y, 32, y + 1, c)
        frames.append(img)
    return strip(frames, vertical=True)


def caption_bitmaps(button):
    """The caption buttons' entries, each drawn by button(mark, danger=False)."""
    return {
        "closebutton.bmp": lambda: button(CLOSE, danger=True),
        "maxbutton.bmp": lambda: button(MAXIMIZE),
        "minbutton.bmp": lambda: button(MINIMIZE),
        "restrorebutton.bmp": lambda: button(RESTORE),
    }


# --- menus -------------------------------------------------------------------

def menu_bar(looks):
    """looks[active] is (top, bottom, line under the band)."""
    frames = []
    for active in (True, False):
        top, bottom, line = looks[active]
        img = Image(40, 20)
        for y, c in enumerate(ramp(top, bottom, 19)):
            img.fill(0, y, 40, y + 1, c)
        img.fill(0, 19, 40, 20, line)
        frames.append(img)
    return strip(frames, vertical=True)


def menu_items(separator_y, separator, selected, selected_inner=None):
    """separator is (dark, light) lines from row separator_y; selected is
    (border, top, bottom) of the selected item."""
    w, h = 24, 20
    dark, light = separator
    line = Image(w, h)
    line.fill(3, separator_y, w - 3, separator_y + 1, dark)
    line.fill(3, separator_y + 1, w - 3, separator_y + 2, light)
    chosen = box(w, h, *selected, r=2, inner=selected_inner)
    return strip([Image(w, h), line, Image(w, h), chosen, Image(w, h)])


def menu_border(fill, rings):
    """rings are the colours of the outer rows, outside in."""
    img = Image(24, 24, fill)
    for i, c in enumerate(rings):
        for x in range(i, 24 - i):
            img.put(x, i, c)
            img.put(x, 23 - i, c)
        for y in range(i, 24 - i):
            img.put(i, y, c)
            img.put(23 - i, y, c)
    return img


# --- bars, tabs, headers -----------------------------------------------------

def progress(trough, bar, bar_inner):
    """trough and bar are (border, top, bottom)."""
    return strip([box(20, 14, *trough, r=2), box(20, 14, *bar, r=2, inner=bar_inner)])


def group_box_edge(colours):
    """The outline, enabled then disabled."""
    frames = []
    for colour in colours:
        img = Image(16, 16)
        img.overlay(box(16, 16, colour, MAGENTA, MAGENTA, r=2), 0, 0)
        frames.append(img)
    return strip(frames)


def tabs(w, h, r, ring, looks, face, accent, inner=None):
    """looks maps "selected", "normal", "hot" and "disabled" to (top, bottom);
    the selected tab ends in face, open into the pane."""
    frames = []
    for state in ("normal", "selected", "disabled", "hot", "normal"):
        top, bottom = looks[state]
        img = box(w, h, ring, top, bottom, r=r, inner=inner, corners=(True, True, False, False))
        if state == "selected":
            img.fill(2, 1, w - 2, 3, accent)
            img.fill(1, h - 1, w - 1, h, face)
        else:
            img.fill(0, h - 1, w, h, ring)
        frames.append(img)
    return strip(frames)


def status(h, top, bottom, shade, light):
    w = 16
    fill = ramp(top, bottom, h)
    frames = []
    for kind in ("lowered", "raised", "none"):
        img = Image(w, h)
        for y in range(h):
            img.fill(0, y, w, y + 1, fill[y])
        if kind != "none":
            dark, bright = (shade, light) if kind == "lowered" else (light, shade)
            img.fill(0, 0, w, 1, dark)
            img.fill(0, 0, 1, h, dark)
            img.fill(0, h - 1, w, h, bright)
            img.fill(w - 1, 0, w, h, bright)
        frames.append(img)
    return strip(frames)


def header(h, looks, inset, divider, line, hot):
    """looks maps "normal", "hot" and "pressed" to (top, bottom); divider is
    (dark, light), inset rows short of the top and bottom."""
    w = 20
    frames = []
    for state in ("normal", "hot", "pressed", "normal", "normal"):
        top, bottom = looks[state]
        img = Image(w, h)
        for y, c in enumerate(ramp(top, bottom, h)):
            img.fill(0, y, w, y + 1, c)
        img.fill(w - 2, inset, w - 1, h - inset, divider[0])
        img.fill(w - 1, inset, w, h - inset, divider[1])
        img.fill(0, h - 1, w, h, line)
        if state == "hot":
            img.fill(0, h - 3, w, h - 1, hot)
        frames.append(img)
    return strip(frames)


# --- combo boxes and edits ---------------------------------------------------

def sunk_edge(borders, inside, inside_off):
    frames = []
    for state in STATE_ORDER:
        fill = inside_off if state == "disabled" else inside
        frames.append(box(12, 21, borders[state], fill, fill, r=1))
    return strip(frames)


def combo_button(states, borders, inner, divider):
    """inner and divider map a state to the highlight inside the ring and to
    the column where the button meets the text area."""
    frames = []
    for state in STATE_ORDER:
        _, top, bottom = states[state]
        img = box(19, 21, borders[state], top, bottom, r=1, inner=inner[state], corners=(False, True, False, True))
        for y in range(1, 20):
            img.put(0, y, divider[state])
        frames.append(img)
    return strip(frames)


def combo_arrows(glyph_colour, grip, grip_shade):
    frames = []
    for state in STATE_ORDER:
        img = Image(11, 11)
        centred_glyph(img, DROP_ARROW, glyph_colour(state), dy=1)
        frames.append(img)
    dots = Image(11, 11)
    for x, y in GRIP_DOTS:
        dots.put(x + 2, y + 2, grip_shade)
        dots.fill(x, y, x + 2, y + 2, grip)
    frames.append(dots)
    return strip(frames)


# --- scroll bars -------------------------------------------------------------

def scroll_arrows(size, looks, inner, glyph_colour, grips, grip_shade):
    """The left, right, up and down buttons in every state, then the thumb
    grips (horizontal, then vertical: normal, pressed and hot colours in
    grips), then an empty cell."""
    frames = []
    for mark in (ARROW_LEFT, ARROW_RIGHT, ARROW_UP, ARROW_DOWN):
        for state in STATE_ORDER:
            img = box(size, size, *looks[state], r=2, inner=inner[state])
            centred_glyph(img, mark, glyph_colour(state))
            frames.append(img)
    first = (size - 7) // 2
    for vertical in (False, True):
        for colour in grips:
            g = Image(size, size)
            for i in (first, first + 3, first + 6):
                for j in range(first, first + 7):
                    if vertical:
                        g.put(j, i, colour)
                        g.put(j, i + 1, grip_shade)
                    else:
                        g.put(i, j, colour)
                        g.put(i + 1, j, grip_shade)
            frames.append(g)
    frames.append(Image(size, size))
    return strip(frames)


def scroll_track(vertical, size, base, edge, base_off, edge_off):
    frames = []
    for state in STATE_ORDER:
        off = state == "disabled"
        img = Image(16, size, base_off if off else base)
        line = edge_off if off else edge
        img.fill(0, 0, 16, 1, line)
        img.fill(0, size - 1, 16, size, line)
        frames.append(img.transposed() if vertical else img)
    return strip(frames)


def scroll_thumb(vertical, length, size, looks, r, inner=None):
    frames = []
    for state in ("normal", "pressed", "hot", "disabled", "normal"):
        img = box(length, size, *looks[state], r=r, inner=inner)
        frames.append(img.transposed() if vertical else img)
    return strip(frames)
