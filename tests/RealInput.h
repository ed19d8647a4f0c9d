// Real input and screenshots for tests under Wine on the virtual display:
// host programs (xdotool, ImageMagick's import) run from a Windows test
// process and are waited for.
#pragma once
#include <windows.h>

#include <string>

namespace tftest {

// Runs a shell command on the host and waits until it has finished (Wine
// cannot wait on a host program's process, so the command leaves a marker
// file behind). The command must not contain double quotes.
inline bool RunOnHost(const std::string& shellCommand, DWORD timeoutMs = 20000)
{
    static int count = 0;
    const std::string marker =
        "/tmp/tamfern-host-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    std::string command = "Z:\\bin\\sh -c \"" + shellCommand + "; touch " + marker + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
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

} // namespace tftest
