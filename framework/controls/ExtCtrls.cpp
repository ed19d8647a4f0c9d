#include "ExtCtrls.h"

#include "Publish.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/Picture.h"

namespace tf {

const TEnumInfo BevelCutInfo{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}};

void Frame3D(HDC dc, RECT& rect, TColor topColor, TColor bottomColor, int width)
{
    TBrushHandle top(CreateSolidBrush(ColorToRGB(topColor)));
    TBrushHandle bottom(CreateSolidBrush(ColorToRGB(bottomColor)));
    for (int i = 0; i < width; ++i) {
        if (rect.right - rect.left < 1 || rect.bottom - rect.top < 1) return;
        RECT r{rect.left, rect.top, rect.right - 1, rect.top + 1};
        FillRect(dc, &r, top.Get());   // top
        r = RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1};
        FillRect(dc, &r, top.Get());   // left
        r = RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom};
        FillRect(dc, &r, bottom.Get());   // bottom
        r = RECT{rect.right - 1, rect.top, rect.right, rect.bottom};
        FillRect(dc, &r, bottom.Get());   // right
        InflateRect(&rect, -1, -1);
    }
}

// ------------------------------------------------------------ TCustomPanel

const TClassInfo& TCustomPanel::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomPanel>("TCustomPanel", TCustomControl::StaticClass()).Build();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
    p.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomPanel::SetBevelInner(TBevelCut value)
{
    if (FBevelInner == value) return;
    FBevelInner = value;
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut value)
{
    if (FBevelOuter == value) return;
    FBevelOuter = value;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int value)
{
    if (FBevelWidth == value || value < 1) return;
    FBevelWidth = value;
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int value)
{
    if (FBorderWidth == value || value < 0) return;
    FBorderWidth = value;
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomPanel::SetAlignment(TAlignment value)
{
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

namespace {
void Bevel(HDC dc, RECT& r, TBevelCut cut, TColor face, int width)
{
    switch (cut) {
    case bvNone: return;
    case bvLowered: Frame3D(dc, r, clBtnShadow, clBtnHighlight, width); return;
    case bvRaised: Frame3D(dc, r, clBtnHighlight, clBtnShadow, width); return;
    case bvSpace: Frame3D(dc, r, face, face, width); return;
    }
}
} // namespace

void TCustomPanel::Paint()
{
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    RECT r = ClientRect();
    Bevel(dc, r, FBevelOuter, Color(), FBevelWidth);
    Frame3D(dc, r, Color(), Color(), FBorderWidth);
    Bevel(dc, r, FBevelInner, Color(), FBevelWidth);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    const std::string text = Caption();
    if (text.empty()) return;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    flags |= FAlignment == taLeftJustify ? DT_LEFT : FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER;
    TSelectObject font(dc, Font()->Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    SetBkMode(dc, oldMode);
}

const TClassInfo& TPanel::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TPanel> b("TPanel", TCustomPanel::StaticClass());
        PublishCaption(b);
        b.Enum("BevelInner", BevelCutInfo, &TPanel::BevelInner, &TPanel::SetBevelInner)
            .Enum("BevelOuter", BevelCutInfo, &TPanel::BevelOuter, &TPanel::SetBevelOuter)
            .Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
            .Int("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth)
            .Enum("BorderStyle", BorderStyleInfo, &TPanel::BorderStyle, &TPanel::SetBorderStyle)
            .Enum("Alignment", AlignmentInfo, &TPanel::Alignment, &TPanel::SetAlignment);
        PublishWinControlDefaults(b);
        PublishEvent<TNotifyEvent>(b, "OnResize", &TControl::OnResize);
        return b.Build();
    }();
    return info;
}

TPanel::TPanel(TComponent* owner) : TCustomPanel(owner) {}

// ------------------------------------------------------------ TImage

const TClassInfo& TImage::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TImage> b("TImage", TGraphicControl::StaticClass());
        b.Object<TPicture>("Picture", &TImage::Picture, &TImage::SetPicture)
            .Bool("Center", &TImage::Center, &TImage::SetCenter)
            .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch)
            .Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent)
            .Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
        PublishShowHint(b);
        PublishMouseEvents(b);
        return b.Build();
    }();
    return info;
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), FPicture(std::make_unique<TPicture>())
{
    SetControlStyle(ControlStyle() | csCaptureMouse | csClickEvents | csDoubleClicks);
    FPicture->OnChange = TNotifyEvent::Of<&TImage::PictureChanged>(this);
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange.Clear(); }

void TImage::SetPicture(TPicture* value) { FPicture->Assign(value); }

void TImage::SetCenter(bool value)
{
    if (FCenter == value) return;
    FCenter = value;
    Invalidate();
}

void TImage::SetStretch(bool value)
{
    if (FStretch == value) return;
    FStretch = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    if (FTransparent == value) return;
    FTransparent = value;
    if (TGraphic* g = FPicture->Graphic()) g->SetTransparent(value);
    Invalidate();
}

void TImage::SetAutoSize(bool value)
{
    FAutoSize = value;
    PictureChanged(nullptr);
}

void TImage::PictureChanged(TObject*)
{
    if (FAutoSize && !FPicture->Empty()) SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
    if (TGraphic* g = FPicture->Graphic(); g && FTransparent) g->SetTransparent(true);
    Invalidate();
}

RECT TImage::DestRect() const
{
    if (FStretch) return RECT{0, 0, Width(), Height()};
    const int w = FPicture->Width(), h = FPicture->Height();
    if (FCenter) {
        const int x = (Width() - w) / 2, y = (Height() - h) / 2;
        return RECT{x, y, x + w, y + h};
    }
    return RECT{0, 0, w, h};
}

void TImage::Paint()
{
    if (FPicture->Empty()) return;
    FPicture->Draw(*Canvas(), DestRect());
}

} // namespace tf
