#include "AnsiPath.h"

#include <windows.h>

#include <atomic>

#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/Wow64.h"

namespace tf {

namespace {

std::atomic<bool> gNoShortNames{false};

bool FindShortName(const std::wstring& path, std::wstring& shortName)
{
    if (gNoShortNames) return false;
    WIN32_FIND_DATAW data;
    TFindHandle search(FindFirstFileW(path.c_str(), &data));
    if (!search.Valid()) return false;
    shortName = data.cAlternateFileName;
    return !shortName.empty();
}

} // namespace

bool SetNoShortNames(bool none) { return gNoShortNames.exchange(none); }

bool WideToAnsiExact(const std::wstring& wide, std::string& out)
{
    out.clear();
    if (wide.empty()) return true;
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, "?", &usedDefault);
    if (n <= 0) {
        out.assign(wide.size(), '?');
        return false;
    }
    out.resize(static_cast<size_t>(n));
    usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(), n, "?", &usedDefault);
    return !usedDefault;
}

bool AnsiEntryName(const std::wstring& longName, const std::wstring& shortName, std::string& out)
{
    if (WideToAnsiExact(longName, out)) return true;
    std::string display = out;
    if (!gNoShortNames && !shortName.empty() && WideToAnsiExact(shortName, out)) return true;
    out = display;
    return false;
}

bool AnsiPathOf(const std::wstring& widePath, std::string& out)
{
    out.clear();
    bool usable = true;
    size_t start = 0;
    for (;;) {
        const size_t end = widePath.find(L'\\', start);
        const std::wstring component = widePath.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        std::string name;
        if (!WideToAnsiExact(component, name) && usable) {
            // A name with wildcards would make the lookup a pattern search.
            std::wstring shortName;
            std::string converted;
            const bool pattern = component.find_first_of(L"*?") != std::wstring::npos;
            // The folders before it already have usable ANSI names.
            if (!pattern && FindShortName(AnsiToWide(NativeFilePath(out)) + component, shortName) &&
                WideToAnsiExact(shortName, converted))
                name = converted;
            else
                usable = false;
        }
        out += name;
        if (end == std::wstring::npos) break;
        out += '\\';
        start = end + 1;
    }
    return usable;
}

} // namespace tf
