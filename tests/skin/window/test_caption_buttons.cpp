// Caption buttons of skinned frames under Wine: which buttons show for a
// window's state, their pixels from the skin's images (frame per state),
// hot tracking and pressing on the window, what each press does, double
// clicks, the skin's system menu and the caption hint. Messages go straight
// to the window here; test_chrome_input drives the real pointer.
#include <doctest.h>

#include <map>

#include "ChromeTestKit.h"
#include "framework/controls/Application.h"
#include "framework/controls/Menus.h"
#include "framework/core/SysUtils.h"
#include "skin/data/SkinHost.h"
#include "skin/window/CaptionButtonRules.h"
#include "skin/window/CaptionHint.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSysButton.h"

using namespace tf;
using namespace skintest;
using tftest::Posted;

namespace {

namespace action = caption::action;

// The caption buttons of a skinner by action (the first of each).
std::map<int, TWinSysButton*> ButtonsByAction(TSkinChrome& chrome)
{
    std::map<int, TWinSysButton*> out;
    for (int i = 0; i < chrome.CaptionButtonCount(); ++i) {
        TWinSysButton* b = chrome.CaptionButton(i);
        if (b->visible && !out.count(b->Action())) out[b->Action()] = b;
    }
    return out;
}

BOOL CALLBACK FindVisible(HWND w, LPARAM found)
{
    if (!::IsWindowVisible(w)) return TRUE;
    *reinterpret_cast<HWND*>(found) = w;
    return FALSE;
}

TWinSysButton* Visible(TSkinChrome& chrome, int buttonAction)
{
    auto all = ButtonsByAction(chrome);
    return all.count(buttonAction) ? all[buttonAction] : nullptr;
}

// Pixels of frame `frame` of the button's image (magenta left out) that the
// painted window image does not show at the button's place.
int ButtonMismatches(TBitmap& painted, TWinSysButton& b, int frame)
{
    const TDataSkinSysButton& e = *b.Element();
    const SIZE size = b.FrameSize();
    int bad = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const TColor want = e.Bitmap->Canvas()->Pixel((frame - 1) * size.cx + x, y);
            if (want == clSkinKey) continue;
            if (PixelAt(painted, b.bounds.Left + x, b.bounds.Top + y) != want) ++bad;
        }
    return bad;
}

// The same on the window itself (what hot tracking drew).
int WindowMismatches(HWND window, TWinSysButton& b, int frame)
{
    const RECT r = WindowRectOf(window);
    TBitmap shot(r.right - r.left, r.bottom - r.top, pf24bit);
    HDC dc = GetWindowDC(window);
    BitBlt(shot.Canvas()->Handle(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return ButtonMismatches(shot, b, frame);
}

// A frame point's message coordinates (screen).
LPARAM ScreenPoint(HWND window, int frameX, int frameY)
{
    const RECT r = WindowRectOf(window);
    return MAKELPARAM(r.left + frameX, r.top + frameY);
}

LPARAM CentreOf(HWND window, const TWinSysButton& b)
{
    return ScreenPoint(window, (b.bounds.Left + b.bounds.Right) / 2, (b.bounds.Top + b.bounds.Bottom) / 2);
}

// A window that shows a custom caption button when asked and records what
// reaches it.
LRESULT CALLBACK AnsweringProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    OwnProcLog().Add(w, msg, tftest::Via::Called, wParam, lParam);
    if (msg == SKM_QUERYBUTTON) return wParam == 1500 ? 1 : 0;
    return DefWindowProcA(w, msg, wParam, lParam);
}

const char* AnsweringClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &AnsweringProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "TfAnsweringWindow";
        RegisterClassA(&wc);
        return "TfAnsweringWindow";
    }();
    return name;
}

// A plain test window, shown, active and skinned.
std::unique_ptr<TestWindow> SkinnedWindow(ChromeFixture& fx, const char* caption)
{
    auto w = std::make_unique<TestWindow>(WS_OVERLAPPEDWINDOW, 140, 120, 360, 260, caption);
    Activate(*w);
    REQUIRE(fx.WaitSkinned(*w));
    Pump(100);
    return w;
}

} // namespace

