// TTimer: OnTimer every Interval milliseconds while Enabled, through the
// user-interface loop (WM_TIMER to a hidden utility window). Interval and
// Enabled may change while it runs; an exception escaping OnTimer goes to
// the application's default handler and the timer goes on.
#pragma once
#include <windows.h>

#include "framework/core/Component.h"
#include "Messages.h"

namespace tf {

class TTimer : public TComponent {
    TF_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);
    // Assigning the handler also (re)starts a timer that is enabled.
    TNotifyEvent OnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent value);

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& m);

    HWND FWindow = nullptr;
    bool FEnabled = true;
    unsigned FInterval = 1000;
    TNotifyEvent FOnTimer;
    bool FRunning = false;
};

} // namespace tf
