#include "ComCtrls.h"

#include <commctrl.h>

#include "Publish.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Canvas.h"

namespace tf {

// ------------------------------------------------------------ TNativeControl

const TClassInfo& TNativeControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TNativeControl>("TNativeControl", TWinControl::StaticClass()).Build();
    return info;
}

TNativeControl::TNativeControl(TComponent* owner, const char* nativeClass, DWORD style, DWORD exStyle,
                               DWORD commonControls)
    : TWinControl(owner), FStyle(style), FExStyle(exStyle), FNativeClass(nativeClass), FCommonControls(commonControls)
{
    SetControlStyle(csDoubleClicks);
    SetParentColor(false);
}

void TNativeControl::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    if (FCommonControls) {
        INITCOMMONCONTROLSEX icc{sizeof(icc), FCommonControls};
        InitCommonControlsEx(&icc);
    }
    CreateSubClass(p, FNativeClass.c_str());
    p.Style |= FStyle;
    p.ExStyle |= FExStyle;
}

void TNativeControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        Command(HIWORD(m.WParam));
        return;
    case CN_NOTIFY:
        // Messages of other modules share this number; they carry the mark.
        if (m.LParam == ForeignMessageMark || m.LParam == 0) break;
        Notify(reinterpret_cast<NMHDR*>(m.LParam), m.Result);
        return;
    case CN_HSCROLL:
    case CN_VSCROLL: Scroll(m); return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ------------------------------------------------------------ TCoolBand

const TClassInfo& TCoolBand::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCoolBand>("TCoolBand", TCollectionItem::StaticClass())
            .Object<TWinControl>("Control", &TCoolBand::Control, &TCoolBand::SetControl)
            .Int("MinHeight", &TCoolBand::MinHeight, &TCoolBand::SetMinHeight)
            .Int("MinWidth", &TCoolBand::MinWidth, &TCoolBand::SetMinWidth)
            .Int("Width", &TCoolBand::Width, &TCoolBand::SetWidth)
            .Int("ImageIndex", &TCoolBand::ImageIndex, &TCoolBand::SetImageIndex)
            .Int("Color", &TCoolBand::Color, &TCoolBand::SetColor)
            .Bool("ParentColor", &TCoolBand::ParentColor, &TCoolBand::SetParentColor)
            .String("Text", &TCoolBand::Text, &TCoolBand::SetText)
            .Bool("Break", &TCoolBand::Break, &TCoolBand::SetBreak)
            .Bool("Visible", &TCoolBand::Visible, &TCoolBand::SetVisible)
            .Build();
    return info;
}

TCoolBand::TCoolBand(TCollection* collection) : TCollectionItem(collection) {}

TCoolBand::~TCoolBand() = default;

TCoolBar* TCoolBand::CoolBar() const
{
    auto* bands = dynamic_cast<TCoolBands*>(Collection());
    return bands ? bands->CoolBar() : nullptr;
}

void TCoolBand::SetControl(TWinControl* value)
{
    if (FControl == value) return;
    TCoolBar* bar = CoolBar();
    FControl = value;
    if (value && bar) {
        value->FreeNotification(bar);
        if (value->Parent() != bar) value->SetParent(bar);
    }
    Changed(false);
}

void TCoolBand::SetMinHeight(int value)
{
    if (FMinHeight == value) return;
    FMinHeight = value;
    Changed(false);
}

void TCoolBand::SetMinWidth(int value)
{
    if (FMinWidth == value) return;
    FMinWidth = value;
    Changed(false);
}

void TCoolBand::SetWidth(int value)
{
    if (FWidth == value) return;
    FWidth = value;
    Changed(false);
}

void TCoolBand::SetImageIndex(int value)
{
    if (FImageIndex == value) return;
    FImageIndex = value;
    Changed(false);
}

void TCoolBand::SetColor(TColor value)
{
    FParentColor = false;
    if (FColor == value) return;
    FColor = value;
    Changed(false);
}

void TCoolBand::SetParentColor(bool value)
{
    FParentColor = value;
    if (value)
        if (TCoolBar* bar = CoolBar()) FColor = bar->Color();
    Changed(false);
}

void TCoolBand::SetText(const std::string& value)
{
    if (FText == value) return;
    FText = value;
    Changed(false);
}

void TCoolBand::SetBreak(bool value)
{
    if (FBreak == value) return;
    FBreak = value;
    Changed(false);
}

