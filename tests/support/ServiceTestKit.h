// Shared helpers of the support-service tests: temporary trees, files, child
// processes and the paths of the helper programs built beside the tests
// (temporary folders are the kit's).
#pragma once
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/kit/TempDir.h"

namespace testkit {

// The running test's directory, with a trailing backslash.
inline std::string ExeDir()
{
    char buf[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string path(buf, n);
    return path.substr(0, path.find_last_of('\\') + 1);
}

// The helper programs of tests/support/programs.
inline std::string ProgramPath(const std::string& name) { return ExeDir() + "programs\\" + name; }
inline std::string ChildPath() { return ProgramPath("support_child.exe"); }

using tftest::WriteBytes;

inline std::string ReadBytes(const std::string& path)
{
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out(GetFileSize(h, nullptr), '\0');
    DWORD n = 0;
    ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
    CloseHandle(h);
    out.resize(n);
    return out;
}

inline bool PathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

using tftest::RemoveTree;
using tftest::RemoveTreeW;
using tftest::TTempDir;

// A child process, ended and closed with the object if still running.
class TChild {
public:
    TChild(const std::string& exe, const std::string& arguments)
    {
        std::string cmd = "\"" + exe + "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            throw std::runtime_error("cannot start " + exe);
        CloseHandle(pi.hThread);
        FProcess = pi.hProcess;
        FId = pi.dwProcessId;
    }
    ~TChild()
    {
        if (Running()) {
            TerminateProcess(FProcess, 1);
            WaitForSingleObject(FProcess, 5000);
        }
        CloseHandle(FProcess);
    }
    TChild(const TChild&) = delete;
    TChild& operator=(const TChild&) = delete;

    bool Wait(DWORD ms) { return WaitForSingleObject(FProcess, ms) == WAIT_OBJECT_0; }
    bool Running() { return WaitForSingleObject(FProcess, 0) == WAIT_TIMEOUT; }
    DWORD ExitCode()
    {
        DWORD code = 0;
        GetExitCodeProcess(FProcess, &code);
        return code;
    }
    DWORD Id() const { return FId; }
    HANDLE Handle() const { return FProcess; }

private:
    HANDLE FProcess = nullptr;
    DWORD FId = 0;
};

// Runs the helper program to its end and gives its exit code.
inline DWORD RunChild(const std::string& arguments, DWORD timeoutMs = 30000)
{
    TChild child(ChildPath(), arguments);
    if (!child.Wait(timeoutMs)) return 0xDEAD;
    return child.ExitCode();
}

// Visible top-level windows of this process.
struct TWindowCount {
    DWORD ProcessID;
    int Count;
    static BOOL CALLBACK Visit(HWND w, LPARAM p)
    {
        auto& c = *reinterpret_cast<TWindowCount*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == c.ProcessID && IsWindowVisible(w)) ++c.Count;
        return TRUE;
    }
};
inline int VisibleWindowsOfProcess()
{
    TWindowCount c{GetCurrentProcessId(), 0};
    EnumWindows(&TWindowCount::Visit, reinterpret_cast<LPARAM>(&c));
    return c.Count;
}

} // namespace testkit
