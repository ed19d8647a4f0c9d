#include "RadioButton.h"

#include "Publish.h"

namespace tf {

const TClassInfo& TRadioButton::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TRadioButton> b("TRadioButton", TButtonControl::StaticClass());
        PublishCaption(b);
        b.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
            .Enum("Alignment", LeftRightInfo, &TRadioButton::Alignment, &TRadioButton::SetAlignment);
        PublishWinControlDefaults(b);
        return b.Build();
    }();
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 113, 17);
    SetParentColor(true);
}

void TRadioButton::CreateParams(TCreateParams& p)
{
    TButtonControl::CreateParams(p);
    CreateSubClass(p, "BUTTON");
    p.Style |= BS_RADIOBUTTON;
    if (FAlignment == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageA(WindowHandle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::DestroyWnd()
{
    FChecked = Checked();
    TButtonControl::DestroyWnd();
}

bool TRadioButton::Checked()
{
    if (!HandleAllocated()) return FChecked;
    return SendMessageA(WindowHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool value)
{
    if (Checked() == value) return;
    FChecked = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value) return;
    // One checked button among the radio buttons of a parent.
    if (Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
            if (other && other != this) other->SetChecked(false);
        }
    if (!HasState(csLoading)) Click();
}

void TRadioButton::SetAlignment(TAlignment value)
{
    if (FAlignment == value) return;
    FAlignment = value;
    RecreateWnd();
}

void TRadioButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED || HIWORD(m.WParam) == BN_DOUBLECLICKED) SetChecked(true);
        m.Result = 0;
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(m.WParam, Caption()) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            m.Result = 1;
            return;
        }
        break;
    default: break;
    }
    TButtonControl::WndProc(m);
}

} // namespace tf
