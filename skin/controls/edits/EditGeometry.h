// The arithmetic of skinned edits, combo boxes and spin buttons, free of the
// Windows API so that it is built and tested natively: the frame a combo
// button shows, where its text area, button and glyph go, the halves of an
// up-down control with their frames, the rectangle a spin button inside an
// edit keeps clear of the edit's border ring, and the lines of the small
// arrow glyph. Frames count from 1; halvings truncate toward zero.
#pragma once
#include <vector>

#include "skin/controls/buttons/ButtonFaces.h"

namespace tf {

// ------------------------------------------------------------------ combo boxes

// The combo button's frame: 2 pressed, 4 focused or hot, else 1; a disabled
// combo shows 3.
int ComboButtonFrame(bool enabled, bool pressed, bool focusedOrHot);
// The inset variant: pressed, then focused or hot, win over disabled.
int ComboInsetFrame(bool enabled, bool pressed, bool focusedOrHot);

struct TComboLayout {
    TLayoutRect Text;     // kept out of the drawing (the edit or the item)
    TLayoutRect Button;   // the button image is stretched over it
    TLayoutRect Glyph;    // the arrow glyph is centred in it
};
// The plain variant: a button arrowWidth + 2 wide at the right edge (or the
// left edge, for a right-to-left combo) over the whole height.
TComboLayout ComboButtonLayout(int width, int height, int arrowWidth, bool buttonLeft);

// The inset variant's button: in the rectangle 2 pixels inside the control,
// a strip one button frame wide at the right (or left) inner edge, as high
// as the inner rectangle or, for a bitmap lower than stripWidth, as the bitmap.
TLayoutRect ComboInsetButton(int width, int height, int stripWidth, int frameWidth, int bitmapHeight, bool buttonLeft);
// The strip the inset variant fills with the control's background first.
TLayoutRect ComboInsetStrip(int width, int height, int stripWidth, bool buttonLeft);

// ------------------------------------------------------------------ up-down

// Arrow directions, also the order of the up-down element's buttons.
enum TArrowDirection : int { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };

struct TUpDownHalf {
    TLayoutRect Rect;
    int Direction = adUp;
};
// The two buttons of an up-down of the given size: side by side (left and
// right halves, split at width / 2) or stacked (split at height / 2).
void UpDownHalves(int width, int height, bool sideBySide, TUpDownHalf halves[2]);
// A button's state: 3 disabled; 1 unless the cursor is over it; over it, 2
// while pressed, 4 when hot, else 1.
int UpDownState(bool enabled, bool cursorOver, bool pressed, bool hot);
// The frame of the up-down element for a button: direction * 4 + state,
// less 8 side by side (the first button 1-4, the second 5-8).
int UpDownFrame(int direction, int state, bool sideBySide);
// The drawing rectangle (at the origin, width x height) of an up-down inside
// an edit: its top, bottom and right edge kept 3 pixels inside the edit's
// (both rectangles in screen coordinates).
TLayoutRect UpDownInEditRect(const TLayoutRect& upDown, const TLayoutRect& edit);

// ------------------------------------------------------------------ arrow glyph

// A pen line from (X1, Y1) to (X2, Y2), both ends drawn.
struct TGlyphLine {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool operator==(const TGlyphLine&) const = default;
};
// The small arrow: up and down a wedge 9 pixels wide and 4 high (rows of 1,
// 3, 5, 7 and 9 pixels) with its point at (x, y) for up and (x, y + 4) for
// down; left and right a triangle 3 pixels wide and 5 high around (x, y)
// (columns of 1, 3 and 5 pixels) pointing that way.
std::vector<TGlyphLine> ArrowGlyphLines(int x, int y, int direction);

} // namespace tf