TEST_CASE("a sizeable form shows icon, minimise, maximise and close from the skin's images, frame by activity")
{
    ChromeFixture fx;
    auto form = ShowForm("Buttons");
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Pump(200);
    TSkinChrome& chrome = fx.Chrome(w);
    REQUIRE(chrome.CaptionButtonCount() == static_cast<int>(fx.data->SkinSysButtons.size()));
    auto painted = PaintedFrame(w);
    auto shown = ButtonsByAction(chrome);
    REQUIRE(shown.count(action::Close));
    REQUIRE(shown.count(action::Maximize));
    REQUIRE(shown.count(action::Minimize));
    REQUIRE(shown.count(action::Icon));
    // Restore shares action 1 with maximise but shows only when maximised.
    CHECK(shown[action::Maximize]->Element()->Visibility == 2);

    const int width = WindowRectOf(w).right - WindowRectOf(w).left;
    for (int a : {action::Close, action::Maximize, action::Minimize}) {
        CAPTURE(a);
        TWinSysButton& b = *shown[a];
        const TDataSkinSysButton& e = *b.Element();
        CHECK(b.bounds.Left == width - e.Xcoord);   // Align 1 counts from the right edge
        CHECK(b.bounds.Top == e.Ycoord);
        CHECK(b.bounds.Width() == b.FrameSize().cx);
        CHECK(ButtonMismatches(*painted, b, 1) == 0);
    }
    // The icon button took the window icon as its one-frame image.
    CHECK(shown[action::Icon]->Element()->FrameCount == 1);
    CHECK_FALSE(shown[action::Icon]->Element()->Empty());

    // Inactive: frame 4 of every button.
    SendMessageA(w, WM_NCACTIVATE, FALSE, 0);
    painted = PaintedFrame(w);
    for (int a : {action::Close, action::Maximize, action::Minimize}) {
        CAPTURE(a);
        CHECK(ButtonMismatches(*painted, *shown[a], 4) == 0);
    }
    SendMessageA(w, WM_NCACTIVATE, TRUE, 0);

    // Maximised: the restore image takes the maximise button's place.
    ShowWindow(w, SW_MAXIMIZE);
    Pump(200);
    PaintedFrame(w);
    TWinSysButton* restore = Visible(chrome, action::Maximize);
    REQUIRE(restore);
    CHECK(restore->Element()->Visibility == 1);
    ShowWindow(w, SW_RESTORE);
    Pump(100);
}

TEST_CASE("no system menu hides close; no maximise box leaves maximise shown, in frame 4, doing nothing")
{
    ChromeFixture fx;
    SUBCASE("without system menu")
    {
        auto form = ShowForm("No menu", 140, 120, [](TForm& f) { f.SetBorderIcons(0); });
        HWND w = form->Handle();
        REQUIRE(fx.WaitSkinned(w));
        Pump(100);
        PaintedFrame(w);
        CHECK(Visible(fx.Chrome(w), action::Close) == nullptr);
    }
    SUBCASE("without maximise box")
    {
        auto form = ShowForm("No max", 140, 120,
                             [](TForm& f) { f.SetBorderIcons((1u << biSystemMenu) | (1u << biMinimize)); });
        HWND w = form->Handle();
        REQUIRE(fx.WaitSkinned(w));
        Pump(100);
        auto painted = PaintedFrame(w);
        TSkinChrome& chrome = fx.Chrome(w);
        TWinSysButton* max = Visible(chrome, action::Maximize);
        REQUIRE(max);
        CHECK_FALSE(max->enabled);
        CHECK(ButtonMismatches(*painted, *max, 4) == 0);
        SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, CentreOf(w, *max));
        CHECK(WindowMismatches(w, *max, 4) == 0);   // hot tracking keeps the disabled frame
        SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, CentreOf(w, *max));
        SendMessageA(w, WM_NCLBUTTONUP, HTCAPTION, CentreOf(w, *max));
        Pump(200);
        CHECK_FALSE(IsZoomed(w));
    }
}

TEST_CASE("hot tracking repaints one button at a time; only a release on the pressed button acts")
{
    ChromeFixture fx;
    auto form = ShowForm("Hot");
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Pump(200);
    TSkinChrome& chrome = fx.Chrome(w);
    PaintedFrame(w);
    TWinSysButton* close = Visible(chrome, action::Close);
    TWinSysButton* min = Visible(chrome, action::Minimize);
    REQUIRE(close);
    REQUIRE(min);
    tftest::MessageLog log;
    log.Watch(w);

    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, CentreOf(w, *close));
    CHECK(chrome.HotObject() == close);
    CHECK(WindowMismatches(w, *close, 3) == 0);
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, CentreOf(w, *min));
    CHECK(chrome.HotObject() == min);
    CHECK(WindowMismatches(w, *close, 1) == 0);
    CHECK(WindowMismatches(w, *min, 3) == 0);

    // Pressed on minimise, released on close: nothing happens.
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, CentreOf(w, *min));
    CHECK(WindowMismatches(w, *min, 2) == 0);
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, CentreOf(w, *close));
    SendMessageA(w, WM_NCLBUTTONUP, HTCAPTION, CentreOf(w, *close));
    Pump(200);
    CHECK(log.Count(WM_SYSCOMMAND) == 0);
    CHECK(IsWindowVisible(w));
    CHECK_FALSE(IsIconic(w));

    // Pressed and released on close: the window's close command.
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, CentreOf(w, *close));
    SendMessageA(w, WM_NCLBUTTONUP, HTCAPTION, CentreOf(w, *close));
    Pump(200);
    CHECK_SEQUENCE(log, {Posted(WM_SYSCOMMAND).W(SC_CLOSE)});
    CHECK_FALSE(IsWindowVisible(w));   // the form hides when closed
}

