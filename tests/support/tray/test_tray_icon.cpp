#include <doctest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "TrayTestKit.h"
#include "framework/controls/Application.h"
#include "framework/controls/Menus.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Icon.h"
#include "framework/reader/FormReader.h"
#include "support/IconList.h"
#include "support/RxTrayIcon.h"
#include "tests/kit/AppPump.h"

using namespace tf;
using namespace traykit;

namespace {

void EnsureApplication()
{
    static bool done = false;
    if (done) return;
    done = true;
    Application->Initialize();
    RegisterTrayClasses();
    RegisterClass(TPopupMenu::StaticClass());
    RegisterClass(TMenuItem::StaticClass());
}

using tftest::app::Pump;

// ------------------------------------------------------------ the shell seam

struct ShellCall {
    DWORD message;
    TNotifyIconData data;
    DWORD thread;
    BOOL result;
};

struct Shell {
    static inline std::vector<ShellCall> Calls;
    static inline bool Forward = false;   // pass every call on to the real shell
    static inline BOOL Answer = TRUE;     // otherwise answer this

    static BOOL WINAPI Proc(DWORD message, PNOTIFYICONDATAA data)
    {
        ShellCall c{message, {}, GetCurrentThreadId(), FALSE};
        std::memcpy(&c.data, data, sizeof c.data);
        c.result = Forward ? Shell_NotifyIconA(message, data) : Answer;
        Calls.push_back(c);
        return c.result;
    }
    // "A" add, "M" modify, "D" delete, in call order.
    static std::string Trace()
    {
        std::string s;
        for (const ShellCall& c : Calls) s += c.message == NIM_ADD ? 'A' : c.message == NIM_MODIFY ? 'M' : 'D';
        return s;
    }
};

// Routes the component's shell calls through Shell for one test.
struct ShellScope {
    explicit ShellScope(bool forward = false)
    {
        EnsureApplication();
        Shell::Calls.clear();
        Shell::Forward = forward;
        Shell::Answer = TRUE;
        ShellNotifyIconProc = &Shell::Proc;
    }
    ~ShellScope() { ShellNotifyIconProc = &Shell_NotifyIconA; }
};

// ------------------------------------------------------------ events

struct EventLog : TObject {
    std::vector<std::string> log;
    int x = -1, y = -1;

    static char Name(TMouseButton b) { return "LRM"[b]; }
    void Click(TObject*, TMouseButton b, TShiftState s, int px, int py)
    {
        log.push_back(Format("click %c %02X", Name(b), s));
        x = px;
        y = py;
    }
    void Down(TObject*, TMouseButton b, TShiftState s, int, int) { log.push_back(Format("down %c %02X", Name(b), s)); }
    void Up(TObject*, TMouseButton b, TShiftState s, int, int) { log.push_back(Format("up %c %02X", Name(b), s)); }
    void Move(TObject*, TShiftState s, int, int) { log.push_back(Format("move %02X", s)); }
    void Dbl(TObject*) { log.push_back("dbl"); }
    void Item(TObject* sender) { log.push_back("item " + static_cast<TComponent*>(sender)->Name()); }

