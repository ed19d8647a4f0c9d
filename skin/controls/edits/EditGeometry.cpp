#include "skin/controls/edits/EditGeometry.h"

namespace tf {

int ComboButtonFrame(bool enabled, bool pressed, bool focusedOrHot)
{
    if (!enabled) return 3;
    return pressed ? 2 : focusedOrHot ? 4 : 1;
}

int ComboInsetFrame(bool enabled, bool pressed, bool focusedOrHot)
{
    if (pressed) return 2;
    if (focusedOrHot) return 4;
    return enabled ? 1 : 3;
}

TComboLayout ComboButtonLayout(int width, int height, int arrowWidth, bool buttonLeft)
{
    const int a = arrowWidth;
    TComboLayout l;
    if (buttonLeft) {
        l.Text = {a + 4, 2, width - 2, height - 2};
        l.Button = {0, 0, a + 2, height};
        l.Glyph = {2, 0, a + 2, height};
    } else {
        l.Text = {2, 2, width - a - 4, height - 2};
        l.Button = {width - a - 2, 0, width, height};
        l.Glyph = {width - a - 2, 0, width - 2, height};
    }
    return l;
}

TLayoutRect ComboInsetStrip(int width, int height, int stripWidth, bool buttonLeft)
{
    const TLayoutRect inner{2, 2, width - 2, height - 2};
    if (buttonLeft) return {inner.Left, inner.Top, inner.Left + stripWidth, inner.Bottom};
    return {inner.Right - stripWidth, inner.Top, inner.Right, inner.Bottom};
}

TLayoutRect ComboInsetButton(int width, int height, int stripWidth, int frameWidth, int bitmapHeight, bool buttonLeft)
{
    const TLayoutRect inner{2, 2, width - 2, height - 2};
    TLayoutRect r = buttonLeft ? TLayoutRect{inner.Left, inner.Top, inner.Left + frameWidth, inner.Bottom}
                               : TLayoutRect{inner.Right - frameWidth, inner.Top, inner.Right, inner.Bottom};
    if (bitmapHeight < stripWidth) r.Bottom = r.Top + bitmapHeight;
    return r;
}

void UpDownHalves(int width, int height, bool sideBySide, TUpDownHalf halves[2])
{
    if (sideBySide) {
        const int split = width / 2;
        halves[0] = {{0, 0, split, height}, adLeft};
        halves[1] = {{split, 0, width, height}, adRight};
    } else {
        const int split = height / 2;
        halves[0] = {{0, 0, width, split}, adUp};
        halves[1] = {{0, split, width, height}, adDown};
    }
}

int UpDownState(bool enabled, bool cursorOver, bool pressed, bool hot)
{
    if (!enabled) return 3;
    if (!cursorOver) return 1;
    return pressed ? 2 : hot ? 4 : 1;
}

int UpDownFrame(int direction, int state, bool sideBySide) { return direction * 4 + state - (sideBySide ? 8 : 0); }

TLayoutRect UpDownInEditRect(const TLayoutRect& upDown, const TLayoutRect& edit)
{
    TLayoutRect r{0, 0, upDown.Right - upDown.Left, upDown.Bottom - upDown.Top};
    if (const int gap = upDown.Top - edit.Top; gap < 3) r.Top += 3 - gap;
    if (const int gap = edit.Bottom - upDown.Bottom; gap < 3) r.Bottom -= 3 - gap;
    if (const int gap = edit.Right - upDown.Right; gap < 3) r.Right -= 3 - gap;
    return r;
}

std::vector<TGlyphLine> ArrowGlyphLines(int x, int y, int direction)
{
    std::vector<TGlyphLine> lines;
    switch (direction) {
    case adUp:
        for (int i = 0; i <= 4; ++i) lines.push_back({x - i, y + i, x + i, y + i});
        break;
    case adDown:
        for (int i = 0; i <= 4; ++i) lines.push_back({x - i, y + 4 - i, x + i, y + 4 - i});
        break;
    case adLeft:
        for (int i = 0; i <= 2; ++i) lines.push_back({x - 1 + i, y - i, x - 1 + i, y + i});
        break;
    case adRight:
        for (int i = 0; i <= 2; ++i) lines.push_back({x + 1 - i, y - i, x + 1 - i, y + i});
        break;
    default: break;
    }
    return lines;
}

} // namespace tf
