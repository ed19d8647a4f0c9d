#include "StdCtrls.h"

#include <cctype>

#include "Forms.h"
#include "Publish.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

const TEnumInfo CheckBoxStateInfo{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
const TEnumInfo TextLayoutInfo{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}};

bool IsAccel(WPARAM ch, const std::string& caption)
{
    for (size_t i = 0; i < caption.size(); ++i) {
        const auto c = static_cast<unsigned char>(caption[i]);
        if (IsDBCSLeadByte(c)) {
            ++i;
            continue;
        }
        if (c != '&' || i + 1 >= caption.size()) continue;
        const auto next = static_cast<unsigned char>(caption[i + 1]);
        if (next == '&') {
            ++i;
            continue;
        }
        return std::toupper(next) == std::toupper(static_cast<int>(ch & 0xFF));
    }
    return false;
}

// ------------------------------------------------------------ TButtonControl

const TClassInfo& TButtonControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TButtonControl>("TButtonControl", TWinControl::StaticClass()).Build();
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csDoubleClicks);
    SetTabStop(true);
}

// ------------------------------------------------------------ TButton

const TClassInfo& TButton::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TButton> b("TButton", TButtonControl::StaticClass());
        PublishCaption(b);
        b.Bool("Default", &TButton::Default, &TButton::SetDefault)
            .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)
            .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
        PublishFont(b);
        PublishShowHint(b);
        PublishTabs(b);
        PublishMouseEvents(b);
        PublishKeyEvents(b);
        return b.Build();
    }();
    return info;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 75, 25);
    SetColor(clBtnFace);
}

void TButton::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    CreateSubClass(p, "BUTTON");
    p.Style |= (FActive || FDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
    if (FDefault == value) return;
    FDefault = value;
    if (!HandleAllocated()) return;
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    if (!dynamic_cast<TButton*>(focused)) {
        FActive = value;
        SetButtonStyle(value);
    }
}

void TButton::SetButtonStyle(bool isDefault)
{
    if (!HandleAllocated()) return;
    const LONG style = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongA(WindowHandle(), GWL_STYLE) & 0x0F) != style)
        SendMessageA(WindowHandle(), BM_SETSTYLE, static_cast<WPARAM>(style), 1);
}

void TButton::Click()
{
    if (FModalResult != 0)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        m.Result = 0;
        return;
    case CM_DIALOGKEY:
        if (((m.WParam == VK_RETURN && FActive) || (m.WParam == VK_ESCAPE && FCancel)) &&
            KeyDataToShiftState(m.LParam) == 0 && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        if (IsAccel(m.WParam, Caption()) && CanFocus()) {
            Click();
            m.Result = 1;
            return;
        }
        break;
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
        // The focused button is the one Enter clicks; else the default one.
        FActive = dynamic_cast<TButton*>(focused) ? focused == static_cast<TWinControl*>(this) : FDefault;
        SetButtonStyle(FActive);
        break;
    }
    default: break;
    }
    TButtonControl::WndProc(m);
}

// ------------------------------------------------------------ TCustomCheckBox

const TClassInfo& TCustomCheckBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomCheckBox>("TCustomCheckBox", TButtonControl::StaticClass()).Build();
    return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 97, 17);
    SetParentColor(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    CreateSubClass(p, "BUTTON");
    p.Style |= BS_3STATE;
    if (FAlignment == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageA(WindowHandle(), BM_SETCHECK, FState, 0);
}

void TCustomCheckBox::DestroyWnd()
{
    FState = State();
    TButtonControl::DestroyWnd();
}

TCheckBoxState TCustomCheckBox::State()
{
    if (!HandleAllocated()) return FState;
    const LRESULT s = SendMessageA(WindowHandle(), BM_GETCHECK, 0, 0);
    return s == BST_CHECKED ? cbChecked : s == BST_INDETERMINATE ? cbGrayed : cbUnchecked;
}

void TCustomCheckBox::SetState(TCheckBoxState value)
{
    if (State() == value) return;
    FState = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, value, 0);
    if (!HasState(csLoading)) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment value)
{
    if (FAlignment == value) return;
    FAlignment = value;
    RecreateWnd();
}

