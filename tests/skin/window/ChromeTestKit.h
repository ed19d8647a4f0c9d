// Helpers for the tests of caption buttons, menu bar and menus: the skin
// fixture with the chrome and popup skinners installed, framework forms with
// a main menu, a driver that acts from inside a modal menu loop (thread timer
// steps), the open menu window, real pointer input through xdotool and
// screenshots of the virtual display.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../../RealInput.h"
#include "SkinWindowKit.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "skin/window/FormChrome.h"
#include "skin/window/PopupSkinnerLink.h"
#include "skin/window/SkinChrome.h"

namespace skintest {

using tftest::RunOnHost;
using tftest::Screenshot;
using tftest::XdoTool;

// The skin fixture with every form skinner's chrome and the popup skinners
// (and, with parts, the control skinners too).
struct ChromeFixture : SkinFixture {
    explicit ChromeFixture(std::function<void(tf::TSkinData&)> configure = {},
                           tf::TSkinEngineParts parts = tf::TSkinEngineParts{true, false})
        : SkinFixture(tf::sfMainform, true, nullptr, std::move(configure), parts)
    {
    }
    tf::TSkinChrome& Chrome(HWND window) const
    {
        return dynamic_cast<tf::TSkinChrome&>(*Skinner(window)->Chrome());
    }
};

// A menu item with a caption, optionally an OnClick that counts.
inline tf::TMenuItem* AddItem(tf::TMenuItem* parent, const std::string& caption, tf::TComponent* owner)
{
    auto* item = new tf::TMenuItem(owner);
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

// A shown framework form (320 x 240 client) at (x, y), activated.
inline std::unique_ptr<tf::TForm> ShowForm(const char* caption, int x = 140, int y = 120,
                                           std::function<void(tf::TForm&)> before = {})
{
    auto form = std::make_unique<tf::TForm>(nullptr);
    form->SetBounds(x, y, 360, 280);
    form->SetCaption(caption);
    if (before) before(*form);
    form->Show();
    SetForegroundWindow(form->Handle());
    return form;
}

// ---------------------------------------------------------------- inside a modal loop

// Steps run one per tick of a thread timer, also while a menu's modal loop
// runs (its loop dispatches the timer). A step answers true when it is done;
// a step answering false runs again at the next tick. Steps still waiting
// after the time limit are dropped and any open menu is closed, so that a
// failing test cannot hang in a menu's loop.
class LoopDriver {
public:
    using Step = std::function<bool()>;
    explicit LoopDriver(std::vector<Step> steps, UINT interval = 60, DWORD limitMs = 6000)
        : FSteps(steps.begin(), steps.end()), FDeadline(GetTickCount() + limitMs)
    {
        Current() = this;
        FTimer = SetTimer(nullptr, 0, interval, &Tick);
    }
    ~LoopDriver()
    {
        KillTimer(nullptr, FTimer);
        if (Current() == this) Current() = nullptr;
    }
    LoopDriver(const LoopDriver&) = delete;
    LoopDriver& operator=(const LoopDriver&) = delete;
    bool Done() const { return FSteps.empty(); }
    bool TimedOut() const { return FTimedOut; }

private:
    static LoopDriver*& Current()
    {
        static LoopDriver* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        LoopDriver* d = Current();
        if (d && !d->FSteps.empty() && static_cast<LONG>(GetTickCount() - d->FDeadline) > 0) {
            d->FSteps.clear();
            d->FTimedOut = true;
            EndMenu();
        }
        if (!d || d->FSteps.empty() || d->FBusy) return;
        d->FBusy = true;   // a step may run a modal loop of its own
        Step step = d->FSteps.front();
        if (step()) d->FSteps.pop_front();
        d->FBusy = false;
    }
    std::deque<Step> FSteps;
    UINT_PTR FTimer = 0;
    DWORD FDeadline;
    bool FBusy = false;
    bool FTimedOut = false;
};

inline BOOL CALLBACK FindMenuWindow(HWND w, LPARAM found)
{
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "#32768" && IsWindowVisible(w)) *reinterpret_cast<HWND*>(found) = w;
    return TRUE;
}

// The visible menu window of this thread (the innermost), or null.
inline HWND OpenMenuWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline BOOL CALLBACK CollectMenuWindows(HWND w, LPARAM out)
{
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "#32768" && IsWindowVisible(w)) reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

// Every visible menu window of this thread.
inline std::vector<HWND> MenuWindows()
{
    std::vector<HWND> all;
    EnumThreadWindows(GetCurrentThreadId(), &CollectMenuWindows, reinterpret_cast<LPARAM>(&all));
    return all;
}

// The menu a menu window shows.
inline HMENU MenuOfWindow(HWND menuWindow)
{
    return reinterpret_cast<HMENU>(SendMessageA(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
}

// Whether a window of this thread shows menu now.
inline bool MenuShown(HMENU menu)
{
    for (HWND w : MenuWindows())
        if (MenuOfWindow(w) == menu) return true;
    return false;
}

// A key as the menu's loop reads it.
inline void PostKey(HWND window, WPARAM key) { PostMessageA(window, WM_KEYDOWN, key, 0); }

// ---------------------------------------------------------------- pixels

// The colour of a window's pixel as its window DC holds it.
inline tf::TColor WindowPixel(HWND window, int x, int y)
{
    HDC dc = GetWindowDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return static_cast<tf::TColor>(c);
}

} // namespace skintest
