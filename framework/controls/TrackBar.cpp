#include "TrackBar.h"

#include <commctrl.h>

#include "Publish.h"

namespace tf {

const TEnumInfo TrackBarOrientationInfo{"TTrackBarOrientation", {"trHorizontal", "trVertical"}};
const TEnumInfo TickMarkInfo{"TTickMark", {"tmBottomRight", "tmTopLeft", "tmBoth"}};
const TEnumInfo TickStyleInfo{"TTickStyle", {"tsNone", "tsAuto", "tsManual"}};

const TClassInfo& TTrackBar::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TTrackBar> b("TTrackBar", TNativeControl::StaticClass());
        b.Int("Min", &TTrackBar::Min, &TTrackBar::SetMin)
            .Int("Max", &TTrackBar::Max, &TTrackBar::SetMax)
            .Int("Position", &TTrackBar::Position, &TTrackBar::SetPosition)
            .Int("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
            .Int("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
            .Int("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
            .Enum("Orientation", TrackBarOrientationInfo, &TTrackBar::Orientation, &TTrackBar::SetOrientation)
            .Enum("TickMarks", TickMarkInfo, &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
            .Enum("TickStyle", TickStyleInfo, &TTrackBar::TickStyle, &TTrackBar::SetTickStyle);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TTrackBar::OnChange);
        PublishColor(b);
        PublishShowHint(b);
        PublishTabs(b);
        PublishKeyEvents(b);
        return b.Build();
    }();
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TNativeControl(owner, TRACKBAR_CLASSA, 0, 0, ICC_BAR_CLASSES)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
    // The window's background is its parent's.
    SetParentColor(true);
}

void TTrackBar::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    p.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
    static constexpr DWORD marks[] = {TBS_BOTTOM, TBS_TOP, TBS_BOTH};
    p.Style |= marks[FTickMarks];
    if (FTickStyle == tsNone) p.Style |= TBS_NOTICKS;
    else if (FTickStyle == tsAuto) p.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdateWindow();
}

void TTrackBar::DestroyWnd()
{
    FPosition = Position();
    TNativeControl::DestroyWnd();
}

void TTrackBar::UpdateWindow()
{
    if (!HandleAllocated()) return;
    HWND w = WindowHandle();
    SendMessageA(w, TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageA(w, TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageA(w, TBM_SETLINESIZE, 0, FLineSize);
    SendMessageA(w, TBM_SETPAGESIZE, 0, FPageSize);
    if (FTickStyle == tsAuto) SendMessageA(w, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    SendMessageA(w, TBM_SETPOS, TRUE, FPosition);
}

int TTrackBar::Position()
{
    if (HandleAllocated()) FPosition = static_cast<int>(SendMessageA(WindowHandle(), TBM_GETPOS, 0, 0));
    return FPosition;
}

void TTrackBar::SetMin(int value)
{
    FMin = value;
    UpdateWindow();
}

void TTrackBar::SetMax(int value)
{
    FMax = value;
    UpdateWindow();
}

void TTrackBar::SetPosition(int value)
{
    if (value < FMin) value = FMin;
    if (value > FMax) value = FMax;
    const bool changed = Position() != value;
    FPosition = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), TBM_SETPOS, TRUE, value);
    if (changed && !HasState(csLoading)) OnChange(this);
}

void TTrackBar::SetFrequency(int value)
{
    FFrequency = value;
    UpdateWindow();
}

void TTrackBar::SetLineSize(int value)
{
    FLineSize = value;
    UpdateWindow();
}

void TTrackBar::SetPageSize(int value)
{
    FPageSize = value;
    UpdateWindow();
}

void TTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (FOrientation == value) return;
    FOrientation = value;
    if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value)
{
    if (FTickMarks == value) return;
    FTickMarks = value;
    RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle value)
{
    if (FTickStyle == value) return;
    FTickStyle = value;
    RecreateWnd();
}

void TTrackBar::Scroll(TMessage& m)
{
    m.Result = 0;
    const int before = FPosition;
    if (Position() != before) OnChange(this);
}

} // namespace tf
