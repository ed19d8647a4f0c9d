// The guard's main window as an alarm shows it, looked at on the real
// screen: its three bit buttons wear the skin's button faces, its check box
// the skin's check image, and the scroll bars of the file list and of the
// notice box are overlaid with the skin's scroll bar images. A screenshot is
// left next to the test for a person to look at.
#include <doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "../skin/controls/SkinPictures.h"
#include "../skin/window/SkinWindowKit.h"
#include "GuardProcess.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/User32Entries.h"
#include "tests/RealInput.h"

using namespace guardtest;
using namespace tf;

namespace {

const std::string kMZ("MZ\x90\0\x03\0\0\0 skinned alarm", 22);

struct Overlays {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOverlays(HWND w, LPARAM param)
{
    auto* o = reinterpret_cast<Overlays*>(param);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == o->process && std::string(cls) == "TWScrollbar" && IsWindowVisible(w)) o->found.push_back(w);
    return TRUE;
}

// The visible overlay lying over a window's vertical scroll bar: inside the
// window, along its right edge (within its border), as high as its client
// area. (Another process's scroll bar information is not to be had under Wine.)
HWND OverlayOver(const GuardProcess& guard, HWND target)
{
    RECT t{}, c{};
    GetWindowRect(target, &t);
    GetClientRect(target, &c);
    Overlays o{guard.ProcessId(), {}};
    EnumChildWindows(guard.Form(), CollectOverlays, reinterpret_cast<LPARAM>(&o));
    for (HWND w : o.found) {
        RECT r{};
        GetWindowRect(w, &r);
        const bool inside = r.left >= t.left && r.right <= t.right && r.top >= t.top && r.bottom <= t.bottom;
        if (inside && t.right - r.right <= 3 && r.bottom - r.top == c.bottom) return w;
    }
    return nullptr;
}

// How much of the overlay's first arrow shows the skin's up arrow (frame 9).
double UpArrowMatch(HWND overlay, TSkinData& data)
{
    RECT r{};
    GetWindowRect(overlay, &r);
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    auto shown = ctltest::ScreenPixels(RECT{r.left, r.top, r.right, r.top + arrow});
    TBitmap& strip = *data.SkinScrollbar->Bitmap;
    const int thickness = std::abs(strip.Height() - arrow) > 2 ? arrow : strip.Height();
    TBitmap up(thickness, arrow, pf24bit);
    DrawElementStretched(up.Canvas()->Handle(), RECT{0, 0, thickness, arrow}, strip, 9, 23, false);
    int equal = 0, compared = 0;
    for (int y = 2; y < arrow - 2; ++y)
        for (int x = 2; x < std::min(thickness, shown->Width()) - 2; ++x) {
            ++compared;
            equal += tftest::PixelAt(*shown, x, y) == tftest::PixelAt(up, x, y);
        }
    return compared ? static_cast<double>(equal) / compared : 0;
}

} // namespace

TEST_CASE("an alarm shows the main window with buttons, check box and scroll bars drawn from the skin")
{
    TempFolder home("tamfern-skin-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    // Enough new executables for the list to need its scroll bar.
    WatchedFolder drop("tamfern-skin-drop-");
    for (int i = 0; i < 14; ++i) {
        WriteFileBytes(drop.Path() + "new" + std::to_string(i) + ".exe", kMZ);
        Sleep(30);
    }
    REQUIRE(WaitFor([&] { return guard.Visible() && guard.ListItems().size() >= 14; }, 15000));
    tftest::MoveTo(POINT{1250, 1000});

    std::unique_ptr<TSkinData> skin = skintest::LightBlueSkin();
    TDataSkinButton& face = *skin->SkinButtons;
    // The skin's deferred actions and the alarm's repaints: until the buttons
    // show the skin's faces and both lists their overlaid bars.
    const auto drawn = [&] {
        for (const char* caption : {"停止监视", "删除文件", "隐藏"}) {
            HWND button = guard.Child("TBitBtn", caption);
            if (!button) return false;
            double ratio = 0;
            ctltest::ShownFrame(*ctltest::ScreenPixels(ctltest::ScreenRectOf(button)), face, face.FrameCount, 2, &ratio);
            if (ratio <= 0.97) return false;
        }
        for (const char* cls : {"Tzorlistbox", "TMemo"}) {
            HWND overlay = OverlayOver(guard, guard.Child(cls));
            if (!overlay || UpArrowMatch(overlay, *skin) <= 0.9) return false;
        }
        return true;
    };
    WaitFor(drawn, 10000);
    for (const char* caption : {"停止监视", "删除文件", "隐藏"}) {
        CAPTURE(caption);
        HWND button = guard.Child("TBitBtn", caption);
        REQUIRE(button);
        auto shown = ctltest::ScreenPixels(ctltest::ScreenRectOf(button));
        double ratio = 0;
        const int frame = ctltest::ShownFrame(*shown, face, face.FrameCount, 2, &ratio);
        CHECK(ratio > 0.97);
        CHECK((frame == 1 || frame == 5));
    }
    HWND check = guard.Child("TCheckBox", "声音报警");
    REQUIRE(check);
    {
        auto shown = ctltest::ScreenPixels(ctltest::ScreenRectOf(check));
        RECT client{};
        GetClientRect(check, &client);
        CHECK(ctltest::ShownStripFrame(*shown, 0, (client.bottom - face.CheckBitmap->Height()) / 2, *face.CheckBitmap,
                                       face.CheckFrameCount) == 2);
    }
    for (const std::string cls : {"Tzorlistbox", "TMemo"}) {
        CAPTURE(cls);
        HWND overlay = OverlayOver(guard, guard.Child(cls.c_str()));
        REQUIRE(overlay);
        CHECK(UpArrowMatch(overlay, *skin) > 0.9);
    }
    tftest::Screenshot(SCREENSHOT_DIR "/main_window_controls.png");
    CHECK(guard.Close());
}