    void Attach(TRxTrayIcon& tray)
    {
        tray.OnClick = TMouseEvent::Of<&EventLog::Click>(this);
        tray.OnMouseDown = TMouseEvent::Of<&EventLog::Down>(this);
        tray.OnMouseUp = TMouseEvent::Of<&EventLog::Up>(this);
        tray.OnMouseMove = TMouseMoveEvent::Of<&EventLog::Move>(this);
        tray.OnDblClick = TNotifyEvent::Of<&EventLog::Dbl>(this);
    }
    std::string Text() const
    {
        std::string s;
        for (const std::string& e : log) s += (s.empty() ? "" : ", ") + e;
        return s;
    }
};

void Callback(TRxTrayIcon& tray, UINT mouseMessage)
{
    SendMessageA(tray.Handle(), WM_TRAYICONNOTIFY, 0, static_cast<LPARAM>(mouseMessage));
}

// A popup menu with items N1, N3, N2 whose clicks go to the log.
std::unique_ptr<TPopupMenu> MakeMenu(EventLog& events)
{
    auto menu = std::make_unique<TPopupMenu>(nullptr);
    for (const char* name : {"N1", "N3", "N2"}) {
        auto* item = new TMenuItem(menu.get());
        item->SetName(name);
        item->SetCaption(std::string("item ") + name);
        item->OnClick = TNotifyEvent::Of<&EventLog::Item>(&events);
        menu->Items()->Add(item);
    }
    return menu;
}

// A tray icon with the program icon, shown through the fake shell.
std::unique_ptr<TRxTrayIcon> ShownTray()
{
    auto tray = std::make_unique<TRxTrayIcon>(nullptr);
    auto icon = ProgramIcon();
    tray->SetIcon(icon.get());   // not loading, Active: shown at once
    return tray;
}

// Closes or answers the popup menu of this thread once it is up: records
// where it was shown and which window was in front, then posts keys to it.
struct MenuAnswer {
    static inline std::vector<WPARAM> Keys;
    static inline bool UseEndMenu = false;
    static inline RECT Rect{};
    static inline bool Seen = false;
    static inline HWND Foreground = nullptr;

    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND menu = FindWindowA("#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, id);
        Seen = true;
        GetWindowRect(menu, &Rect);
        Foreground = GetForegroundWindow();
        if (UseEndMenu) {
            EndMenu();
            return;
        }
        for (WPARAM key : Keys) PostMessageA(menu, WM_KEYDOWN, key, 0);
    }
    static void Arm(std::vector<WPARAM> keys, bool endMenu = false)
    {
        Keys = std::move(keys);
        UseEndMenu = endMenu;
        Seen = false;
        Rect = RECT{};
        Foreground = nullptr;
        SetTimer(nullptr, 0, 30, &Tick);
    }
};

// ------------------------------------------------------------ stored data

class TTrayTestRoot : public TComponent {
    TF_CLASS(TTrayTestRoot)
public:
    explicit TTrayTestRoot(TComponent* owner) : TComponent(owner) {}
    TRxTrayIcon* RxTrayIcon1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    int clicks = 0;
    void RxTrayIcon1Click(TObject*, TMouseButton, TShiftState, int, int) { ++clicks; }
};

const TClassInfo& TTrayTestRoot::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TTrayTestRoot>("TTrayTestRoot", TComponent::StaticClass())
                                       .TF_METHOD(TTrayTestRoot, RxTrayIcon1Click)
                                       .TF_FIELD(TTrayTestRoot, RxTrayIcon1)
                                       .TF_FIELD(TTrayTestRoot, PopupMenu1)
                                       .Build();
    return info;
}

// The guard's settings: Active, the stored icon, an empty list, the menu
// (a forward reference) and the click handler.
std::string GuardForm()
{
    std::vector<uint8_t> emptyList;
    Put32(emptyList, 0);
    return "object Root: TTrayTestRoot\n"
           "  object RxTrayIcon1: TRxTrayIcon\n"
           "    Active = True\n"
           "    Icon = {" +
           Hex(ProgramIconFile()) +
           "}\n"
           "    Icons = {" +
           Hex(emptyList) +
           "}\n"
           "    PopupMenu = PopupMenu1\n"
           "    OnClick = RxTrayIcon1Click\n"
           "  end\n"
           "  object PopupMenu1: TPopupMenu\n"
           "    object N1: TMenuItem\n"
           "      Caption = 'open'\n"
           "    end\n"
           "  end\n"
           "end\n";
}

struct ExceptionCatcher : TObject {
    std::vector<std::string> messages;
    void Caught(TObject*, const std::exception& e) { messages.push_back(e.what()); }
};

struct Thrower : TObject {
    void Click(TObject*, TMouseButton, TShiftState, int, int) { throw std::runtime_error("click failed"); }
};

} // namespace

// ============================================================ the record

TEST_CASE("the shell gets the original record (88 bytes in the 32-bit program) with the short hint as tip")
{
    ShellScope shell;
    auto tray = ShownTray();
    REQUIRE(tray->Added());
    const TNotifyIconData& d = Shell::Calls.back().data;
    CHECK(d.cbSize == (sizeof(void*) == 4 ? 88 : NOTIFYICONDATAA_V1_SIZE));
    CHECK(d.hWnd == tray->Handle());
    CHECK(d.uID == 0);
    CHECK(d.uFlags == 7u);
    CHECK(d.uCallbackMessage == 0xB054u);
    CHECK(d.hIcon == tray->Icon()->Handle());

    const std::string a63(63, 'a');
    const std::string gbkPipe = "\x81\x7C";   // a double-byte character whose trail byte is '|'
    const std::string han = "\xB4\xF2";       // 打
    const struct {
        std::string hint, tip;
    } cases[] = {
        {"Guard", "Guard"},
        {"Guard|watches drive C", "Guard"},
        {"|only long", ""},
        {a63 + "bcd", a63},
        {gbkPipe + "x|y", gbkPipe + "x"},
        {std::string(62, 'a') + han, std::string(62, 'a')},   // never half a character
        {std::string(61, 'a') + han + "z", std::string(61, 'a') + han},
    };
    for (const auto& c : cases) {
        CAPTURE(c.hint);
        Shell::Calls.clear();
        tray->SetHint(c.hint);
        REQUIRE(Shell::Trace() == "M");
        const TNotifyIconData& m = Shell::Calls.back().data;
        CHECK(std::string(m.szTip) == c.tip);
        CHECK(TrayTipText(c.hint) == c.tip);
    }
}

