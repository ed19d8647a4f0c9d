#include "Timer.h"

#include "Application.h"
#include "WndProcThunk.h"

namespace tf {

const TClassInfo& TTimer::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TTimer>("TTimer", TComponent::StaticClass())
            .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
            .Int("Interval", &TTimer::Interval, [](TTimer* t, int32_t v) { t->SetInterval(static_cast<unsigned>(v)); })
            .Event<TNotifyEvent>("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer)
            .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    FWindow = AllocateHWnd(TWndMethod::Of<&TTimer::WndProc>(this));
}

TTimer::~TTimer()
{
    Destroying();
    FEnabled = false;
    UpdateTimer();
    DeallocateHWnd(FWindow);
}

void TTimer::SetEnabled(bool value)
{
    if (FEnabled == value) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value)
{
    if (FInterval == value) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent value)
{
    FOnTimer = value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FRunning) KillTimer(FWindow, 1);
    FRunning = false;
    if (FEnabled && FInterval != 0 && FOnTimer && FWindow) FRunning = SetTimer(FWindow, 1, FInterval, nullptr) != 0;
}

void TTimer::Timer() { FOnTimer(this); }

void TTimer::WndProc(TMessage& m)
{
    if (m.Msg == WM_TIMER) {
        try {
            Timer();
        } catch (...) {
            HandleCallbackException(this);
        }
        return;
    }
    m.Result = DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
}

} // namespace tf
