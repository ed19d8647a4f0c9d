// The skinned menu bar of a framework form under Wine: its items from the
// form's main menu, the drop-downs opened by Alt, accelerators and the mouse
// with their ordered messages, moving between bar items with the arrow keys,
// items without drop-down, owner-drawn items only while open, a changing
// main menu, and the drop-down's items in the skin's frames.
#include <doctest.h>

#include <map>
#include <set>

#include "../../PoisonedFrees.h"
#include "ChromeTestKit.h"
#include "framework/controls/ControlCanvas.h"
#include "framework/controls/Memo.h"
#include "framework/graphics/Canvas.h"
#include "skin/window/MenuBtn.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/MenuBarRules.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/window/WinSysButton.h"

using namespace tf;
using namespace skintest;
using tftest::Posted;
using tftest::Sent;

namespace {

struct Counter : TObject {
    std::vector<std::string> clicked;
    void Click(TObject* sender) { clicked.push_back(dynamic_cast<TMenuItem*>(sender)->Caption()); }
};

// A form with File (Open, -, Recent > One Two, Exit), Edit (Copy, Paste
// disabled), View (Bar) and, when asked, Help without drop-down; an edit
// box has the focus.
struct MenuForm {
    Counter counter;
    std::unique_ptr<TForm> form;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *edit = nullptr, *view = nullptr, *help = nullptr, *open = nullptr, *recent = nullptr;
    TEdit* box = nullptr;

    explicit MenuForm(bool withHelp = false)
    {
        form = ShowForm("Menu bar", 140, 120, [&](TForm& f) {
            menu = new TMainMenu(&f);
            const auto click = TNotifyEvent::Of<&Counter::Click>(&counter);
            file = AddItem(menu->Items(), "&File", &f);
            open = AddItem(file, "&Open", &f);
            AddItem(file, "-", &f);
            recent = AddItem(file, "&Recent", &f);
            AddItem(recent, "One", &f);
            AddItem(recent, "Two", &f);
            AddItem(file, "E&xit", &f);
            edit = AddItem(menu->Items(), "&Edit", &f);
            AddItem(edit, "&Copy", &f);
            AddItem(edit, "&Paste", &f)->SetEnabled(false);
            view = AddItem(menu->Items(), "&View", &f);
            AddItem(view, "&Bar", &f);
            if (withHelp) help = AddItem(menu->Items(), "&Help", &f);
            for (TMenuItem* item : {open, help})
                if (item) item->OnClick = click;
            f.SetMenu(menu);
            box = new TEdit(&f);
            box->SetParent(&f);
            box->SetBounds(20, 20, 120, 24);
        });
        box->SetFocus();
    }
    HWND Window() const { return form->Handle(); }
};

// The position of the highlighted item of a menu, or -1.
int Hilited(HMENU menu)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

// A step that waits for a drop-down showing another menu than the one
// recorded last, with its first item highlighted, and records that menu.
// (Not by window: a new drop-down may get the handle of one closed before.)
LoopDriver::Step Record(std::vector<HMENU>& opened)
{
    return [&opened] {
        HWND window = OpenMenuWindow();
        const HMENU menu = window ? MenuOfWindow(window) : nullptr;
        if (!menu || (!opened.empty() && opened.back() == menu) || Hilited(menu) < 0) return false;
        opened.push_back(menu);
        return true;
    };
}

LoopDriver::Step Key(WPARAM key)
{
    return [key] {
        PostKey(OpenMenuWindow(), key);
        return true;
    };
}

// Runs steps while a menu opened by open() is tracked.
void Drive(std::vector<LoopDriver::Step> steps, std::function<void()> open)
{
    // The mouse away from where drop-downs appear (an earlier program may
    // have left it anywhere): one appearing under it would take the
    // highlight from the keyboard.
    SetCursorPos(0, 0);
    LoopDriver driver(std::move(steps));
    open();
    CHECK(PumpUntil([&] { return driver.Done() && !OpenMenuWindow() && !TSkinChrome::Tracking(); }, 8000));
    CHECK_FALSE(driver.TimedOut());
}

// The types of every item of a menu and its sub-menus.
void Types(HMENU menu, std::vector<UINT>& out)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        out.push_back(info.fType);
        if (info.hSubMenu) Types(info.hSubMenu, out);
    }
}

