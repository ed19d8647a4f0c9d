// The form skinner in real windows: what attaching replaces and detaching
// gives back, the non-client size and hit test, fitting (dialogs that grow,
// maximised windows), regions, the window procedure's stages as ordered
// message sequences, framework forms and MDI.
#include <doctest.h>

#include <memory>
#include <ostream>

#include "SkinWindowKit.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/controls/StdCtrls.h"
#include "skin/data/SkinText.h"
#include "skin/window/ControlSkinnerLink.h"

using namespace tf;
using namespace skintest;
using tftest::AnyWay;
using tftest::Called;
using tftest::Posted;
using tftest::Sent;

namespace {

struct Counter : TObject {
    int changed = 0;
    tftest::MessageLog* log = nullptr;
    void SkinChanged(TObject*) { ++changed; }
    void Before(TObject*, HWND w, const std::string&)
    {
        if (log) log->Add(w, 0x7F02, tftest::Via::Called, 0, 0);
    }
    void After(TObject*, HWND w, const std::string&)
    {
        if (log) log->Add(w, 0x7F03, tftest::Via::Called, 0, 0);
    }
};

// Switches the component off (or on) and waits for the deferred action.
void SwitchActive(SkinFixture& fx, Counter& counter, bool value)
{
    fx.data->OnSkinChanged = TNotifyEvent::Of<&Counter::SkinChanged>(&counter);
    const int before = counter.changed;
    fx.data->SetActive(value);
    REQUIRE(PumpUntil([&] { return counter.changed > before; }, 2000));
    Pump(30);
}

struct WindowFacts {
    const void* proc;
    LONG style, exStyle;
    HMENU menu;
    int regionType;
    SIZE outer, client;
};

WindowFacts FactsOf(HWND w)
{
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    const int type = GetWindowRgn(w, probe);
    DeleteObject(probe);
    const RECT r = WindowRectOf(w);
    return WindowFacts{ProcOf(w), GetWindowLongA(w, GWL_STYLE), GetWindowLongA(w, GWL_EXSTYLE), GetMenu(w), type,
                       SIZE{r.right - r.left, r.bottom - r.top}, ClientSizeOf(w)};
}

bool InWindowRegion(HWND w, int x, int y)
{
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool in = GetWindowRgn(w, rgn) != ERROR && PtInRegion(rgn, x, y);
    DeleteObject(rgn);
    return in;
}

LRESULT HitAt(HWND w, int frameX, int frameY)
{
    const RECT r = WindowRectOf(w);
    return SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(r.left + frameX, r.top + frameY));
}

// Where the client area's origin lies in frame coordinates.
POINT ClientOffset(HWND w)
{
    POINT p{0, 0};
    ClientToScreen(w, &p);
    const RECT r = WindowRectOf(w);
    return POINT{p.x - r.left, p.y - r.top};
}

} // namespace

TEST_CASE("detaching gives a bare window back exactly what attaching replaced")
{
    Counter counter;
    SkinFixture fx;
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 100, "&File");
    fx.Manager().SetEnabled(false);
    TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 220, "Symmetric", 0, nullptr, menu);
    TestWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 300, 200, 150, "Other");
    Activate(w);
    Pump(30);
    const WindowFacts before = FactsOf(w);
    REQUIRE(before.menu == menu);
    REQUIRE(before.regionType == ERROR);

    fx.Manager().SetEnabled(true);
    Activate(other);
    Activate(w);
    REQUIRE(fx.WaitSkinned(w));
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const WindowFacts skinned = FactsOf(w);
    TWinSkinForm& s = *fx.Skinner(w);
    CHECK(skinned.proc != before.proc);
    CHECK(skinned.menu == nullptr);                         // the skin draws the menu band
    CHECK(s.MenuBarHeight() == GetSystemMetrics(SM_CYMENU));
    // No system caption buttons: WS_SYSMENU goes, unless the version rule keeps it.
    CHECK(((skinned.style & WS_SYSMENU) == 0) == !(s.ButtonMask() & CaptionBox::KeepSysMenu));
    CHECK(skinned.regionType != ERROR);
    CHECK(skinned.client.cx == before.client.cx);           // the client area keeps its size
    CHECK(skinned.client.cy == before.client.cy);
    CHECK(skinned.outer.cx == before.client.cx + s.BorderLeft() + s.BorderRight());
    CHECK(skinned.outer.cy == before.client.cy + s.BorderTop() + s.BorderBottom() + s.MenuBarHeight());

    SwitchActive(fx, counter, false);
    const WindowFacts after = FactsOf(w);
    CHECK(after.proc == before.proc);
    CHECK(after.style == before.style);
    CHECK(after.exStyle == before.exStyle);
    CHECK(after.menu == menu);
    CHECK(after.regionType == ERROR);
    CHECK(after.outer.cx == before.outer.cx);
    CHECK(after.outer.cy == before.outer.cy);
    CHECK(after.client.cx == before.client.cx);
    CHECK(after.client.cy == before.client.cy);

    // On again: re-skinned after the deferred delay (a bare window is found
    // again when it is next activated).
    SwitchActive(fx, counter, true);
    Activate(other);
    Activate(w);
    REQUIRE(fx.WaitSkinned(w));
    CHECK(FactsOf(w).client.cx == before.client.cx);
    CHECK(FactsOf(w).client.cy == before.client.cy);
}

