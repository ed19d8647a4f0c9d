// Helpers for graphics tests: white and counted 24-bit bitmaps (pixels are
// read by the kit).
#pragma once
#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "tests/kit/Pixels.h"

namespace tftest {

// A white 24-bit bitmap.
inline void MakeWhite(tf::TBitmap& bmp, int w, int h)
{
    bmp.SetPixelFormat(tf::pf24bit);
    bmp.SetSize(w, h);
    bmp.Canvas()->Brush()->SetColor(tf::clWhite);
    bmp.Canvas()->FillRect(RECT{0, 0, w, h});
}

inline int CountPixels(tf::TBitmap& bmp, tf::TColor color)
{
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (PixelAt(bmp, x, y) == color) ++n;
    return n;
}

inline DWORD GdiObjects() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

} // namespace tftest
