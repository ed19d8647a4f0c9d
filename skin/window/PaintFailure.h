// A skinner whose painting fails falls back to the system's painting of that
// window, and the failure is reported once per process. The report never
// comes from inside the paint message (an error box inside WM_PAINT or
// WM_NCPAINT re-enters the paint and loops): by default it reaches the
// application's error box from the message loop, after the paint returned.
#pragma once
#include <windows.h>

#include <string>

namespace tf {

using TPaintFailureReporter = void (*)(const std::string& what);

// Replaces the reporter (nullptr: the application's error box).
void SetPaintFailureReporter(TPaintFailureReporter reporter);
// Reports what failed, unless a failure was reported before.
void ReportPaintFailure(const std::string& what);
// A window as a report names it: its class and its caption.
std::string PaintFailureSubject(HWND window);
// Tests only: the next failure is reported again.
void ResetPaintFailureReport();

} // namespace tf
