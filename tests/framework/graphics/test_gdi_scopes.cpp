// The paired helpers of a paint under Wine: the paint DC scope begins and
// ends the paint only when the message carries no DC, and the off-screen
// buffer takes drawing in the target's coordinates, reaches the target only
// when flushed, and leaves no GDI object behind.
#include <doctest.h>

#include <windows.h>

#include "framework/graphics/GdiHandle.h"

using namespace tf;

namespace {

struct Seen {
    bool owned = false;
    RECT update{0, 0, 0, 0};
    bool painted = false;
};
Seen gSeen;
HDC gGiven = nullptr;

LRESULT CALLBACK PaintProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        TPaintDCScope paint(w, reinterpret_cast<HDC>(wParam));
        gSeen.owned = paint.Owns();
        gSeen.update = paint.UpdateRect();
        gSeen.painted = paint.Get() != nullptr;
        return 0;
    }
    return DefWindowProcA(w, msg, wParam, lParam);
}

HWND MakeWindow()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = &PaintProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TamfernScopeTest";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "TamfernScopeTest", "", WS_POPUP | WS_VISIBLE, 40, 40, 200, 120, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

bool UpdatePending(HWND w)
{
    RECT r{};
    return GetUpdateRect(w, &r, FALSE) != FALSE;
}

COLORREF PixelOf(HDC dc, int x, int y) { return GetPixel(dc, x, y); }

} // namespace

TEST_CASE("the paint DC scope begins and ends a paint only when the message carries no DC")
{
    HWND w = MakeWindow();
    REQUIRE(w);
    UpdateWindow(w);
    const RECT dirty{10, 20, 60, 50};
    InvalidateRect(w, &dirty, FALSE);
    REQUIRE(UpdatePending(w));

    SUBCASE("a paint of its own: the update rectangle, and the window validated")
    {
        gSeen = Seen{};
        UpdateWindow(w);
        CHECK(gSeen.painted);
        CHECK(gSeen.owned);
        CHECK(EqualRect(&gSeen.update, &dirty));
        CHECK_FALSE(UpdatePending(w));
    }
    SUBCASE("a DC given with the message: the whole client area, and the window still to be painted")
    {
        gSeen = Seen{};
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        SendMessageA(w, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
        DeleteDC(memory);
        CHECK(gSeen.painted);
        CHECK_FALSE(gSeen.owned);
        const RECT client{0, 0, 200, 120};
        CHECK(EqualRect(&gSeen.update, &client));
        CHECK(UpdatePending(w));
    }
    DestroyWindow(w);
}

TEST_CASE("the off-screen buffer takes drawing in the target's coordinates and reaches the target only when flushed")
{
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP targetBitmap = CreateCompatibleBitmap(screen, 100, 80);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(target, targetBitmap);
    const RECT all{0, 0, 100, 80};
    FillRect(target, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

    const RECT area{30, 20, 70, 60};
    HGDIOBJ bufferBitmap = nullptr;
    {
        TOffscreenDC buffer(target, area);
        REQUIRE(buffer);
        bufferBitmap = GetCurrentObject(buffer.Get(), OBJ_BITMAP);
        CHECK(GetObjectType(bufferBitmap) == OBJ_BITMAP);
        // Target coordinates: the area's corners are the buffer's corners.
        FillRect(buffer.Get(), &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        CHECK(PixelOf(target, 30, 20) == RGB(255, 255, 255));   // not yet
        buffer.Flush();
        CHECK(PixelOf(target, 30, 20) == RGB(0, 0, 0));
        CHECK(PixelOf(target, 69, 59) == RGB(0, 0, 0));
        CHECK(PixelOf(target, 29, 20) == RGB(255, 255, 255));   // only the area
        CHECK(PixelOf(target, 70, 59) == RGB(255, 255, 255));
    }
    CHECK(GetObjectType(bufferBitmap) == 0);   // freed with the scope

    // An empty area makes no buffer: drawing goes to the target then.
    {
        TOffscreenDC none(target, RECT{10, 10, 10, 40});
        CHECK_FALSE(none);
        none.Flush();
    }
    SelectObject(target, old);
    DeleteObject(targetBitmap);
    DeleteDC(target);
}