TEST_CASE("a framework form gets its message hook, colour and size back")
{
    Counter counter;
    SkinFixture fx;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(150, 120, 360, 260);
    form->SetCaption("Framework form");
    form->SetColor(clWindow);
    const TWndMethod hook = form->WindowProc;
    HWND w = form->Handle();
    const WindowFacts before = FactsOf(w);
    form->Show();
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    CHECK(form->WindowProc != hook);
    CHECK(form->Color() == fx.data->FColors[SkinColor::ButtonFace]);
    CHECK(FactsOf(w).client.cy == before.client.cy);

    // The form hook's private answers.
    CHECK(SendMessageA(w, SKM_PROBE, 0, 0x41A2) == 0x41A2);
    CHECK(SendMessageA(w, SKM_PROBE, 0, 7) == 1);
    CHECK(SendMessageA(w, SKM_PAINTFRAMETO, 0, 0x41A2) == 0x41A2);
    CHECK(SendMessageA(w, SKM_PAINTFRAMETO, 0, 0) == 0);

    SwitchActive(fx, counter, false);
    CHECK(form->WindowProc == hook);
    CHECK(form->Color() == clWindow);
    const WindowFacts after = FactsOf(w);
    CHECK(after.proc == before.proc);
    CHECK(after.outer.cx == before.outer.cx);
    CHECK(after.outer.cy == before.outer.cy);
    // A framework form is skinned again by the pass itself.
    SwitchActive(fx, counter, true);
    REQUIRE(fx.WaitSkinned(w));
}

TEST_CASE("the events around attaching come in order")
{
    Counter counter;
    tftest::MessageLog log;
    counter.log = &log;
    SkinFixture fx;
    fx.data->OnBeforeSkinForm = TOnSkinForm::Of<&Counter::Before>(&counter);
    fx.data->OnAfterSkinForm = TOnSkinForm::Of<&Counter::After>(&counter);
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(150, 120, 300, 200);
    log.Watch(form->Handle());
    form->Show();
    SetForegroundWindow(form->Handle());
    REQUIRE(fx.WaitSkinned(form->Handle()));
    CHECK_SEQUENCE(log, {Sent(SKM_QUERYSKINNED), Called(0x7F02), Posted(SKM_FORMSKINNED), Sent(SKM_SKINAPPLIED),
                         Called(0x7F03)});
}

TEST_CASE("the non-client area is the skin's frame; a window without caption keeps the system's")
{
    SkinFixture fx;
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 100, "&Edit");
    TestWindow framed(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Framed", 0, nullptr, menu);
    TestWindow bare(WS_POPUP | WS_THICKFRAME, 500, 100, 200, 150, "Bare");
    const SIZE bareClient = ClientSizeOf(bare);
    const POINT bareOffset = ClientOffset(bare);
    REQUIRE(fx.Manager().SkinWindow(framed));
    REQUIRE(fx.Manager().SkinWindow(bare));
    REQUIRE(fx.WaitSkinned(framed));
    REQUIRE(fx.WaitSkinned(bare));

    TWinSkinForm& s = *fx.Skinner(framed);
    const POINT offset = ClientOffset(framed);
    CHECK(offset.x == s.BorderLeft());
    CHECK(offset.y == s.BorderTop() + s.MenuBarHeight());

    TWinSkinForm& b = *fx.Skinner(bare);
    CHECK(b.FrameKindValue() == FrameKind::NoCaption);
    CHECK(b.BorderTop() == 0);
    CHECK(ClientSizeOf(bare).cx == bareClient.cx);
    CHECK(ClientSizeOf(bare).cy == bareClient.cy);
    CHECK(ClientOffset(bare).x == bareOffset.x);
    CHECK(ClientOffset(bare).y == bareOffset.y);
    // Its region, made when it is next sized, is the plain rectangle.
    SetWindowPos(bare, nullptr, 0, 0, 210, 160, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    CHECK(GetWindowRgn(bare, rgn) == SIMPLEREGION);
    RECT box{};
    GetRgnBox(rgn, &box);
    DeleteObject(rgn);
    const RECT r = WindowRectOf(bare);
    CHECK(box.right == r.right - r.left);
    CHECK(box.bottom == r.bottom - r.top);
}

TEST_CASE("hit testing: the caption band drags, its top rows and the borders size")
{
    SkinFixture fx;
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 100, "&View");
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Hits", 0, nullptr, menu);
    REQUIRE(fx.Manager().SkinWindow(w));
    REQUIRE(fx.WaitSkinned(w));
    TWinSkinForm& s = *fx.Skinner(w);
    const int bt = s.BorderTop(), menuBand = s.MenuBarHeight();
    const RECT r = WindowRectOf(w);
    const int width = r.right - r.left, height = r.bottom - r.top;
    struct Row {
        int x, y;
        LRESULT expected;
    };
    const Row rows[] = {
        {width / 2, 1, HTTOP},          // the top rows: the system's sizing border
        {width / 2, 4, HTCAPTION},
        {width / 2, bt / 2, HTCAPTION},
        {width / 2, bt - 1, HTCAPTION},
        {width / 2, bt + menuBand / 2, HTMENU},
        {width / 2, bt + menuBand + 20, HTCLIENT},
        {1, height / 2, HTLEFT},
        {width - 1, height / 2, HTRIGHT},
        {width / 2, height - 1, HTBOTTOM},
    };
    for (const Row& row : rows) {
        CAPTURE(row.x);
        CAPTURE(row.y);
        CHECK(HitAt(w, row.x, row.y) == row.expected);
    }
}