TEST_CASE("a custom visibility code asks the window; a custom action is posted to it")
{
    ChromeFixture fx;
    // A button with a custom code and action, right of the skin's own.
    auto custom = std::make_unique<TDataSkinSysButton>("ButtonCustom");
    const TDataSkinSysButton& close = *fx.data->SkinSysButtons.front();
    for (const auto& b : fx.data->SkinSysButtons)
        if (b->Action == action::Close) {
            custom->Bitmap->Assign(b->Bitmap.get());
            custom->FrameCount = b->FrameCount;
        }
    custom->Action = 40;
    custom->Align = 1;
    custom->Xcoord = 120;
    custom->Ycoord = close.Ycoord;
    custom->Visibility = 1500;
    custom->Visibility1 = 0;
    fx.data->SkinSysButtons.push_back(std::move(custom));

    HWND w = CreateWindowExA(0, AnsweringClass(), "Custom", WS_OVERLAPPEDWINDOW, 140, 120, 360, 260, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    Pump(100);
    OwnProcLog().Clear();
    SendMessageA(w, SKM_REPAINTFRAME, 0, 0);
    int asked = 0;
    for (const auto& m : OwnProcLog().Messages()) asked += m.Msg == SKM_QUERYBUTTON && m.WParam == 1500 && m.LParam == 40;
    CHECK(asked >= 1);
    TWinSysButton* button = Visible(fx.Chrome(w), 40);
    REQUIRE(button);
    OwnProcLog().Clear();
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, CentreOf(w, *button));
    SendMessageA(w, WM_NCLBUTTONUP, HTCAPTION, CentreOf(w, *button));
    Pump(100);
    const std::set<UINT> interest{SKM_CAPTIONACTION};
    CHECK_SEQUENCE(OwnProcLog(), {tftest::Called(SKM_CAPTIONACTION).W(40).L(0)}, &interest);
    DestroyWindow(w);
}

TEST_CASE("double clicks: on the caption maximise and restore; on the icon close; a maximised caption does not drag")
{
    ChromeFixture fx;
    auto window = SkinnedWindow(fx, "Double");
    TestWindow& w = *window;
    TSkinChrome& chrome = fx.Chrome(w);
    PaintedFrame(w);
    const LPARAM caption = ScreenPoint(w, 180, 10);
    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
    Pump(200);
    CHECK(IsZoomed(w));

    // A maximised, active window turns a caption press into a menu press.
    OwnProcLog().Clear();
    SendMessageA(w, WM_NCLBUTTONDOWN, HTCAPTION, ScreenPoint(w, 180, 10));
    const std::set<UINT> down{WM_NCLBUTTONDOWN};
    CHECK_SEQUENCE(OwnProcLog(), {tftest::Called(WM_NCLBUTTONDOWN).W(HTMENU)}, &down);

    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenPoint(w, 180, 10));
    Pump(200);
    CHECK_FALSE(IsZoomed(w));

    PaintedFrame(w);
    TWinSysButton* icon = Visible(chrome, action::Icon);
    REQUIRE(icon);
    tftest::MessageLog log;
    log.Watch(w);
    SendMessageA(w, WM_NCLBUTTONDBLCLK, HTCAPTION, CentreOf(w, *icon));
    Pump(200);
    CHECK_SEQUENCE(log, {Posted(WM_SYSCOMMAND).W(SC_CLOSE)});
    CHECK_FALSE(IsWindow(w.Get()));
}

