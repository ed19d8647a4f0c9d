// TSkinComBox's drawing: the border ring and drop-down button in the plain,
// composite, inset and extended variants.
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/edits/EditDraw.h"
#include "skin/controls/edits/EditGeometry.h"
#include "skin/controls/edits/SkinComBox.h"
#include "skin/data/WinSkinData.h"

namespace tf {

namespace {
RECT ToRect(const TLayoutRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
} // namespace

void TSkinComBox::DrawControl(HDC dc, const RECT& rect)
{
    TDataSkinBorder* button = FSkinData->SkinComboButton.get();
    if (!button || button->Empty()) return;
    FStyle = WindowLong(FHandle, GWL_STYLE);
    FExStyle = WindowLong(FHandle, GWL_EXSTYLE);
    // Without the system's combo information there is no button to draw.
    if (!ReadComboInfo()) return;
    FButtonRect = FInfo.rcButton;
    if (FInfo.stateButton & STATE_SYSTEM_INVISIBLE) return;
    if (button->Style == 1) {
        DrawInset(dc, rect);
        return;
    }
    const RECT r{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    // The combo has the focus when its edit part has it.
    HWND focus = GetFocus();
    FFocused = focus && (focus == FHandle || IsChild(FHandle, focus));
    FEnabled = !(FStyle & WS_DISABLED);
    const int frame = ComboButtonFrame(FEnabled, Pressed(), FFocused || Hot());
    const bool buttonLeft = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    if (FExtendedMode) {
        DrawExtended(dc, r, frame);
        return;
    }
    if (button->Style == 2) {
        // Border and button composed into one element (the composite the
        // skin data made); its mirror image has the button on the left.
        TDataSkinObject* whole = button;
        if (buttonLeft && FSkinData->SkinSunkEdge && !FSkinData->SkinSunkEdge->Empty()) whole = FSkinData->SkinSunkEdge.get();
        DrawElement(dc, r, *whole->Bitmap, whole->Margins, frame, whole->FrameCount, true, whole->Tile != 0, false);
        return;
    }
    DrawPlain(dc, r, frame, buttonLeft);
}

void TSkinComBox::DrawPlain(HDC dc, const RECT& r, int frame, bool buttonLeft)
{
    TDataSkinBorder& button = *FSkinData->SkinComboButton;
    const TComboLayout layout = ComboButtonLayout(r.right, r.bottom, GetSystemMetrics(SM_CXHSCROLL), buttonLeft);
    const int saved = SaveDC(dc);
    const RECT text = ToRect(layout.Text);
    ExcludeClipRect(dc, text.left, text.top, text.right, text.bottom);
    if (TDataSkinObject* edge = FSkinData->SkinSunkEdge.get(); edge && !edge->Empty())
        DrawElementFrame(dc, r, edge->FrameCount, frame, *edge);
    FButtonRect = ToRect(layout.Button);
    DrawStripFrame(dc, FButtonRect, button.FrameCount, frame, buttonLeft ? *button.Bitmap2 : *button.Bitmap);
    if (TDataSkinObject* glyphs = FSkinData->SkinExtraImages.get(); glyphs && !glyphs->Empty())
        DrawElementCentered(dc, ToRect(layout.Glyph), *glyphs->Bitmap, true, glyphs->FrameCount, frame);
    RestoreDC(dc, saved);
}

void TSkinComBox::DrawInset(HDC dc, const RECT& rect)
{
    TDataSkinBorder& button = *FSkinData->SkinComboButton;
    HWND focus = GetFocus();
    FFocused = focus && (focus == FHandle || IsChild(FHandle, focus));
    FEnabled = !(FStyle & WS_DISABLED);
    const int frame = ComboInsetFrame(FEnabled, Pressed(), FFocused || Hot());
    const bool buttonLeft = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const RECT r{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    const int strip = GetSystemMetrics(SM_CYVTHUMB);
    // The control's background is the DC's brush.
    HBRUSH background = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT ring = r;
    InflateRect(&ring, -1, -1);
    FrameRect(dc, &ring, background);
    const RECT fill = ToRect(ComboInsetStrip(r.right, r.bottom, strip, buttonLeft));
    FillRect(dc, &fill, background);
    FButtonRect = ToRect(ComboInsetButton(r.right, r.bottom, strip, button.FrameWidth(), button.Bitmap->Height(), buttonLeft));
    TBrushHandle shadow(CreateSolidBrush(ColorToRGB(FSkinData->FColors[SkinColor::ButtonShadow])));
    FrameRect(dc, &r, shadow.Get());
    TBitmap& image = buttonLeft && !button.Bitmap2->Empty() ? *button.Bitmap2 : *button.Bitmap;
    DrawStripFrame(dc, FButtonRect, button.FrameCount, frame, image);
}

void TSkinComBox::DrawExtended(HDC dc, const RECT& r, int frame)
{
    DrawFlatBorder(FHandle, dc, r, 1, FSkinData->FColors[SkinColor::ButtonShadow]);
    HWND child = GetWindow(FHandle, GW_CHILD);
    if (!child) return;
    RECT part{}, mine{};
    GetWindowRect(child, &part);
    GetWindowRect(FHandle, &mine);
    OffsetRect(&part, -mine.left, -mine.top);
    FillFace(dc, part);
    if (TDataSkinObject* arrow = FSkinData->SkinComboArrow.get(); arrow && !arrow->Empty())
        DrawStripFrame(dc, part, arrow->FrameCount, frame, *arrow->Bitmap);
}

} // namespace tf
