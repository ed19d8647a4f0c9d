// Real input and the real screen: the pointer drags a skinned window by its
// caption band (the skinner's hit test turns the band into caption), and the
// screen shows the region cut at the borders' transparent corners. Under
// Wine the pointer is the virtual display's, moved with xdotool; on Windows
// the same steps go through SendInput.
#include <doctest.h>

#include <vector>

#include "SkinWindowKit.h"
#include "tests/RealInput.h"

using namespace tf;
using namespace skintest;
using tftest::AnyWay;
using tftest::Posted;
using tftest::Sent;

TEST_CASE("a real drag on the caption band moves the window")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 320, 220, "Drag me");
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    TWinSkinForm& s = *fx.Skinner(w);
    const RECT before = WindowRectOf(w);
    tftest::MessageLog log;
    log.Watch(w);

    // Low in the band, below the system's caption height, where only the
    // skinner makes it a caption.
    const POINT from{before.left + 120, before.top + s.BorderTop() - 4};
    CHECK(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(from.x, from.y)) == HTCAPTION);
    // The drag runs on its own thread: the window's move loop holds this
    // thread while the button is down.
    std::vector<tftest::Step> drag{tftest::MoveStep(from), tftest::DownStep()};
    for (int step = 1; step <= 4; ++step)
        drag.push_back(tftest::MoveStep(POINT{from.x + 120 * step / 4, from.y + 60 * step / 4}));
    drag.push_back(tftest::UpStep());
    tftest::RunSteps(drag);
    Pump(200);

    const RECT after = WindowRectOf(w);
    CHECK(after.left == before.left + 120);
    CHECK(after.top == before.top + 60);
    CHECK(after.right - after.left == before.right - before.left);
    CHECK(ClientSizeOf(w).cy == (before.bottom - before.top) - s.BorderTop() - s.BorderBottom());
    // The press on the band started the system's move loop.
    CHECK_SEQUENCE(log, {Posted(WM_NCLBUTTONDOWN).W(HTCAPTION), Sent(WM_SYSCOMMAND).W(SC_MOVE | HTCAPTION),
                         Sent(WM_ENTERSIZEMOVE), Sent(WM_EXITSIZEMOVE)});
}

TEST_CASE("the screen shows the frame's images and the region cut at the transparent corners")
{
    SkinFixture fx;
    const POINT at{300, 260};
    HDC screen = GetDC(nullptr);
    const COLORREF behind = GetPixel(screen, at.x, at.y);
    TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, at.x, at.y, 320, 220, "On the screen");
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    Pump(200);
    TWinSkinForm& s = *fx.Skinner(w);
    const RECT r = WindowRectOf(w);
    const int H = r.bottom - r.top;
    auto left = ComposedBorder(*fx.data, SkinBorder::Left, s.BorderLeft(), H, 1);
    REQUIRE(PixelAt(*left, 0, 0) == 0xFF00FF);   // the light blue skin rounds this corner
    CHECK(GetPixel(screen, r.left, r.top) == behind);
    int bad = 0, compared = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < s.BorderLeft(); ++x) {
            const TColor want = PixelAt(*left, x, y);
            if (want == 0xFF00FF) continue;
            ++compared;
            bad += GetPixel(screen, r.left + x, r.top + y) != static_cast<COLORREF>(want);
        }
    ReleaseDC(nullptr, screen);
    CHECK(compared > H);
    CHECK(bad == 0);
}

namespace {

// Pixels of the caption band on the screen that differ from the band the
// skinner paints now (transparent corners, which show what is behind the
// window, left out).
int CaptionBandDifference(SkinFixture& fx, HWND w)
{
    TWinSkinForm& s = *fx.Skinner(w);
    const RECT r = WindowRectOf(w);
    TBitmap painted(r.right - r.left, r.bottom - r.top, pf24bit);
    s.PaintFrame(painted.Canvas()->Handle());
    HDC screen = GetDC(nullptr);
    int bad = 0;
    for (int y = 0; y < s.BorderTop(); ++y)
        for (int x = 0; x < painted.Width(); ++x) {
            const TColor want = PixelAt(painted, x, y);
            if (want != 0xFF00FF) bad += GetPixel(screen, r.left + x, r.top + y) != static_cast<COLORREF>(want);
        }
    ReleaseDC(nullptr, screen);
    return bad;
}

} // namespace

TEST_CASE("the screen keeps the skin's caption when a window's text or icon changes")
{
    SkinFixture fx;
    TestWindow bare(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 150, 320, 200, "Bare before");
    SetForegroundWindow(bare);
    REQUIRE(fx.WaitSkinned(bare));
    auto form = ShownForm("Form before", 480, 150, 320, 200);
    HWND f = form->Handle();
    REQUIRE(fx.WaitSkinned(f));
    Pump(100);
    REQUIRE(CaptionBandDifference(fx, bare) == 0);
    REQUIRE(CaptionBandDifference(fx, f) == 0);

    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    SUBCASE("a bare window's new text")
    {
        SetWindowTextA(bare, "Bare after");
        Pump(50);
        CHECK(CaptionBandDifference(fx, bare) == 0);
    }
    SUBCASE("a form's new text")
    {
        form->SetCaption("Form after");
        Pump(50);
        CHECK(CaptionBandDifference(fx, f) == 0);
    }
    SUBCASE("a new icon, bare window and form")
    {
        SendMessageA(bare, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        SendMessageA(f, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        Pump(50);
        CHECK(CaptionBandDifference(fx, bare) == 0);
        CHECK(CaptionBandDifference(fx, f) == 0);
    }
}