TEST_CASE("the skin's system menu lists the window's commands with the glyph strip, enabled by the window's state")
{
    ChromeFixture fx;
    auto window = SkinnedWindow(fx, "System menu");
    TestWindow& w = *window;
    TSkinChrome& chrome = fx.Chrome(w);

    struct Entry {
        int glyph;
        bool enabled;
    };
    const auto build = [&] {
        chrome.BuildSystemMenuPopup();
        std::map<intptr_t, Entry> entries;
        TPopupMenu* popup = chrome.SystemMenuPopup();
        REQUIRE(popup);
        CHECK(popup->Tag() == 33333);
        CHECK(popup->OwnerDraw());
        CHECK(popup->Images() == fx.data->FMenuGlyphs.get());
        for (int i = 0; i < popup->Items()->Count(); ++i) {
            TMenuItem* item = popup->Items()->Items(i);
            if (!item->IsLine()) entries[item->Tag()] = Entry{item->ImageIndex(), item->Enabled()};
        }
        return entries;
    };
    auto normal = build();
    REQUIRE(normal.count(SC_CLOSE));
    CHECK(normal[SC_RESTORE].glyph == 0);
    CHECK_FALSE(normal[SC_RESTORE].enabled);
    CHECK(normal[SC_MAXIMIZE].glyph == 1);
    CHECK(normal[SC_MAXIMIZE].enabled);
    CHECK(normal[SC_MINIMIZE].glyph == 2);
    CHECK(normal[SC_MINIMIZE].enabled);
    CHECK(normal[SC_CLOSE].glyph == 3);
    CHECK(normal[SC_MOVE].enabled);
    CHECK(normal[SC_MOVE].glyph == -1);

    ShowWindow(w, SW_MAXIMIZE);
    Pump(200);
    auto maximised = build();
    CHECK(maximised[SC_RESTORE].enabled);
    CHECK_FALSE(maximised[SC_MAXIMIZE].enabled);
    CHECK_FALSE(maximised[SC_MOVE].enabled);
    CHECK_FALSE(maximised[SC_SIZE].enabled);

    // Choosing an item posts its system command.
    tftest::MessageLog log;
    log.Watch(w);
    for (int i = 0; i < chrome.SystemMenuPopup()->Items()->Count(); ++i)
        if (chrome.SystemMenuPopup()->Items()->Items(i)->Tag() == SC_RESTORE) chrome.SystemMenuPopup()->Items()->Items(i)->Click();
    Pump(200);
    CHECK_SEQUENCE(log, {Posted(WM_SYSCOMMAND).W(SC_RESTORE)});
    CHECK_FALSE(IsZoomed(w));
}

TEST_CASE("the system menu opens at the right-click point, at the client corner for Alt+Space; twice quickly closes")
{
    ChromeFixture fx;
    auto window = SkinnedWindow(fx, "Open system menu");
    TestWindow& w = *window;
    TSkinChrome& chrome = fx.Chrome(w);
    PaintedFrame(w);

    // Records where the menu window is, then closes it.
    RECT seen{};
    const auto openAndClose = [&](std::function<void()> open) {
        seen = RECT{};
        LoopDriver driver({[&] {
            HWND menu = OpenMenuWindow();
            if (!menu) return false;
            GetWindowRect(menu, &seen);
            PostKey(menu, VK_ESCAPE);
            return true;
        }});
        open();
        PumpUntil([&] { return driver.Done(); }, 3000);
    };
    const RECT frame = WindowRectOf(w);
    openAndClose([&] { SendMessageA(w, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(frame.left + 150, frame.top + 12)); });
    CHECK(seen.left == frame.left + 150);
    CHECK(seen.top == frame.top + 12);

    Pump(700);   // past the double-click time
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    openAndClose([&] { SendMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, ' '); });
    CHECK(seen.left == origin.x);
    CHECK(seen.top == origin.y);

    // With a caption button hot, a second opening inside the double-click
    // time closes the window instead of opening the menu.
    Pump(700);
    TWinSysButton* icon = Visible(chrome, action::Icon);
    REQUIRE(icon);
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, CentreOf(w, *icon));
    tftest::MessageLog log;
    log.Watch(w);
    openAndClose([&] { chrome.ShowSystemMenu(POINT{frame.left + 20, frame.top + 20}); });
    CHECK(seen.right > seen.left);
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, CentreOf(w, *icon));
    chrome.ShowSystemMenu(POINT{frame.left + 20, frame.top + 20});
    CHECK(OpenMenuWindow() == nullptr);
    Pump(200);
    CHECK_SEQUENCE(log, {Posted(WM_CLOSE)});
}

