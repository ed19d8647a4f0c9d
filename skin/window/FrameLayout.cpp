#include "skin/window/FrameLayout.h"

namespace tf::frame {

int FrameKindOf(uint32_t windowStyle, uint32_t exStyle)
{
    if ((windowStyle & style::Caption) != style::Caption) return 2;
    int kind = 1;
    if (windowStyle & style::ThickFrame) kind = 0;
    else if (windowStyle & style::ModalFrame) kind = 3;
    if (exStyle & style::ExDlgModalFrame) kind = 3;
    return kind;
}

int ButtonMaskOf(uint32_t windowStyle, uint32_t exStyle, bool systemMenuKnown)
{
    int mask = 0;
    if ((windowStyle & style::SysMenu) || systemMenuKnown) mask |= 8;
    if (windowStyle & style::MinimizeBox) mask |= 2;
    if (windowStyle & style::MaximizeBox) mask |= 1;
    if (exStyle & style::ExContextHelp) mask |= 4;
    return mask;
}

int WindowStateOfShowCommand(unsigned showCommand)
{
    switch (showCommand) {
    case 2:
    case 6:
    case 7: return 2;
    case 3: return 1;
    default: return 0;
    }
}

TBox SkinClientBox(int x, int y, int cx, int cy, int borderLeft, int borderTop, int borderRight, int borderBottom,
                   int menuBarHeight)
{
    TBox b{x + borderLeft, y + borderTop + menuBarHeight, x + cx - borderRight, y + cy - borderBottom};
    if (b.Right < b.Left) b.Right = b.Left;
    if (b.Bottom < b.Top) b.Bottom = b.Top;
    return b;
}

int SkinHitTest(int previous, int frameY, int borderTop, int menuBarHeight)
{
    if (previous != HitNowhere && previous != HitCaption) return previous;
    int hit = previous;
    if (frameY > 3) hit = HitCaption;
    if (frameY > borderTop && menuBarHeight > 0) hit = HitMenu;
    return hit;
}

TBox CaptionTextBox(const TCaptionTextInput& in)
{
    const TBox& a = in.Area;
    TBox t{a.Left, a.Top, a.Left + in.TextWidth + in.BackLeft + in.BackRight, a.Top + in.TextHeight};
    const int w = t.Width(), h = t.Height();
    int x = 0;
    if (!in.RightToLeft) {
        switch (in.Alignment) {
        case 0: x = in.TextShift; break;
        case 1: x = (a.Width() - w) / 2; break;
        case 2: x = a.Width() - in.TextRightClip - w; break;
        default: break;
        }
    } else {
        switch (in.Alignment) {
        case 0: x = a.Width() - in.RightButtonsExtent - w; break;
        case 1: x = (a.Width() - w - in.RightButtonsExtent) / 2; break;
        case 2: x = in.TextShift; break;
        default: break;
        }
    }
    const int y = (a.Height() - h) / 2 + in.TextShiftVert / 2;
    t = TBox{t.Left + x, t.Top + y, t.Right + x, t.Bottom + y};
    if (in.RightToLeft && x <= 0) t.Left = in.TextShift;
    if (in.RightToLeft) {
        t.Left += 10;
        t.Right += 10;
    } else if (in.PopupStyle) {
        if (a.Right - in.RightButtonsExtent - 5 < t.Right && in.RightButtonsExtent > 5)
            t.Right = a.Right - in.RightButtonsExtent - 5;
    } else if (a.Right - in.TextRightClip < t.Right) {
        t.Right = a.Right - in.TextRightClip;
    }
    if (in.DialogFrame && in.Alignment == 0) t.Left -= 16;
    return t;
}

int DialogGrowthShift(int width, int needed) { return width < needed ? (needed - width) / 2 : 0; }

} // namespace tf::frame
