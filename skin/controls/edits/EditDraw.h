// Shared drawing of the edit family (edits, combo boxes, spin buttons, date
// pickers): the flat skin border that replaces a sunken 3-D border, and the
// small arrow glyph of spin buttons drawn without a skin element.
#pragma once
#include <windows.h>

#include "framework/graphics/Color.h"

namespace tf {

// Nothing when the window has no non-client border (its client width or
// height equals rect's); otherwise a one-pixel frame of shadow on rect and
// on the innerWidth rings inside it white, or the control's own colour when
// it is not the system window colour.
void DrawFlatBorder(HWND window, HDC dc, const RECT& rect, int innerWidth, TColor shadow);

// The arrow of TArrowDirection (EditGeometry.h) drawn with dc's current pen
// (see ArrowGlyphLines).
void DrawArrowGlyph(HDC dc, int x, int y, int direction);

} // namespace tf
