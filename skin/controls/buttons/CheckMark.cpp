#include "skin/controls/buttons/CheckMark.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinPlatform.h"

namespace tf {

const TClassInfo& TSkinCheckMark::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinCheckMark>("TSkinCheckMark", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinCheckMark::TSkinCheckMark(TComponent* owner) : TSkinControl(owner) {}

void TSkinCheckMark::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinControl::Attach(form, data, setColor, canvas);
    FMode = FControl && Strip() ? 1 : 0;
    FTransparent = (FControl && FControl->Tag() == 5555) || (data && data->Options().Contains(xoTransparent));
}

void TSkinCheckMark::SkinChanged()
{
    FMode = FControl && Strip() ? 1 : 0;
    TSkinControl::SkinChanged();
}

bool TSkinCheckMark::BeforeMessage(TMessage& m)
{
    const bool passOn = TSkinControl::BeforeMessage(m);
    if (m.Msg == WM_ERASEBKGND && FTransparent) {
        EraseBackground(*this, m);
        return false;
    }
    return passOn;
}

void TSkinCheckMark::DrawMark(HDC dc, const RECT& rect, int frameCount, int frame, int rightInset)
{
    TBitmap& strip = *Strip();
    HWND window = FHandle;
    TControl* control = FControl;
    const LONG style = WindowLong(window, GWL_STYLE);
    const int n = frameCount > 0 ? frameCount : 1;
    const int gw = strip.Width() / n, gh = strip.Height();
    const bool rtl = TextFlags(control, 0) & DT_RTLREADING;

    RECT box{rect.left, rect.top + (rect.bottom - rect.top - gh) / 2, 0, 0};
    RECT text = rect;
    UINT flags = 0;
    if (style & BS_LEFTTEXT) {
        box.left = rect.right - rightInset - gw;
        text.right = box.left - 2;
        flags = rtl ? DT_RIGHT | DT_RTLREADING : 0;
    } else {
        text.left = rect.left + gw + 2;
        flags = rtl ? DT_RTLREADING : 0;
    }
    box.right = box.left + gw;
    box.bottom = box.top + gh;

    // The whole control is painted at once: the parent shows through here.
    if (FMode == 1) FTransparent ? PaintParentBackground(control, dc) : FillFace(dc, rect);
    DrawStripFrame(dc, box, n, frame, strip);
    if (FMode == 0) return;

    const std::wstring caption = control ? ReadTextProperty(control, "Caption") : GetWindowTextWide(window);
    FWindowText = caption;
    HFONT font = nullptr;
    TColor color = FSkinData ? FSkinData->FColors[SkinColor::ButtonText] : clBtnText;
    if (auto* f = dynamic_cast<TFont*>(ReadObjectProperty(control, "Font"))) {
        font = f->Handle();
        color = f->Color();
    } else {
        font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    }
    if (style & WS_DISABLED) color = clBtnShadow;
    TSelectObject selected(dc, font);
    const COLORREF oldText = SetTextColor(dc, ColorToRGB(color));
    const COLORREF oldBack = SetBkColor(dc, ColorToRGB(FaceColor()));
    const int oldMode = SetBkMode(dc, TRANSPARENT);

    RECT measured = text;
    DrawTextWide(dc, caption, measured, flags | 0x550);
    text.top += ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2;
    if (GetFocus() == window && !caption.empty() && PlatformFlags().MajorNot6) DrawTextFocus(dc, flags | 0x50, text);
    DrawTextWide(dc, caption, text, flags | 0x50);

    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

} // namespace tf
