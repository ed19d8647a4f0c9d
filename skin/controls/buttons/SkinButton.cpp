#include "skin/controls/buttons/SkinButton.h"

#include <cctype>

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/User32Entries.h"

namespace tf {

const TClassInfo& TSkinButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinButton>("TSkinButton", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner), FBuffer(std::make_unique<TBitmap>()) {}

TSkinButton::~TSkinButton() = default;

void TSkinButton::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    TSkinControl::Attach(form, data, setColor, canvas);
    if (!FControl) return;
    std::string name = FControl->ClassName();
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // These classes handle their own mouse-down events.
    FMode = name.rfind("trz", 0) == 0 || name.rfind("tel", 0) == 0 ? 1 : 0;
    FTransparent = FControl->Tag() == 5555 || (data && data->Options().Contains(xoTransparent));
}

TDataSkinButton* TSkinButton::ButtonElement() const
{
    if (!FSkinData || !FSkinData->SkinButtons || FSkinData->SkinButtons->Empty()) return nullptr;
    return FSkinData->SkinButtons.get();
}

bool TSkinButton::BeforeMessage(TMessage& m)
{
    // Without the skin's button image the control keeps its own look.
    if (!ButtonElement()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_TIMER: KillTimer(FHandle, 1); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != FHandle) SetFocus(FHandle);
        SetPressed(true);
        PaintControl(nullptr);
        if (FMode == 0 && FControl) ForwardMouseDown(m);
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinButton::AfterMessage(TMessage& m)
{
    if (!ButtonElement()) return TSkinControl::AfterMessage(m);
    switch (m.Msg) {
    case WM_SETTEXT: PaintControl(nullptr); return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            SetPressed(m.Msg == WM_KEYDOWN);
            Refresh();
        }
        return;
    case WM_LBUTTONUP:
        if (!Pressed()) return;
        SetPressed(false);
        Refresh();
        RaiseClick();
        return;
    case WM_MOUSELEAVE:
        // A press that never saw the mouse come in (the hover piece repainted otherwise).
        if (Pressed()) {
            SetPressed(false);
            Refresh();
        }
        return;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED: Refresh(); return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinButton::HotChanged()
{
    if (!Hot()) SetPressed(false);
    Refresh();
}

void TSkinButton::RaiseClick()
{
    if (FControl) {
        FControl->Click();
        return;
    }
    // A bare button tells its parent, as the system's button would.
    const WPARAM id = WindowClassLower(FHandle) == "tbutton" ? 0 : static_cast<WPARAM>(GetDlgCtrlID(FHandle));
    PostMessageA(GetParent(FHandle), WM_COMMAND, id, reinterpret_cast<LPARAM>(FHandle));
}

int TSkinButton::PrepareFace(const RECT& rect, bool defaultCounts)
{
    TDataSkinButton& element = *ButtonElement();
    ReadWindowState();
    const bool isDefault = defaultCounts && ReadEnumLower(FControl, "Default") == "true";
    FWindowText = FControl ? ReadTextProperty(FControl, "Caption") : GetWindowTextWide(FHandle);
    const int frame = ButtonFaceFrame(!FEnabled, Pressed(), Hot(), FFocused || isDefault);

    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (FOldFont) {   // a paint that failed left the caption font in the buffer
        SelectObject(FBuffer->Canvas()->Handle(), FOldFont);
        FOldFont = nullptr;
    }
    FBuffer->SetPixelFormat(pf24bit);
    FBuffer->SetSize(w, h);
    HDC buffer = FBuffer->Canvas()->Handle();
    const RECT face{0, 0, w, h};
    if (FTransparent) {
        if (FControl) PaintParentBackground(FControl, buffer);
        else PaintParentBackground(FHandle, buffer);
    } else {
        FillFace(buffer, face);
    }
    DrawElementFrame(buffer, face, element.FrameCount, frame, element);
    return frame;
}

void TSkinButton::SelectTextFont(HDC dc, int frame, bool normalOnly)
{
    TColor base = FSkinData->FColors[SkinColor::ButtonText];
    HFONT font = nullptr;
    if (FControl) {
        if (auto* f = dynamic_cast<TFont*>(ReadObjectProperty(FControl, "Font"))) {
            font = f->Handle();
            base = f->Color();
        }
    } else {
        font = reinterpret_cast<HFONT>(SendMessageA(FHandle, WM_GETFONT, 0, 0));
    }
    if (font) {
        HGDIOBJ old = SelectObject(dc, font);
        if (!FOldFont) FOldFont = old;
    }
    SetTextColor(dc, ColorToRGB(ButtonTextColor(*ButtonElement(), frame, base, normalOnly)));
}

bool TSkinButton::FocusRectWanted() const
{
    return FFocused && !(FSkinData && FSkinData->Options().Contains(xoNoFocusRect));
}

void TSkinButton::DrawCaption(HDC dc, const RECT& rect, UINT format)
{
    FWindowText = ReplaceBars(FWindowText);
    const UINT flags = format | DT_EXPANDTABS | DT_WORDBREAK;
    RECT measured = rect;
    InflateRect(&measured, -2, -2);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, FWindowText, measured, flags | DT_CALCRECT | DT_NOCLIP);
    const int tw = measured.right - measured.left, th = measured.bottom - measured.top;
    const int rw = rect.right - rect.left, rh = rect.bottom - rect.top;
    RECT text{rect.left, rect.top, rect.left + tw, rect.top + th};
    if (format == DT_CENTER) {
        OffsetRect(&text, (rw - tw) / 2, (rh - th) / 2 - 1);
    } else {
        OffsetRect(&text, 0, (rh - th) / 2 - 1);
        text.left = rect.left;
        text.right = rect.right;
    }
    DrawTextWide(dc, FWindowText, text, TextFlags(FControl, flags));
    SetBkMode(dc, oldMode == 0 ? OPAQUE : oldMode);
    if (FocusRectWanted()) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(dc, &text);
    }
}

