// Caption buttons, the skin's system menu and the menu bar under the real
// pointer and keyboard (xdotool on the virtual display), with screenshots of
// what they look like (written to the build tree's screens folder).
#include <doctest.h>

#include "ChromeTestKit.h"
#include "skin/window/CaptionButtonRules.h"
#include "skin/window/MenuBtn.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/window/WinSysButton.h"

using namespace tf;
using namespace skintest;

namespace {

namespace action = caption::action;

std::string Screen(const char* name) { return std::string(SCREENS_DIR) + "/" + name + ".png"; }

TWinSysButton* Button(TSkinChrome& chrome, int buttonAction)
{
    for (int i = 0; i < chrome.CaptionButtonCount(); ++i)
        if (chrome.CaptionButton(i)->visible && chrome.CaptionButton(i)->Action() == buttonAction)
            return chrome.CaptionButton(i);
    return nullptr;
}

// Screen coordinates of a frame box's centre, for xdotool.
std::string At(HWND window, const frame::TBox& b)
{
    const RECT r = WindowRectOf(window);
    return std::to_string(r.left + (b.Left + b.Right) / 2) + " " + std::to_string(r.top + (b.Top + b.Bottom) / 2);
}

// The frame of a caption button's image that the window shows now (0 when
// none matches).
int FrameShown(HWND window, TWinSysButton& b)
{
    const TDataSkinSysButton& e = *b.Element();
    const SIZE size = b.FrameSize();
    HDC dc = GetWindowDC(window);
    int shown = 0;
    for (int frame = 1; frame <= e.FrameCount && !shown; ++frame) {
        int bad = 0, compared = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                const TColor want = e.Bitmap->Canvas()->Pixel((frame - 1) * size.cx + x, y);
                if (want == clSkinKey) continue;
                ++compared;
                bad += static_cast<TColor>(GetPixel(dc, b.bounds.Left + x, b.bounds.Top + y)) != want;
            }
        if (compared && !bad) shown = frame;
    }
    ReleaseDC(window, dc);
    return shown;
}

// Real input reaches the window through the message loop.
void Settle(int ms = 350) { Pump(ms); }

} // namespace

TEST_CASE("the pointer lights caption buttons; a press and release on close closes; released elsewhere nothing")
{
    ChromeFixture fx;
    auto form = ShowForm("Real input", 200, 160);
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    XdoTool("mousemove 700 700");
    Settle();
    TSkinChrome& chrome = fx.Chrome(w);
    TWinSysButton* close = Button(chrome, action::Close);
    TWinSysButton* min = Button(chrome, action::Minimize);
    TWinSysButton* max = Button(chrome, action::Maximize);
    REQUIRE(close);
    REQUIRE(min);
    REQUIRE(max);
    CHECK(FrameShown(w, *close) == 1);
    Screenshot(Screen("caption_normal"));

    XdoTool("mousemove " + At(w, min->bounds));
    Settle();
    CHECK(FrameShown(w, *min) == 3);
    CHECK(FrameShown(w, *close) == 1);
    XdoTool("mousemove " + At(w, close->bounds));
    Settle();
    CHECK(FrameShown(w, *close) == 3);
    CHECK(FrameShown(w, *min) == 1);
    Screenshot(Screen("caption_close_hot"));

    // Pressed on maximise, released on close: nothing.
    XdoTool("mousemove " + At(w, max->bounds) + " mousedown 1");
    Settle();
    CHECK(FrameShown(w, *max) == 2);
    Screenshot(Screen("caption_maximise_pressed"));
    XdoTool("mousemove " + At(w, close->bounds) + " mouseup 1");
    Settle(500);
    CHECK(IsWindowVisible(w));
    CHECK_FALSE(IsZoomed(w));

    // Leaving the caption puts every button back to normal.
    XdoTool("mousemove 700 700");
    Settle(700);
    CHECK(FrameShown(w, *close) == 1);

    XdoTool("mousemove " + At(w, close->bounds) + " click 1");
    CHECK(PumpUntil([&] { return !IsWindowVisible(w); }, 2000));
    XdoTool("mousemove 700 700");
}

