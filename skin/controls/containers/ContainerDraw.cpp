#include "skin/controls/containers/ContainerDraw.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/containers/ContainerGeometry.h"
#include "skin/data/SkinElements.h"
#include "skin/data/SkinText.h"

namespace tf {

void DrawCaptionText(HDC dc, const RECT& rect, UINT format, bool enabled, const std::wstring& text, TControl* control)
{
    TBkModeScope transparent(dc, TRANSPARENT);
    RECT measured = rect;
    DrawTextWide(dc, text, measured, format | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    const TLayoutRect place = CaptionTextRect({rect.left, rect.top, rect.right, rect.bottom}, measured.right - measured.left,
                                              measured.bottom - measured.top, format);
    RECT r{place.Left, place.Top, place.Right, place.Bottom};
    COLORREF oldColor = 0;
    if (!enabled) oldColor = SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextWide(dc, text, r, TextFlags(control, format | DT_EXPANDTABS));
    if (!enabled) SetTextColor(dc, oldColor);
}

void DrawPanelFrame(HDC dc, const RECT& rect, int bevel, TDataSkinObject* edges)
{
    if (rect.right < rect.left || rect.bottom < rect.top) return;
    if (edges && !edges->Empty()) {
        DrawElement(dc, rect, *edges->Bitmap, edges->Margins, bevel, 3, false, edges->Tile != 0, false);
        return;
    }
    if (bevel == pbcNone) return;
    const COLORREF shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    const COLORREF topLeft = bevel == pbcLowered ? shadow : light, bottomRight = bevel == pbcLowered ? light : shadow;
    TPenHandle first(CreatePen(PS_SOLID, 1, topLeft)), second(CreatePen(PS_SOLID, 1, bottomRight));
    {
        TSelectObject use(dc, first.Get());
        MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
        LineTo(dc, rect.left, rect.top);
        LineTo(dc, rect.right - 1, rect.top);
    }
    TSelectObject use(dc, second.Get());
    MoveToEx(dc, rect.right - 1, rect.top, nullptr);
    LineTo(dc, rect.right - 1, rect.bottom - 1);
    LineTo(dc, rect.left - 1, rect.bottom - 1);
}

} // namespace tf