TEST_CASE("the caption hint shows after twice the hint pause on a button and hides after the hide pause")
{
    ChromeFixture fx([](TSkinData& d) {
        TSkinOptions o = d.Options();
        o.Include(xoCaptionButtonHint);
        d.SetOptions(o);
    });
    auto form = ShowForm("Hint");
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Pump(100);
    TSkinChrome& chrome = fx.Chrome(w);
    PaintedFrame(w);
    TWinSysButton* close = Visible(chrome, action::Close);
    REQUIRE(close);
    const LPARAM centre = CentreOf(w, *close);
    SetCursorPos(LOWORD(centre), HIWORD(centre));
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, centre);
    REQUIRE(chrome.HotObject() == close);
    const int pause = Application->HintPause(), hide = Application->HintHidePause();
    int ticks = 0;
    for (; !chrome.CaptionHint().Shown() && ticks < 100; ++ticks) chrome.HoverTick();
    CHECK(ticks * 250 == 2 * pause);
    for (; chrome.CaptionHint().Shown() && ticks < 100; ++ticks) chrome.HoverTick();
    CHECK(ticks * 250 == 2 * pause + hide);
    // Leaving the button hides it and starts the time again.
    SendMessageA(w, WM_NCMOUSEMOVE, HTCAPTION, ScreenPoint(w, 150, 12));
    CHECK(chrome.CaptionHint().RestTime() == 0);
}

TEST_CASE("a caption hint shows once until hidden; its window is made when first shown")
{
    struct TFakeHint : TCaptionHintWindow {
        std::vector<std::string>* log;
        explicit TFakeHint(std::vector<std::string>* l) : log(l) {}
        RECT CalcHintRect(int maxWidth, const std::string& text) override
        {
            log->push_back(Format("calc %d %s", maxWidth, text.c_str()));
            return RECT{0, 0, 40, 18};
        }
        void ActivateHint(const RECT& r, const std::string& text) override
        {
            log->push_back(Format("show %d,%d,%d,%d %s", static_cast<int>(r.left), static_cast<int>(r.top),
                                  static_cast<int>(r.right), static_cast<int>(r.bottom), text.c_str()));
        }
        void HideHint() override { log->push_back("hide"); }
    };
    static std::vector<std::string> log;
    static int made;
    log.clear();
    made = 0;
    TSkinHost host;
    host.CreateHintWindow = []() -> std::unique_ptr<TCaptionHintWindow> {
        ++made;
        return std::make_unique<TFakeHint>(&log);
    };
    InstallSkinHost(host);
    {
        TCaptionHint hint;
        CHECK(hint.RestTime() == 0);
        CHECK(!hint.Shown());
        const TSkinOptions withHints = DefaultSkinOptions;
        hint.Show(RECT{0, 0, 10, 10}, "Never", TSkinOptions{xoPreview});   // without xoCaptionButtonHint
        CHECK(made == 0);   // the window is made when first shown
        hint.Show(RECT{100, 200, 120, 220}, "Close", withHints);
        hint.Show(RECT{0, 0, 10, 10}, "Again", withHints);   // already showing: nothing
        CHECK(hint.Shown());
        hint.Hide();
        hint.Hide();   // not showing: nothing
        CHECK(!hint.Shown());
        hint.Show(RECT{0, 0, 10, 10}, "Never", TSkinOptions{xoPreview});
        CHECK(!hint.Shown());
        // The rest time counts up and starts again when reset, which hides.
        hint.Show(RECT{5, 6, 7, 8}, "Help", withHints);
        CHECK(hint.AddRestTime(250) == 250);
        CHECK(hint.AddRestTime(250) == 500);
        hint.Reset();
        CHECK(hint.RestTime() == 0);
        CHECK(!hint.Shown());
    }
    InstallSkinHost(TSkinHost{});
    CHECK(made == 1);   // one window, kept
    CHECK(log == std::vector<std::string>{"calc 500 Close", "show 100,200,140,218 Close", "hide", "calc 500 Help",
                                          "show 5,6,45,24 Help", "hide"});
}

TEST_CASE("the framework's hint window behind the caption hint")
{
    TCaptionHint hint;
    hint.Show(RECT{50, 60, 0, 0}, "Minimize", DefaultSkinOptions);
    HWND shown = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindVisible, reinterpret_cast<LPARAM>(&shown));
    REQUIRE(shown);
    RECT r{};
    ::GetWindowRect(shown, &r);
    CHECK(r.left == 50);
    CHECK(r.top == 60);
    CHECK(r.right > 50);
    hint.Hide();
    CHECK(!::IsWindowVisible(shown));
}
