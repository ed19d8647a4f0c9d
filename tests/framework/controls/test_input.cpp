// Input routing: the mouse over graphic controls (enter/leave, clicks and the
// cursor through the parent), painting them into a given DC, focus and
// dialog keys, menus and the hint window.
#include <doctest.h>

#include "framework/core/Object.h"

#include <memory>

#include "ControlTestUtil.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Forms.h"
#include "framework/controls/HintWindow.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandle.h"

using namespace tf;
using namespace testutil;

namespace {

template <class T>
T* Make(TWinControl* parent, int x, int y, int w, int h)
{
    T* c = new T(parent);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

struct Hits : TObject {
    std::vector<std::string> Log;
    void A(TObject*) { Log.push_back("A"); }
    void B(TObject*) { Log.push_back("B"); }
    void C(TObject*) { Log.push_back("C"); }
};

struct ShownForm {
    ShownForm()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(200, 150, 400, 300);
        form->SetCaption("input");
    }
    void Show()
    {
        form->Show();
        SetForegroundWindow(form->Handle());
        Pump(50);
    }
    POINT ScreenPoint(TControl* c, int dx = 5, int dy = 5) { return c->ClientToScreen(POINT{dx, dy}); }
    std::unique_ptr<TForm> form;
};

void MoveMouse(POINT p)
{
    SetCursorPos(p.x, p.y);
    Pump(30);
    Application->DoMouseIdle();
}

} // namespace

TEST_CASE("the framework control under the mouse gets CM_MOUSEENTER and CM_MOUSELEAVE")
{
    // The mouse starts outside the form: wherever an earlier program left
    // it, the label could be under it before the spies are in place.
    MoveMouse(POINT{2, 2});
    ShownForm f;
    auto* label = Make<TLabel>(f.form.get(), 10, 10, 100, 20);
    label->SetAutoSize(false);
    label->SetCaption("label");
    auto* button = Make<TButton>(f.form.get(), 10, 60, 80, 25);
    f.Show();
    TMessageSpy labelSpy(label), buttonSpy(button);

    MoveMouse(f.ScreenPoint(label));
    CHECK(labelSpy.Count(CM_MOUSEENTER) == 1);
    CHECK(Application->MouseControl() == label);

    MoveMouse(f.ScreenPoint(button));
    CHECK(labelSpy.Count(CM_MOUSELEAVE) == 1);
    CHECK(buttonSpy.Count(CM_MOUSEENTER) == 1);

    // Leaving for a window that is not the framework's.
    MoveMouse(POINT{2, 2});
    CHECK(buttonSpy.Count(CM_MOUSELEAVE) == 1);
    CHECK(Application->MouseControl() == nullptr);
    labelSpy.Restore();
    buttonSpy.Restore();
}