void TCoolBand::SetVisible(bool value)
{
    if (FVisible == value) return;
    FVisible = value;
    Changed(false);
}

// ------------------------------------------------------------ TCoolBands

const TClassInfo& TCoolBands::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCoolBands>("TCoolBands", TCollection::StaticClass()).Build();
    return info;
}

TCoolBands::TCoolBands(TCoolBar* coolBar) : TCollection(coolBar, &MakeCollectionItem<TCoolBand>), FCoolBar(coolBar) {}

void TCoolBands::Update(TCollectionItem*)
{
    if (FCoolBar) FCoolBar->LayoutBands();
}

// ------------------------------------------------------------ TCoolBar

const TClassInfo& TCoolBar::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TCoolBar> b("TCoolBar", TCustomControl::StaticClass());
        b.Object<TCoolBands>("Bands", &TCoolBar::Bands, &TCoolBar::SetBands);
        PublishColor(b);
        PublishFont(b);
        PublishShowHint(b);
        PublishMouseEvents(b);
        PublishEvent<TNotifyEvent>(b, "OnResize", &TControl::OnResize);
        return b.Build();
    }();
    return info;
}

TCoolBar::TCoolBar(TComponent* owner) : TCustomControl(owner), FBands(std::make_unique<TCoolBands>(this))
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetBounds(0, 0, 150, 75);
    SetParentColor(false);
    SetColor(clBtnFace);
}

TCoolBar::~TCoolBar()
{
    Destroying();
    FBands.reset();
}

void TCoolBar::SetBands(TCoolBands* value)
{
    if (value) FBands->Assign(value);
}

void TCoolBar::LayoutBands()
{
    if (FLayingOut || !FBands || HasState(csDestroying)) return;
    FLayingOut = true;
    int y = 0;
    int x = 0;
    int rowHeight = 0;
    bool first = true;
    for (int i = 0; i < FBands->Count(); ++i) {
        TCoolBand* band = FBands->Items(i);
        if (!band->FVisible) {
            band->FRect = RECT{0, 0, 0, 0};
            continue;
        }
        if (band->FParentColor) band->FColor = Color();
        if (!first && band->FBreak) {
            y += rowHeight + 2;
            x = 0;
            rowHeight = 0;
        }
        first = false;
        const int height = band->FMinHeight;
        const int width = band->FWidth < band->FMinWidth ? band->FMinWidth : band->FWidth;
        band->FRect = RECT{x, y, x + width, y + height};
        if (height > rowHeight) rowHeight = height;
        if (TWinControl* c = band->FControl; c && c->Parent() == this) {
            const int w = width - GripperWidth - BandEndSpace;
            c->SetBounds(x + GripperWidth, y, w > 0 ? w : 0, height);
        }
        x += width;
    }
    FLayingOut = false;
    Invalidate();
}

void TCoolBar::Loaded()
{
    TCustomControl::Loaded();
    LayoutBands();
}

void TCoolBar::Resize()
{
    TCustomControl::Resize();
    LayoutBands();
}

void TCoolBar::Notification(TComponent* c, TOperation op)
{
    TCustomControl::Notification(c, op);
    if (op != TOperation::opRemove || !FBands) return;
    for (int i = 0; i < FBands->Count(); ++i)
        if (FBands->Items(i)->FControl == c) FBands->Items(i)->FControl = nullptr;
}

void TCoolBar::WndProc(TMessage& m)
{
    if (m.Msg == CM_COLORCHANGED) {
        TCustomControl::WndProc(m);
        LayoutBands();   // bands with ParentColor follow
        return;
    }
    TCustomControl::WndProc(m);
}

void TCoolBar::Paint()
{
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    for (int i = 0; i < FBands->Count(); ++i) {
        TCoolBand* band = FBands->Items(i);
        if (!band->FVisible) continue;
        RECT r = band->FRect;
        canvas->Brush()->SetColor(band->FColor);
        canvas->FillRect(r);
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        // The gripper: two raised lines.
        for (int k = 0; k < 2; ++k) {
            RECT grip{r.left + 2 + 3 * k, r.top + 2, r.left + 5 + 3 * k, r.bottom - 2};
            DrawEdge(dc, &grip, BDR_RAISEDINNER, BF_LEFT | BF_RIGHT);
        }
    }
}

} // namespace tf