void TCustomCheckBox::Toggle()
{
    switch (State()) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
        m.Result = 0;
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(m.WParam, Caption()) && CanFocus()) {
            SetFocus();
            if (Focused()) Toggle();
            m.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TButtonControl::WndProc(m);
}

const TClassInfo& TCheckBox::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TCheckBox> b("TCheckBox", TCustomCheckBox::StaticClass());
        PublishCaption(b);
        b.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)
            .Enum("State", CheckBoxStateInfo, &TCheckBox::State, &TCheckBox::SetState)
            .Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed)
            .Enum("Alignment", LeftRightInfo, &TCheckBox::Alignment, &TCheckBox::SetAlignment);
        PublishWinControlDefaults(b);
        return b.Build();
    }();
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}

// ------------------------------------------------------------ TCustomLabel

const TClassInfo& TCustomLabel::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomLabel>("TCustomLabel", TGraphicControl::StaticClass()).Build();
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment value)
{
    if (FAlignment == value) return;
    FAlignment = value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value)
{
    if (FAutoSize == value) return;
    FAutoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool value)
{
    if (FWordWrap == value) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value)
{
    if (FTransparent == value) return;
    FTransparent = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value)
{
    if (FLayout == value) return;
    FLayout = value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value)
{
    if (FShowAccelChar == value) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* value)
{
    if (FFocusControl == value) return;
    if (FFocusControl) {
        FFocusControl->RemoveFreeNotification(this);
        RemoveFreeNotification(FFocusControl);
    }
    FFocusControl = value;
    if (value) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* c, TOperation op)
{
    TGraphicControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TCustomLabel::DrawTextFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return flags;
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize || HasState(csLoading)) return;
    const std::string caption = Caption();
    // An empty caption still takes one line.
    const std::string text = caption.empty() || (FShowAccelChar && caption == "&") ? std::string(1, ' ') : caption;
    TScreenDC dc;
    TSelectObject font(dc.Get(), Font()->Handle());
    RECT r{0, 0, FWordWrap ? Width() : 0, 0};
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DrawTextFlags() | DT_CALCRECT);
    int left = Left();
    if (FAlignment == taRightJustify) left = Left() + Width() - r.right;
    SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    const RECT client = ClientRect();
    if (!FTransparent) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    std::string text = Caption();
    if (FShowAccelChar && text == "&") text += " ";
    UINT flags = DrawTextFlags();
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    else if (FAlignment == taCenter) flags |= DT_CENTER;

    HDC dc = canvas->Handle();
    TSelectObject font(dc, Font()->Handle());
    RECT r = client;
    if (FLayout != tlTop) {
        RECT calc = client;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &calc, flags | DT_CALCRECT);
        const int h = calc.bottom - calc.top;
        r.top = FLayout == tlBottom ? client.bottom - h : (client.bottom - h) / 2;
    }
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    if (Enabled()) {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    } else {
        OffsetRect(&r, 1, 1);
        SetTextColor(dc, ColorToRGB(clBtnHighlight));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
        OffsetRect(&r, -1, -1);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    }
    SetBkMode(dc, oldMode);
}

void TCustomLabel::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(m.WParam, Caption()) && FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            m.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TGraphicControl::WndProc(m);
}

const TClassInfo& TLabel::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TLabel> b("TLabel", TCustomLabel::StaticClass());
        PublishCaption(b);
        b.Enum("Alignment", AlignmentInfo, &TLabel::Alignment, &TLabel::SetAlignment)
            .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
            .Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)
            .Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent)
            .Enum("Layout", TextLayoutInfo, &TLabel::Layout, &TLabel::SetLayout)
            .Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar)
            .Object<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
        PublishColor(b);
        PublishFont(b);
        PublishShowHint(b);
        PublishMouseEvents(b);
        return b.Build();
    }();
    return info;
}

TLabel::TLabel(TComponent* owner) : TCustomLabel(owner) {}

} // namespace tf