TButtonLayoutInput TSkinButton::LayoutInputOf(int w, int h, TLayoutSize glyph) const
{
    TButtonLayoutInput in;
    in.Face = {w, h};
    in.Place = GlyphPlaceOf(ReadEnumLower(FControl, "Layout"));
    in.Glyph = glyph;
    in.Margin = static_cast<int>(ReadIntProperty(FControl, "Margin"));
    in.Spacing = static_cast<int>(ReadIntProperty(FControl, "Spacing"));
    return in;
}

TGlyphTextLayout TSkinButton::LayOut(HDC dc, TButtonLayoutInput& in)
{
    FWindowText = ReplaceBars(FWindowText);
    in.Text = TLayoutSize{};
    if (!FWindowText.empty()) {
        const TLayoutRect area = ButtonTextArea({0, 0, in.Face.Width, in.Face.Height}, in.Place, in.Glyph);
        RECT r{area.Left, area.Top, area.Right, area.Bottom};
        DrawTextWide(dc, FWindowText, r, DT_CALCRECT | DT_WORDBREAK);
        in.Text = {r.right - r.left, r.bottom - r.top};
    }
    return LayoutButton(in);
}

void TSkinButton::DrawLaidCaption(HDC dc, TLayoutPoint at, TLayoutSize size, UINT flags, bool focusRect)
{
    if (FWindowText.empty()) return;
    RECT text{at.X, at.Y, at.X + size.Width, at.Y + size.Height};
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextWide(dc, FWindowText, text, TextFlags(FControl, flags));
    SetBkMode(dc, oldMode);
    if (focusRect && FocusRectWanted()) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(dc, &text);
    }
}

void TSkinButton::CopyBuffer(HDC dc, const RECT& rect)
{
    HDC buffer = FBuffer->Canvas()->Handle();
    BitBlt(dc, rect.left, rect.top, FBuffer->Width(), FBuffer->Height(), buffer, 0, 0, SRCCOPY);
    if (FOldFont) {
        SelectObject(buffer, FOldFont);
        FOldFont = nullptr;
    }
}

void TSkinButton::DrawControl(HDC dc, const RECT& rect)
{
    if (!ButtonElement()) return;
    const int frame = PrepareFace(rect, true);
    HDC buffer = FBuffer->Canvas()->Handle();
    SelectTextFont(buffer, frame, false);
    DrawCaption(buffer, RECT{0, 0, FBuffer->Width(), FBuffer->Height()}, DT_CENTER);
    CopyBuffer(dc, rect);
}

} // namespace tf
