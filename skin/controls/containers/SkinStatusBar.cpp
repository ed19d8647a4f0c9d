#include "skin/controls/containers/SkinStatusBar.h"

#include <commctrl.h>

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/StatusBar.h"
#include "framework/core/Collections.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/containers/ContainerDraw.h"
#include "skin/controls/containers/ContainerGeometry.h"
#include "skin/data/WinSkinData.h"

namespace tf {

namespace {

bool ReadsRightToLeft(TObject* object)
{
    const std::string mode = ReadEnumLower(object, "BiDiMode");
    return !mode.empty() && mode != "bdlefttoright";
}

TCollection* PanelsOf(TControl* control) { return dynamic_cast<TCollection*>(ReadObjectProperty(control, "Panels")); }

// The control's font with its style cleared.
TFontHandle PlainFont(HWND window, TControl* control)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (auto* f = dynamic_cast<TFont*>(ReadObjectProperty(control, "Font"))) font = f->Handle();
    LOGFONTA lf{};
    if (!font || !GetObjectA(font, sizeof lf, &lf)) GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = 0;
    return TFontHandle(CreateFontIndirectA(&lf));
}

RECT Narrowed(RECT r)
{
    r.left += 2;
    r.right -= 2;
    return r;
}

} // namespace

const TClassInfo& TSkinStatusBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinStatusBar>("TSkinStatusBar", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinStatusBar::TSkinStatusBar(TComponent* owner) : TSkinControl(owner), FBuffer(std::make_unique<TBitmap>()) {}

TSkinStatusBar::~TSkinStatusBar() = default;

bool TSkinStatusBar::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinStatusBar::DrawControl(HDC dc, const RECT& rect)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    FBuffer->SetPixelFormat(pf24bit);
    FBuffer->SetSize(w, h);
    HDC buffer = FBuffer->Canvas()->Handle();
    const RECT area{0, 0, w, h};
    FillFace(buffer, area);
    TFontHandle font = PlainFont(FHandle, FControl);
    {
        TSelectObject useFont(buffer, font.Get());
        TColor text = clWindowText;
        if (auto* f = dynamic_cast<TFont*>(ReadObjectProperty(FControl, "Font"))) text = f->Color();
        if (FSkinData->SkinStatusBar) text = FSkinData->SkinStatusBar->NormalColour2;
        const COLORREF oldColor = SetTextColor(buffer, ColorToRGB(text));
        DrawPanels(buffer, area);
        SetTextColor(buffer, oldColor);
    }
    if ((WindowLong(FHandle, GWL_STYLE) & SBARS_SIZEGRIP) && FSkinData->SkinExtraImages &&
        !FSkinData->SkinExtraImages->Empty()) {
        TDataSkinObject& grip = *FSkinData->SkinExtraImages;
        const int gw = grip.FrameWidth(), gh = grip.Bitmap->Height();
        DrawStripFrame(buffer, RECT{w - 1 - gw, h - 1 - gh, w - 1, h - 1}, grip.FrameCount, 5, *grip.Bitmap);
    }
    BitBlt(dc, rect.left, rect.top, w, h, buffer, 0, 0, SRCCOPY);
    if (auto* win = dynamic_cast<TWinControl*>(FControl)) win->PaintControls(dc);
    DrawOwnerPanels(dc);
}

void TSkinStatusBar::DrawPanels(HDC dc, const RECT& rect)
{
    TDataSkinObject* edges = FSkinData->SkinStatusBar.get();
    TCollection* panels = PanelsOf(FControl);
    const bool simple = ReadEnumLower(FControl, "SimplePanel") == "true" || !panels || panels->Count() == 0;
    if (simple) {
        const UINT format = ReadsRightToLeft(FControl) ? DT_RIGHT : DT_LEFT;
        std::wstring text = ReadTextProperty(FControl, "simpletext");
        if (text.empty()) text = L" ";
        DrawPanelFrame(dc, rect, pbcLowered, edges);
        DrawCaptionText(dc, Narrowed(rect), format, true, text, FControl);
        return;
    }
    for (int i = 0; i < panels->Count(); ++i) {
        RECT r{};
        if (!SendMessageA(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
        r.right += 2;
        if (i + 1 == panels->Count()) r.right = rect.right;
        TCollectionItem* panel = panels->Items(i);
        const UINT format = AlignmentFormat(ReadEnumLower(panel, "Alignment"), ReadsRightToLeft(panel));
        DrawPanelFrame(dc, r, PanelBevelCode(ReadEnumLower(panel, "Bevel")), edges);
        if (ReadEnumLower(panel, "Style") != "pstext") continue;
        std::wstring text = ReadTextProperty(panel, "Text");
        if (text.empty()) text = L" ";
        DrawCaptionText(dc, Narrowed(r), format, true, text, FControl);
    }
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc)
{
    // Owner-drawn panels are the application's, drawn over the skin.
    auto* bar = dynamic_cast<TCustomStatusBar*>(FControl);
    if (!bar || !bar->OnDrawPanel || bar->SimplePanel()) return;
    TCanvasPaintScope scope(*bar->Canvas(), dc);
    for (int i = 0; i < bar->Panels()->Count(); ++i) {
        TStatusPanel* panel = bar->Panels()->Items(i);
        RECT r{};
        if (panel->Style() != psOwnerDraw ||
            !SendMessageA(FHandle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)))
            continue;
        InflateRect(&r, -2, -2);
        bar->DrawPanel(panel, r);
    }
}

} // namespace tf
