// The guard's main window as an alarm shows it, looked at on the real
// screen: its panel and its cool bar's band wear the skin's face colour
// instead of the system's. A screenshot is left next to the test for a
// person to look at.
#include <doctest.h>

#include <windows.h>

#include <string>

#include "../skin/controls/SkinPictures.h"
#include "../skin/window/SkinWindowKit.h"
#include "GuardProcess.h"
#include "skin/data/WinSkinData.h"
#include "tests/RealInput.h"

using namespace guardtest;
using namespace tf;

namespace {
const std::string kMZ("MZ\x90\0\x03\0\0\0 container alarm", 24);
} // namespace

TEST_CASE("an alarm shows the main window with its panel and cool bar band in the skin's face colour")
{
    TempFolder home("tamfern-box-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    WatchedFolder drop("tamfern-box-drop-");
    WriteFileBytes(drop.Path() + "new.exe", kMZ);
    REQUIRE(WaitFor([&] { return guard.Visible() && !guard.ListItems().empty(); }, 15000));
    tftest::MoveTo(POINT{1250, 1000});

    std::unique_ptr<TSkinData> skin = skintest::LightBlueSkin();
    const TColor face = skin->FColors[SkinColor::ButtonFace];
    REQUIRE(face != ColorToRGB(clBtnFace));   // the look differs from the system's
    HWND panel = guard.Child("TPanel");
    REQUIRE(panel);
    // The skin's deferred actions and the alarm's repaints: until the panel's
    // corner and the band beside it show the face colour.
    WaitFor(
        [&] {
            const RECT p = ctltest::ScreenRectOf(panel);
            return tftest::ScreenPixel(p.left + 4, p.top + 4) == face &&
                   tftest::ScreenPixel(p.right + 1, (p.top + p.bottom) / 2) == face;
        },
        10000);
    const RECT p = ctltest::ScreenRectOf(panel);
    auto shown = ctltest::ScreenPixels(p);
    // Corners of the panel clear of its buttons, label and check box.
    for (const POINT at : {POINT{4, 4}, POINT{p.right - p.left - 5, 4}, POINT{4, p.bottom - p.top - 5}}) {
        CAPTURE(at.x);
        CAPTURE(at.y);
        CHECK(tftest::PixelAt(*shown, at.x, at.y) == face);
    }
    // The cool bar's band beside the panel (its end space) has the face colour too.
    HWND coolBar = GetParent(panel);
    const RECT c = ctltest::ScreenRectOf(coolBar);
    auto bar = ctltest::ScreenPixels(c);
    CHECK(tftest::PixelAt(*bar, p.right - c.left + 1, (p.top + p.bottom) / 2 - c.top) == face);
    tftest::Screenshot(SCREENSHOT_DIR "/main_window_containers.png");
    CHECK(guard.Close());
}
