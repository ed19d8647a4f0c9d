#include "skin/controls/containers/ContainerGeometry.h"

namespace tf {

int PanelBevelCode(std::string_view bevelLower)
{
    if (bevelLower == "pbraised") return pbcRaised;
    if (bevelLower == "pbnone") return pbcNone;
    return pbcLowered;
}

unsigned AlignmentFormat(std::string_view alignmentLower, bool rightToLeft)
{
    constexpr unsigned left = 0, right = kTextRight, centre = kTextCenter;
    if (alignmentLower == "tacenter") return centre;
    const bool isRight = alignmentLower == "tarightjustify";
    return isRight != rightToLeft ? right : left;
}

TLayoutRect CaptionTextRect(const TLayoutRect& rect, int textWidth, int textHeight, unsigned format)
{
    const int rw = rect.Right - rect.Left, rh = rect.Bottom - rect.Top;
    TLayoutRect r{rect.Left, rect.Top, rect.Right, rect.Top + textHeight};
    if (format == kTextCenter) {
        r.Left = rect.Left + (rw - textWidth) / 2;
        r.Right = r.Left + textWidth;
    }
    const int down = (rh - textHeight) / 2 - 1;
    r.Top += down;
    r.Bottom += down;
    return r;
}

int GroupBoxLineY(int textHeight) { return textHeight / 2 - 1; }

TGlyphStripMap GlyphStripMap(int kind, int sourceFrames)
{
    TGlyphStripMap m;
    switch (kind) {
    case 1:
        m.Cells = 9;
        m.Copies = {{0, 1}, {1, 2}, {3, 1}, {4, 2}, {6, 3}, {7, 4}};
        if (sourceFrames == 5) m.Copies.insert(m.Copies.end(), {{2, 5}, {5, 5}, {8, 5}});
        break;
    case 2:
        m.Cells = 6;
        m.Copies = {{0, 1}, {1, 2}, {2, 1}, {3, 2}, {4, 3}, {5, 4}};
        break;
    case 3:
        m.Cells = 6;
        m.Copies = {{0, 1}, {1, 2}, {3, 1}, {4, 2}};
        if (sourceFrames == 5) m.Copies.insert(m.Copies.end(), {{2, 5}, {5, 5}});
        break;
    default: break;
    }
    return m;
}

} // namespace tf
