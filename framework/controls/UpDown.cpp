#include "UpDown.h"

#include <commctrl.h>

#include "Publish.h"

namespace tf {

const TEnumInfo UDOrientationInfo{"TUDOrientation", {"udHorizontal", "udVertical"}};

const TClassInfo& TCustomUpDown::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomUpDown>("TCustomUpDown", TNativeControl::StaticClass()).Build();
    return info;
}

TCustomUpDown::TCustomUpDown(TComponent* owner) : TNativeControl(owner, UPDOWN_CLASSA, 0, 0, ICC_UPDOWN_CLASS)
{
    SetBounds(0, 0, GetSystemMetrics(SM_CXVSCROLL), 25);
}

void TCustomUpDown::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FOrientation == udHorizontal) p.Style |= UDS_HORZ;
    if (FWrap) p.Style |= UDS_WRAP;
    if (FArrowKeys) p.Style |= UDS_ARROWKEYS;
    if (FAssociate) p.Style |= UDS_ALIGNRIGHT | UDS_SETBUDDYINT;
}

void TCustomUpDown::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdateWindow();
    if (FAssociate) SendMessageA(WindowHandle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
}

void TCustomUpDown::UpdateWindow()
{
    if (!HandleAllocated()) return;
    HWND w = WindowHandle();
    SendMessageA(w, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageA(w, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    SendMessageA(w, UDM_SETPOS32, 0, FPosition);
}

int TCustomUpDown::Position()
{
    if (HandleAllocated()) {
        BOOL failed = FALSE;
        const auto pos = static_cast<int>(SendMessageA(WindowHandle(), UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
        if (!failed) FPosition = pos;
    }
    return FPosition;
}

void TCustomUpDown::SetPosition(int value)
{
    FPosition = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), UDM_SETPOS32, 0, value);
}

void TCustomUpDown::SetMin(int value)
{
    FMin = value;
    UpdateWindow();
}

void TCustomUpDown::SetMax(int value)
{
    FMax = value;
    UpdateWindow();
}

void TCustomUpDown::SetIncrement(int value)
{
    FIncrement = value < 1 ? 1 : value;
    UpdateWindow();
}

void TCustomUpDown::SetOrientation(TUDOrientation value)
{
    if (FOrientation == value) return;
    FOrientation = value;
    RecreateWnd();
}

void TCustomUpDown::SetWrap(bool value)
{
    if (FWrap == value) return;
    FWrap = value;
    RecreateWnd();
}

void TCustomUpDown::SetArrowKeys(bool value)
{
    if (FArrowKeys == value) return;
    FArrowKeys = value;
    RecreateWnd();
}

void TCustomUpDown::SetAssociate(TWinControl* value)
{
    if (FAssociate == value) return;
    FAssociate = value;
    if (value) value->FreeNotification(this);
    RecreateWnd();
}

void TCustomUpDown::Notification(TComponent* c, TOperation op)
{
    TNativeControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FAssociate) FAssociate = nullptr;
}

void TCustomUpDown::Scroll(TMessage& m)
{
    // The buttons moved the position (SB_THUMBPOSITION, position in the high word).
    if (LOWORD(m.WParam) == SB_THUMBPOSITION) {
        Position();
        Click();
    }
    m.Result = 0;
}

const TClassInfo& TUpDown::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TUpDown> b("TUpDown", TCustomUpDown::StaticClass());
        b.Int("Min", &TUpDown::Min, &TUpDown::SetMin)
            .Int("Max", &TUpDown::Max, &TUpDown::SetMax)
            .Int("Position", &TUpDown::Position, &TUpDown::SetPosition)
            .Int("Increment", &TUpDown::Increment, &TUpDown::SetIncrement)
            .Enum("Orientation", UDOrientationInfo, &TUpDown::Orientation, &TUpDown::SetOrientation)
            .Bool("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap)
            .Bool("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys)
            .Object<TWinControl>("Associate", &TUpDown::Associate, &TUpDown::SetAssociate);
        PublishShowHint(b);
        PublishTabs(b);
        PublishEvent<TNotifyEvent>(b, "OnClick", &TUpDown::OnClick);
        return b.Build();
    }();
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TCustomUpDown(owner) {}

} // namespace tf