TEST_CASE("no icon, no add; an emptied icon is removed")
{
    ShellScope shell;
    TRxTrayIcon tray(nullptr);
    tray.SetActive(false);
    tray.SetActive(true);
    CHECK_FALSE(tray.Added());
    CHECK(Shell::Trace().find('A') == std::string::npos);

    auto icon = ProgramIcon();
    tray.SetIcon(icon.get());
    CHECK(tray.Added());
    Shell::Calls.clear();
    tray.SetIcon(nullptr);
    CHECK(Shell::Trace() == "D");
    CHECK_FALSE(tray.Added());

    // A refused add leaves the icon absent, with no follow-up modify.
    Shell::Calls.clear();
    Shell::Answer = FALSE;
    tray.SetIcon(icon.get());
    CHECK(Shell::Trace() == "DA");
    CHECK_FALSE(tray.Added());
}

TEST_CASE("at design time only ShowDesign shows the icon")
{
    ShellScope shell;
    TRxTrayIcon tray(nullptr);
    tray.SetDesigning(true);
    auto icon = ProgramIcon();
    tray.SetIcon(icon.get());
    CHECK(tray.Active());
    CHECK_FALSE(tray.Added());
    tray.SetShowDesign(true);
    CHECK(tray.Added());
    CHECK(tray.ShowDesign());
    CHECK_FALSE(tray.OpenMenu(0, 0));
    tray.SetShowDesign(false);
    CHECK_FALSE(tray.Added());
    // Without an icon ShowDesign cannot stay on.
    tray.SetIcon(nullptr);
    tray.SetShowDesign(true);
    CHECK_FALSE(tray.ShowDesign());
    // Outside design time the setter does nothing.
    TRxTrayIcon plain(nullptr);
    plain.SetShowDesign(true);
    CHECK_FALSE(plain.ShowDesign());
}

// ============================================================ start-up and close

TEST_CASE("start-up from stored data adds the icon once; destroying removes it")
{
    ShellScope shell(/*forward=*/true);
    auto* root = new TTrayTestRoot(nullptr);
    ReadForm(root, GuardForm());
    REQUIRE(root->RxTrayIcon1 != nullptr);
    TRxTrayIcon& tray = *root->RxTrayIcon1;

    // Reading applied the icon with Active already true: nothing was added
    // then; Loaded added it once, and modified it once (empty hint).
    CHECK(Shell::Trace() == "DAM");
    CHECK(Shell::Calls[1].data.hIcon == tray.Icon()->Handle());
    CHECK(tray.Added());
    // The real shell of Wine took the icon.
    CHECK(Shell::Calls[1].result == TRUE);
    CHECK(Shell::Calls[2].result == TRUE);
    CHECK(tray.PopupMenu() == root->PopupMenu1);
    CHECK(tray.Icon()->ImageCount() == 4);
    CHECK(tray.Icons()->Count() == 0);

    // The stored handler is the click event.
    Callback(tray, WM_LBUTTONDOWN);
    Callback(tray, WM_LBUTTONUP);
    CHECK(root->clicks == 1);

    const HWND window = tray.Handle();
    Shell::Calls.clear();
    root->Free();
    CHECK(Shell::Trace() == "D");
    CHECK(Shell::Calls[0].data.hWnd == window);
    CHECK(Shell::Calls[0].result == TRUE);
    CHECK_FALSE(IsWindow(window));

    // The shell no longer knows the icon.
    TNotifyIconData probe{};
    probe.cbSize = sizeof probe;
    probe.hWnd = window;
    CHECK_FALSE(Shell_NotifyIconA(NIM_DELETE, reinterpret_cast<PNOTIFYICONDATAA>(&probe)));
}

