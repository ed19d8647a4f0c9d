// Painting a control's parent under the control, so that a transparent
// skinned face shows what lies behind it.
#pragma once
#include <windows.h>

namespace tf {

// Has the parent window erase and paint (WM_ERASEBKGND, then WM_PAINT, each
// with dc as wParam) into dc, with dc's origin moved so that the parent's
// coordinates land where the control is, and clipped to the control's client
// rectangle (clientRect moved by position). The DC's state is restored. At
// design time a failure of the first message skips the second.
void PaintParentBackground(HWND parent, POINT position, const RECT& clientRect, HDC dc, bool designing = false);

// The same for a windowed control: its parent, its position in the parent's
// client area and its client rectangle. Nothing for a window without parent.
void PaintParentBackground(HWND control, HDC dc);

} // namespace tf
