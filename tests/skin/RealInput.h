// Real input for tests of behaviour that is about input: under Wine the
// pointer and keyboard of the virtual display, driven with xdotool (hit
// testing, capture and focus then work as for a user); on Windows the same
// steps go through SendInput. Wine cannot wait for a host process, so each
// step pumps the caller's messages until its effect shows or a pause passed.
#pragma once
#include <windows.h>

#include <string>

namespace realinput {

inline bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

inline void Xdotool(const std::string& args)
{
    std::string command = "Z:\\usr\\bin\\xdotool " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

// Handles this thread's messages for ms milliseconds.
inline void Pump(int ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (static_cast<int>(GetTickCount() - start) < ms);
}

inline void MoveTo(POINT p)
{
    if (UnderWine()) {
        Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y));
    } else {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof in);
    }
    for (int i = 0; i < 100; ++i) {
        POINT now{};
        GetCursorPos(&now);
        if (now.x == p.x && now.y == p.y) break;
        Pump(10);
    }
    Pump(120);
}

inline void LeftButton(bool down)
{
    if (UnderWine()) {
        Xdotool(down ? "mousedown 1" : "mouseup 1");
    } else {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        SendInput(1, &in, sizeof in);
    }
    Pump(250);
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
        Xdotool(std::string("key ") + name);
    } else {
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = vk;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    }
    Pump(250);
}

// Saves the real screen as a PNG for a person to look at (Wine only).
inline void Screenshot(const std::string& unixPath)
{
    if (!UnderWine()) return;
    std::string command = "Z:\\usr\\bin\\import -window root " + unixPath;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    Pump(800);
}

} // namespace realinput
