#include "ScrollBar.h"

#include <algorithm>

#include "Publish.h"

namespace tf {

const TEnumInfo ScrollBarKindInfo{"TScrollBarKind", {"sbHorizontal", "sbVertical"}};

const TClassInfo& TScrollBar::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TScrollBar> b("TScrollBar", TNativeControl::StaticClass());
        b.Enum("Kind", ScrollBarKindInfo, &TScrollBar::Kind, &TScrollBar::SetKind)
            .Int("Max", &TScrollBar::Max, &TScrollBar::SetMax)
            .Int("Min", &TScrollBar::Min, &TScrollBar::SetMin)
            .Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
            .Int("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
            .Int("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
            .Int("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TScrollBar::OnChange);
        PublishEvent<TScrollEvent>(b, "OnScroll", &TScrollBar::OnScroll);
        PublishShowHint(b);
        PublishTabs(b);
        PublishKeyEvents(b);
        return b.Build();
    }();
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TNativeControl(owner, "SCROLLBAR")
{
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    p.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdateWindow();
}

void TScrollBar::Loaded()
{
    TNativeControl::Loaded();
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::UpdateWindow()
{
    if (!HandleAllocated()) return;
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, FMin, FMax, static_cast<UINT>(FPageSize), FPosition, 0};
    SetScrollInfo(WindowHandle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (FKind == value) return;
    FKind = value;
    if (!HasState(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

void TScrollBar::SetPageSize(int value)
{
    if (FPageSize == value || value < 0) return;
    FPageSize = value;
    UpdateWindow();
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min && !HasState(csLoading)) max = min;
    const int last = FPageSize > 0 ? max - FPageSize + 1 : max;
    if (!HasState(csLoading)) position = std::clamp(position, min, std::max(min, last));
    const bool changed = position != FPosition;
    FMin = min;
    FMax = max;
    FPosition = position;
    UpdateWindow();
    if (changed && !HasState(csLoading)) OnChange(this);
}

void TScrollBar::Scroll(TMessage& m)
{
    const auto code = static_cast<TScrollCode>(std::min<int>(LOWORD(m.WParam), scEndScroll));
    int pos = FPosition;
    switch (LOWORD(m.WParam)) {
    case SB_LINEUP: pos -= FSmallChange; break;
    case SB_LINEDOWN: pos += FSmallChange; break;
    case SB_PAGEUP: pos -= FLargeChange; break;
    case SB_PAGEDOWN: pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The 32-bit track position; the message carries only 16 bits.
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        pos = GetScrollInfo(WindowHandle(), SB_CTL, &si) ? si.nTrackPos : HIWORD(m.WParam);
        break;
    }
    case SB_TOP: pos = FMin; break;
    case SB_BOTTOM: pos = FMax; break;
    default: break;
    }
    OnScroll(this, code, pos);
    SetPosition(pos);
    m.Result = 0;
}

} // namespace tf
