// Painting one scroll bar from the skin into a work bitmap: the track (4
// frames), both arrows and the thumb grip from the 23-frame strip, and the
// thumb. Shared by the bar overlays (WScrollbar.h) and the drop-down list's
// bar (ComboxScrollBar.h).
#pragma once
#include <windows.h>

namespace tf {

class TSkinData;

struct TScrollBarLook {
    bool Vertical = true;
    bool Enabled = true;
    int ArrowSize = 16;
    int HotPart = -1;        // TScrollPart
    bool Pressed = false;
    int ThumbStart = 0;      // along the bar
    int ThumbEnd = 0;
};

// The skin has what a bar needs (the 23-frame strip).
bool SkinHasScrollBar(const TSkinData* data);
// The cross-axis size of the drawn bar: the strip's height, or the arrow size
// when the two differ by more than 2.
int ScrollBarThickness(const TSkinData& data, int arrowSize);

// Draws into dc (the work bitmap, already filled with the face colour) a bar
// of rect's size (rect at the origin; its cross-axis size the thickness).
// The thumb is drawn only inside limit (the overlay's extent along the bar).
void PaintScrollBarParts(HDC dc, const RECT& rect, const TScrollBarLook& look, TSkinData& data, int limit);

} // namespace tf