// The fixture, the form and its skinner at work.
struct Skinned {
    ChromeFixture fx;
    MenuForm f;
    HWND w;
    explicit Skinned(bool withHelp = false) : f(withHelp), w(f.Window())
    {
        REQUIRE(fx.WaitSkinned(w));
        Pump(200);
    }
};

const std::set<UINT> kMenuTraffic{WM_SYSCOMMAND, WM_NCLBUTTONDOWN, WM_INITMENUPOPUP, WM_ENTERMENULOOP, WM_EXITMENULOOP,
                                  WM_UNINITMENUPOPUP, WM_COMMAND, WM_KEYDOWN};

} // namespace

TEST_CASE("the bar shows the form's main menu in the band under the caption; the window keeps no menu")
{
    Skinned s(true);
    auto& [fx, f, w] = s;
    CHECK(GetMenu(w) == nullptr);
    TWinSkinForm& skinner = *fx.Skinner(w);
    CHECK(skinner.MenuBarHeight() == GetSystemMetrics(SM_CYMENU));
    TWinSkinMenu* bar = fx.Chrome(w).MenuBar();
    REQUIRE(bar);
    REQUIRE(bar->ItemCount() == 4);
    const TMenuItem* sources[] = {f.file, f.edit, f.view, f.help};
    for (int i = 0; i < 4; ++i) {
        CAPTURE(i);
        TMenuBtn* item = bar->Item(i);
        CHECK(item->caption == AnsiToWide(sources[i]->Caption()));
        CHECK(item->command == sources[i]->Command());
        CHECK((item->subMenu != nullptr) == (i < 3));
        CHECK(item->bounds.Top == skinner.BorderTop());
        CHECK(item->bounds.Height() == skinner.MenuBarHeight() - 1);
        if (i > 0) CHECK(item->bounds.Left == bar->Item(i - 1)->bounds.Right);
    }
    const TDataSkinObject& element = *fx.data->SkinMenuBar;
    CHECK(bar->Item(0)->bounds.Left == skinner.BorderLeft() + element.Margins.left + 4);
    // The captions are drawn in MenuBarText over the band.
    auto painted = PaintedFrame(w);
    const TColor text = fx.data->FColors[SkinColor::MenuBarText];
    for (int i = 0; i < 4; ++i) {
        const frame::TBox& b = bar->Item(i)->bounds;
        int inks = 0;
        for (int y = b.Top; y < b.Bottom; ++y)
            for (int x = b.Left; x < b.Right; ++x) inks += PixelAt(*painted, x, y) == text;
        CHECK(inks > 10);
    }
    // The item under a point, and none on the band right of the last.
    const frame::TBox& last = bar->Item(3)->bounds;
    CHECK(bar->ItemAt(POINT{last.Left + 2, last.Top + 2}) == bar->Item(3));
    CHECK(bar->ItemAt(POINT{last.Right + 5, last.Top + 2}) == nullptr);
}

