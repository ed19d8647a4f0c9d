// Pixel readers for tests: a bitmap's pixel and the screen's, as 0x00BBGGRR
// colours.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"

namespace tftest {

// A pixel of a 24- or 32-bit bitmap.
inline tf::TColor PixelAt(tf::TBitmap& bmp, int x, int y)
{
    const int bytes = bmp.PixelFormat() == tf::pf32bit ? 4 : 3;
    const uint8_t* p = bmp.ScanLine(y) + bytes * x;   // B, G, R
    return static_cast<tf::TColor>(p[0] << 16 | p[1] << 8 | p[2]);
}

// A pixel of the screen as it shows now.
inline tf::TColor ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    const tf::TColor c = static_cast<tf::TColor>(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return c;
}

} // namespace tftest
