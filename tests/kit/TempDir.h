// Temporary folders for tests: a fresh folder under the temporary directory,
// removed with everything in it at the end, and the removal itself.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

namespace tftest {

// Writes bytes to a new file (replacing it); throws when it cannot.
inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    const HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    DWORD n = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
}

// Listed in UTF-16, so that names the ANSI code page cannot hold go too;
// read-only files go as well.
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

// Removes dir (with or without a trailing backslash) and everything in it.
// Another program may still be looking through it: then it tries again
// every 100 ms for up to patienceMs. Whether it is gone.
inline bool RemoveTree(std::string dir, DWORD patienceMs = 0)
{
    while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    std::wstring wide(dir.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, dir.c_str(), static_cast<int>(dir.size()),
                                                        wide.data(), static_cast<int>(wide.size()))));
    const DWORD start = GetTickCount();
    for (;;) {
        RemoveTreeW(wide);
        if (GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
        if (GetTickCount() - start >= patienceMs) return false;
        Sleep(100);
    }
}

// A fresh folder under the temporary directory, named for the tag, this
// process and a count; removed with its contents at the end.
class TTempDir {
public:
    explicit TTempDir(const std::string& tag = "t")
    {
        static int serial = 0;
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        CreateDirectoryA(base, nullptr);   // a fresh prefix may not have it yet
        FPath = std::string(base) + "tf_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++serial);
        RemoveTree(FPath);
        CreateDirectoryA(FPath.c_str(), nullptr);
    }
    ~TTempDir() { RemoveTree(FPath); }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::string& Path() const { return FPath; }   // no trailing backslash
    std::string Folder() const { return FPath + "\\"; }  // with one
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

} // namespace tftest