TEST_CASE("the stored list property reads through the form reader and writes back the same bytes")
{
    ShellScope shell;
    auto red = SolidIcon(RGB(255, 0, 0));
    TIconList list;
    list.Add(red.get());
    list.Add(nullptr);
    TMemoryStream stored;
    list.WriteData(stored);

    auto* root = new TTrayTestRoot(nullptr);
    ReadForm(root, "object Root: TTrayTestRoot\n"
                   "  object RxTrayIcon1: TRxTrayIcon\n"
                   "    Icons = {" +
                       Hex(stored.Bytes()) +
                       "}\n"
                       "  end\n"
                       "end\n");
    TRxTrayIcon& tray = *root->RxTrayIcon1;
    REQUIRE(tray.Icons()->Count() == 2);
    CHECK(tray.Icons()->Icons(0) != nullptr);
    CHECK(tray.Icons()->Icons(1) == nullptr);
    // No icon of its own: nothing was shown.
    CHECK_FALSE(tray.Added());

    TMemoryStream again;
    REQUIRE(tray.WriteBinaryProperty("Icons", again));
    CHECK(again.Bytes() == stored.Bytes());
    TMemoryStream icon;
    REQUIRE(tray.WriteBinaryProperty("Icon", icon));
    CHECK(icon.Size() == 0);
    CHECK_FALSE(tray.WriteBinaryProperty("Hint", icon));

    // A bad stored icon is a clear error.
    auto* bad = new TTrayTestRoot(nullptr);
    CHECK_THROWS(ReadForm(bad, "object Root: TTrayTestRoot\n"
                               "  object RxTrayIcon1: TRxTrayIcon\n"
                               "    Icon = {00000100}\n"
                               "  end\n"
                               "end\n"));
    bad->Free();
    root->Free();
}

// ============================================================ the mouse

TEST_CASE("the shell's mouse callbacks become events")
{
    ShellScope shell;
    auto tray = ShownTray();
    EventLog events;
    events.Attach(*tray);

    const struct {
        const char* what;
        std::vector<UINT> messages;
        const char* expected;
    } cases[] = {
        {"left press and release", {WM_LBUTTONDOWN, WM_LBUTTONUP}, "down L 08, click L 08, up L 08"},
        {"release without a press", {WM_LBUTTONUP}, "up L 08"},
        {"right click without a menu", {WM_RBUTTONDOWN, WM_RBUTTONUP}, "down R 10, click R 10, up R 10"},
        {"double click without a menu",
         {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP},
         "down L 08, click L 08, up L 08, dbl, down L 40, up L 08"},
        {"right double click", {WM_RBUTTONDBLCLK}, "down R 40"},
        {"middle click", {WM_MBUTTONDOWN, WM_MBUTTONUP}, "down M 20, up M 20"},
        {"middle double click", {WM_MBUTTONDBLCLK}, "down M 40"},
        {"move", {WM_MOUSEMOVE}, "move 00"},
        {"left press, right release", {WM_LBUTTONDOWN, WM_RBUTTONUP}, "down L 08, up R 10"},
        {"other messages", {WM_MOUSEWHEEL, WM_CONTEXTMENU}, ""},
    };
    for (const auto& c : cases) {
        CAPTURE(c.what);
        events.log.clear();
        for (UINT m : c.messages) Callback(*tray, m);
        CHECK(events.Text() == c.expected);
        // Forget a press left over by a case.
        Callback(*tray, WM_LBUTTONUP);
    }

    // The keys held and the cursor at the time of the message.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SetCursorPos(123, 77);
    POINT cursor{};
    GetCursorPos(&cursor);
    events.log.clear();
    Callback(*tray, WM_LBUTTONDOWN);
    Callback(*tray, WM_LBUTTONUP);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    CHECK(events.Text() == "down L 0D, click L 0D, up L 0D");
    CHECK(events.x == cursor.x);
    CHECK(events.y == cursor.y);
}

TEST_CASE("a press before the icon was re-added does not complete a click")
{
    ShellScope shell;
    auto tray = ShownTray();
    EventLog events;
    events.Attach(*tray);
    Callback(*tray, WM_LBUTTONDOWN);
    tray->AddIcon();
    events.log.clear();
    Callback(*tray, WM_LBUTTONUP);
    CHECK(events.Text() == "up L 08");
}

