#include "GroupBox.h"

#include "Publish.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

namespace {
// Height of the caption line in the control's font.
int CaptionHeight(TControl* control)
{
    TScreenDC dc;
    TSelectObject font(dc.Get(), control->Font()->Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    return tm.tmHeight;
}
} // namespace

// ------------------------------------------------------------ TCustomGroupBox

const TClassInfo& TCustomGroupBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomGroupBox>("TCustomGroupBox", TCustomControl::StaticClass()).Build();
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks | csOpaque);
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TCustomGroupBox::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

RECT TCustomGroupBox::ContentRect()
{
    RECT r = ClientRect();
    r.top += CaptionHeight(this);
    InflateRect(&r, -2, -2);
    return r;
}

void TCustomGroupBox::Paint()
{
    TCanvas* canvas = Canvas();
    HDC dc = canvas->Handle();
    const RECT client = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(client);

    const std::string text = Caption();
    TSelectObject font(dc, Font()->Handle());
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, "0", 1, &size);
    RECT frame = client;
    frame.top += size.cy / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (text.empty()) return;
    RECT label{8, 0, 8, size.cy};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_CALCRECT | DT_SINGLELINE);
    InflateRect(&label, 2, 0);
    canvas->FillRect(label);   // the caption interrupts the frame line
    InflateRect(&label, -2, 0);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_SINGLELINE);
    SetBkMode(dc, oldMode);
}

const TClassInfo& TGroupBox::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TGroupBox> b("TGroupBox", TCustomGroupBox::StaticClass());
        PublishCaption(b);
        PublishWinControlDefaults(b);
        return b.Build();
    }();
    return info;
}

TGroupBox::TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}

// ------------------------------------------------------------ TGroupButton

const TClassInfo& TGroupButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TGroupButton>("TGroupButton", TRadioButton::StaticClass()).Build();
    return info;
}

TGroupButton::TGroupButton(TComponent* owner) : TRadioButton(owner) {}

// ------------------------------------------------------------ TCustomRadioGroup

const TClassInfo& TCustomRadioGroup::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomRadioGroup>("TCustomRadioGroup", TCustomGroupBox::StaticClass()).Build();
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), FItems(std::make_unique<TStringList>())
{
    FItems->OnChange = TNotifyEvent::Of<&TCustomRadioGroup::ItemsChanged>(this);
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    Destroying();
    FItems->OnChange.Clear();
}

void TCustomRadioGroup::SetItems(TStrings* value)
{
    if (value) FItems->Assign(value);
}

void TCustomRadioGroup::ItemsChanged(TObject*)
{
    if (HasState(csLoading)) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::SetItemIndex(int value)
{
    if (HasState(csLoading)) {
        FItemIndex = value;
        return;
    }
    if (value < -1 || value >= FItems->Count()) value = -1;
    if (FItemIndex == value) return;
    if (FItemIndex >= 0 && FItemIndex < ButtonCount()) Buttons(FItemIndex)->SetChecked(false);
    FItemIndex = value;
    if (value >= 0 && value < ButtonCount()) Buttons(value)->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int value)
{
    value = value < 1 ? 1 : value > 16 ? 16 : value;
    if (FColumns == value) return;
    FColumns = value;
    ArrangeButtons();
}

void TCustomRadioGroup::UpdateButtons()
{
    FUpdating = true;
    while (!FButtons.empty()) {
        TGroupButton* b = FButtons.back();
        FButtons.pop_back();
        b->Free();
    }
    for (int i = 0; i < FItems->Count(); ++i) {
        auto* b = new TGroupButton(this);
        b->SetCaption(FItems->Get(i));
        b->SetEnabled(Enabled());
        b->OnClick = TNotifyEvent::Of<&TCustomRadioGroup::ButtonClick>(this);
        b->SetParent(this);
        FButtons.push_back(b);
    }
    if (FItemIndex >= 0 && FItemIndex < ButtonCount()) Buttons(FItemIndex)->SetChecked(true);
    FUpdating = false;
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons()
{
    if (FButtons.empty()) return;
    const RECT r = ContentRect();
    const int rows = (ButtonCount() + FColumns - 1) / FColumns;
    const int width = (r.right - r.left - 8) / FColumns;
    const int height = (r.bottom - r.top) / rows;
    for (int i = 0; i < ButtonCount(); ++i) {
        const int col = i / rows, row = i % rows;
        Buttons(i)->SetBounds(r.left + 6 + col * width, r.top + row * height + (height - 17) / 2, width, 17);
    }
}

void TCustomRadioGroup::ButtonClick(TObject* sender)
{
    if (FUpdating) return;
    for (int i = 0; i < ButtonCount(); ++i)
        if (Buttons(i) == sender) {
            if (FItemIndex != i) {
                FItemIndex = i;
                Click();
            }
            return;
        }
}

void TCustomRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    UpdateButtons();
}

void TCustomRadioGroup::Resize()
{
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::WndProc(TMessage& m)
{
    if (m.Msg == CM_ENABLEDCHANGED)
        for (TGroupButton* b : FButtons) b->SetEnabled(Enabled());
    TCustomGroupBox::WndProc(m);
}

const TClassInfo& TRadioGroup::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TRadioGroup> b("TRadioGroup", TCustomRadioGroup::StaticClass());
        PublishCaption(b);
        b.Object<TStrings>("Items", &TRadioGroup::Items, &TRadioGroup::SetItems)
            .Int("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
            .Int("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
        PublishWinControlDefaults(b);
        return b.Build();
    }();
    return info;
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}

} // namespace tf
