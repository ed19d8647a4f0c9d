// Helpers for tests that drive real windows: the kit's pumping, answering
// message boxes in-process, and recording what a replaced WindowProc sees.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Controls.h"
#include "tests/kit/AppPump.h"

namespace testutil {

using tftest::app::Pump;
using tftest::app::PumpUntil;

// Answers every message box of this thread with OK while it lives and
// records each box's caption, text and owner.
class TBoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;
        HWND owner;
    };
    TBoxAnswerer()
    {
        Current() = this;
        FHook = SetWindowsHookExA(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~TBoxAnswerer()
    {
        UnhookWindowsHookEx(FHook);
        Current() = nullptr;
    }
    TBoxAnswerer(const TBoxAnswerer&) = delete;
    TBoxAnswerer& operator=(const TBoxAnswerer&) = delete;

    std::vector<Box> Boxes;

private:
    static TBoxAnswerer*& Current()
    {
        static TBoxAnswerer* current = nullptr;
        return current;
    }
    static BOOL CALLBACK CollectText(HWND child, LPARAM param)
    {
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof(cls));
        if (lstrcmpiA(cls, "Static") == 0) {
            char text[1024] = {};
            GetWindowTextA(child, text, sizeof(text));
            if (text[0]) *reinterpret_cast<std::string*>(param) += text;
        }
        return TRUE;
    }
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE && Current()) {
            HWND w = reinterpret_cast<HWND>(wParam);
            char cls[32] = {};
            GetClassNameA(w, cls, sizeof(cls));
            if (std::string(cls) == "#32770") {
                Box box;
                char caption[256] = {};
                GetWindowTextA(w, caption, sizeof(caption));
                box.caption = caption;
                EnumChildWindows(w, &CollectText, reinterpret_cast<LPARAM>(&box.text));
                box.owner = GetWindow(w, GW_OWNER);
                Current()->Boxes.push_back(box);
                PostMessageA(w, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK FHook = nullptr;
};

// A replacement WindowProc that records each message and passes it on.
class TMessageSpy : public tf::TObject {
public:
    explicit TMessageSpy(tf::TControl* control) : FControl(control)
    {
        Saved = control->WindowProc;
        control->WindowProc = tf::TWndMethod::Of<&TMessageSpy::Proc>(this);
    }
    void Restore() { FControl->WindowProc = Saved; }
    bool Saw(UINT msg) const
    {
        for (const tf::TMessage& m : Seen)
            if (m.Msg == msg) return true;
        return false;
    }
    int Count(UINT msg) const
    {
        int n = 0;
        for (const tf::TMessage& m : Seen) n += m.Msg == msg;
        return n;
    }
    void Proc(tf::TMessage& m)
    {
        Seen.push_back(m);
        Saved(m);
        if (After) After(m);
    }

    tf::TWndMethod Saved;
    std::vector<tf::TMessage> Seen;
    void (*After)(tf::TMessage&) = nullptr;

private:
    tf::TControl* FControl;
};

inline std::string ClassNameOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

inline std::string TextOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

} // namespace testutil