TEST_CASE("Enabled false keeps the icon but ignores the mouse")
{
    ShellScope shell;
    auto tray = ShownTray();
    EventLog events;
    events.Attach(*tray);
    tray->SetEnabled(false);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONDBLCLK})
        Callback(*tray, m);
    CHECK(events.log.empty());
    CHECK(tray->Added());
    CHECK(Shell::Trace() == "DAM");

    tray->SetEnabled(true);
    Callback(*tray, WM_LBUTTONDOWN);
    Callback(*tray, WM_LBUTTONUP);
    CHECK(events.Text() == "down L 08, click L 08, up L 08");
}

TEST_CASE("a right click opens the menu at the cursor instead of clicking")
{
    ShellScope shell;
    auto tray = ShownTray();
    EventLog events;
    events.Attach(*tray);
    auto menu = MakeMenu(events);
    tray->SetPopupMenu(menu.get());

    SetCursorPos(200, 150);
    POINT cursor{};
    GetCursorPos(&cursor);

    SUBCASE("closed without a choice")
    {
        MenuAnswer::Arm({}, /*endMenu=*/true);
        Callback(*tray, WM_RBUTTONDOWN);
        Callback(*tray, WM_RBUTTONUP);
        Pump(100);
        CHECK(MenuAnswer::Seen);
        CHECK(events.Text() == "down R 10, up R 10");
    }
    SUBCASE("the second item chosen with the keyboard")
    {
        MenuAnswer::Arm({VK_DOWN, VK_DOWN, VK_RETURN});
        Callback(*tray, WM_RBUTTONDOWN);
        Callback(*tray, WM_RBUTTONUP);
        Pump(100);
        CHECK(MenuAnswer::Seen);
        // The item's handler runs after the menu has closed.
        CHECK(events.Text() == "down R 10, up R 10, item N3");
    }
    CHECK(MenuAnswer::Rect.left == cursor.x);
    CHECK(MenuAnswer::Rect.top == cursor.y);
    CHECK(MenuAnswer::Foreground == tray->Handle());
    CHECK(menu->PopupComponent() == tray.get());

    // A menu that does not pop up by itself leaves the right click a click.
    events.log.clear();
    menu->SetAutoPopup(false);
    Callback(*tray, WM_RBUTTONDOWN);
    Callback(*tray, WM_RBUTTONUP);
    CHECK(events.Text() == "down R 10, click R 10, up R 10");
}

TEST_CASE("a double click runs the default menu item, else OnDblClick")
{
    ShellScope shell;
    auto tray = ShownTray();
    EventLog events;
    events.Attach(*tray);
    auto menu = MakeMenu(events);
    tray->SetPopupMenu(menu.get());
    TMenuItem* n3 = menu->Items()->Items(1);
    const std::vector<UINT> dbl{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};

    const struct {
        const char* what;
        bool isDefault, enabled, active;
        const char* expected;
    } cases[] = {
        {"default item", true, true, true, "down L 08, click L 08, up L 08, item N3, down L 40, up L 08"},
        {"disabled default item", true, false, true, "down L 08, click L 08, up L 08, dbl, down L 40, up L 08"},
        {"no default item", false, true, true, "down L 08, click L 08, up L 08, dbl, down L 40, up L 08"},
        {"not active", true, true, false, "down L 08, click L 08, up L 08, dbl, down L 40, up L 08"},
    };
    for (const auto& c : cases) {
        CAPTURE(c.what);
        n3->SetDefault(c.isDefault);
        n3->SetEnabled(c.enabled);
        tray->SetActive(c.active);
        events.log.clear();
        for (UINT m : dbl) Callback(*tray, m);
        CHECK(events.Text() == c.expected);
    }
}

TEST_CASE("a destroyed menu is forgotten")
{
    ShellScope shell;
    auto tray = ShownTray();
    EventLog events;
    events.Attach(*tray);
    auto menu = MakeMenu(events);
    tray->SetPopupMenu(menu.get());
    menu.reset();
    CHECK(tray->PopupMenu() == nullptr);
    Callback(*tray, WM_RBUTTONDOWN);
    Callback(*tray, WM_RBUTTONUP);
    CHECK(events.Text() == "down R 10, click R 10, up R 10");

    // The other way round: a tray freed first leaves the menu intact.
    auto menu2 = MakeMenu(events);
    tray->SetPopupMenu(menu2.get());
    tray.reset();
    menu2.reset();
}

