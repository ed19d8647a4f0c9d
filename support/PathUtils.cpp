#include "PathUtils.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <array>

namespace tf {

namespace {

struct TLeadBytes {
    std::array<bool, 256> Lead{};
    TLeadBytes()
    {
        for (int b = 0; b < 256; ++b) {
#if defined(_WIN32)
            Lead[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != 0;
#else
            Lead[b] = b >= 0x81 && b <= 0xFE;
#endif
        }
    }
};

// Calls f(index) for every single-byte position of s.
template <class F>
void ForEachSingleByte(const std::string& s, F f)
{
    const size_t n = s.size();
    for (size_t i = 0; i < n; ++i) {
        if (IsAnsiLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < n) {
            ++i;   // skip the trail byte
            continue;
        }
        f(i);
    }
}

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

bool IsAnsiLeadByte(unsigned char b)
{
    static const TLeadBytes table;
    return table.Lead[b];
}

size_t LastDelimiter(const std::string& delimiters, const std::string& s)
{
    size_t found = std::string::npos;
    ForEachSingleByte(s, [&](size_t i) {
        if (delimiters.find(s[i]) != std::string::npos) found = i;
    });
    return found;
}

std::string ExtractFilePath(const std::string& path)
{
    const size_t i = LastDelimiter("\\:", path);
    return i == std::string::npos ? std::string() : path.substr(0, i + 1);
}

std::string ExtractFileName(const std::string& path)
{
    const size_t i = LastDelimiter("\\:", path);
    return i == std::string::npos ? path : path.substr(i + 1);
}

std::string ExtractFileExt(const std::string& path)
{
    const size_t i = LastDelimiter(".\\:", path);
    if (i == std::string::npos || path[i] != '.') return {};
    return path.substr(i);
}

bool HasTrailingBackslash(const std::string& path)
{
    return !path.empty() && LastDelimiter("\\", path) == path.size() - 1;
}

std::string IncludeTrailingBackslash(const std::string& path)
{
    return HasTrailingBackslash(path) ? path : path + '\\';
}

std::string FoldPathCase(const std::string& path)
{
    std::string out = path;
    ForEachSingleByte(out, [&](size_t i) { out[i] = UpperAscii(out[i]); });
    return out;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && FoldPathCase(a) == FoldPathCase(b);
}

bool HasWildcards(const std::string& path)
{
    bool found = false;
    ForEachSingleByte(path, [&](size_t i) { found = found || path[i] == '*' || path[i] == '?'; });
    return found;
}

} // namespace tf
