#include "skin/data/SkinText.h"

#include "skin/draw/SkinPlatform.h"

namespace tf {

std::wstring WideCopy(const wchar_t* text, int count)
{
    if (!text) return {};
    if (count == -1) return std::wstring(text);
    if (count <= 0) return {};
    return std::wstring(text, static_cast<size_t>(count));
}

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format)
{
    if (PlatformFlags().NTFamily) return ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
    const std::string ansi = WideToAnsi(text);
    return ::DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

} // namespace tf
