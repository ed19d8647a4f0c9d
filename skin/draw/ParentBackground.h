// Painting a control's parent under the control, so that a transparent
// skinned face shows what lies behind it.
#pragma once
#include <windows.h>

namespace tf {

class TControl;

// Has the control's parent handle WM_ERASEBKGND and then WM_PAINT, each with
// dc as wParam, with dc's origin moved so that the parent's coordinates land
// where the control is and clipped to the control's client rectangle moved by
// its position in the parent. The DC's state is restored. Nothing for a
// control without parent. At design time a failure of the first message
// skips the second and is not passed on.
void PaintParentBackground(TControl* control, HDC dc);

// The same for a bare window: its parent window is sent the messages.
void PaintParentBackground(HWND control, HDC dc);

} // namespace tf
