#include "skin/controls/edits/EditDraw.h"

#include "framework/controls/ControlAtom.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/edits/EditGeometry.h"

namespace tf {

void DrawFlatBorder(HWND window, HDC dc, const RECT& rect, int innerWidth, TColor shadow)
{
    RECT client{};
    if (!GetClientRect(window, &client)) return;
    if (client.right == rect.right - rect.left || client.bottom == rect.bottom - rect.top) return;
    TBrushHandle dark(CreateSolidBrush(ColorToRGB(shadow)));
    FrameRect(dc, &rect, dark.Get());
    // The rings join the border to the control's own background: white for
    // the system's, the control's colour where it has one of its own (a
    // skin's window colour, say).
    const TControl* control = FindControl(window);
    const TColor inner = control && control->Color() != clWindow ? control->Color() : clWhite;
    TBrushHandle ringBrush(CreateSolidBrush(ColorToRGB(inner)));
    RECT ring = rect;
    for (int i = 0; i < innerWidth; ++i) {
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, ringBrush.Get());
    }
}

void DrawArrowGlyph(HDC dc, int x, int y, int direction)
{
    for (const TGlyphLine& line : ArrowGlyphLines(x, y, direction)) {
        MoveToEx(dc, line.X1, line.Y1, nullptr);
        // LineTo leaves out the end point: go one past it.
        if (line.Y1 == line.Y2) LineTo(dc, line.X2 + 1, line.Y2);
        else LineTo(dc, line.X2, line.Y2 + 1);
    }
}

} // namespace tf
