// The guard drawn by its skin, under the real pointer (xdotool on the
// virtual display): its notification-area menu opened by a right click on
// the icon, and its window's caption buttons, whose minimise hides the
// window. Pixels are read from the screen and compared with the program's
// skin; screenshots go to the build tree's screens folder.
//
// Wine only: the icon sits in Wine's stand-alone notification area window,
// and the menu's items are found by Wine's popup layout (three pixels of
// margin, items of equal height).
#include <doctest.h>

#include <windows.h>

#include <memory>

#include "GuardProcess.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "tests/RealInput.h"
#include "tests/skin/window/SkinWindowKit.h"

using namespace guardtest;
using namespace tf;

namespace {

std::string Screen(const char* name) { return std::string(SCREENS_DIR) + "/" + name + ".png"; }

using tftest::ScreenPixel;

// Where the pointer goes for a screen point.
std::string Point(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

struct Found {
    DWORD pid;
    HWND window = nullptr;
};

BOOL CALLBACK FindMenu(HWND w, LPARAM param)
{
    auto* f = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == f->pid && std::string(cls) == "#32768" && IsWindowVisible(w)) f->window = w;
    return TRUE;
}

HWND GuardMenu(const GuardProcess& guard)
{
    Found f{guard.ProcessId()};
    EnumWindows(FindMenu, reinterpret_cast<LPARAM>(&f));
    return f.window;
}

// Pixels of a caption button's frame (magenta left out) that the screen does
// not show at (x, y).
int ButtonMismatches(TDataSkinSysButton& e, int frame, int x, int y)
{
    const int fw = e.Bitmap->Width() / std::max(e.FrameCount, 1);
    int bad = 0;
    for (int row = 0; row < e.Bitmap->Height(); ++row)
        for (int col = 0; col < fw; ++col) {
            const TColor want = e.Bitmap->Canvas()->Pixel((frame - 1) * fw + col, row);
            if (want != clSkinKey && ScreenPixel(x + col, y + row) != want) ++bad;
        }
    return bad;
}

TDataSkinSysButton* ButtonOf(TSkinData& skin, int action)
{
    for (const auto& b : skin.SkinSysButtons)
        if (b->Action == action && b->Visibility != 1) return b.get();
    return nullptr;
}

} // namespace

