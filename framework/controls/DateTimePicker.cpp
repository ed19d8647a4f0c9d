#include "DateTimePicker.h"

#include <commctrl.h>

#include "Publish.h"

namespace tf {

const TEnumInfo DateTimeKindInfo{"TDateTimeKind", {"dtkDate", "dtkTime"}};
const TEnumInfo DTDateModeInfo{"TDTDateMode", {"dmComboBox", "dmUpDown"}};
const TEnumInfo DTDateFormatInfo{"TDTDateFormat", {"dfShort", "dfLong"}};

const TClassInfo& TDateTimePicker::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TDateTimePicker> b("TDateTimePicker", TNativeControl::StaticClass());
        b.Enum("Kind", DateTimeKindInfo, &TDateTimePicker::Kind, &TDateTimePicker::SetKind)
            .Enum("DateMode", DTDateModeInfo, &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode)
            .Enum("DateFormat", DTDateFormatInfo, &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat)
            .Enum("BiDiMode", BiDiModeInfo, &TDateTimePicker::BiDiMode, &TDateTimePicker::SetBiDiMode);
        PublishWinControlDefaults(b);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TDateTimePicker::OnChange);
        PublishEvent<TNotifyEvent>(b, "OnDropDown", &TDateTimePicker::OnDropDown);
        PublishEvent<TNotifyEvent>(b, "OnCloseUp", &TDateTimePicker::OnCloseUp);
        return b.Build();
    }();
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TNativeControl(owner, DATETIMEPICK_CLASSA, 0, 0, ICC_DATE_CLASSES)
{
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
    GetLocalTime(&FDateTime);
}

void TDateTimePicker::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FKind == dtkTime) p.Style |= DTS_TIMEFORMAT;
    else if (FDateMode == dmUpDown) p.Style |= DTS_UPDOWN;
    if (FKind == dtkDate && FDateFormat == dfLong) p.Style |= DTS_LONGDATEFORMAT;
    p.ExStyle |= WS_EX_CLIENTEDGE | BiDiExStyle(FBiDiMode);
}

void TDateTimePicker::CreateWnd()
{
    TNativeControl::CreateWnd();
    SendMessageA(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}

void TDateTimePicker::DestroyWnd()
{
    if (!HasState(csDestroying)) DateTime();
    TNativeControl::DestroyWnd();
}

SYSTEMTIME TDateTimePicker::DateTime()
{
    if (HandleAllocated()) {
        SYSTEMTIME st{};
        if (SendMessageA(WindowHandle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID) FDateTime = st;
    }
    return FDateTime;
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value)
{
    FDateTime = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}

HWND TDateTimePicker::CalendarWindow()
{
    return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageA(WindowHandle(), DTM_GETMONTHCAL, 0, 0)) : nullptr;
}

void TDateTimePicker::SetKind(TDateTimeKind value)
{
    if (FKind == value) return;
    FKind = value;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode value)
{
    if (FDateMode == value) return;
    FDateMode = value;
    RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat value)
{
    if (FDateFormat == value) return;
    FDateFormat = value;
    RecreateWnd();
}

void TDateTimePicker::SetBiDiMode(TBiDiMode value)
{
    if (FBiDiMode == value) return;
    FBiDiMode = value;
    RecreateWnd();
}

void TDateTimePicker::Notify(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case DTN_DATETIMECHANGE: OnChange(this); break;
    case DTN_DROPDOWN: OnDropDown(this); break;
    case DTN_CLOSEUP: OnCloseUp(this); break;
    default: break;
    }
    TNativeControl::Notify(header, result);
}

} // namespace tf