TEST_CASE("Alt opens the first drop-down, first item selected; Escape closes it and the focus stays (ordered)")
{
    Skinned s;
    auto& [fx, f, w] = s;
    REQUIRE(GetFocus() == f.box->Handle());
    tftest::MessageLog log;
    log.Watch(w);
    std::vector<HMENU> opened;
    Drive({Record(opened), Key(VK_ESCAPE)}, [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    REQUIRE(opened.size() == 1);
    CHECK(opened[0] == f.file->Handle());
    CHECK(GetFocus() == f.box->Handle());
    // No notification of the system's own menu loop: the skin tracks the
    // drop-down without them, and Escape chooses nothing.
    CHECK_SEQUENCE(log,
                   {Posted(WM_SYSCOMMAND).W(SC_KEYMENU).L(0), Posted(WM_COMMAND).W(f.file->Command()).L(0),
                    Posted(WM_KEYDOWN).W(VK_DOWN).Opt(), Sent(WM_EXITMENULOOP).Opt()},
                   &kMenuTraffic);
}

TEST_CASE("a click on a bar item opens its drop-down; choosing an item posts its command after the menu closed")
{
    Skinned s;
    auto& [fx, f, w] = s;
    TWinSkinMenu* bar = fx.Chrome(w).MenuBar();
    const RECT frame = WindowRectOf(w);
    const frame::TBox& item = bar->Item(0)->bounds;
    const LPARAM at = MAKELPARAM(frame.left + item.Left + 3, frame.top + item.Top + 3);
    tftest::MessageLog log;
    log.Watch(w);
    std::vector<HMENU> opened;
    Drive({Record(opened), Key(VK_RETURN)}, [&] { PostMessageA(w, WM_NCLBUTTONDOWN, HTMENU, at); });
    REQUIRE(opened.size() == 1);
    CHECK(opened[0] == f.file->Handle());
    CHECK(f.counter.clicked == std::vector<std::string>{"&Open"});
    CHECK_SEQUENCE(log,
                   {Posted(WM_NCLBUTTONDOWN).W(HTMENU), Posted(WM_COMMAND).W(f.file->Command()).L(0),
                    Posted(WM_KEYDOWN).W(VK_DOWN).Opt(), Sent(WM_EXITMENULOOP).Opt(),
                    Posted(WM_COMMAND).W(f.open->Command()).L(0)},
                   &kMenuTraffic);
}

TEST_CASE("Right and Left move between bar items and wrap; Right on an item with sub-items opens them")
{
    Skinned s;
    auto& [fx, f, w] = s;
    std::vector<HMENU> opened;
    Drive({Record(opened), Key(VK_RIGHT), Record(opened), Key(VK_RIGHT), Record(opened), Key(VK_RIGHT),
           Record(opened), Key(VK_LEFT), Record(opened), Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    const std::vector<HMENU> expected{f.file->Handle(), f.edit->Handle(), f.view->Handle(), f.file->Handle(),
                                      f.view->Handle()};
    CHECK(opened == expected);

    // On "Recent" (it has sub-items) Right opens them; Left closes them again
    // and then moves to the previous bar item.
    opened.clear();
    HMENU recent = f.recent->Handle();
    bool cascade = false;
    Drive({Record(opened), Key(VK_DOWN), Key(VK_RIGHT),
           [&] { return cascade = MenuShown(recent); },
           Key(VK_LEFT), Key(VK_LEFT), Record(opened), Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    CHECK(cascade);
    CHECK(opened == std::vector<HMENU>{f.file->Handle(), f.view->Handle()});
}

TEST_CASE("accelerators open their item: Alt+letter by the system command and by the form's dialog characters")
{
    Skinned s;
    auto& [fx, f, w] = s;
    std::vector<HMENU> opened;
    Drive({Record(opened), Key(VK_ESCAPE)}, [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 'e'); });
    CHECK(opened == std::vector<HMENU>{f.edit->Handle()});

    // A character with Alt held reaches the form as a dialog character
    // (focus in a control): the bar item is clicked.
    opened.clear();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    LRESULT answer = 0;
    Drive({Record(opened), Key(VK_ESCAPE)}, [&] { answer = f.form->Perform(CM_DIALOGCHAR, 'v', 0); });
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    CHECK(answer == 1);
    CHECK(opened == std::vector<HMENU>{f.view->Handle()});
    // Without Alt the character is the control's.
    CHECK(f.form->Perform(CM_DIALOGCHAR, 'v', 0) == 0);
    Pump(200);
    CHECK(OpenMenuWindow() == nullptr);

    // SKM_MENUBARNEXT opens the bar item at a screen point.
    opened.clear();
    const RECT frame = WindowRectOf(w);
    const frame::TBox& file = fx.Chrome(w).MenuBar()->Item(0)->bounds;
    Drive({Record(opened), Key(VK_ESCAPE)},
          [&] { PostMessageA(w, SKM_MENUBARNEXT, 0, MAKELPARAM(frame.left + file.Left + 2, frame.top + file.Top + 2)); });
    CHECK(opened == std::vector<HMENU>{f.file->Handle()});
}

TEST_CASE("a bar item without a drop-down only sends its command")
{
    Skinned s(true);
    auto& [fx, f, w] = s;
    tftest::MessageLog log;
    log.Watch(w);
    bool menuSeen = false;
    LoopDriver watch({[&] {
        menuSeen = menuSeen || OpenMenuWindow() != nullptr;
        return false;
    }});
    PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 'h');
    Pump(400);
    CHECK_FALSE(menuSeen);
    CHECK(f.counter.clicked == std::vector<std::string>{"&Help"});
    CHECK_SEQUENCE(log, {Posted(WM_SYSCOMMAND).W(SC_KEYMENU).L('h'), Posted(WM_COMMAND).W(f.help->Command()).L(0)},
                   &kMenuTraffic);
}

TEST_CASE("drop-down items are owner-drawn only while open; detaching gives the window its menu back")
{
    Skinned s;
    auto& [fx, f, w] = s;
    std::vector<UINT> before, during, after;
    Types(f.menu->Handle(), before);
    Drive({[&] {
               if (!OpenMenuWindow()) return false;
               Types(f.menu->Handle(), during);
               return true;
           },
           Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    Types(f.menu->Handle(), after);
    CHECK(after == before);
    REQUIRE(during.size() == before.size());
    int converted = 0;
    for (size_t i = 0; i < before.size(); ++i) converted += (during[i] & MFT_OWNERDRAW) && !(before[i] & MFT_OWNERDRAW);
    CHECK(converted > 0);
    CHECK(std::none_of(after.begin(), after.end(), [](UINT t) { return (t & MFT_OWNERDRAW) != 0; }));

    // Skinning off: the window shows its own menu again.
    fx.data->SetActive(false);
    CHECK(PumpUntil([&] { return fx.Skinner(w) == nullptr; }, 2000));
    CHECK(GetMenu(w) == f.menu->Handle());
}

TEST_CASE("skinning switched off while a drop-down is open: the menu closes and the window gets its own menu back")
{
    Skinned s;
    auto& [fx, f, w] = s;
    std::vector<UINT> before, after;
    Types(f.menu->Handle(), before);
    // The deferred action runs from the timer inside the menu's loop.
    Drive({[&] {
               if (!OpenMenuWindow()) return false;
               fx.data->SetActive(false);
               return true;
           },
           [&] { return fx.Skinner(w) == nullptr; }},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    CHECK(IsWindow(w));
    CHECK(GetMenu(w) == f.menu->Handle());
    Types(f.menu->Handle(), after);
    CHECK(after == before);
    CHECK_FALSE(f.open->OnDrawItem);
}

TEST_CASE("a changed main menu rebuilds the bar; the window still keeps no menu")
{
    Skinned s;
    auto& [fx, f, w] = s;
    TWinSkinMenu* bar = fx.Chrome(w).MenuBar();
    REQUIRE(bar->ItemCount() == 3);
    AddItem(f.menu->Items(), "&Tools", f.form.get());
    f.edit->SetCaption("&Change");
    Pump(100);
    bar = fx.Chrome(w).MenuBar();
    REQUIRE(bar->ItemCount() == 4);
    CHECK(bar->Item(1)->caption == L"&Change");
    CHECK(bar->Item(3)->caption == L"&Tools");
    CHECK(GetMenu(w) == nullptr);
}

TEST_CASE("drop-down items are drawn in the menu item element's frames: 4 selected, 1 not")
{
    Skinned s;
    auto& [fx, f, w] = s;
    const TDataSkinObject& e = *fx.data->SkinMenuItem;
    const int fw = e.Bitmap->Width() / 5;
    const int midY = e.Bitmap->Height() / 2;
    // The left edge of a frame, half way down: stretched along the item's height.
    const TColor selectedEdge = e.Bitmap->Canvas()->Pixel(3 * fw, midY);
    const TColor normalEdge = e.Bitmap->Canvas()->Pixel(0, midY);
    REQUIRE(selectedEdge != normalEdge);
    REQUIRE(selectedEdge != clSkinKey);
    TColor first = 0, second = 0;
    Drive({[&] {
               HWND window = OpenMenuWindow();
               if (!window || Hilited(MenuOfWindow(window)) != 0) return false;
               Pump(50);
               RECT item0{}, item1{}, menuRect{};
               GetWindowRect(window, &menuRect);
               GetMenuItemRect(nullptr, MenuOfWindow(window), 0, &item0);
               GetMenuItemRect(nullptr, MenuOfWindow(window), 4, &item1);   // Exit
               first = WindowPixel(window, item0.left - menuRect.left, (item0.top + item0.bottom) / 2 - menuRect.top);
               second = WindowPixel(window, item1.left - menuRect.left, (item1.top + item1.bottom) / 2 - menuRect.top);
               return true;
           },
           Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    CHECK(first == selectedEdge);
    if (e.Bitmap->Canvas()->Pixel(0, midY) != clSkinKey) CHECK(second == normalEdge);
}

TEST_CASE("a maximised MDI child's buttons sit on the frame's menu band and act on the child")
{
    ChromeFixture fx;
    auto frameForm = ShowForm("MDI frame", 120, 100, [](TForm& f) {
        f.SetFormStyle(fsMDIForm);
        f.SetBounds(120, 100, 480, 360);
        auto* menu = new TMainMenu(&f);
        AddItem(AddItem(menu->Items(), "&Window", &f), "&Cascade", &f);
        f.SetMenu(menu);
    });
    HWND frame = frameForm->Handle();
    REQUIRE(fx.WaitSkinned(frame));
    auto child = std::make_unique<TForm>(nullptr);
    child->SetFormStyle(fsMDIChild);
    child->SetCaption("Child");
    child->SetBounds(10, 10, 200, 150);
    child->Show();
    HWND childWindow = child->Handle();
    SendMessageA(frameForm->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(childWindow), 0);
    Pump(400);
    RedrawWindow(frame, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(100);
    TSkinChrome& chrome = fx.Chrome(frame);
    std::map<int, TWinSysButton*> band;
    for (int i = 0; i < chrome.CaptionButtonCount(); ++i) {
        TWinSysButton* b = chrome.CaptionButton(i);
        if (b->visible && b->Element()->Visibility == 100) band[b->Action()] = b;
    }
    REQUIRE(band.size() == 3);
    TWinSkinForm& skinner = *fx.Skinner(frame);
    const int width = WindowRectOf(frame).right - WindowRectOf(frame).left;
    const TDataSkinObject& bar = *fx.data->SkinMenuBar;
    for (auto& [a, b] : band) {
        CAPTURE(a);
        CHECK(b->bounds.Left ==
              width - b->Element()->Xcoord - skinner.BorderRight() - (bar.Empty() ? 0 : bar.Margins.left));
        CHECK(b->bounds.Top >= skinner.BorderTop());
        CHECK(b->bounds.Bottom <= skinner.BorderTop() + skinner.MenuBarHeight());
    }
    CHECK(fx.Manager().MDIMaximized());
    // The child's close button closes the active child.
    tftest::MessageLog log;
    log.Watch(childWindow);
    const RECT r = WindowRectOf(frame);
    const frame::TBox& close = band[9]->bounds;
    const LPARAM at = MAKELPARAM(r.left + (close.Left + close.Right) / 2, r.top + (close.Top + close.Bottom) / 2);
    SendMessageA(frame, WM_NCLBUTTONDOWN, HTMENU, at);
    SendMessageA(frame, WM_NCLBUTTONUP, HTMENU, at);
    Pump(200);
    CHECK_SEQUENCE(log, {Sent(WM_SYSCOMMAND).W(SC_CLOSE)});
    child.reset();
}

TEST_CASE("with xcMenuItem (frame left to the system) the main menu's items are drawn by the skin, and given back")
{
    // xcMenuItem counts only without xcMainMenu: the system keeps the frame and its menu bar.
    ChromeFixture fx([](TSkinData& d) {
        TSkinControlTypes kinds = d.SkinControls();
        kinds.Include(xcMenuItem);
        kinds.Exclude(xcMainMenu);
        d.SetSkinControls(kinds);
    });
    MenuForm f;
    HWND w = f.Window();
    REQUIRE(fx.WaitSkinned(w));
    Pump(200);
    CHECK(GetMenu(w) == f.menu->Handle());
    CHECK(f.menu->OwnerDraw());
    CHECK_FALSE(f.file->OnDrawItem);   // the top level stays the bar's
    CHECK(f.open->OnDrawItem);
    CHECK(f.open->OnMeasureItem);
    CHECK(f.recent->Items(0)->OnDrawItem);
    CHECK_FALSE(f.form->AutoScroll());
    // The items measure wider by the element's margin + 10 + 25 (no image list).
    TCanvas canvas;
    TScreenDC screen;
    TCanvasPaintScope scope(canvas, screen.Get());
    int plainW = 0, plainH = 0, skinW = 0, skinH = 0;
    f.open->DefaultMeasureItem(&canvas, plainW, plainH);
    f.open->MeasureItem(&canvas, skinW, skinH);
    CHECK(skinW - plainW == fx.data->SkinMenuItem->Margins.left + 35);

    fx.data->SetActive(false);
    REQUIRE(PumpUntil([&] { return fx.Skinner(w) == nullptr; }, 2000));
    CHECK_FALSE(f.menu->OwnerDraw());
    CHECK_FALSE(f.open->OnDrawItem);
    CHECK_FALSE(f.open->OnMeasureItem);
}

namespace {
// Hides an item when its parent is clicked (a parent's click updates its
// drop-down); the framework then rebuilds the drop-down's entries.
struct Hider : TObject {
    TMenuItem* target = nullptr;
    void Click(TObject*) { target->SetVisible(false); }
};
} // namespace

TEST_CASE("a drop-down rebuilt while open gets back its entries' types by what they are, not where they were")
{
    Skinned s;
    auto& [fx, f, w] = s;
    Hider hider;
    hider.target = f.open;
    f.file->OnClick = TNotifyEvent::Of<&Hider::Click>(&hider);
    // The bar item's click is posted as the drop-down opens and runs inside its loop.
    Drive({[&] { return OpenMenuWindow() != nullptr && !f.open->Visible(); }, Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    // "-", "Recent" (with One and Two), "Exit": none owner-drawn, the line still a line.
    std::vector<UINT> after;
    Types(f.file->Handle(), after);
    CHECK(after == std::vector<UINT>{MFT_SEPARATOR, MFT_STRING, MFT_STRING, MFT_STRING, MFT_STRING});
    CHECK(GetSubMenu(f.file->Handle(), 1) == f.recent->Handle());
}

namespace {
// The visible caption button with an action, or null.
TWinSysButton* ButtonWith(TSkinChrome& chrome, int action)
{
    for (int i = 0; i < chrome.CaptionButtonCount(); ++i)
        if (chrome.CaptionButton(i)->visible && chrome.CaptionButton(i)->Action() == action)
            return chrome.CaptionButton(i);
    return nullptr;
}
} // namespace

TEST_CASE("a form freed from inside its menu's loop: nothing of its skin is touched afterwards")
{
    // Freed memory is overwritten in this program (PoisonedFrees.h): a use of
    // the freed chrome crashes.
    ChromeFixture fx;
    MenuForm f;
    HWND w = f.Window();
    REQUIRE(fx.WaitSkinned(w));
    Pump(200);
    TSkinChrome& chrome = fx.Chrome(w);
    const RECT frame = WindowRectOf(w);
    std::function<void()> open;
    SUBCASE("a click on a bar item")
    {
        const frame::TBox& item = chrome.MenuBar()->Item(0)->bounds;
        const LPARAM at = MAKELPARAM(frame.left + item.Left + 3, frame.top + item.Top + 3);
        open = [=] { PostMessageA(w, WM_NCLBUTTONDOWN, HTMENU, at); };
    }
    SUBCASE("Alt") { open = [=] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); }; }
    SUBCASE("Alt+Space opens the system menu") { open = [=] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, ' '); }; }
    SUBCASE("a click on the icon button opens the system menu")
    {
        PaintedFrame(w);
        TWinSysButton* icon = ButtonWith(chrome, 3);
        REQUIRE(icon);
        const LPARAM at = MAKELPARAM(frame.left + (icon->bounds.Left + icon->bounds.Right) / 2,
                                     frame.top + (icon->bounds.Top + icon->bounds.Bottom) / 2);
        open = [=] {
            PostMessageA(w, WM_NCLBUTTONDOWN, HTSYSMENU, at);
            PostMessageA(w, WM_NCLBUTTONUP, HTSYSMENU, at);
        };
    }
    Drive({[] { return OpenMenuWindow() != nullptr; },
           [&] {
               f.form.reset();
               return true;
           }},
          open);
    CHECK_FALSE(IsWindow(w));
}

TEST_CASE("moving along the bar: command-only items are passed over, never run; the item left last shows normal")
{
    Skinned s(true);
    auto& [fx, f, w] = s;
    TWinSkinMenu* bar = fx.Chrome(w).MenuBar();
    REQUIRE(bar->ItemCount() == 4);
    // Left from File wraps past Help (no drop-down) to View; the pointer
    // moving onto Help leaves View open.
    const RECT frame = WindowRectOf(w);
    const frame::TBox& help = bar->Item(3)->bounds;
    const POINT onHelp{frame.left + (help.Left + help.Right) / 2, frame.top + (help.Top + help.Bottom) / 2};
    std::vector<HMENU> opened;
    Drive({Record(opened), Key(VK_LEFT), Record(opened),
           [&] {
               SetCursorPos(onHelp.x, onHelp.y);
               PostMessageA(OpenMenuWindow(), WM_MOUSEMOVE, 0, 0);
               return true;
           },
           [] {
               Pump(200);
               return true;
           },
           [&] {
               opened.push_back(MenuOfWindow(OpenMenuWindow()));
               return true;
           },
           Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    SetCursorPos(frame.left - 20, frame.bottom + 20);
    Pump(200);
    CHECK(opened == std::vector<HMENU>{f.file->Handle(), f.view->Handle(), f.view->Handle()});
    CHECK(f.counter.clicked.empty());

    // Right from File to Edit, then Escape: Edit shows normal again, on the window too.
    opened.clear();
    Drive({Record(opened), Key(VK_RIGHT), Record(opened), Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    CHECK(opened == std::vector<HMENU>{f.file->Handle(), f.edit->Handle()});
    for (int i = 0; i < bar->ItemCount(); ++i) {
        CAPTURE(i);
        CHECK(bar->Item(i)->drawState == NCState::Normal);
    }
    CHECK(fx.Chrome(w).HotObject() == nullptr);
    // The one-pixel frame of a pressed item is gone: its corner shows the band.
    const frame::TBox& edit = bar->Item(1)->bounds;
    const RECT& band = bar->BandRect();
    CHECK(WindowPixel(w, edit.Left, edit.Top) ==
          bar->BarBackground().Canvas()->Pixel(edit.Left - band.left, edit.Top - band.top));
}

TEST_CASE("a disabled bar item of a bare window sends no command when clicked")
{
    ChromeFixture fx;
    HMENU drop = CreatePopupMenu();
    AppendMenuA(drop, MF_STRING, 601, "&Open");
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), "&File");
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 700, "&Go");
    AppendMenuA(menu, MF_STRING, 701, "&Run");
    TestWindow bare(WS_OVERLAPPEDWINDOW, 160, 140, 300, 200, "Bare", 0, nullptr, menu);
    Activate(bare);
    REQUIRE(fx.WaitSkinned(bare));
    Pump(100);
    TWinSkinMenu* bar = fx.Chrome(bare).MenuBar();
    REQUIRE(bar->ItemCount() == 3);
    REQUIRE_FALSE(bar->Item(1)->itemEnabled);
    const RECT frame = WindowRectOf(bare);
    const auto click = [&](int index) {
        const frame::TBox& b = bar->Item(index)->bounds;
        PostMessageA(bare, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(frame.left + b.Left + 3, frame.top + b.Top + 3));
        Pump(300);
    };
    OwnProcLog().Clear();
    click(1);
    click(2);
    const std::set<UINT> commands{WM_COMMAND};
    CHECK_SEQUENCE(OwnProcLog(), {tftest::Called(WM_COMMAND).W(701).L(0)}, &commands);
}

TEST_CASE("a caption click reaching the window inside a drop-down's loop opens no second menu")
{
    Skinned s;
    auto& [fx, f, w] = s;
    std::vector<HMENU> opened;
    const RECT frame = WindowRectOf(w);
    const LPARAM caption = MAKELPARAM(frame.left + 150, frame.top + fx.Skinner(w)->BorderTop() / 2);
    Drive({Record(opened),
           [&] {
               PostMessageA(w, WM_NCRBUTTONDOWN, HTCAPTION, caption);
               return true;
           },
           [] {
               Pump(150);
               return true;
           },
           Key(VK_RIGHT), Record(opened), Key(VK_ESCAPE)},
          [&] { PostMessageA(w, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    // The drop-down still moves on to the next bar item.
    CHECK(opened == std::vector<HMENU>{f.file->Handle(), f.edit->Handle()});
}
