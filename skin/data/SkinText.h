// Wide-text routines of the skin data unit, so that skinners can draw text
// held as UTF-16 on every Windows version. AnsiToWide (system ANSI code page)
// is the core's (framework/core/SysUtils.h).
#pragma once
#include <windows.h>

#include <string>

#include "framework/core/SysUtils.h"

namespace tf {

// The whole NUL-terminated text when count is -1, else its first count
// characters; an empty string for a null pointer.
std::wstring WideCopy(const wchar_t* text, int count);

// Draws like DrawText and returns its result: the wide call on the NT family,
// else the text converted to the ANSI code page. rect is updated when the
// format asks for measuring (DT_CALCRECT).
int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT format);

} // namespace tf