TEST_CASE("a maximised window is not resized when skinned, only its frame is recomputed")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Maximised");
    fx.Manager().SetEnabled(false);
    ShowWindow(w, SW_SHOWMAXIMIZED);
    Pump(50);
    const RECT before = WindowRectOf(w);
    fx.Manager().SetEnabled(true);
    REQUIRE(fx.Manager().SkinWindow(w));
    REQUIRE(fx.WaitSkinned(w));
    const RECT after = WindowRectOf(w);
    CHECK(after.left == before.left);
    CHECK(after.top == before.top);
    CHECK(after.right == before.right);
    CHECK(after.bottom == before.bottom);
    TWinSkinForm& s = *fx.Skinner(w);
    CHECK(s.WindowStateValue() == FrameWindowState::Maximized);
    CHECK(ClientOffset(w).y == s.BorderTop());   // the frame is the skin's all the same
}

TEST_CASE("a dialog whose caption is wider than the dialog grows and moves its controls")
{
    SkinFixture fx;
    const char* caption = "A caption far too long for such a narrow little dialog box";
    HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME, MAKEINTATOM(32770), caption,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 200, 200, 120, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 20, 60, 24, dialog, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    const SIZE client = ClientSizeOf(dialog);
    Activate(dialog);
    REQUIRE(fx.WaitSkinned(dialog));
    TWinSkinForm& s = *fx.Skinner(dialog);
    CHECK(s.IsDialog());
    CHECK(s.FrameKindValue() == FrameKind::Dialog);

    // The caption text measured with the system's caption font.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = 340;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT text{0, 0, 0, 0};
    DrawTextWide(dc, AnsiToWide(caption), text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    CHECK(s.CaptionTextWidth() == text.right);

    const RECT& margins = fx.data->SkinTitle->Margins;
    const int needed = margins.left + text.right + margins.right;
    const int fitted = client.cx + s.BorderLeft() + s.BorderRight();
    REQUIRE(needed > fitted);
    const RECT r = WindowRectOf(dialog);
    CHECK(r.right - r.left == needed);
    RECT b = WindowRectOf(button);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&b), 2);
    CHECK(b.left == 10 + (needed - fitted) / 2);
    CHECK(b.top == 20);
    DestroyWindow(dialog);
}

TEST_CASE("regions: cut from transparent borders, a rectangle when no border is transparent")
{
    SkinFixture fx;
    auto& borders = fx.data->SkinBorders;
    SUBCASE("the light blue skin's rounded corners")
    {
        TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Corners");
        REQUIRE(fx.Manager().SkinWindow(w));
        REQUIRE(fx.WaitSkinned(w));
        const RECT r = WindowRectOf(w);
        CHECK_FALSE(InWindowRegion(w, 0, 0));
        CHECK_FALSE(InWindowRegion(w, r.right - r.left - 1, 0));
        CHECK(InWindowRegion(w, 2, 2));
        CHECK(InWindowRegion(w, (r.right - r.left) / 2, 0));
        CHECK(InWindowRegion(w, 0, 40));
    }
    SUBCASE("all borders opaque: the whole rectangle")
    {
        for (auto& b : borders) b->Trans = 0;
        TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Opaque");
        REQUIRE(fx.Manager().SkinWindow(w));
        REQUIRE(fx.WaitSkinned(w));
        HRGN rgn = CreateRectRgn(0, 0, 0, 0);
        CHECK(GetWindowRgn(w, rgn) == SIMPLEREGION);
        DeleteObject(rgn);
        CHECK(InWindowRegion(w, 0, 0));
    }
    SUBCASE("only the bottom border transparent: still cut from the images")
    {
        for (auto& b : borders) b->Trans = 0;
        TDataSkinBorder& bottom = *borders[SkinBorder::Bottom];
        bottom.Trans = 1;
        for (int y = 0; y < bottom.Bitmap->Height(); ++y) {
            uint8_t* p = bottom.Bitmap->ScanLine(y);   // column 0: magenta in both frames
            p[0] = 255;
            p[1] = 0;
            p[2] = 255;
        }
        TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Bottom");
        REQUIRE(fx.Manager().SkinWindow(w));
        REQUIRE(fx.WaitSkinned(w));
        TWinSkinForm& s = *fx.Skinner(w);
        const RECT r = WindowRectOf(w);
        const int h = r.bottom - r.top;
        CHECK_FALSE(InWindowRegion(w, s.BorderLeft(), h - 1));
        CHECK(InWindowRegion(w, (r.right - r.left) / 2, h - 1));
        CHECK(InWindowRegion(w, 0, 0));   // the opaque borders are whole
    }
}