TEST_CASE("a failure in a handler goes to the application's error handler")
{
    ShellScope shell;
    auto tray = ShownTray();
    Thrower thrower;
    ExceptionCatcher catcher;
    tray->OnClick = TMouseEvent::Of<&Thrower::Click>(&thrower);
    Application->OnException = TExceptionEvent::Of<&ExceptionCatcher::Caught>(&catcher);
    Callback(*tray, WM_LBUTTONDOWN);
    Callback(*tray, WM_LBUTTONUP);
    Application->OnException.Clear();
    CHECK(catcher.messages == std::vector<std::string>{"click failed"});
}

// ============================================================ the taskbar

TEST_CASE("TaskbarCreated puts the icon back")
{
    ShellScope shell;
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    CHECK(TaskbarCreatedMessage() == taskbarCreated);

    // The shell refused the icon at first (no taskbar yet).
    Shell::Answer = FALSE;
    auto tray = ShownTray();
    CHECK_FALSE(tray->Added());

    Shell::Answer = TRUE;
    Shell::Calls.clear();
    SendMessageA(tray->Handle(), taskbarCreated, 0, 0);
    // Active false removes, Active true removes again before it adds.
    CHECK(Shell::Trace() == "DDAM");
    CHECK(tray->Added());
    CHECK(tray->Active());

    // An inactive icon stays away.
    tray->SetActive(false);
    Shell::Calls.clear();
    SendMessageA(tray->Handle(), taskbarCreated, 0, 0);
    CHECK(Shell::Trace().empty());
    CHECK_FALSE(tray->Added());
}

// ============================================================ animation

TEST_CASE("the animation steps through the frames on the user-interface thread")
{
    ShellScope shell;
    auto tray = ShownTray();
    TIconList frames;
    for (COLORREF c : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}) frames.Add(SolidIcon(c).get());
    tray->SetIcons(&frames);
    tray->SetInterval(20);
    tray->SetAnimated(true);
    REQUIRE(tray->Animated());
    CHECK(tray->CurrentIcon() == tray->Icons()->Icons(0));

    Shell::Calls.clear();
    Pump(400);
    std::vector<HICON> shown;
    for (const ShellCall& c : Shell::Calls) {
        CHECK(c.message == NIM_MODIFY);
        CHECK(c.thread == GetCurrentThreadId());
        shown.push_back(c.data.hIcon);
    }
    REQUIRE(shown.size() >= 6);
    HICON h[3];
    for (int i = 0; i < 3; ++i) h[i] = tray->Icons()->Icons(i)->Handle();
    // Frames 1, 2, 0, 1, 2, 0, ...
    for (size_t i = 0; i < shown.size(); ++i) CHECK(shown[i] == h[(i + 1) % 3]);

    // Not shown: no stepping.
    tray->SetActive(false);
    const int frame = tray->FrameIndex();
    Shell::Calls.clear();
    Pump(150);
    CHECK(Shell::Calls.empty());
    CHECK(tray->FrameIndex() == frame);

    // Emptying the list ends the animation; the plain icon is shown again.
    tray->SetActive(true);
    tray->Icons()->Clear();
    CHECK_FALSE(tray->Animated());
    CHECK(tray->CurrentIcon() == tray->Icon());
    CHECK(tray->Added());
    Shell::Calls.clear();
    Pump(150);
    CHECK(Shell::Calls.empty());

    // No frames, no animation.
    tray->SetAnimated(true);
    CHECK_FALSE(tray->Animated());
}

TEST_CASE("published properties by name")
{
    EnsureApplication();
    TRxTrayIcon tray(nullptr);
    const char* names[] = {"Active", "Enabled", "Hint", "Icon", "Icons", "Animated", "Interval", "PopupMenu",
                           "ShowDesign", "OnClick", "OnDblClick", "OnMouseMove", "OnMouseDown", "OnMouseUp"};
    const auto& props = TRxTrayIcon::StaticClass().Props;
    REQUIRE(props.size() == std::size(names));
    for (size_t i = 0; i < props.size(); ++i) CHECK(props[i].Name == names[i]);
    CHECK(ReadEnum(&tray, "Active") == "True");
    CHECK(ReadEnum(&tray, "Enabled") == "True");
    CHECK(ReadInt(&tray, "Interval") == 150);
    CHECK(ReadEnum(&tray, "Animated") == "False");
    CHECK(tray.FrameIndex() == -1);
    Write(&tray, "Interval", "70000");
    CHECK(tray.Interval() == 0xFFFF);
    CHECK(FindClass("TRxTrayIcon") == &TRxTrayIcon::StaticClass());
}

