// Helpers of the watcher tests: temporary folders, files and a message pump.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace tf::test {

// Runs this thread's message loop until pred holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (pred()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

inline void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

inline void WriteFileText(const std::string& path, const std::string& text)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
}

// Listed in UTF-16, so that names the ANSI code page cannot hold go too.
inline void RemoveTreeW(const std::wstring& dir)
{
    WIN32_FIND_DATAW d;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &d);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring n = d.cFileName;
            if (n == L"." || n == L"..") continue;
            if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTreeW(dir + L"\\" + n);
            else
                DeleteFileW((dir + L"\\" + n).c_str());
        } while (FindNextFileW(h, &d));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

inline void RemoveTree(const std::string& dir)
{
    std::wstring wide(dir.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, dir.c_str(), static_cast<int>(dir.size()), wide.data(), static_cast<int>(wide.size()))));
    RemoveTreeW(wide);
}

// A fresh folder under the temporary directory (path ends in '\'), removed
// with its contents at the end.
class TTempDir {
public:
    explicit TTempDir(const std::string& tag)
    {
        char tmp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, tmp);
        Path = std::string(tmp) + "tf_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(++Counter()) + "\\";
        RemoveTree(Path.substr(0, Path.size() - 1));
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TTempDir() { RemoveTree(Path.substr(0, Path.size() - 1)); }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    std::string Path;

private:
    static int& Counter()
    {
        static int n = 0;
        return n;
    }
};

} // namespace tf::test
