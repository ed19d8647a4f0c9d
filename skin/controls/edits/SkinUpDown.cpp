#include "skin/controls/edits/SkinUpDown.h"

#include <commctrl.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/edits/EditDraw.h"
#include "skin/controls/edits/EditGeometry.h"
#include "skin/data/WinSkinData.h"

namespace tf {

namespace {
TLayoutRect ToLayout(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const TLayoutRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
} // namespace

const TClassInfo& TSkinUpDown::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinUpDown>("TSkinUpDown", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinUpDown::TSkinUpDown(TComponent* owner) : TSkinControl(owner) {}

bool TSkinUpDown::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control's own press, capture and auto-repeat run first.
        if (!CallDefault(m)) return false;
        SetPressed(true);
        PaintControl(nullptr);
        return false;
    case WM_LBUTTONUP:
        SetPressed(false);
        if (CallDefault(m)) PaintControl(nullptr);
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinUpDown::DrawControl(HDC dc, const RECT& whole)
{
    RECT rect = whole;
    if (FInEdit) {
        RECT client;
        GetClientRect(FHandle, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT mine{}, edit{};
        GetWindowRect(FHandle, &mine);
        GetWindowRect(GetParent(FHandle), &edit);
        rect = ToRect(UpDownInEditRect(ToLayout(mine), ToLayout(edit)));
    }
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    // Drawn in place: the paint route gives an off-screen DC already.
    HDC wdc = dc;
    TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, rect.left, rect.top, nullptr);
    IntersectClipRect(dc, 0, 0, w, h);
    SetStretchBltMode(wdc, COLORONCOLOR);
    FillFace(wdc, RECT{0, 0, w, h});
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(FHandle, &cursor);
    cursor.x -= rect.left;
    cursor.y -= rect.top;
    const bool enabled = !(WindowLong(FHandle, GWL_STYLE) & WS_DISABLED);
    FEnabled = enabled;
    const bool sideBySide = FHorizontal == 1 || (WindowLong(FHandle, GWL_STYLE) & UDS_HORZ);
    TUpDownHalf halves[2];
    UpDownHalves(w, h, sideBySide, halves);
    TDataSkinBorder* element = sideBySide ? FSkinData->SkinUpDownHorz.get() : FSkinData->SkinUpDownVert.get();
    if (element && element->Empty()) element = nullptr;
    for (const TUpDownHalf& half : halves) {
        const RECT r = ToRect(half.Rect);
        const int state = UpDownState(enabled, PtInRect(&r, cursor) != 0, Pressed(), Hot());
        if (element) {
            const int frame = UpDownFrame(half.Direction, state, sideBySide);
            DrawElementStretched(wdc, r, *element->Bitmap, frame, element->FrameCount, true);
            if (!element->Bitmap2->Empty())
                DrawElementCentered(wdc, r, *element->Bitmap2, true, element->FrameCount, frame);
            continue;
        }
        const TColor fill = state == 2 || state == 4 ? FSkinData->FColors[SkinColor::ButtonShadow] : FaceColor();
        TBrushHandle brush(CreateSolidBrush(ColorToRGB(fill)));
        TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(FSkinData->FColors[SkinColor::ButtonDkShadow])));
        TSelectObject useBrush(wdc, brush.Get()), usePen(wdc, pen.Get());
        Rectangle(wdc, r.left, r.top, r.right, r.bottom);
        const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
        const bool vertical = half.Direction == adUp || half.Direction == adDown;
        DrawArrowGlyph(wdc, cx, vertical ? cy - 2 : cy, half.Direction);
    }
}

} // namespace tf
