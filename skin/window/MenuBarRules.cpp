#include "skin/window/MenuBarRules.h"

#include <algorithm>

namespace tf::menubar {

int StartX(bool hasElement, int leftMargin, int rightMargin, bool rightToLeft, int bandWidth)
{
    if (!hasElement) return 6;
    const int x0 = rightToLeft ? rightMargin + 8 : leftMargin + 4;
    return bandWidth < x0 ? 12 : x0;
}

std::vector<frame::TBox> LayoutItems(const std::vector<TBarItem>& items, int x0, int bandWidth, int bandHeight,
                                     bool rightToLeft, int rightToLeftLimit)
{
    std::vector<frame::TBox> out;
    out.reserve(items.size());
    int x = rightToLeft ? std::min(bandWidth - x0, rightToLeftLimit) : x0;
    for (const TBarItem& item : items) {
        if (!item.Visible) {
            out.push_back(frame::TBox{});
            continue;
        }
        const int width = item.EmptyCaption ? 0 : item.TextWidth + 10;
        if (rightToLeft) {
            out.push_back(frame::TBox{x - width, 0, x, bandHeight - 1});
            x -= width;
        } else {
            out.push_back(frame::TBox{x, 0, x + width, bandHeight - 1});
            x += width;
        }
    }
    return out;
}

frame::TBox CentredText(const frame::TBox& box, int measuredWidth, int measuredHeight)
{
    const int dx = (box.Width() - measuredWidth) / 2;
    const int dy = (box.Height() - measuredHeight) / 2;
    return frame::TBox{box.Left + dx, box.Top + dy, box.Left + dx + measuredWidth, box.Top + dy + measuredHeight};
}

wchar_t AccelCharOf(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i;   // "&&" is a literal ampersand
    }
    return 0;
}

namespace {
unsigned FoldAscii(unsigned c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }
} // namespace

bool IsAccel(unsigned key, const std::wstring& caption)
{
    const wchar_t accel = AccelCharOf(caption);
    return accel != 0 && key != 0 && FoldAscii(static_cast<unsigned>(accel)) == FoldAscii(key);
}

int FindAccelItem(const std::vector<TAccelItem>& items, unsigned key)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Enabled && items[i].Visible && IsAccel(key, items[i].Caption)) return static_cast<int>(i);
    return -1;
}

int StepItem(const std::vector<TBarItem>& items, int current, int step)
{
    const int n = static_cast<int>(items.size());
    if (n == 0) return -1;
    int i = current < 0 || current >= n ? (step > 0 ? -1 : n) : current;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + step) % n + n) % n;
        if (items[static_cast<size_t>(i)].Visible && !items[static_cast<size_t>(i)].EmptyCaption) return i;
    }
    return current;
}

} // namespace tf::menubar
