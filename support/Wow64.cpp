#include "Wow64.h"

#include <windows.h>

#include "AnsiPath.h"
#include "PathUtils.h"
#include "framework/core/SysUtils.h"

namespace tf {

std::string MapSystem32ToSysnative(const std::string& path, const std::string& windowsDir)
{
    if (windowsDir.empty()) return path;
    const std::string base = IncludeTrailingBackslash(windowsDir);
    const std::string prefix = base + "System32";
    const size_t n = prefix.size();
    if (path.size() < n || !SamePath(path.substr(0, n), prefix)) return path;
    if (path.size() > n && path[n] != '\\') return path;   // "System32x" is another folder
    return base + "Sysnative" + path.substr(n);
}

bool IsWow64()
{
    static const bool wow64 = [] {
        using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        auto fn = kernel ? reinterpret_cast<TIsWow64Process>(
                               reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")))
                         : nullptr;
        BOOL result = FALSE;
        return fn && fn(GetCurrentProcess(), &result) && result;
    }();
    return wow64;
}

std::string SystemWindowsDirectory()
{
    static const std::string dir = [] {
        char buf[MAX_PATH + 1] = {};
        const UINT n = GetSystemWindowsDirectoryA(buf, MAX_PATH);
        std::string s = (n > 0 && n < MAX_PATH) ? std::string(buf, n) : std::string();
        if (HasTrailingBackslash(s) && s.size() > 3) s.pop_back();   // keep "C:\" whole
        return s;
    }();
    return dir;
}

namespace {

// The alias exists from Vista on; without it mapping would only break paths.
bool SysnativeAvailable()
{
    static const bool available = [] {
        const std::string dir = SystemWindowsDirectory();
        if (dir.empty()) return false;
        const DWORD attr = GetFileAttributesA((IncludeTrailingBackslash(dir) + "Sysnative\\").c_str());
        return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }();
    return available;
}

} // namespace

std::string NativeFilePath(const std::string& path)
{
    if (!IsWow64() || !SysnativeAvailable()) return path;
    return MapSystem32ToSysnative(path, SystemWindowsDirectory());
}

std::wstring NativeFilePathW(const std::wstring& path)
{
    std::string ansi;
    if (!IsWow64() || !WideToAnsiExact(path, ansi)) return path;
    return AnsiToWide(NativeFilePath(ansi));
}

} // namespace tf
