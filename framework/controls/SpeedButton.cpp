#include "SpeedButton.h"

#include "Publish.h"
#include "WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

const TClassInfo& TSpeedButton::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TSpeedButton> b("TSpeedButton", TGraphicControl::StaticClass());
        PublishCaption(b);
        b.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
            .Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
            .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
            .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
            .Object<TBitmap>("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)
            .Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
            .Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
            .Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
            .Enum("Layout", ButtonLayoutInfo, &TSpeedButton::Layout, &TSpeedButton::SetLayout);
        PublishFont(b);
        PublishShowHint(b);
        PublishMouseEvents(b);
        return b.Build();
    }();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), FGlyph(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 23, 22);
    SetControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks);
    FGlyph->OnChange = TNotifyEvent::Of<&TSpeedButton::GlyphChanged>(this);
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange.Clear(); }

void TSpeedButton::SetGlyph(TBitmap* value)
{
    if (value) FGlyph->Assign(value);
    else FGlyph->SetSize(0, 0);
}

void TSpeedButton::GlyphChanged(TObject*)
{
    // A strip of square images tells how many glyphs it holds.
    if (!FGlyph->Empty() && FGlyph->Height() > 0 && FGlyph->Width() % FGlyph->Height() == 0) {
        const int n = FGlyph->Width() / FGlyph->Height();
        if (n >= 1 && n <= 4) FNumGlyphs = n;
    }
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value)
{
    value = value < 1 ? 1 : value > 4 ? 4 : value;
    if (FNumGlyphs == value) return;
    FNumGlyphs = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value)
{
    if (FMargin == value || value < -1) return;
    FMargin = value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int value)
{
    if (FSpacing == value) return;
    FSpacing = value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value)
{
    if (FLayout == value) return;
    FLayout = value;
    Invalidate();
}

void TSpeedButton::SetFlat(bool value)
{
    if (FFlat == value) return;
    FFlat = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value)
{
    if (FGroupIndex == value) return;
    FGroupIndex = value;
    if (value == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool value)
{
    // Only a button of a group stays down.
    if (FGroupIndex == 0 && !HasState(csLoading)) value = false;
    if (FDown == value) return;
    FDown = value;
    if (value) ReleaseGroup();
    Invalidate();
}

void TSpeedButton::ReleaseGroup()
{
    if (!Parent() || FGroupIndex == 0) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
            other->FDown = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::Click()
{
    if (FGroupIndex != 0) SetDown(!(FDown && FAllowAllUp));
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled()) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        FMouseInControl = m.Msg == CM_MOUSEENTER;
        if (FFlat && Enabled()) Invalidate();
        break;
    case WM_CANCELMODE:
        FPressed = false;
        Invalidate();
        break;
    default: break;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::Paint()
{
    HDC dc = Canvas()->Handle();
    RECT r = ClientRect();
    const bool pushed = FPressed || FDown;
    if (!FFlat) {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pushed ? DFCS_PUSHED : 0));
    } else if (pushed || (FMouseInControl && Enabled())) {
        DrawEdge(dc, &r, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    if (FDown && !FPressed && !FFlat) {
        // A button held down shows a dithered face, as the system's do.
        TBrushHandle dither(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
        FillRect(dc, &r, dither.Get());
    }

    const int w = ClientWidth(), h = ClientHeight();
    const std::string caption = Caption();
    TSelectObject font(dc, Font()->Handle());
    SIZE text{0, 0};
    if (!caption.empty()) GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    const int gw = FGlyph->Empty() ? 0 : FGlyph->Width() / FNumGlyphs, gh = FGlyph->Empty() ? 0 : FGlyph->Height();
    const int spacing = (gw == 0 || text.cx == 0) ? 0 : (FSpacing < 0 ? 4 : FSpacing);
    const bool across = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    const int total = across ? gw + spacing + text.cx : gh + spacing + text.cy;
    const int start = FMargin >= 0 ? FMargin : ((across ? w : h) - total) / 2;
    POINT glyph{(w - gw) / 2, (h - gh) / 2}, label{(w - text.cx) / 2, (h - text.cy) / 2};
    switch (FLayout) {
    case blGlyphLeft: glyph.x = start; label.x = start + gw + spacing; break;
    case blGlyphRight: label.x = (FMargin >= 0 ? w - FMargin - total : start); glyph.x = label.x + text.cx + spacing; break;
    case blGlyphTop: glyph.y = start; label.y = start + gh + spacing; break;
    case blGlyphBottom: label.y = (FMargin >= 0 ? h - FMargin - total : start); glyph.y = label.y + text.cy + spacing; break;
    }
    const int shift = pushed ? 1 : 0;
    const int image = !Enabled() ? 1 : FPressed ? 2 : FDown ? (FNumGlyphs > 3 ? 3 : 2) : 0;
    DrawButtonGlyph(dc, glyph.x + shift, glyph.y + shift, *FGlyph, FNumGlyphs, image);
    if (caption.empty()) return;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (Enabled()) {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        TextOutA(dc, label.x + shift, label.y + shift, caption.c_str(), static_cast<int>(caption.size()));
    } else {
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        TextOutA(dc, label.x + 1, label.y + 1, caption.c_str(), static_cast<int>(caption.size()));
        SetTextColor(dc, ColorToRGB(clBtnShadow));
        TextOutA(dc, label.x, label.y, caption.c_str(), static_cast<int>(caption.size()));
    }
    SetBkMode(dc, oldMode);
}

} // namespace tf