TEST_CASE("WM_SIZE reaches the window's own procedure twice; caption messages never")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Stages");
    TestWindow other(WS_OVERLAPPEDWINDOW, 500, 300, 200, 150, "Other");
    Activate(w);
    REQUIRE(fx.WaitSkinned(w));
    OwnProcLog().Clear();
    SetWindowPos(w, nullptr, 0, 0, 340, 240, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const std::set<UINT> size{WM_SIZE};
    CHECK_SEQUENCE(OwnProcLog(), {Called(WM_SIZE).To(w), Called(WM_SIZE).To(w)}, &size);

    // Activation changes and frame paints are the skinner's alone.
    OwnProcLog().Clear();
    Activate(other);
    Pump(50);
    Activate(w);
    Pump(50);
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(OwnProcLog().Count(WM_NCACTIVATE) == 0);
    CHECK(OwnProcLog().Count(WM_NCPAINT) == 0);
    CHECK(OwnProcLog().Count(WM_ACTIVATE) > 0);
}

TEST_CASE("before its skin is applied a window refuses to look inactive and is not painted")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 320, 220, "Early");
    REQUIRE(fx.Manager().SkinWindow(w));
    OwnProcLog().Clear();
    CHECK(SendMessageA(w, WM_NCACTIVATE, FALSE, 0) == 0);
    CHECK(SendMessageA(w, WM_NCPAINT, 1, 0) == 0);
    CHECK(OwnProcLog().Count(WM_NCACTIVATE) == 0);
    CHECK(OwnProcLog().Count(WM_NCPAINT) == 0);
    REQUIRE(fx.WaitSkinned(w));
    CHECK(SendMessageA(w, WM_NCACTIVATE, FALSE, 0) == 1);
    CHECK_FALSE(fx.Skinner(w)->ActiveLook());
}

