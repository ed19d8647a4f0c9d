// Shared drawing of the container family (status bars, group boxes) and of
// the tab family: a caption placed in a rectangle, and a status bar panel's
// frame.
#pragma once
#include <windows.h>

#include <string>

namespace tf {

class TControl;
class TDataSkinObject;

// Text in rect: transparent, measured with format, centred horizontally for
// DT_CENTER or across the rectangle otherwise, and centred vertically one
// pixel high; disabled text in the button shadow colour. control gives the
// reading order (TextFlags).
void DrawCaptionText(HDC dc, const RECT& rect, UINT format, bool enabled, const std::wstring& text, TControl* control);

// A status bar panel's frame for a bevel code (1 lowered, 2 raised, 3 none):
// that frame of the skin's three "StatusBarEdges" frames composed over rect
// and copied opaque, or without the element a one-pixel 3-D line.
void DrawPanelFrame(HDC dc, const RECT& rect, int bevel, TDataSkinObject* edges);

} // namespace tf