TEST_CASE("a label gets clicks and sets the cursor through its parent")
{
    ShownForm f;
    auto* label = Make<TLabel>(f.form.get(), 30, 20, 120, 20);
    label->SetCursor(crHandPoint);
    Hits hits;
    label->OnClick = TNotifyEvent::Of<&Hits::A>(&hits);
    f.Show();
    TMessageSpy spy(label);

    const LPARAM inside = MAKELPARAM(40, 25);
    SendMessageA(f.form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    CHECK(GetCapture() == f.form->Handle());
    CHECK(GetCaptureControl() == label);
    SendMessageA(f.form->Handle(), WM_LBUTTONUP, 0, inside);
    CHECK(hits.Log == std::vector<std::string>{"A"});
    CHECK(GetCaptureControl() == nullptr);
    CHECK(spy.Saw(WM_LBUTTONDOWN));
    CHECK(spy.Seen.front().XPos() == 10);   // label coordinates

    // Released outside: no click.
    SendMessageA(f.form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageA(f.form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300, 200));
    CHECK(hits.Log.size() == 1);

    // The cursor over the label is the label's.
    SetCursorPos(f.ScreenPoint(label).x, f.ScreenPoint(label).y);
    ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    spy.Seen.clear();
    const LRESULT handled = SendMessageA(f.form->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.form->Handle()),
                                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    CHECK(handled == 1);
    CHECK(spy.Saw(WM_SETCURSOR));
    CHECK(GetCursor() == LoadCursorA(nullptr, IDC_HAND));
    spy.Restore();
}

TEST_CASE("windowed controls paint themselves and their graphic children into a given DC")
{
    ShownForm f;
    auto* panel = Make<TPanel>(f.form.get(), 10, 10, 200, 100);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(RGBColor(0, 128, 0));
    auto* label = Make<TLabel>(panel, 50, 20, 60, 30);
    label->SetAutoSize(false);
    label->SetCaption("");
    label->SetColor(RGBColor(255, 0, 0));
    f.form->HandleNeeded();

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 100);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(panel->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    CHECK(GetPixel(dc, 5, 5) == RGB(0, 128, 0));
    CHECK(GetPixel(dc, 55, 25) == RGB(255, 0, 0));

    // PaintControls alone paints just the graphic children.
    RECT all{0, 0, 200, 100};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    panel->PaintControls(dc);
    CHECK(GetPixel(dc, 5, 5) == RGB(255, 255, 255));
    CHECK(GetPixel(dc, 100, 45) == RGB(255, 0, 0));

    // A form paints through OnPaint, on its canvas pointed at the DC.
    struct Painter : TObject {
        HDC Seen = nullptr;
        void Paint(TObject* sender)
        {
            TCanvas* canvas = static_cast<TForm*>(sender)->Canvas();
            Seen = canvas->Handle();
            canvas->Brush()->SetColor(RGBColor(0, 0, 255));
            canvas->FillRect(RECT{0, 0, 10, 10});
        }
    } painter;
    f.form->OnPaint = TNotifyEvent::Of<&Painter::Paint>(&painter);
    SendMessageA(f.form->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    CHECK(painter.Seen == dc);
    CHECK(GetPixel(dc, 3, 3) == RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_CASE("focus changes send CM_EXIT and CM_FOCUSCHANGED, and dialog keys move and click")
{
    ShownForm f;
    auto* edit = Make<TEdit>(f.form.get(), 10, 10, 100, 22);
    auto* first = Make<TButton>(f.form.get(), 10, 50, 80, 25);
    auto* second = Make<TButton>(f.form.get(), 100, 50, 80, 25);
    first->SetCaption("First");
    second->SetCaption("&Save");
    Hits hits;
    first->OnClick = TNotifyEvent::Of<&Hits::A>(&hits);
    second->OnClick = TNotifyEvent::Of<&Hits::B>(&hits);
    f.Show();

    std::vector<TWinControl*> order;
    f.form->GetTabOrderList(order);
    CHECK(order == std::vector<TWinControl*>{edit, first, second});
    second->SetTabOrder(0);
    order.clear();
    f.form->GetTabOrderList(order);
    CHECK(order == std::vector<TWinControl*>{second, edit, first});
    second->SetTabOrder(2);

    edit->SetFocus();
    REQUIRE(GetFocus() == edit->Handle());
    CHECK(f.form->ActiveControl() == edit);
    CHECK(Screen->ActiveForm() == f.form.get());
    CHECK(Screen->ActiveControl() == edit);
    TMessageSpy editSpy(edit), secondSpy(second);
    first->SetFocus();
    CHECK(GetFocus() == first->Handle());
    CHECK(editSpy.Saw(CM_EXIT));
    bool announced = false;
    for (const TMessage& m : secondSpy.Seen)
        if (m.Msg == CM_FOCUSCHANGED) announced = m.LParam == reinterpret_cast<LPARAM>(first);
    CHECK(announced);
    editSpy.Restore();
    secondSpy.Restore();

    // Tab moves to the next control in tab order, after every control saw it.
    TMessageSpy dialogKeys(edit);
    PostMessageA(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
    PumpUntil([&] { return GetFocus() == second->Handle(); }, 1000);
    CHECK(GetFocus() == second->Handle());
    CHECK(dialogKeys.Saw(CM_DIALOGKEY));
    dialogKeys.Restore();

    // Enter in the edit clicks the default button.
    first->SetDefault(true);
    edit->SetFocus();
    PostMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    PumpUntil([&] { return !hits.Log.empty(); }, 1000);
    CHECK(hits.Log == std::vector<std::string>{"A"});

    // An accelerator through the system menu key reaches the button.
    SendMessageA(f.form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 's');
    CHECK(hits.Log == std::vector<std::string>{"A", "B"});
    // And through Alt+key typed in another control.
    PostMessageA(edit->Handle(), WM_SYSCHAR, 'S', 1 << 29);
    PumpUntil([&] { return hits.Log.size() == 3; }, 1000);
    CHECK(hits.Log == std::vector<std::string>{"A", "B", "B"});
}

namespace {

struct MenuDriver {
    static std::vector<WPARAM>& Keys()
    {
        static std::vector<WPARAM> keys;
        return keys;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND menu = FindWindowA("#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, id);
        for (WPARAM key : Keys()) {
            PostMessageA(menu, WM_KEYDOWN, key, 0);
            PostMessageA(menu, WM_KEYUP, key, 0xC0000000);
        }
    }
};

struct OwnerDrawLog : TObject {
    std::vector<std::string> Log;
    void Measure(TObject* sender, TCanvas*, int& w, int& h)
    {
        Log.push_back("measure " + static_cast<TMenuItem*>(sender)->Caption());
        w = 100;
        h = 20;
    }
    void Draw(TObject* sender, TCanvas* canvas, RECT r, bool)
    {
        Log.push_back("draw " + static_cast<TMenuItem*>(sender)->Caption());
        static_cast<TMenuItem*>(sender)->DefaultDrawItem(canvas, r, false);
    }
};

} // namespace

TEST_CASE("a popup menu item chosen from the keyboard fires OnClick after the menu closed")
{
    ShownForm f;
    f.Show();
    auto* menu = new TPopupMenu(f.form.get());
    Hits hits;
    const char* captions[] = {"打开", "开机启动", "关闭"};
    TMenuItem* items[3];
    for (int i = 0; i < 3; ++i) {
        items[i] = new TMenuItem(f.form.get());
        items[i]->SetCaption(captions[i]);
        menu->Items()->Add(items[i]);
    }
    items[0]->OnClick = TNotifyEvent::Of<&Hits::A>(&hits);
    items[1]->OnClick = TNotifyEvent::Of<&Hits::B>(&hits);
    items[2]->OnClick = TNotifyEvent::Of<&Hits::C>(&hits);
    CHECK(menu->FindItem(items[1]->Command(), fkCommand) == items[1]);

    OwnerDrawLog draw;
    menu->SetOwnerDraw(true);
    for (TMenuItem* item : items) {
        item->OnMeasureItem = TMenuMeasureItemEvent::Of<&OwnerDrawLog::Measure>(&draw);
        item->OnDrawItem = TMenuDrawItemEvent::Of<&OwnerDrawLog::Draw>(&draw);
    }

    MenuDriver::Keys() = {VK_DOWN, VK_DOWN, VK_RETURN};
    SetTimer(nullptr, 0, 50, &MenuDriver::Tick);
    menu->Popup(300, 300);   // returns once the menu has closed
    CHECK(hits.Log.empty());
    PumpUntil([&] { return !hits.Log.empty(); }, 1000);
    CHECK(hits.Log == std::vector<std::string>{"B"});
    CHECK(std::find(draw.Log.begin(), draw.Log.end(), "measure 关闭") != draw.Log.end());
    CHECK(std::find(draw.Log.begin(), draw.Log.end(), "draw 开机启动") != draw.Log.end());

    // The default measuring is there for a handler that wants it.
    TMenuItem standalone(nullptr);
    standalone.SetCaption("Close");
    standalone.SetShortCut(ShortCut(VK_F4, ssAlt));
    TCanvas canvas;
    TScreenDC screen;
    canvas.SetHandle(screen.Get());
    int w = 0, h = 0;
    standalone.MeasureItem(&canvas, w, h);
    CHECK(w > canvas.TextWidth("Close ALT+F4"));
    CHECK(h >= canvas.TextHeight("Close"));
    canvas.SetHandle(nullptr);
}

TEST_CASE("a right click on a control with a popup menu shows it for that control")
{
    ShownForm f;
    auto* button = Make<TButton>(f.form.get(), 10, 10, 80, 25);
    auto* menu = new TPopupMenu(f.form.get());
    auto* item = new TMenuItem(f.form.get());
    item->SetCaption("one");
    menu->Items()->Add(item);
    Hits hits;
    menu->OnPopup = TNotifyEvent::Of<&Hits::A>(&hits);
    button->SetPopupMenu(menu);
    f.Show();
    MenuDriver::Keys() = {VK_ESCAPE};
    SetTimer(nullptr, 0, 50, &MenuDriver::Tick);
    const POINT at = button->ClientToScreen(POINT{5, 5});
    CHECK(SendMessageA(button->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()), MAKELPARAM(at.x, at.y)) == 1);
    CHECK(hits.Log == std::vector<std::string>{"A"});
    CHECK(menu->PopupComponent() == button);
    // The control forgets a menu that goes away.
    delete menu;
    CHECK(button->PopupMenu() == nullptr);
}

TEST_CASE("a main menu tells its form about changes with CM_MENUCHANGED")
{
    ShownForm f;
    auto* menu = new TMainMenu(f.form.get());
    auto* file = new TMenuItem(f.form.get());
    file->SetCaption("&File");
    menu->Items()->Add(file);
    auto* exit = new TMenuItem(f.form.get());
    exit->SetCaption("E&xit");
    file->Add(exit);
    Hits hits;
    exit->OnClick = TNotifyEvent::Of<&Hits::A>(&hits);
    f.Show();
    TMessageSpy spy(f.form.get());
    f.form->SetMenu(menu);
    CHECK(spy.Count(CM_MENUCHANGED) == 1);
    CHECK(GetMenu(f.form->Handle()) == menu->Handle());

    auto* help = new TMenuItem(f.form.get());
    help->SetCaption("&Help");
    menu->Items()->Add(help);
    CHECK(spy.Count(CM_MENUCHANGED) >= 2);
    CHECK(GetMenuItemCount(GetMenu(f.form->Handle())) == 2);
    CHECK(GetSubMenu(menu->Handle(), 0) == file->Handle());

    SendMessageA(f.form->Handle(), WM_COMMAND, exit->Command(), 0);
    CHECK(hits.Log == std::vector<std::string>{"A"});
    CHECK(menu->FindItem(reinterpret_cast<uintptr_t>(file->Handle()), fkHandle) == file);

    // Item state shows in the system menu.
    auto* other = new TMenuItem(f.form.get());
    other->SetCaption("Other");
    file->Add(other);
    exit->SetChecked(true);
    other->SetEnabled(false);
    CHECK((GetMenuState(file->Handle(), exit->Command(), MF_BYCOMMAND) & MF_CHECKED) != 0);
    CHECK((GetMenuState(file->Handle(), other->Command(), MF_BYCOMMAND) & MF_GRAYED) != 0);
    other->SetVisible(false);
    CHECK(GetMenuItemCount(file->Handle()) == 1);
    exit->SetShortCut(ShortCut('Q', ssCtrl));
    char text[64] = {};
    GetMenuStringA(file->Handle(), exit->Command(), text, sizeof(text), MF_BYCOMMAND);
    CHECK(std::string(text) == "E&xit\tCTRL+Q");
    // A disabled item does not click.
    exit->SetEnabled(false);
    exit->Click();
    CHECK(hits.Log.size() == 1);
    spy.Restore();
    delete menu;   // the form lets go of it
    CHECK(f.form->Menu() == nullptr);
    CHECK(GetMenu(f.form->Handle()) == nullptr);
}

TEST_CASE("short cuts read as text and back")
{
    struct Case {
        TShortCut key;
        const char* text;
    };
    const Case cases[] = {
        {ShortCut(VK_F4, ssAlt), "ALT+F4"},
        {ShortCut('S', ssCtrl), "CTRL+S"},
        {ShortCut(VK_DELETE, ssShift | ssCtrl), "SHIFT+CTRL+DEL"},
        {ShortCut(VK_RETURN, 0), "ENTER"},
        {ShortCut('7', 0), "7"},
    };
    for (const Case& c : cases) {
        CHECK(ShortCutToText(c.key) == c.text);
        CHECK(TextToShortCut(c.text) == c.key);
    }
    CHECK(TextToShortCut("alt+f4") == ShortCut(VK_F4, ssAlt));
    CHECK(TextToShortCut("nonsense") == scNone);
    CHECK(ShortCutToText(scNone).empty());
}

TEST_CASE("a hint window shows a text without taking the activation")
{
    ShownForm f;
    f.Show();
    HWND active = GetForegroundWindow();
    THintWindow hint(nullptr);
    const RECT size = hint.CalcHintRect(500, "下载更多免费软件");
    CHECK(size.left == 0);
    CHECK(size.right > 20);
    CHECK(size.right <= 506);
    CHECK(size.bottom > 8);
    const RECT wide = hint.CalcHintRect(60, "a long text that has to wrap over several lines");
    CHECK(wide.bottom > size.bottom);

    const RECT at{300, 300, 300 + size.right, 300 + size.bottom};
    hint.ActivateHint(at, "下载更多免费软件");
    HWND window = hint.WindowHandle();
    REQUIRE(window != nullptr);
    CHECK(ClassNameOf(window) == "THintWindow");
    CHECK(IsWindowVisible(window));
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) == (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    CHECK(GetForegroundWindow() == active);
    RECT r;
    GetWindowRect(window, &r);
    CHECK(r.left == 300);
    CHECK(r.right - r.left == size.right);
    // The text fits on one line inside the border.
    RECT client;
    GetClientRect(window, &client);
    TScreenDC screen;
    TSelectObject font(screen.Get(), hint.Font()->Handle());
    SIZE text;
    const std::string caption = "下载更多免费软件";
    GetTextExtentPoint32A(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &text);
    CHECK(client.right - 2 >= text.cx);
    CHECK(client.bottom - 1 >= text.cy);
    hint.ReleaseHandle();
    CHECK_FALSE(IsWindowVisible(window));
}