TEST_CASE("WM_COMMAND with SC_CLOSE closes the window as the system menu would")
{
    SkinFixture fx;
    HWND w = CreateWindowExA(0, TestClass(), "Closing", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    REQUIRE(fx.Manager().SkinWindow(w));
    REQUIRE(fx.WaitSkinned(w));
    tftest::MessageLog log;
    log.Watch(w);
    SendMessageA(w, WM_COMMAND, SC_CLOSE, 0);
    REQUIRE(PumpUntil([&] { return !IsWindow(w); }, 2000));
    CHECK_SEQUENCE(log, {Sent(WM_COMMAND).W(SC_CLOSE), Posted(WM_SYSCOMMAND).W(SC_CLOSE).L(0), Sent(WM_CLOSE),
                         Sent(WM_DESTROY)});
}

TEST_CASE("a skin change re-applies the skin: the client keeps its size, the news is sent again")
{
    Counter counter;
    SkinFixture fx;
    fx.data->OnSkinChanged = TNotifyEvent::Of<&Counter::SkinChanged>(&counter);
    auto form = ShownForm("", 150, 120, 300, 200);
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    const SIZE client = ClientSizeOf(w);
    tftest::MessageLog log;
    log.Watch(w);
    fx.Manager().SetPendingSkinData(fx.data);
    fx.Manager().RequestAction(TSkinAction::SkinChanged, 1);
    REQUIRE(PumpUntil([&] { return counter.changed == 1; }, 2000));
    CHECK_SEQUENCE(log, {Sent(SKM_SKINAPPLIED).L(0x41A2)});
    CHECK(fx.Skinner(w)->SkinState() == TFormSkinState::Running);
    CHECK(ClientSizeOf(w).cx == client.cx);
    CHECK(ClientSizeOf(w).cy == client.cy);
    // The form asks for it itself.
    log.Clear();
    SendMessageA(w, SKM_REAPPLY, 0, 0);
    CHECK_SEQUENCE(log, {Sent(SKM_REAPPLY), Sent(SKM_SKINAPPLIED).L(0x41A2)});
}

TEST_CASE("MDI: the frame's client window is subclassed, children skinned at creation and told of maximising")
{
    Counter counter;
    SkinFixture fx;
    auto frame = std::make_unique<TForm>(nullptr);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(80, 80, 600, 450);
    frame->SetCaption("MDI frame");
    frame->Show();
    SetForegroundWindow(frame->Handle());
    REQUIRE(fx.WaitSkinned(frame->Handle()));
    HWND client = frame->ClientHandle();
    REQUIRE(client);
    TWinSkinForm& frameSkinner = *fx.Skinner(frame->Handle());
    CHECK(frameSkinner.FormKindValue() == FormKind::MDIFrame);
    CHECK(frameSkinner.MDIClient() == client);
    CHECK(fx.Manager().MDIClientWindow() == client);
    const void* clientProc = ProcOf(client);
    const void* classProc = reinterpret_cast<const void*>(GetClassLongPtrA(client, GCLP_WNDPROC));
    CHECK(clientProc != classProc);
    SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    CHECK((GetWindowLongA(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) == 0);   // without xoMDIScrollbar

    auto child = std::make_unique<TForm>(nullptr);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 250, 180);
    child->SetCaption("MDI child");
    HWND c = child->Handle();
    REQUIRE((GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0);
    REQUIRE(fx.Skinner(c) != nullptr);   // from the creation hook
    child->Show();
    REQUIRE(fx.WaitSkinned(c));
    CHECK(fx.Skinner(c)->FormKindValue() == FormKind::MDIChild);
    CHECK(InWindowRegion(c, 5, 5));

    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(c), 0);
    Pump(50);
    fx.Manager().SetMDIMaximized(true);
    CHECK_FALSE(InWindowRegion(c, 5, 5));   // a maximised child wears no region
    SendMessageA(c, WM_SYSCOMMAND, SC_RESTORE, 0);
    Pump(50);
    CHECK_FALSE(fx.Manager().MDIMaximized());
    CHECK(InWindowRegion(c, 5, 5));

    child.reset();
    SwitchActive(fx, counter, false);
    CHECK(ProcOf(client) == classProc);
}

TEST_CASE("the manager forgets an MDI frame that goes while skinned")
{
    SkinFixture fx;
    auto frame = std::make_unique<TForm>(nullptr);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(80, 80, 600, 450);
    frame->Show();
    SetForegroundWindow(frame->Handle());
    REQUIRE(fx.WaitSkinned(frame->Handle()));
    REQUIRE(fx.Manager().MDIFrameForm() == frame.get());
    REQUIRE(fx.Manager().MDIClientWindow() == frame->ClientHandle());
    frame.reset();
    // Nothing is left that an MDI child's skinner would reach through.
    CHECK(fx.Manager().MDIFrameForm() == nullptr);
    CHECK(fx.Manager().MDIClientWindow() == nullptr);
}

TEST_CASE("a new caption refreshes the frame; a new main menu moves into the menu band and back")
{
    Counter counter;
    SkinFixture fx;
    auto form = ShownForm("Before", 150, 120, 320, 240);
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    tftest::MessageLog log;
    log.Watch(w);
    form->SetCaption("After");   // the form's message hook sees the new text
    CHECK_SEQUENCE(log, {Sent(WM_NCCALCSIZE).W(TRUE)});

    // The form gets its first menu while skinned.
    TMainMenu menu(form.get());
    auto* item = new TMenuItem(&menu);
    item->SetCaption("&File");
    menu.Items()->Add(item);
    const int clientTop = ClientOffset(w).y;
    form->SetMenu(&menu);
    Pump(30);
    TWinSkinForm& s = *fx.Skinner(w);
    CHECK(GetMenu(w) == nullptr);
    CHECK(s.MenuBarHeight() == GetSystemMetrics(SM_CYMENU));
    CHECK(ClientOffset(w).y == clientTop + s.MenuBarHeight());
    SwitchActive(fx, counter, false);
    CHECK(GetMenu(w) == menu.Handle());   // given back to the window
    form->SetMenu(nullptr);
}

TEST_CASE("the class tables see the form's controls, then its tab order; a bare window's children")
{
    static std::vector<std::string> seen;
    seen.clear();
    TControlSkinningEntries entries;
    entries.SkinControl = [](TWinSkinForm& f, TComponent* c, TComponent* parent) {
        seen.push_back(c->Name() + (parent == f.Form() ? "" : "?"));
    };
    entries.SkinChildWindow = [](TWinSkinForm&, HWND child) {
        char text[32] = {};
        GetWindowTextA(child, text, sizeof text);
        seen.push_back(std::string("window ") + text);
    };
    entries.ReskinScrollBar = [](TWinSkinForm&, HWND control) {
        char text[32] = {};
        GetWindowTextA(control, text, sizeof text);
        seen.push_back(std::string("reskin ") + text);
    };
    InstallControlSkinning(entries);
    {
        SkinFixture fx;
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(150, 120, 320, 240);
        auto* second = new TButton(form.get());
        second->SetName("Second");
        second->SetParent(form.get());
        auto* first = new TButton(form.get());
        first->SetName("First");
        first->SetParent(form.get());
        first->SetTabOrder(0);
        auto* exempt = new TButton(form.get());
        exempt->SetName("Exempt");
        exempt->SetParent(form.get());
        exempt->SetTag(fx.data->DisableTag());
        form->Show();
        SetForegroundWindow(form->Handle());
        REQUIRE(fx.WaitSkinned(form->Handle()));
        // Every control component in creation order, then the windowed
        // controls in tab order except the exempt one.
        CHECK(seen == std::vector<std::string>{"Second", "First", "Exempt", "First", "Second"});

        seen.clear();
        HWND dialog = CreateWindowExA(0, MAKEINTATOM(32770), "Bare", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 100, 200,
                                      150, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        CreateWindowExA(0, "BUTTON", "one", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, dialog, nullptr, nullptr, nullptr);
        HWND two = CreateWindowExA(0, "EDIT", "two", WS_CHILD | WS_VISIBLE, 5, 30, 50, 20, dialog, nullptr, nullptr,
                                   nullptr);
        SetForegroundWindow(dialog);
        REQUIRE(fx.WaitSkinned(dialog));
        CHECK(seen == std::vector<std::string>{"window one", "window two"});
        seen.clear();
        SendMessageA(dialog, SKM_RESKINSCROLLBAR, reinterpret_cast<WPARAM>(two), 0);
        CHECK(seen == std::vector<std::string>{"reskin two"});
        DestroyWindow(dialog);
    }
    InstallControlSkinning(TControlSkinningEntries{});
}

TEST_CASE("a bare window's background and static texts take the skin's face colour")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, "Face");
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(w);
    const COLORREF face = ColorToRGB(fx.data->FColors[SkinColor::ButtonFace]);
    CHECK(GetPixel(dc, 50, 50) == face);
    const LRESULT brush = SendMessageA(w, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), 0);
    CHECK(reinterpret_cast<HBRUSH>(brush) == fx.data->FFaceBrush.Get());
    CHECK(GetBkMode(dc) == TRANSPARENT);
    ReleaseDC(w, dc);
}

