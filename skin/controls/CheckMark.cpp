#include "skin/controls/CheckMark.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/ButtonDraw.h"
#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinPlatform.h"

namespace tf {

void DrawCheckMark(TSkinControl& skinner, HDC dc, const RECT& rect, const TCheckMarkPaint& p)
{
    HWND window = skinner.Handle();
    TControl* control = skinner.Control();
    const LONG style = skinner.WindowLong(window, GWL_STYLE);
    const int n = p.FrameCount > 0 ? p.FrameCount : 1;
    const int gw = p.Strip->Width() / n, gh = p.Strip->Height();
    const bool rtl = TextFlags(control, 0) & DT_RTLREADING;

    RECT box{rect.left, rect.top + (rect.bottom - rect.top - gh) / 2, 0, 0};
    RECT text = rect;
    UINT flags = 0;
    if (style & BS_LEFTTEXT) {
        box.left = rect.right - p.RightInset - gw;
        text.right = box.left - 2;
        flags = rtl ? DT_RIGHT | DT_RTLREADING : 0;
    } else {
        text.left = rect.left + gw + 2;
        flags = rtl ? DT_RTLREADING : 0;
    }
    box.right = box.left + gw;
    box.bottom = box.top + gh;

    if (p.WholeControl && !p.Transparent) skinner.FillFace(dc, rect);
    DrawStripFrame(dc, box, n, p.Frame, *p.Strip);
    if (!p.WholeControl) return;

    const std::wstring caption = control ? ReadTextProperty(control, "Caption") : GetWindowTextWide(window);
    skinner.SetWindowText(caption);
    HFONT font = nullptr;
    TColor color = skinner.SkinData() ? skinner.SkinData()->FColors[SkinColor::ButtonText] : clBtnText;
    if (auto* f = dynamic_cast<TFont*>(ReadObjectProperty(control, "Font"))) {
        font = f->Handle();
        color = f->Color();
    } else {
        font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    }
    if (style & WS_DISABLED) color = clBtnShadow;
    TSelectObject selected(dc, font);
    const COLORREF oldText = SetTextColor(dc, ColorToRGB(color));
    const COLORREF oldBack = SetBkColor(dc, ColorToRGB(skinner.FaceColor()));
    const int oldMode = SetBkMode(dc, TRANSPARENT);

    RECT measured = text;
    DrawTextWide(dc, caption, measured, flags | 0x550);
    text.top += ((text.bottom - text.top) - (measured.bottom - measured.top)) / 2;
    if (GetFocus() == window && !caption.empty() && PlatformFlags().MajorNot6) skinner.DrawTextFocus(dc, flags | 0x50, text);
    DrawTextWide(dc, caption, text, flags | 0x50);

    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

} // namespace tf
