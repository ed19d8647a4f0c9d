#include "skin/controls/edits/EditDraw.h"

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
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RECT ring = rect;
    for (int i = 0; i < innerWidth; ++i) {
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, white);
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