// ============================================================ Wine's own tray

namespace {

// Real input from this process: moves the cursor and presses buttons, as the
// user would; Wine routes it to the tray window under the cursor.
void MouseInput(DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

void MoveTo(int x, int y)
{
    SetCursorPos(x, y);
    MouseInput(MOUSEEVENTF_MOVE);   // a zero move, so the window under the cursor hears of it
}

} // namespace

TEST_CASE("real clicks on Wine's system tray window reach the component")
{
    ShellScope shell(/*forward=*/true);
    auto tray = ShownTray();
    REQUIRE(tray->Added());
    EventLog events;
    events.Attach(*tray);

    HWND trayWindow = nullptr;
    for (int i = 0; i < 100 && !(trayWindow = FindWindowA(nullptr, "Wine System Tray")); ++i) Pump(20);
    REQUIRE(trayWindow != nullptr);
    Pump(200);
    REQUIRE(IsWindowVisible(trayWindow));

    // Find the icon: the point of the tray window where moving the mouse
    // makes the shell call back this component.
    RECT client{};
    GetClientRect(trayWindow, &client);
    POINT origin{0, 0};
    ClientToScreen(trayWindow, &origin);
    auto answers = [&](int x, int y) {
        events.log.clear();
        MoveTo(origin.x + x, origin.y + y);
        Pump(25);
        return !events.log.empty() && events.log.back().rfind("move", 0) == 0;
    };
    POINT hit{-1, -1};
    for (int y = client.bottom - 4; y >= 0 && hit.x < 0; y -= 6)
        for (int x = 4; x < client.right && hit.x < 0; x += 6)
            if (answers(x, y)) hit = POINT{x, y};
    REQUIRE(hit.x >= 0);
    // Aim at the middle of the icon, not at an edge of it.
    int left = hit.x, right = hit.x, top = hit.y, bottom = hit.y;
    while (left > 0 && answers(left - 2, hit.y)) left -= 2;
    while (right < client.right && answers(right + 2, hit.y)) right += 2;
    while (top > 0 && answers(hit.x, top - 2)) top -= 2;
    while (bottom < client.bottom && answers(hit.x, bottom + 2)) bottom += 2;
    const POINT spot{origin.x + (left + right) / 2, origin.y + (top + bottom) / 2};
    MoveTo(spot.x, spot.y);
    Pump(25);
    MESSAGE("the icon answers at " << spot.x << "," << spot.y);

    auto settle = [&] {
        Pump(150);
        std::vector<std::string> kept;
        for (const std::string& e : events.log)
            if (e.rfind("move", 0) != 0) kept.push_back(e);
        events.log = kept;
    };

    // A left click.
    events.log.clear();
    MouseInput(MOUSEEVENTF_LEFTDOWN);
    MouseInput(MOUSEEVENTF_LEFTUP);
    settle();
    CHECK(events.Text() == "down L 08, click L 08, up L 08");
    CHECK(events.x == spot.x);
    CHECK(events.y == spot.y);

    // A right click opens the menu at the cursor; Escape closes it.
    auto menu = MakeMenu(events);
    tray->SetPopupMenu(menu.get());
    events.log.clear();
    MenuAnswer::Arm({VK_ESCAPE});
    MouseInput(MOUSEEVENTF_RIGHTDOWN);
    MouseInput(MOUSEEVENTF_RIGHTUP);
    for (int i = 0; i < 50 && !MenuAnswer::Seen; ++i) Pump(20);
    settle();
    CHECK(MenuAnswer::Seen);
    CHECK(MenuAnswer::Rect.left == spot.x);
    CHECK(MenuAnswer::Rect.top == spot.y);
    CHECK(events.Text() == "down R 10, up R 10");

    // A double click: one click, then the default item.
    menu->Items()->Items(0)->SetDefault(true);
    events.log.clear();
    for (int i = 0; i < 2; ++i) {
        MouseInput(MOUSEEVENTF_LEFTDOWN);
        MouseInput(MOUSEEVENTF_LEFTUP);
    }
    settle();
    CHECK(events.Text() == "down L 08, click L 08, up L 08, item N1, down L 40, up L 08");
}
