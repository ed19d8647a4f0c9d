// Real input and screenshots for tests under Wine on the virtual display:
// host programs (xdotool, ImageMagick's import) run from a Windows test
// process and are waited for. On Windows the pointer and key steps go
// through SendInput instead. Each pointer step handles the caller's messages
// until its effect shows; RunSteps drives input the caller cannot wait for
// (a press that starts a modal loop in the caller) from a thread of its own.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/kit/Pump.h"

namespace tftest {

// Runs a shell command on the host and waits until it has finished (Wine
// cannot wait on a host program's process, so the command leaves a marker
// file behind). The command must not contain double quotes.
inline bool RunOnHost(const std::string& shellCommand, DWORD timeoutMs = 20000)
{
    // Process ids repeat across Wine prefixes running side by side: the
    // clock's count keeps the marker's name to this call.
    static int count = 0;
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    const std::string marker = "/tmp/tamfern-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++count) + "-" + std::to_string(now.QuadPart);
    std::string command = "Z:\\bin\\sh -c \"" + shellCommand + "; touch " + marker + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    // Wine may answer the start of a host program with made-up handles;
    // closing one of those could close a handle of this process (its
    // standard output, say): only handles naming the new thread and
    // process are closed.
    if (pi.hThread && GetThreadId(pi.hThread) == pi.dwThreadId) CloseHandle(pi.hThread);
    if (pi.hProcess && GetProcessId(pi.hProcess) == pi.dwProcessId) CloseHandle(pi.hProcess);
    std::string windowsMarker = "Z:" + marker;
    for (char& c : windowsMarker)
        if (c == '/') c = '\\';
    const DWORD start = GetTickCount();
    while (GetFileAttributesA(windowsMarker.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    DeleteFileA(windowsMarker.c_str());
    return true;
}

// Runs xdotool on the virtual display with args and waits for it.
inline bool XdoTool(const std::string& args) { return RunOnHost("xdotool " + args); }

// Saves the whole virtual display as a PNG (host path), once what the
// windows drew has reached the display (Wine hands it over while the thread
// waits).
inline void Screenshot(const std::string& hostPath)
{
    GdiFlush();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 120, 0);
    RunOnHost("import -window root " + hostPath);
}

inline bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

// Handles this thread's messages for ms milliseconds.
inline void PumpMessages(int ms) { Pump(static_cast<DWORD>(ms)); }

// The pointer to p, and the left button down or up; nothing waits.
inline void SendMove(POINT p)
{
    if (UnderWine()) {
        XdoTool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
        return;
    }
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof in);
}

inline void SendButton(bool down)
{
    if (UnderWine()) {
        XdoTool(down ? "mousedown 1" : "mouseup 1");
        return;
    }
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &in, sizeof in);
}

inline void MoveTo(POINT p)
{
    SendMove(p);
    for (int i = 0; i < 100; ++i) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) break;
        PumpMessages(10);
    }
    PumpMessages(120);
}

inline void LeftButton(bool down)
{
    SendButton(down);
    PumpMessages(250);
}

inline void Click(POINT p)
{
    MoveTo(p);
    LeftButton(true);
    LeftButton(false);
}

// A key by its X name ("space", "Return") and virtual-key code.
inline void Key(const char* name, WORD vk)
{
    if (UnderWine()) {
        XdoTool(std::string("key ") + name);
    } else {
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = vk;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    }
    PumpMessages(250);
}

// Input that the caller's own thread cannot wait for (a press that starts a
// modal loop in the caller, such as scroll tracking): the steps run on a
// thread of their own while the caller's messages are handled, and a step
// may look at the screen while the button is held.
struct Step {
    enum Kind { Move, Down, Up, Wait, Call } What;
    POINT At{0, 0};
    int Ms = 0;
    std::function<void()> Do;
};
inline Step MoveStep(POINT p) { return Step{Step::Move, p, 0, {}}; }
inline Step DownStep() { return Step{Step::Down, {}, 0, {}}; }
inline Step UpStep() { return Step{Step::Up, {}, 0, {}}; }
inline Step WaitStep(int ms) { return Step{Step::Wait, {}, ms, {}}; }
inline Step CallStep(std::function<void()> f) { return Step{Step::Call, {}, 0, std::move(f)}; }

struct StepPlan {
    const std::vector<Step>* Steps;
    volatile bool Done = false;
};

inline DWORD WINAPI RunStepPlan(void* param)
{
    auto* plan = static_cast<StepPlan*>(param);
    for (const Step& s : *plan->Steps) {
        switch (s.What) {
        case Step::Move:
            SendMove(s.At);
            for (int i = 0; i < 100; ++i) {
                POINT now{};
                GetCursorPos(&now);
                if (now.x == s.At.x && now.y == s.At.y) break;
                Sleep(10);
            }
            Sleep(80);
            break;
        case Step::Down: SendButton(true); Sleep(60); break;
        case Step::Up: SendButton(false); Sleep(150); break;
        case Step::Wait: Sleep(static_cast<DWORD>(s.Ms)); break;
        case Step::Call: s.Do(); break;
        }
    }
    plan->Done = true;
    return 0;
}

inline void RunSteps(const std::vector<Step>& steps)
{
    StepPlan plan{&steps};
    HANDLE thread = CreateThread(nullptr, 0, &RunStepPlan, &plan, 0, nullptr);
    while (!plan.Done) PumpMessages(10);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    PumpMessages(150);
}

} // namespace tftest
