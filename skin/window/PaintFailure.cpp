#include "skin/window/PaintFailure.h"

#include <windows.h>

#include "framework/controls/Application.h"

namespace tf {

namespace {

TPaintFailureReporter gReporter = nullptr;
bool gReported = false;
std::string gPending;

// Runs from the message loop, outside any paint message.
void CALLBACK ShowPendingFailure(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    const std::string text = "The skin could not draw a window: " + gPending;
    if (Application) Application->ShowException(text);
}

void DefaultReporter(const std::string& what)
{
    gPending = what;
    ::SetTimer(nullptr, 0, 0, &ShowPendingFailure);
}

} // namespace

void SetPaintFailureReporter(TPaintFailureReporter reporter) { gReporter = reporter; }

void ReportPaintFailure(const std::string& what)
{
    if (gReported) return;
    gReported = true;
    (gReporter ? gReporter : &DefaultReporter)(what);
}

std::string PaintFailureSubject(HWND window)
{
    char className[256] = {};
    char caption[256] = {};
    if (window) {
        ::GetClassNameA(window, className, sizeof className);
        ::GetWindowTextA(window, caption, sizeof caption);
    }
    return std::string(className[0] ? className : "a window") + " \"" + caption + "\"";
}

void ResetPaintFailureReport() { gReported = false; }

} // namespace tf
