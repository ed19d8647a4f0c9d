// The arithmetic of skinned tab strips, free of the Windows API: which side
// the tabs are on, the pane and strip rectangles, where a tab lands in the
// strip bitmap (left and right strips are drawn lying down and rotated
// afterwards), the close box of a tab, where text goes beside an image, and
// which tabs of an old-style tab set fit. Halvings truncate toward zero.
#pragma once
#include <cstdint>
#include <vector>

#include "skin/controls/buttons/ButtonFaces.h"

namespace tf {

enum class TTabSide : uint8_t { Top = 0, Bottom = 1, Left = 2, Right = 3 };

// From a tab control's style: TCS_BOTTOM (2) with TCS_VERTICAL (0x80) is
// the right side, TCS_VERTICAL alone the left, TCS_BOTTOM alone the bottom.
TTabSide TabSideOfStyle(uint32_t style);

// The pane: the display area grown by 4 on each side and moved one pixel
// toward the tabs.
TLayoutRect TabPaneRect(TLayoutRect display, TTabSide side);
// The part of the control outside the pane on the tabs' side.
TLayoutRect TabStripRect(const TLayoutRect& control, const TLayoutRect& pane, TTabSide side);
// The strip bitmap's size: left and right strips lie down (width and
// height exchanged).
TLayoutSize TabStripBitmapSize(const TLayoutRect& strip, TTabSide side);
// A tab's rectangle (control coordinates) in the strip bitmap: top tabs
// one pixel down; bottom tabs up by the pane's bottom plus one; left and
// right tabs laid down so that rotating the bitmap left (right) brings them
// back to their place. controlWidth is the whole control's width.
TLayoutRect TabInStrip(const TLayoutRect& item, TTabSide side, const TLayoutRect& pane, TLayoutSize bitmap,
                       int controlWidth);
// The nine-grid margins of an image turned for a side: flipped upside down
// for the bottom (top and bottom exchange), rotated left for the left side
// and right for the right side (the pane image); `rotated` false keeps left
// and right images as they are (the tab image, which is drawn upright).
TLayoutRect MarginsForSide(const TLayoutRect& margins, TTabSide side, bool rotated);

// The close box of a tab (strip coordinates): 6 by 6 at its top right.
TLayoutRect TabCloseBox(const TLayoutRect& tab);

// The x of text (and the image before it) in a rectangle `width` wide:
// 3 for align 0, centred for 1, right with 2 to spare for 2; below 2 it is 1.
int ImageTextOffset(int align, int width, int textWidth, int imageWidth);

// An old-style tab set: the tabs drawn from `first`, each its text width
// plus 9 wide from startMargin on, while it fits before width - endMargin
// (needing 12 more while the scroller shows); a tab that does not fit is
// skipped and the next ones are still tried.
struct TTabSlot {
    int Index = 0;
    int Left = 0;
    int Right = 0;
    bool operator==(const TTabSlot&) const = default;
};
std::vector<TTabSlot> LayoutTabSet(const std::vector<int>& textWidths, int first, int startMargin, int width,
                                   int endMargin, bool scrollerVisible);

} // namespace tf