TEST_CASE("a Unicode window stays Unicode and is given its own procedure back")
{
    Counter counter;
    SkinFixture fx;
    WNDCLASSW wc{};
    wc.lpfnWndProc = &DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TfWideWindow";
    RegisterClassW(&wc);
    fx.Manager().SetEnabled(false);
    HWND w = CreateWindowExW(0, L"TfWideWindow", L"\x76D1\x89C6 wide", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                             300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const void* proc = reinterpret_cast<const void*>(GetWindowLongPtrW(w, GWLP_WNDPROC));
    fx.Manager().SetEnabled(true);
    REQUIRE(fx.Manager().SkinWindow(w));
    REQUIRE(fx.WaitSkinned(w));
    CHECK(IsWindowUnicode(w));
    fx.Skinner(w)->PaintFrame(nullptr);
    const RECT& text = fx.Skinner(w)->CaptionTextRect();
    CHECK(text.right - text.left > 20);
    SwitchActive(fx, counter, false);
    CHECK(IsWindowUnicode(w));
    CHECK(reinterpret_cast<const void*>(GetWindowLongPtrW(w, GWLP_WNDPROC)) == proc);
    DestroyWindow(w);
}

TEST_CASE("the system's version decides whether WS_SYSMENU stays and whether system menus are skinned")
{
    struct Row {
        DWORD version;
        bool keepsSysMenu, systemMenusSkinned;
    };
    const Row rows[] = {
        {0x000A, true, true},          // 10.0: a window without owner keeps WS_SYSMENU
        {0x0105, false, true},         // 5.1
        {0x0106, false, true},         // 6.1
        {0x80000004, false, false},    // the Windows 95 family: no skinned system menus
    };
    for (const Row& row : rows) {
        CAPTURE(row.version);
        OverrideSkinOSVersion(row.version);
        {
            SkinFixture fx;
            TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, "Version");
            SetForegroundWindow(w);
            REQUIRE(fx.WaitSkinned(w));
            RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            CHECK(((fx.Skinner(w)->ButtonMask() & CaptionBox::KeepSysMenu) != 0) == row.keepsSysMenu);
            CHECK(((GetWindowLongA(w, GWL_STYLE) & WS_SYSMENU) != 0) == row.keepsSysMenu);
            CHECK(fx.data->SkinControls().Contains(xcSystemMenu) == row.systemMenusSkinned);
        }
    }
    OverrideSkinOSVersion(0);
}

TEST_CASE("a window without caption keeps its menu: there is no band to draw it in")
{
    SkinFixture fx;
    SUBCASE("a bare window with a menu from the start")
    {
        HMENU menu = CreateMenu();
        AppendMenuA(menu, MF_STRING, 100, "&File");
        TestWindow w(WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100, 320, 220, "No caption", 0, nullptr, menu);
        const SIZE client = ClientSizeOf(w);
        SetForegroundWindow(w);
        REQUIRE(fx.WaitSkinned(w));
        CHECK(fx.Skinner(w)->FrameKindValue() == FrameKind::NoCaption);
        CHECK(GetMenu(w) == menu);
        CHECK(fx.Skinner(w)->MenuBarHeight() == 0);
        CHECK(ClientSizeOf(w).cx == client.cx);
        CHECK(ClientSizeOf(w).cy == client.cy);
    }
    SUBCASE("a form without border that gets a menu while skinned")
    {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(150, 120, 320, 240);
        form->Show();
        SetForegroundWindow(form->Handle());
        REQUIRE(fx.WaitSkinned(form->Handle()));
        TMainMenu menu(form.get());
        auto* item = new TMenuItem(&menu);
        item->SetCaption("&File");
        menu.Items()->Add(item);
        form->SetMenu(&menu);
        Pump(30);
        CHECK(GetMenu(form->Handle()) == menu.Handle());
        CHECK(fx.Skinner(form->Handle())->MenuBarHeight() == 0);
        form->SetMenu(nullptr);
    }
}

