#include "skin/controls/tabbars/TabGeometry.h"

namespace tf {

TTabSide TabSideOfStyle(uint32_t style)
{
    const bool bottom = style & 0x2, vertical = style & 0x80;
    if (bottom && vertical) return TTabSide::Right;
    if (vertical) return TTabSide::Left;
    return bottom ? TTabSide::Bottom : TTabSide::Top;
}

TLayoutRect TabPaneRect(TLayoutRect r, TTabSide side)
{
    r.Left -= 4;
    r.Top -= 4;
    r.Right += 4;
    r.Bottom += 4;
    switch (side) {
    case TTabSide::Top: ++r.Top; break;
    case TTabSide::Bottom: --r.Bottom; break;
    case TTabSide::Left: ++r.Left; break;
    case TTabSide::Right: --r.Right; break;
    }
    return r;
}

TLayoutRect TabStripRect(const TLayoutRect& c, const TLayoutRect& pane, TTabSide side)
{
    switch (side) {
    case TTabSide::Top: return {c.Left, c.Top, c.Right, pane.Top};
    case TTabSide::Bottom: return {c.Left, pane.Bottom, c.Right, c.Bottom};
    case TTabSide::Left: return {c.Left, c.Top, pane.Left, c.Bottom};
    case TTabSide::Right: return {pane.Right, c.Top, c.Right, c.Bottom};
    }
    return {};
}

TLayoutSize TabStripBitmapSize(const TLayoutRect& strip, TTabSide side)
{
    const int w = strip.Right - strip.Left, h = strip.Bottom - strip.Top;
    if (side == TTabSide::Left || side == TTabSide::Right) return {h, w};
    return {w, h};
}

TLayoutRect TabInStrip(const TLayoutRect& item, TTabSide side, const TLayoutRect& pane, TLayoutSize bitmap,
                       int controlWidth)
{
    switch (side) {
    case TTabSide::Top: return {item.Left, item.Top + 1, item.Right, item.Bottom + 1};
    case TTabSide::Bottom: {
        const int up = pane.Bottom + 1;
        return {item.Left, item.Top - up, item.Right, item.Bottom - up};
    }
    case TTabSide::Left: return {bitmap.Width - item.Bottom, item.Left, bitmap.Width - item.Top, item.Right};
    case TTabSide::Right:
        return {item.Top - 1, controlWidth - item.Right, item.Bottom - 1, controlWidth - item.Left};
    }
    return item;
}

TLayoutRect MarginsForSide(const TLayoutRect& m, TTabSide side, bool rotated)
{
    switch (side) {
    case TTabSide::Bottom: return {m.Left, m.Bottom, m.Right, m.Top};
    case TTabSide::Left: return rotated ? TLayoutRect{m.Top, m.Right, m.Bottom, m.Left} : m;
    case TTabSide::Right: return rotated ? TLayoutRect{m.Bottom, m.Left, m.Top, m.Right} : m;
    case TTabSide::Top: break;
    }
    return m;
}

TLayoutRect TabCloseBox(const TLayoutRect& tab) { return {tab.Right - 8, tab.Top + 2, tab.Right - 2, tab.Top + 8}; }

int ImageTextOffset(int align, int width, int textWidth, int imageWidth)
{
    int x = 3;
    if (align == 1) x = (width - textWidth - imageWidth) / 2;
    else if (align == 2) x = width - textWidth - imageWidth - 2;
    return x < 2 ? 1 : x;
}

std::vector<TTabSlot> LayoutTabSet(const std::vector<int>& textWidths, int first, int startMargin, int width,
                                   int endMargin, bool scrollerVisible)
{
    std::vector<TTabSlot> slots;
    const int limit = width - endMargin;
    const int need = scrollerVisible ? 21 : 9;
    int x = startMargin;
    for (int i = first < 0 ? 0 : first; i < static_cast<int>(textWidths.size()); ++i) {
        const int w = textWidths[static_cast<size_t>(i)];
        if (limit < x + w + need) continue;
        slots.push_back({i, x, x + w + 9});
        x += w + 9;
    }
    return slots;
}

} // namespace tf
