#include <doctest.h>

#include "SkinWindowKit.h"

using namespace tf;
using namespace skintest;

TEST_CASE("smoke")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, "Smoke");
    const RECT before = WindowRectOf(w);
    const SIZE clientBefore = ClientSizeOf(w);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    Pump(300);
    const RECT after = WindowRectOf(w);
    const SIZE clientAfter = ClientSizeOf(w);
    MESSAGE("before " << before.right - before.left << "x" << before.bottom - before.top << " client " << clientBefore.cx << "x" << clientBefore.cy);
    MESSAGE("after " << after.right - after.left << "x" << after.bottom - after.top << " client " << clientAfter.cx << "x" << clientAfter.cy);
    system("Z:\\usr\\bin\\import -window root /tmp/i11_smoke.png");
    Pump(6000);
}
