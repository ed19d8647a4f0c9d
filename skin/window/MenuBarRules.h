// The arithmetic of the skinned menu bar as plain functions: where the first
// item starts, where every item goes, which item a key opens ("&"
// accelerators) and which item the arrow keys move to. No Windows calls:
// built and tested natively too. Halvings truncate toward zero.
#pragma once
#include <climits>
#include <string>
#include <vector>

#include "skin/window/FrameLayout.h"

namespace tf::menubar {

// Where the first item starts, from the band's near edge: the element's left
// margin + 4 (right margin + 8 for a right-to-left menu), or 12 when the band
// is narrower than that; 6 without a menu bar element.
int StartX(bool hasElement, int leftMargin, int rightMargin, bool rightToLeft, int bandWidth);

struct TBarItem {
    int TextWidth = 0;   // the caption as measured
    bool Visible = true;
    bool EmptyCaption = false;
};

// The items' rectangles in band coordinates: each visible item is its text
// width + 10 wide (0 for an empty caption) and (band height - 1) high, laid
// left to right from x0, or right to left from bandWidth - x0 but not right
// of rightToLeftLimit. Invisible items get an empty rectangle.
std::vector<frame::TBox> LayoutItems(const std::vector<TBarItem>& items, int x0, int bandWidth, int bandHeight,
                                     bool rightToLeft, int rightToLeftLimit = INT_MAX);

// The text rectangle moved so that a measured w x h text is centred in the
// box (each halving truncated).
frame::TBox CentredText(const frame::TBox& box, int measuredWidth, int measuredHeight);

// The accelerator of a caption: the character after the first "&" that is
// not part of a doubled "&&"; 0 when there is none.
wchar_t AccelCharOf(const std::wstring& caption);
// Whether key opens an item with this caption (ASCII letters ignore case).
bool IsAccel(unsigned key, const std::wstring& caption);

struct TAccelItem {
    std::wstring Caption;
    bool Enabled = true;
    bool Visible = true;
};
// The first enabled, visible item whose caption has key as its accelerator;
// -1 when none.
int FindAccelItem(const std::vector<TAccelItem>& items, unsigned key);

// The bar item the Left (step -1) or Right (step +1) key moves to from
// current, skipping items that cannot open (invisible or without caption),
// wrapping at both ends; current itself when no other item can open, -1 for
// an empty bar.
int StepItem(const std::vector<TBarItem>& items, int current, int step);

} // namespace tf::menubar
