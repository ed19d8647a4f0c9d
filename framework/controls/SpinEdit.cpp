#include "SpinEdit.h"

#include <commctrl.h>

#include <algorithm>

#include "ControlAtom.h"
#include "Publish.h"
#include "framework/core/SysUtils.h"

namespace tf {

const TClassInfo& TSpinEdit::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TSpinEdit> b("TSpinEdit", TCustomEdit::StaticClass());
        b.Int("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue)
            .Int("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue)
            .Int("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement)
            .Int("Value", &TSpinEdit::Value, &TSpinEdit::SetValue)
            .Enum("BorderStyle", BorderStyleInfo, &TSpinEdit::BorderStyle, &TSpinEdit::SetBorderStyle);
        PublishWinControlDefaults(b);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TSpinEdit::OnChange);
        return b.Build();
    }();
    return info;
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) { SetText("0"); }

void TSpinEdit::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    // The buttons are a child of the edit: the edit must not paint over them.
    p.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd()
{
    TCustomEdit::CreateWnd();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    HWND edit = WindowHandle();
    FButtons = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                               0, 0, 0, 0, edit, nullptr, MainInstance(), nullptr);
    if (!FButtons) return;
    SendMessageA(FButtons, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    PlaceButtons();
    UpdateButtons();
}

void TSpinEdit::DestroyWnd()
{
    if (!HasState(csDestroying)) Value();   // keeps what was typed
    FButtons = nullptr;                     // goes with the edit's window
    TCustomEdit::DestroyWnd();
}

void TSpinEdit::PlaceButtons()
{
    if (!FButtons) return;
    RECT client;
    GetClientRect(WindowHandle(), &client);
    const int width = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), client.right / 2);
    MoveWindow(FButtons, client.right - width, 0, width, client.bottom, TRUE);
    SendMessageA(WindowHandle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TSpinEdit::UpdateButtons()
{
    if (!FButtons) return;
    SendMessageA(FButtons, UDM_SETRANGE32, static_cast<WPARAM>(FMinValue), FMaxValue);
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageA(FButtons, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    SendMessageA(FButtons, UDM_SETPOS32, 0, FValue);
}

int TSpinEdit::Value()
{
    int typed = 0;
    if (TryStrToInt(Trim(Text()), typed)) FValue = std::clamp(typed, FMinValue, std::max(FMinValue, FMaxValue));
    return FValue;
}

void TSpinEdit::SetValue(int value)
{
    FValue = std::clamp(value, FMinValue, std::max(FMinValue, FMaxValue));
    if (HasState(csLoading)) FValue = value;
    SetText(IntToStr(FValue));
    UpdateButtons();
}

void TSpinEdit::SetMinValue(int value)
{
    FMinValue = value;
    UpdateButtons();
}

void TSpinEdit::SetMaxValue(int value)
{
    FMaxValue = value;
    UpdateButtons();
}

void TSpinEdit::SetIncrement(int value)
{
    FIncrement = value < 1 ? 1 : value;
    UpdateButtons();
}

void TSpinEdit::WndProc(TMessage& m)
{
    TCustomEdit::WndProc(m);
    if (m.Msg == WM_SIZE) PlaceButtons();
}

} // namespace tf