TEST_CASE("a right click on the caption opens the skin's system menu there; Alt+Space at the client corner")
{
    ChromeFixture fx;
    auto form = ShowForm("System menu", 200, 160);
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Settle();
    const RECT frame = WindowRectOf(w);
    RECT seen{};
    const auto recordThenEscape = [&](const char* screenshot) {
        return std::vector<LoopDriver::Step>{[&] {
                                                 HWND menu = OpenMenuWindow();
                                                 if (!menu) return false;
                                                 GetWindowRect(menu, &seen);
                                                 return true;
                                             },
                                             [screenshot] {
                                                 Pump(0);
                                                 if (screenshot) Screenshot(Screen(screenshot));
                                                 XdoTool("key Escape");
                                                 return true;
                                             }};
    };
    {
        LoopDriver driver(recordThenEscape("system_menu"));
        XdoTool("mousemove " + std::to_string(frame.left + 150) + " " + std::to_string(frame.top + 12) + " click 3");
        CHECK(PumpUntil([&] { return driver.Done() && !OpenMenuWindow(); }, 5000));
    }
    CHECK(seen.left == frame.left + 150);
    CHECK(seen.top == frame.top + 12);

    Settle(700);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    {
        LoopDriver driver(recordThenEscape(nullptr));
        XdoTool("mousemove 700 700 key alt+space");
        CHECK(PumpUntil([&] { return driver.Done() && !OpenMenuWindow(); }, 5000));
    }
    CHECK(seen.left == origin.x);
    CHECK(seen.top == origin.y);
}

TEST_CASE("two quick clicks on the icon button: the second opening of the system menu closes the window")
{
    ChromeFixture fx;
    auto form = ShowForm("Icon", 200, 160);
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Settle();
    TWinSysButton* icon = Button(fx.Chrome(w), action::Icon);
    REQUIRE(icon);
    XdoTool("mousemove " + At(w, icon->bounds));
    Settle();
    // The first click opens the menu (modal); the second comes while it is open.
    LoopDriver watchdog({[] { return false; }}, 100, 4000);
    XdoTool("click --repeat 2 --delay 150 1");
    CHECK(PumpUntil([&] { return !IsWindowVisible(w) && !OpenMenuWindow(); }, 4000));
    CHECK_FALSE(watchdog.TimedOut());
    XdoTool("mousemove 700 700");
}

TEST_CASE("the menu bar under the pointer: a click opens a drop-down, moving to another item switches, a click closes")
{
    ChromeFixture fx;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *edit = nullptr;
    auto form = ShowForm("Menu bar", 200, 160, [&](TForm& f) {
        menu = new TMainMenu(&f);
        file = AddItem(menu->Items(), "&File", &f);
        AddItem(file, "&New", &f);
        AddItem(file, "&Open...", &f)->SetShortCut(ShortCut('O', ssCtrl));
        AddItem(file, "-", &f);
        AddItem(file, "E&xit", &f);
        edit = AddItem(menu->Items(), "&Edit", &f);
        AddItem(edit, "&Copy", &f);
        AddItem(edit, "&Paste", &f)->SetEnabled(false);
        AddItem(menu->Items(), "&View", &f);
        f.SetMenu(menu);
    });
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Settle();
    TWinSkinMenu* bar = fx.Chrome(w).MenuBar();
    REQUIRE(bar);
    Screenshot(Screen("menu_bar"));
    std::vector<HMENU> seen;
    const auto waitFor = [&seen](HMENU m) {
        return [&seen, m] {
            if (!MenuShown(m)) return false;
            seen.push_back(m);
            return true;
        };
    };
    const std::string editAt = At(w, bar->Item(1)->bounds);
    LoopDriver driver({waitFor(file->Handle()),
                       [] {
                           XdoTool("key Down");
                           Pump(150);
                           Screenshot(Screen("menu_bar_open"));
                           return true;
                       },
                       [&] {
                           XdoTool("mousemove " + editAt);
                           return true;
                       },
                       waitFor(edit->Handle()),
                       [&] {
                           // A click on the open item closes its drop-down.
                           XdoTool("click 1");
                           return true;
                       }});
    XdoTool("mousemove " + At(w, bar->Item(0)->bounds) + " click 1");
    CHECK(PumpUntil([&] { return driver.Done() && !OpenMenuWindow() && !TSkinChrome::Tracking(); }, 6000));
    CHECK(seen == std::vector<HMENU>{file->Handle(), edit->Handle()});
    CHECK(GetMenu(w) == nullptr);
    // Escape from a drop-down opened by Alt: closed, the focus where it was.
    HWND focus = GetFocus();
    LoopDriver keys({waitFor(file->Handle()), [] {
                         XdoTool("key Escape");
                         return true;
                     }});
    XdoTool("mousemove 700 700 key alt");
    CHECK(PumpUntil([&] { return keys.Done() && !OpenMenuWindow() && !TSkinChrome::Tracking(); }, 6000));
    CHECK(GetFocus() == focus);
    XdoTool("mousemove 700 700");
}