TEST_CASE("a window maximised or minimised while skinned is restored to its own size after the skin goes")
{
    Counter counter;
    SkinFixture fx;
    TestWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400, 200, 150, "Other");
    TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 220, "Restored later");
    const SIZE client = ClientSizeOf(w);
    Activate(w);
    REQUIRE(fx.WaitSkinned(w));
    int show = SW_MAXIMIZE;
    SUBCASE("maximised") { show = SW_MAXIMIZE; }
    SUBCASE("minimised") { show = SW_MINIMIZE; }
    CAPTURE(show);
    ShowWindow(w, show);
    Pump(50);
    Activate(other);
    Pump(50);
    const RECT held = WindowRectOf(w);

    SwitchActive(fx, counter, false);
    // It keeps the size the system gave it, and nothing is activated.
    CHECK((show == SW_MAXIMIZE ? IsZoomed(w) : IsIconic(w)));
    CHECK(WindowRectOf(w).right - WindowRectOf(w).left == held.right - held.left);
    CHECK(WindowRectOf(w).bottom - WindowRectOf(w).top == held.bottom - held.top);
    CHECK(GetActiveWindow() == other.Get());
    ShowWindow(w, SW_RESTORE);
    Pump(50);
    CHECK(ClientSizeOf(w).cx == client.cx);
    CHECK(ClientSizeOf(w).cy == client.cy);
}

TEST_CASE("a form whose window is made anew while skinned gets its own colour back when the skin goes")
{
    Counter counter;
    SkinFixture fx;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(150, 120, 320, 240);
    form->SetColor(clWindow);
    form->Show();
    SetForegroundWindow(form->Handle());
    REQUIRE(fx.WaitSkinned(form->Handle()));
    const HWND first = form->Handle();
    form->SetBorderStyle(bsSingle);   // a window of another style
    HWND w = form->Handle();
    REQUIRE(w != first);
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    CHECK(form->Color() == fx.data->FColors[SkinColor::ButtonFace]);
    SwitchActive(fx, counter, false);
    CHECK(form->Color() == clWindow);
}

namespace {
struct Destroyer : TObject {
    void After(TObject*, HWND w, const std::string&) { DestroyWindow(w); }
};
} // namespace

TEST_CASE("a window destroyed while its skin is applied leaves a dead skinner, which the manager frees")
{
    SkinFixture fx;
    Destroyer destroyer;
    fx.data->OnAfterSkinForm = TOnSkinForm::Of<&Destroyer::After>(&destroyer);
    HWND w = CreateWindowExA(0, TestClass(), "Short-lived", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(fx.Manager().SkinWindow(w));
    REQUIRE(PumpUntil([&] { return !IsWindow(w); }, 2000));
    REQUIRE(fx.Manager().FormSkinnerCount() == 1);
    CHECK(fx.Manager().FormSkinner(0)->Destroyed());
    fx.Manager().PurgeFormSkinners();
    CHECK(fx.Manager().FormSkinnerCount() == 0);
}

TEST_CASE("form skinner and control skinner states have names")
{
    const std::pair<TFormSkinState, const char*> forms[] = {
        {TFormSkinState::Attached, "Attached"},   {TFormSkinState::Running, "Running"},
        {TFormSkinState::Reapplying, "Reapplying"}, {TFormSkinState::Detaching, "Detaching"},
        {TFormSkinState::Fitting, "Fitting"},     {TFormSkinState::WindowDestroyed, "WindowDestroyed"},
        {static_cast<TFormSkinState>(2), "Unknown"}};
    for (const auto& [state, name] : forms) CHECK(std::string(FormSkinStateName(state)) == name);
    const std::pair<TSkinnerState, const char*> controls[] = {{TSkinnerState::Created, "Created"},
                                                              {TSkinnerState::Attached, "Attached"},
                                                              {TSkinnerState::Unskinned, "Unskinned"},
                                                              {TSkinnerState::WindowDestroyed, "WindowDestroyed"},
                                                              {static_cast<TSkinnerState>(3), "Unknown"}};
    for (const auto& [state, name] : controls) CHECK(std::string(SkinnerStateName(state)) == name);
    // The engine's own numbers stay.
    CHECK(static_cast<int>(TFormSkinState::WindowDestroyed) == 6);
    CHECK(static_cast<int>(TSkinnerState::WindowDestroyed) == 6);
}

namespace {

// A colour no skin frame holds, painted over a frame before it is repainted.
constexpr COLORREF kMark = RGB(1, 254, 3);

// Paints the mark over the frame point, asks the window to paint its frame
// and reads the point back.
TColor RepaintedFramePixel(HWND w, int x, int y)
{
    HDC dc = GetWindowDC(w);
    HBRUSH mark = CreateSolidBrush(kMark);
    const RECT spot{x - 2, y - 2, x + 3, y + 3};
    FillRect(dc, &spot, mark);
    DeleteObject(mark);
    ReleaseDC(w, dc);
    SendMessageA(w, WM_NCPAINT, 1, 0);
    dc = GetWindowDC(w);
    const COLORREF seen = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return static_cast<TColor>(seen);
}

// Sits in front of a form's message handling; while the form handles a menu
// change it repaints both frames and keeps what they showed.
struct MenuChangeProbe : TObject {
    TWinSkinForm* own = nullptr;
    TWinSkinForm* other = nullptr;
    TWndMethod next;
    int seen = 0;
    bool ownOn = true, otherOn = false;
    TColor ownPixel = 0, otherPixel = 0;
    void Hook(TMessage& m)
    {
        if (m.Msg == CM_MENUCHANGED && own && other) {
            ++seen;
            ownOn = own->FramePaintOn();
            otherOn = other->FramePaintOn();
            ownPixel = RepaintedFramePixel(own->Window(), 60, own->BorderTop() / 2);
            otherPixel = RepaintedFramePixel(other->Window(), 60, other->BorderTop() / 2);
        }
        next(m);
    }
};

} // namespace

TEST_CASE("muting one form's frame painting leaves the other forms of the skin painting theirs")
{
    SkinFixture fx;
    auto first = ShownForm("Muted", 40, 60, 300, 200);
    auto second = ShownForm("Painting", 380, 60, 300, 200);
    REQUIRE(fx.WaitSkinned(first->Handle()));
    REQUIRE(fx.WaitSkinned(second->Handle()));
    Pump(100);
    TWinSkinForm* a = fx.Skinner(first->Handle());
    TWinSkinForm* b = fx.Skinner(second->Handle());
    REQUIRE(a->SkinData() == b->SkinData());
    CHECK(a->FramePaintOn());
    CHECK(b->FramePaintOn());
    MenuChangeProbe probe;
    probe.own = a;
    probe.other = b;
    probe.next = first->WindowProc;
    first->WindowProc = TWndMethod::Of<&MenuChangeProbe::Hook>(&probe);
    SendMessageA(first->Handle(), CM_MENUCHANGED, 0, 0);
    first->WindowProc = probe.next;
    REQUIRE(probe.seen == 1);
    // While the first form handles its menu change only its frame is muted.
    CHECK_FALSE(probe.ownOn);
    CHECK(probe.otherOn);
    CHECK(probe.ownPixel == static_cast<TColor>(kMark));
    auto expected = PaintedFrame(second->Handle());
    CHECK(probe.otherPixel != static_cast<TColor>(kMark));
    CHECK(probe.otherPixel == PixelAt(*expected, 60, b->BorderTop() / 2));
    // Afterwards it paints again.
    CHECK(a->FramePaintOn());
    CHECK(RepaintedFramePixel(first->Handle(), 60, a->BorderTop() / 2) != static_cast<TColor>(kMark));
}

namespace {

// What a form skinner may change on its form and in the skin data.
struct Settings {
    int64_t autoScroll;
    bool menuUpdate;
    uint32_t skinControls;
    bool operator==(const Settings&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Settings& s)
{
    return os << "{AutoScroll " << s.autoScroll << ", MenuUpdate " << s.menuUpdate << ", SkinControls 0x" << std::hex
              << s.skinControls << std::dec << "}";
}
Settings SettingsOf(TForm& form, TSkinData& data)
{
    return Settings{ReadInt(&form, "AutoScroll"), data.MenuUpdate(), data.SkinControls().Bits()};
}

const char* RestoreChildClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = [](HWND w, UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
            return DefMDIChildProcA(w, msg, wParam, lParam);
        };
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = "TfRestoreMdiChild";
        RegisterClassA(&wc);
        return "TfRestoreMdiChild";
    }();
    return name;
}

} // namespace

