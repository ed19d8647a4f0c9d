// Pictures of skinned controls for tests: a window's client area painted
// through WM_PRINTCLIENT or what the real screen shows, and which frame of a
// skin element or strip a picture shows.
#pragma once
#include <windows.h>

#include <memory>

#include "../../framework/graphics/PixelTestUtil.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinElements.h"
#include "skin/draw/SkinDraw.h"

namespace ctltest {

// The window's client area painted through WM_PRINTCLIENT.
inline std::unique_ptr<tf::TBitmap> PrintClient(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    auto image = std::make_unique<tf::TBitmap>(r.right, r.bottom, tf::pf24bit);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image->Canvas()->Handle()), PRF_CLIENT | PRF_ERASEBKGND);
    return image;
}

// What the screen shows of a screen rectangle.
inline std::unique_ptr<tf::TBitmap> ScreenPixels(const RECT& r)
{
    auto image = std::make_unique<tf::TBitmap>(r.right - r.left, r.bottom - r.top, tf::pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(image->Canvas()->Handle(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return image;
}

inline RECT ScreenRectOf(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

inline POINT CentreOf(HWND window)
{
    const RECT r = ScreenRectOf(window);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Which frame of an element, composed at the picture's size, the picture
// shows along its edges (the outer `ring` rows and columns, clear of any
// caption or focus rectangle): the frame with the most equal pixels; ratio
// tells how many of the compared pixels were equal. Magenta (transparent)
// pixels of the element are skipped.
inline int ShownFrame(tf::TBitmap& picture, tf::TDataSkinObject& element, int frameCount, int ring, double* ratio = nullptr)
{
    const int w = picture.Width(), h = picture.Height();
    int best = 0, bestEqual = -1, bestCompared = 1;
    for (int frame = 1; frame <= frameCount; ++frame) {
        auto composed = tf::ComposeElement(RECT{0, 0, w, h}, *element.Bitmap, element.Margins, frame, frameCount,
                                           element.Tile != 0, false);
        int equal = 0, compared = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x >= ring && x < w - ring && y >= ring && y < h - ring) continue;
                const tf::TColor want = tftest::PixelAt(*composed, x, y);
                if (want == tf::clSkinKey) continue;
                ++compared;
                equal += tftest::PixelAt(picture, x, y) == want;
            }
        if (equal > bestEqual) {
            best = frame;
            bestEqual = equal;
            bestCompared = compared;
        }
    }
    if (ratio) *ratio = bestCompared ? static_cast<double>(bestEqual) / bestCompared : 0;
    return best;
}

// The frame of a strip (frames side by side, drawn at their own size) that
// the picture shows at (x, y): the frame all of whose non-magenta pixels are
// there; 0 when none is.
inline int ShownStripFrame(tf::TBitmap& picture, int x, int y, tf::TBitmap& strip, int frameCount)
{
    const int fw = strip.Width() / frameCount, fh = strip.Height();
    for (int frame = 1; frame <= frameCount; ++frame) {
        bool same = true;
        for (int j = 0; j < fh && same; ++j)
            for (int i = 0; i < fw && same; ++i) {
                const tf::TColor want = tftest::PixelAt(strip, (frame - 1) * fw + i, j);
                if (want == tf::clSkinKey) continue;
                if (x + i >= picture.Width() || y + j >= picture.Height()) same = false;
                else same = tftest::PixelAt(picture, x + i, y + j) == want;
            }
        if (same) return frame;
    }
    return 0;
}

} // namespace ctltest
