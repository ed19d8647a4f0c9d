// Handling this thread's messages while a test waits for an effect.
// PumpUntil answers as soon as the condition holds and gives up after the
// time; Pump handles messages for a fixed time (for benchmarks and for
// showing that nothing happens). Both dispatch plainly unless given another
// step (AppPump.h: the framework application's own handling).
#pragma once
#include <windows.h>

namespace tftest {

using TPumpStep = void (*)();

// Takes every waiting message and dispatches it.
inline void DispatchPending()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Handles messages until done() holds (true) or timeoutMs passed (false).
template <class Pred>
bool PumpUntil(Pred done, DWORD timeoutMs = 5000, TPumpStep step = DispatchPending)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        step();
        if (done()) return true;
        // Wakes at the next message, or soon for what polls (timers of other
        // threads, files).
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

inline void Pump(DWORD ms, TPumpStep step = DispatchPending)
{
    PumpUntil([] { return false; }, ms, step);
}

} // namespace tftest
