#include "SysUtils.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tf {

std::string OneLine(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

std::string Format(const char* fmt, ...)
{
    va_list ap;
    va_start(ap, fmt);
    va_list copy;
    va_copy(copy, ap);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, ap);
        out.resize(static_cast<size_t>(n));
    }
    va_end(ap);
    return out;
}

void Assert(bool cond, const std::string& message, const char* unit)
{
    if (!cond)
        throw EAssertionFailed(message + " (" + unit + ")");
}

static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string TrimLeft(const std::string& s)
{
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

std::string TrimRight(const std::string& s)
{
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return s.substr(0, e);
}

std::string Trim(const std::string& s) { return TrimRight(TrimLeft(s)); }

std::string LowerCaseAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

std::string UpperCaseAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

int CompareTextAscii(const std::string& a, const std::string& b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameTextAscii(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CompareTextAscii(a, b) == 0;
}

bool TryStrToInt(const std::string& s, int32_t& value)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;
    uint64_t acc = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else return false;
        acc = acc * (hex ? 16 : 10) + digit;
        // Hex literals may fill all 32 bits; decimal ones must fit the signed range.
        if (acc > (hex ? 0xFFFFFFFFull : 0x80000000ull)) return false;
    }
    if (!hex && !negative && acc > 0x7FFFFFFFull) return false;
    const uint32_t bits = static_cast<uint32_t>(acc);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

int32_t StrToIntDef(const std::string& s, int32_t def)
{
    int32_t v;
    return TryStrToInt(s, v) ? v : def;
}

int32_t StrToInt(const std::string& s)
{
    int32_t v;
    if (!TryStrToInt(s, v))
        throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

std::string IntToStr(int64_t v) { return std::to_string(v); }

#ifdef _WIN32
std::wstring AnsiToWide(const std::string& s)
{
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string WideToAnsi(const std::wstring& s)
{
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}
#else
// Host builds only handle ASCII text through these; other bytes map one to one.
std::wstring AnsiToWide(const std::string& s)
{
    std::wstring out;
    out.reserve(s.size());
    for (unsigned char c : s) out.push_back(static_cast<wchar_t>(c));
    return out;
}

std::string WideToAnsi(const std::wstring& s)
{
    std::string out;
    out.reserve(s.size());
    for (wchar_t c : s) out.push_back(c < 256 ? static_cast<char>(c) : '?');
    return out;
}
#endif

} // namespace tf
