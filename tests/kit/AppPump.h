// Pumping for tests of framework controls: the application's own message
// handling (its keys, mouse idling and synchronised calls) instead of a
// plain dispatch.
#pragma once
#include "framework/controls/Application.h"
#include "tests/kit/Pump.h"

namespace tftest {

inline void ProcessAppMessages() { tf::Application->ProcessMessages(); }

namespace app {

template <class Pred>
bool PumpUntil(Pred done, DWORD timeoutMs = 3000)
{
    return tftest::PumpUntil(done, timeoutMs, ProcessAppMessages);
}

inline void Pump(DWORD ms) { tftest::Pump(ms, ProcessAppMessages); }

} // namespace app
} // namespace tftest
