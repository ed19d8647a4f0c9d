// What the skin engine needs of the user-interface framework: the window of
// a form, the application window, a hint window for caption buttons (the
// caption chrome's), and where a component reports what keeps it from
// skinning. The
// defaults use the framework's forms, Application (its error box) and
// THintWindow; InstallSkinHost replaces any of them (tests, other hosts).
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace tf {

class TComponent;

// The part of a hint window that caption-button hints use.
class TCaptionHintWindow {
public:
    virtual ~TCaptionHintWindow() = default;
    // The rectangle (at the origin) that text needs, at most maxWidth wide.
    virtual RECT CalcHintRect(int maxWidth, const std::string& text) = 0;
    // Shows the hint at rect (screen coordinates) without activating it.
    virtual void ActivateHint(const RECT& rect, const std::string& text) = 0;
    virtual void HideHint() = 0;
};

struct TSkinHost {
    // The window of c when c is a form (made if needed), else null.
    HWND (*FormWindow)(TComponent* c) = nullptr;
    // The application window (it answers WM_GETICON with the program icon).
    HWND (*ApplicationWindow)() = nullptr;
    // A new hint window owned by the caller.
    std::unique_ptr<TCaptionHintWindow> (*CreateHintWindow)() = nullptr;
    // Tells the user what keeps a component from skinning.
    void (*ReportError)(const std::string& text) = nullptr;
};

// The current host; unset members answer with the defaults above.
const TSkinHost& SkinHost();
void InstallSkinHost(const TSkinHost& host);

// Through the host, with the defaults.
HWND SkinHostFormWindow(TComponent* c);
HWND SkinHostApplicationWindow();
std::unique_ptr<TCaptionHintWindow> SkinHostCreateHintWindow();
void SkinHostReportError(const std::string& text);

} // namespace tf
