// Shared helpers of the tray and icon list tests: the program icon built into
// the test as resources, plain icons made on the spot, hex text for stored data.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Streams.h"
#include "framework/graphics/Icon.h"

namespace traykit {

// The bytes of an RCDATA resource of the test program.
inline std::vector<uint8_t> ResourceBytes(const char* name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, name, reinterpret_cast<LPCSTR>(RT_RCDATA));
    if (!res) return {};
    HGLOBAL loaded = LoadResource(module, res);
    const auto* p = static_cast<const uint8_t*>(LockResource(loaded));
    return std::vector<uint8_t>(p, p + SizeofResource(module, res));
}

// The program icon file (16 and 32 pixels, 16 and 256 colours).
inline std::vector<uint8_t> ProgramIconFile() { return ResourceBytes("TRAYICONFILE"); }

inline std::unique_ptr<tf::TIcon> ProgramIcon()
{
    auto icon = std::make_unique<tf::TIcon>();
    tf::TMemoryStream data(ProgramIconFile());
    icon->LoadFromStream(data);
    return icon;
}

// A handle-only 16 x 16 icon of one colour.
inline std::unique_ptr<tf::TIcon> SolidIcon(COLORREF color)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bits = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bits);
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, 16, 16};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);   // all zero: fully opaque
    ICONINFO info{TRUE, 0, 0, mask, bits};
    HICON h = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(bits);
    auto icon = std::make_unique<tf::TIcon>();
    icon->SetHandle(h);
    return icon;
}

inline std::string Hex(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

inline void Put32(std::vector<uint8_t>& out, int32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

} // namespace traykit
