// Shared helpers of the support-service tests: temporary trees, files, child
// processes and the paths of the helper programs built beside the tests.
#pragma once
#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

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

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

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

// Listed in UTF-16, so that names the ANSI code page cannot hold go too.
inline void RemoveTreeW(const std::wstring& dir)
{
    WIN32_FIND_DATAW d;
    const HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &d);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = d.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring p = dir + L"\\" + name;
            SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(p);
            else
                DeleteFileW(p.c_str());
        } while (FindNextFileW(h, &d));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

inline void RemoveTree(const std::string& dir)
{
    std::wstring wide(dir.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, dir.c_str(), static_cast<int>(dir.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    RemoveTreeW(wide);
}

// A fresh directory under the user's temporary folder, removed with its
// contents at the end of the test.
class TTempDir {
public:
    explicit TTempDir(const std::string& tag = "t")
    {
        static int serial = 0;
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        FPath = std::string(base) + "tfsup_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++serial);
        RemoveTree(FPath);
        CreateDirectoryA(FPath.c_str(), nullptr);
    }
    ~TTempDir() { RemoveTree(FPath); }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& relative) const { return FPath + "\\" + relative; }
    std::string Dir(const std::string& relative) const
    {
        const std::string p = *this / relative;
        CreateDirectoryA(p.c_str(), nullptr);
        return p;
    }
    std::string File(const std::string& relative, const std::string& bytes = "x") const
    {
        const std::string p = *this / relative;
        WriteBytes(p, bytes);
        return p;
    }

private:
    std::string FPath;
};

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