TEST_CASE("what a form skinner changes on its form and in the skin data is given back when it detaches")
{
    // Menu items skinned (AutoScroll goes off), the Windows 95 family (no
    // skinned system menus) and an MDI frame that creates a child (the menu
    // bar stops following the menu): each change is the skinner's own.
    enum class DetachBy { ActiveOff, EngineEnd };
    for (DetachBy how : {DetachBy::ActiveOff, DetachBy::EngineEnd}) {
        CAPTURE(static_cast<int>(how));
        OverrideSkinOSVersion(0x80000004);
        {
            Counter counter;
            SkinFixture fx;
            TSkinControlTypes kinds = fx.data->SkinControls();
            kinds.Include(xcMenuItem);
            kinds.Include(xcSystemMenu);
            fx.data->SetSkinControls(kinds);
            auto frame = std::make_unique<TForm>(nullptr);
            frame->SetFormStyle(fsMDIForm);
            frame->SetBounds(80, 80, 500, 380);
            frame->SetCaption("Given back");
            const Settings before = SettingsOf(*frame, *fx.data);
            REQUIRE(before.autoScroll == 1);
            REQUIRE(before.menuUpdate);
            frame->Show();
            SetForegroundWindow(frame->Handle());
            REQUIRE(fx.WaitSkinned(frame->Handle()));
            HWND client = frame->ClientHandle();
            REQUIRE(client);
            MDICREATESTRUCTA create{};
            create.szClass = RestoreChildClass();
            create.szTitle = "Child";
            create.hOwner = GetModuleHandleA(nullptr);
            create.x = create.y = 10;
            create.cx = 200;
            create.cy = 150;
            HWND child = reinterpret_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
            REQUIRE(child);
            Pump(50);
            const Settings skinned = SettingsOf(*frame, *fx.data);
            CHECK(skinned.autoScroll == 0);
            CHECK_FALSE(skinned.menuUpdate);
            CHECK_FALSE(fx.data->SkinControls().Contains(xcSystemMenu));

            if (how == DetachBy::ActiveOff) SwitchActive(fx, counter, false);
            else fx.engine.reset();
            CHECK(SendMessageA(frame->Handle(), SKM_QUERYSKINNED, 0, 0) != 1);
            CHECK(SettingsOf(*frame, *fx.data) == before);
            SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
        }
        OverrideSkinOSVersion(0);
    }
}