TEST_CASE("the guard's notification-area menu and caption buttons are drawn from its skin, under the real pointer")
{
    auto skin = skintest::LightBlueSkin();
    REQUIRE_FALSE(skin->FNoSkin);
    TempFolder home("tamfern-skin-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    HWND tray = nullptr, icon = nullptr;
    REQUIRE(WaitFor(
        [&] {
            tray = FindWindowA("__winex11_standalone_tray", nullptr);
            icon = tray ? FindWindowExA(tray, nullptr, "__winex11_tray_icon", nullptr) : nullptr;
            return icon != nullptr;
        },
        5000));
    RECT iconRect{};
    GetWindowRect(icon, &iconRect);
    const std::string iconAt = Point((iconRect.left + iconRect.right) / 2, (iconRect.top + iconRect.bottom) / 2);

    // ---- the menu, by a real right click on the icon
    tftest::XdoTool("mousemove " + iconAt + " click 3");
    HWND menu = nullptr;
    REQUIRE(WaitFor([&] { return (menu = GuardMenu(guard)) != nullptr; }, 5000));
    RECT m{};
    GetWindowRect(menu, &m);
    const int itemHeight = (m.bottom - m.top - 6) / 3;
    const int secondY = m.top + 3 + itemHeight + itemHeight / 2;
    tftest::XdoTool("mousemove " + Point((m.left + m.right) / 2, secondY));

    // The window's margin is the skin's menu background ...
    const TDataSkinObject& back = *skin->SkinMenuBackground;
    auto background = ComposeElement(RECT{0, 0, m.right - m.left, m.bottom - m.top}, *back.Bitmap, back.Margins, 1, 1,
                                     back.Tile != 0, false);
    CHECK(ScreenPixel(m.left + 1, m.top + 1) == background->Canvas()->Pixel(1, 1));
    CHECK(ScreenPixel(m.right - 2, m.bottom - 2) == background->Canvas()->Pixel(m.right - m.left - 2, m.bottom - m.top - 2));
    // ... the item under the pointer is in frame 4 of the menu item element,
    // the others in frame 1; its text is in HilightText.
    // (Where the element is transparent the background shows.)
    const TDataSkinObject& item = *skin->SkinMenuItem;
    const int fw = item.Bitmap->Width() / 5, midY = item.Bitmap->Height() / 2;
    const auto expected = [&](int frame, int x, int y) {
        const TColor e = item.Bitmap->Canvas()->Pixel((frame - 1) * fw + x, midY);
        return e == clSkinKey ? background->Canvas()->Pixel(3 + x, y - m.top) : e;
    };
    // Until the item under the pointer shows lit.
    WaitFor([&] { return ScreenPixel(m.left + 3, secondY) == expected(4, 0, secondY); }, 3000);
    tftest::Screenshot(Screen("guard_tray_menu"));
    for (int x = 0; x < 4; ++x) {
        CAPTURE(x);
        CHECK(ScreenPixel(m.left + 3 + x, secondY) == expected(4, x, secondY));
        const int firstY = m.top + 3 + itemHeight / 2;
        CHECK(ScreenPixel(m.left + 3 + x, firstY) == expected(1, x, firstY));
    }
    // The program's skin draws HilightText and MenuText alike (black); the
    // item's caption shows as dark strokes on the light frame.
    REQUIRE(skin->FColors[SkinColor::HilightText] == 0);
    const auto dark = [](TColor c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 128; };
    int text = 0;
    for (int y = m.top + 3 + itemHeight; y < m.top + 3 + 2 * itemHeight; ++y)
        for (int x = m.left + 20; x < m.right - 10; ++x) text += dark(ScreenPixel(x, y));
    CHECK(text > 20);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    CHECK(WaitFor([&] { return GuardMenu(guard) == nullptr; }, 3000));

    // ---- the window, shown by a click on the icon
    tftest::XdoTool("mousemove " + iconAt + " click 1");
    REQUIRE(WaitFor([&] { return guard.Visible(); }, 3000));
    RECT w{};
    GetWindowRect(guard.Form(), &w);
    TDataSkinSysButton* close = ButtonOf(*skin, 0);
    TDataSkinSysButton* min = ButtonOf(*skin, 2);
    REQUIRE(close);
    REQUIRE(min);
    const int minX = w.right - min->Xcoord, minY = w.top + min->Ycoord;
    const int closeX = w.right - close->Xcoord, closeY = w.top + close->Ycoord;
    tftest::XdoTool("mousemove 900 900");
    // Each time until the buttons show what the pointer makes of them.
    WaitFor([&] { return ButtonMismatches(*min, 1, minX, minY) == 0 && ButtonMismatches(*close, 1, closeX, closeY) == 0; },
            3000);
    CHECK(ButtonMismatches(*min, 1, minX, minY) == 0);
    CHECK(ButtonMismatches(*close, 1, closeX, closeY) == 0);
    tftest::XdoTool("mousemove " + Point(closeX + 10, closeY + 10));
    WaitFor([&] { return ButtonMismatches(*close, 3, closeX, closeY) == 0; }, 3000);
    CHECK(ButtonMismatches(*close, 3, closeX, closeY) == 0);
    tftest::Screenshot(Screen("guard_caption_close_hot"));
    tftest::XdoTool("mousemove " + Point(minX + 10, minY + 10));
    WaitFor([&] { return ButtonMismatches(*min, 3, minX, minY) == 0 && ButtonMismatches(*close, 1, closeX, closeY) == 0; },
            3000);
    CHECK(ButtonMismatches(*min, 3, minX, minY) == 0);
    CHECK(ButtonMismatches(*close, 1, closeX, closeY) == 0);

    // Minimise: the guard's own system command handling hides the window.
    tftest::XdoTool("click 1");
    CHECK(WaitFor([&] { return !guard.Visible(); }, 3000));
    CHECK_FALSE(IsIconic(guard.Form()));
    tftest::XdoTool("mousemove 900 900");
}
