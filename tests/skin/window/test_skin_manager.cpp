// The skin manager: the hook's events, which windows it skins and with
// which component, its deferred actions, the popup skinner bookkeeping and
// its end. Message behaviour is checked as ordered sequences.
#include <doctest.h>

#include <memory>
#include <ostream>
#include <stdexcept>

#include "SkinWindowKit.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Forms.h"
#include "skin/window/ControlSkinnerLink.h"
#include "skin/window/PopupSkinnerLink.h"

using namespace tf;
using namespace skintest;
using tftest::Called;
using tftest::Posted;
using tftest::Sent;
using tftest::AnyWay;

namespace {

// Marks events of the skin data component in a message log, so that their
// order against window messages shows.
constexpr UINT MarkSkinChanged = 0x7F01;

struct Events : TObject {
    tftest::MessageLog* log = nullptr;
    int changed = 0;
    void SkinChanged(TObject*)
    {
        ++changed;
        if (log) log->Add(nullptr, MarkSkinChanged, tftest::Via::Called, 0, 0);
    }
    std::vector<std::string> asked;
    bool answer = true;
    void FormSkin(TObject*, const std::string& name, bool& doSkin)
    {
        asked.push_back(name + (doSkin ? "+" : "-"));
        doSkin = answer;
    }
};

LRESULT CALLBACK MdiChildProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefMDIChildProcA(w, msg, wParam, lParam);
}

// A class of the program's module under a given name.
const char* ClassNamed(const char* name, WNDPROC proc = &DefWindowProcA)
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(GetModuleHandleA(nullptr), name, &wc)) {
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = name;
        RegisterClassA(&wc);
    }
    return name;
}

struct OwnWindow {
    HWND w;
    OwnWindow(const char* cls, DWORD style, int width = 200, int height = 150, HWND parent = nullptr,
              HINSTANCE instance = GetModuleHandleA(nullptr), DWORD exStyle = 0)
        : w(CreateWindowExA(exStyle, cls, "w", style, 50, 50, width, height, parent, nullptr, instance, nullptr))
    {
    }
    ~OwnWindow()
    {
        if (IsWindow(w)) DestroyWindow(w);
    }
};

// A popup skinner that only keeps what it is given.
struct FakePopup final : TPopupSkinnerLink {
    static inline std::vector<std::string> log;
    HWND window = nullptr;
    HMENU menu = nullptr;
    TSkinData* data = nullptr;
    TBitmap background;
    void Attach(HWND w, TSkinData* d, HMENU m) override
    {
        window = w;
        data = d;
        menu = m;
        log.push_back("attach");
    }
    void Detach() override { log.push_back("detach"); }
    HWND PopupWindow() const override { return window; }
    TSkinData* SkinData() const override { return data; }
    HMENU MenuHandle() const override { return menu; }
    void SetMenuHandle(HMENU m) override { menu = m; }
    TBitmap* Background() override { return &background; }
};

struct PopupFactoryScope {
    PopupFactoryScope()
    {
        FakePopup::log.clear();
        SetPopupSkinnerFactory([]() -> std::unique_ptr<TPopupSkinnerLink> { return std::make_unique<FakePopup>(); });
    }
    ~PopupFactoryScope() { SetPopupSkinnerFactory(nullptr); }
};

HWND MenuWindow() { return CreateWindowExA(0, MAKEINTATOM(32768), "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr); }

} // namespace

TEST_CASE("a loaded component makes the manager, which skins a window at its first activation")
{
    SkinFixture fx;
    TSkinManage& m = fx.Manager();
    // Before any activation a request only switches skinning on.
    CHECK(m.RunState() == TRunState::BeforeActivation);
    CHECK(m.Enabled());
    CHECK(m.PendingAction() == TSkinAction::Skin);
    CHECK(m.MainSkinData() == fx.data);

    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, "First");
    tftest::MessageLog log;
    log.Watch(w);
    OwnProcLog().Clear();
    ShowWindow(w, SW_SHOW);
    SetForegroundWindow(w);
    REQUIRE(fx.WaitSkinned(w));
    CHECK(m.RunState() == TRunState::Running);
    CHECK(m.FormSkinnerCount() == 1);

    // The manager asks, attaches and posts; the skinner completes and says so.
    CHECK_SEQUENCE(log, {Sent(SKM_QUERYSKINNED).W(0).L(0), Posted(SKM_FORMSKINNED).W(0).L(1000),
                         Sent(SKM_SKINAPPLIED).W(0).L(0x41A2)});
    // The window's own procedure saw the question before it was skinned and
    // the news after, never the private completion message.
    const std::set<UINT> own{SKM_QUERYSKINNED, SKM_FORMSKINNED, SKM_SKINAPPLIED};
    CHECK_SEQUENCE(OwnProcLog(), {Called(SKM_QUERYSKINNED), Called(SKM_SKINAPPLIED)}, &own);

    // Asked again, the skinner answers itself and posts the news.
    log.Clear();
    OwnProcLog().Clear();
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) == 1);
    Pump(50);
    CHECK_SEQUENCE(log, {Sent(SKM_QUERYSKINNED), Posted(SKM_SKINAPPLIED).W(0).L(0x41A2)});
    CHECK_SEQUENCE(OwnProcLog(), {Called(SKM_SKINAPPLIED)}, &own);
    CHECK_FALSE(m.SkinWindow(w));
    CHECK(m.FormSkinnerCount() == 1);
}

TEST_CASE("which windows are skinned: every check of SkinWindow")
{
    Events events;
    SkinFixture fx;
    TSkinManage& m = fx.Manager();
    const DWORD top = WS_OVERLAPPEDWINDOW;

    SUBCASE("an ordinary window of the program")
    {
        OwnWindow w(ClassNamed("TfPlain"), top);
        CHECK(m.SkinWindow(w.w));
    }
    SUBCASE("nothing while skinning is off")
    {
        m.SetEnabled(false);
        OwnWindow w(ClassNamed("TfPlain"), top);
        CHECK_FALSE(m.SkinWindow(w.w));
    }
    SUBCASE("a plain child window, but a child of an MDI client passes")
    {
        OwnWindow parent(ClassNamed("TfPlain"), top);
        OwnWindow child(ClassNamed("TfPlain"), WS_CHILD | WS_VISIBLE, 50, 50, parent.w);
        CHECK_FALSE(m.SkinWindow(child.w));
        CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
        HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 150, 100, parent.w, nullptr,
                                      GetModuleHandleA(nullptr), &ccs);
        OwnWindow inClient(ClassNamed("TfPlain"), WS_CHILD | WS_VISIBLE, 50, 50, client);
        CHECK(m.SkinWindow(inClient.w));
    }
    SUBCASE("another module's window, unless it is a dialog box")
    {
        HINSTANCE user32 = GetModuleHandleA("user32.dll");
        OwnWindow foreign("STATIC", top, 200, 150, nullptr, user32);
        CHECK_FALSE(m.SkinWindow(foreign.w));
        OwnWindow dialog(MAKEINTATOM(32770), top, 200, 150, nullptr, user32);
        CHECK(m.SkinWindow(dialog.w));
    }
    SUBCASE("a zero-sized top-level window")
    {
        OwnWindow w(ClassNamed("TfPlain"), WS_POPUP | WS_CAPTION, 0, 100);
        CHECK_FALSE(m.SkinWindow(w.w));
    }
    SUBCASE("a form tagged 99, whatever DisableTag says")
    {
        fx.data->SetDisableTag(7);
        TForm tagged(nullptr);
        tagged.SetTag(99);
        CHECK_FALSE(m.SkinWindow(tagged.Handle()));
        TForm seven(nullptr);
        seven.SetTag(7);
        CHECK(m.SkinWindow(seven.Handle()));
    }
    SUBCASE("classes never skinned")
    {
        fx.data->SetOptions(TSkinOptions{xoToolbarBK});
        for (const char* name : {"TcxPopupEditPopupWindowX", "MyTTERenderWindow", "TPopupDBTreeView", "SysMonthCal32",
                                 "TfPreviewForm"}) {
            CAPTURE(name);
            OwnWindow w(ClassNamed(name), top);
            CHECK_FALSE(m.SkinWindow(w.w));
        }
        fx.data->SetOptions(TSkinOptions{xoPreview});
        OwnWindow preview(ClassNamed("TfPreviewForm"), top);
        CHECK(m.SkinWindow(preview.w));
    }
    SUBCASE("a dialog box that asks to come to the foreground")
    {
        OwnWindow w(MAKEINTATOM(32770), top | DS_SETFOREGROUND);
        CHECK_FALSE(m.SkinWindow(w.w));
    }
    SUBCASE("OnFormSkin decides, starting from the checks' answer")
    {
        fx.data->SetOptions(TSkinOptions{xoToolbarBK});
        fx.data->OnFormSkin = TOnFormSkin::Of<&Events::FormSkin>(&events);
        OwnWindow calendar(ClassNamed("SysMonthCal32"), top);
        CHECK(m.SkinWindow(calendar.w));
        OwnWindow preview(ClassNamed("TfPreviewForm"), top);
        CHECK(m.SkinWindow(preview.w));   // false turned into true
        events.answer = false;
        OwnWindow refused(ClassNamed("TfPlain"), top);
        CHECK_FALSE(m.SkinWindow(refused.w));
        CHECK(events.asked == std::vector<std::string>{"SysMonthCal32+", "TfPreviewForm-", "TfPlain+"});
    }
    SUBCASE("a component without a parsed skin")
    {
        fx.data->FNoSkin = true;
        OwnWindow w(ClassNamed("TfPlain"), top);
        CHECK_FALSE(m.SkinWindow(w.w));
        fx.data->FNoSkin = false;
    }
}

TEST_CASE("MDI children are skinned at creation, even zero-sized")
{
    SkinFixture fx;
    OwnWindow frame(ClassNamed("TfPlain"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300);
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    HWND client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 380, 250, frame.w, nullptr,
                                  GetModuleHandleA(nullptr), &ccs);
    OwnWindow child(ClassNamed("TfMdiChild", &MdiChildProc), WS_CHILD | WS_CAPTION | WS_VISIBLE, 0, 0, client,
                    GetModuleHandleA(nullptr), WS_EX_MDICHILD);
    REQUIRE(child.w);
    CHECK(fx.Skinner(child.w) != nullptr);
    CHECK(fx.Skinner(child.w)->FormKindValue() == FormKind::MDIChild);
}

TEST_CASE("the component is chosen by form type")
{
    SkinFixture main(sfMainform, true);
    TForm owner(nullptr);
    owner.SetCaption("owner");
    SkinFixture only(sfOnlyThisForm, false, &owner);
    SkinFixture dialog(sfDialog, false);
    TSkinManage& m = main.Manager();
    REQUIRE(m.SkinDatas().size() == 3);

    OwnWindow plain(ClassNamed("TfPlain"), WS_OVERLAPPEDWINDOW);
    OwnWindow box(MAKEINTATOM(32770), WS_OVERLAPPEDWINDOW);
    OwnWindow messageForm(ClassNamed("TMessageForm"), WS_OVERLAPPEDWINDOW);
    CHECK(m.SelectSkinData(owner.Handle()) == only.data);
    CHECK(m.SelectSkinData(box.w) == dialog.data);
    CHECK(m.SelectSkinData(messageForm.w) == dialog.data);
    CHECK(m.SelectSkinData(plain.w) == main.data);
    // Without a main-form component the first registered one answers.
    main.data->SetSkinFormtype(sfDLL);
    CHECK(m.SelectSkinData(plain.w) == main.data);
    m.UnregisterSkinData(main.data);
    CHECK(m.SelectSkinData(plain.w) == only.data);
    CHECK(m.MainSkinData() == nullptr);
    m.RegisterSkinData(main.data);
}

TEST_CASE("a window's form: the screen's list first, then the control the framework tied to it")
{
    SkinFixture fx;
    TSkinManage& m = fx.Manager();
    TForm form(nullptr);
    CHECK(m.FindFormOfWindow(form.Handle()) == &form);
    OwnWindow host(ClassNamed("TfPlain"), WS_OVERLAPPEDWINDOW);
    TPanel embedded(nullptr);   // not in the screen's list, parented by a foreign window
    embedded.SetParentWindow(host.w);
    CHECK(m.FindFormOfWindow(embedded.Handle()) == &embedded);
    CHECK(m.FindFormOfWindow(host.w) == nullptr);
    CHECK(m.FindFormOfWindow(nullptr) == nullptr);
}

TEST_CASE("switching Active off and on runs the deferred actions after their delay, in order")
{
    Events events;
    tftest::MessageLog log;
    events.log = &log;
    SkinFixture fx;
    fx.data->OnSkinChanged = TNotifyEvent::Of<&Events::SkinChanged>(&events);
    auto form = ShownForm("Deferred");
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    log.Watch(w);
    const std::set<UINT> interest{SKM_QUERYSKINNED, SKM_FORMSKINNED, SKM_SKINAPPLIED, WM_NCCALCSIZE,
                                  MarkSkinChanged};

    fx.data->SetActive(false);
    Pump(120);
    CHECK(fx.Skinner(w) != nullptr);   // not before the delay
    CHECK(events.changed == 0);
    REQUIRE(PumpUntil([&] { return events.changed == 1; }, 2000));
    CHECK(fx.Skinner(w) == nullptr);
    // Detached (the frame recomputed for the system) before the event.
    CHECK_SEQUENCE(log, {Sent(WM_NCCALCSIZE), Sent(WM_NCCALCSIZE).Opt(), AnyWay(MarkSkinChanged)}, &interest);
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) != 1);

    log.Clear();
    fx.data->SetActive(true);
    Pump(120);
    CHECK(fx.Skinner(w) == nullptr);
    REQUIRE(PumpUntil([&] { return events.changed == 2; }, 2000));
    REQUIRE(fx.WaitSkinned(w));
    // The pass attaches and posts; the event fires in the same tick, the
    // completion follows from the queue.
    CHECK_SEQUENCE(log,
                   {Sent(SKM_QUERYSKINNED), AnyWay(MarkSkinChanged), Posted(SKM_FORMSKINNED).L(1000),
                    Sent(WM_NCCALCSIZE), Sent(WM_NCCALCSIZE).Opt(), Sent(SKM_SKINAPPLIED).L(0x41A2)},
                   &interest);
    CHECK(fx.Manager().PendingSkinData() == nullptr);
}

TEST_CASE("a later request replaces a pending one")
{
    Events events;
    SkinFixture fx;
    fx.data->OnSkinChanged = TNotifyEvent::Of<&Events::SkinChanged>(&events);
    auto form = ShownForm("Replaced");
    REQUIRE(fx.WaitSkinned(form->Handle()));
    TWinSkinForm* skinner = fx.Skinner(form->Handle());
    fx.data->SetActive(false);
    Pump(50);
    fx.data->SetActive(true);
    REQUIRE(PumpUntil([&] { return events.changed == 1; }, 2000));
    Pump(300);
    CHECK(events.changed == 1);
    CHECK(fx.Skinner(form->Handle()) == skinner);   // never detached
}

TEST_CASE("switching an sfOnlyThisForm component off switches skinning off for every window")
{
    SkinFixture main(sfMainform, true);
    auto form = ShownForm("Only");
    REQUIRE(main.WaitSkinned(form->Handle()));
    SkinFixture only(sfOnlyThisForm, true, form.get());
    Events events;
    only.data->OnSkinChanged = TNotifyEvent::Of<&Events::SkinChanged>(&events);
    only.data->SetActive(false);
    REQUIRE(PumpUntil([&] { return events.changed == 1; }, 2000));
    CHECK_FALSE(main.Manager().Enabled());
    auto other = ShownForm("Other", 300, 200);
    Pump(100);
    CHECK(main.Skinner(other->Handle()) == nullptr);
}

TEST_CASE("menu windows get a popup skinner when their kind of menu is skinned")
{
    PopupFactoryScope factory;
    SkinFixture fx;
    TSkinManage& m = fx.Manager();

    HWND first = MenuWindow();   // offered by the hook at creation
    REQUIRE(m.PopupSkinnerCount() == 1);
    CHECK(m.PopupSkinner(0)->PopupWindow() == first);
    m.SetMenuKind(MenuKind::MenuBar);
    HWND second = MenuWindow();
    REQUIRE(m.PopupSkinnerCount() == 2);

    // Handles go to the last skinner without one; backgrounds are found by handle.
    HMENU a = CreatePopupMenu(), b = CreatePopupMenu();
    m.BindPopupMenuHandle(a);
    m.BindPopupMenuHandle(b);
    CHECK(m.PopupSkinner(1)->MenuHandle() == a);
    CHECK(m.PopupSkinner(0)->MenuHandle() == b);
    CHECK(m.PopupBitmapFor(a) == m.PopupSkinner(1)->Background());
    CHECK(m.PopupBitmapFor(nullptr) == nullptr);

    DestroyWindow(second);
    CHECK(m.PopupSkinnerCount() == 1);
    CHECK(m.MenuKindValue() == MenuKind::MenuBar);   // one is still open
    DestroyWindow(first);
    CHECK(m.PopupSkinnerCount() == 0);
    CHECK(m.MenuKindValue() == MenuKind::Popup);     // the last one reset the kind
    CHECK(FakePopup::log == std::vector<std::string>{"attach", "attach", "detach", "detach"});

    // A system menu is skinned only with xcSystemMenu, a context menu only with xcPopupMenu.
    TSkinControlTypes kinds = fx.data->SkinControls();
    kinds.Exclude(xcSystemMenu);
    fx.data->SetSkinControls(kinds);
    m.SetMenuKind(MenuKind::SystemMenu);
    HWND system = MenuWindow();
    CHECK(m.PopupSkinnerCount() == 0);
    DestroyWindow(system);
    kinds.Exclude(xcPopupMenu);
    fx.data->SetSkinControls(kinds);
    HWND context = MenuWindow();
    CHECK(m.PopupSkinnerCount() == 0);
    DestroyWindow(context);
    DestroyMenu(a);
    DestroyMenu(b);
}

TEST_CASE("dead skinners are purged; the manager's end gives every window its procedure back")
{
    TestWindow keep(WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, "Kept");
    const void* ownProc = ProcOf(keep);
    {
        SkinFixture fx;
        TSkinManage& m = fx.Manager();
        {
            TestWindow gone(WS_OVERLAPPEDWINDOW, 150, 150, 300, 200, "Gone");
            REQUIRE(m.SkinWindow(gone));
            CHECK(ProcOf(gone) != ProcOf(keep));
        }
        REQUIRE(m.FormSkinnerCount() == 1);
        CHECK(m.FormSkinner(0)->Destroyed());
        REQUIRE(m.SkinWindow(keep));
        CHECK(m.FormSkinnerCount() == 1);   // the dead one went first
        CHECK(ProcOf(keep) != ownProc);
        {
            TestWindow another(WS_OVERLAPPEDWINDOW, 150, 150, 300, 200, "Another");
            REQUIRE(m.SkinWindow(another));
        }
        REQUIRE(m.FormSkinnerCount() == 2);
        // Deferred action 6 drops the dead.
        m.SetPendingSkinData(fx.data);
        m.RequestAction(TSkinAction::DropDeadSkinners, 1);
        REQUIRE(PumpUntil([&] { return m.PendingSkinData() == nullptr; }, 2000));
        CHECK(m.FormSkinnerCount() == 1);
        CHECK(m.FormSkinner(0)->Window() == keep.Get());
    }
    // The fixture finalized the manager.
    CHECK(SkinManage() == nullptr);
    CHECK(ProcOf(keep) == ownProc);
    CHECK(SendMessageA(keep, SKM_QUERYSKINNED, 0, 0) != 1);
    // The hook is gone: a new activation skins nothing and breaks nothing.
    TestWindow later(WS_OVERLAPPEDWINDOW, 200, 200, 300, 200, "Later");
    ShowWindow(later, SW_SHOW);
    SetForegroundWindow(later);
    Pump(100);
    CHECK(SendMessageA(later, SKM_QUERYSKINNED, 0, 0) != 1);
}

TEST_CASE("a size grip made inside a skinned window goes to the window-class table")
{
    static std::vector<HWND> offered;
    offered.clear();
    TControlSkinningEntries entries;
    entries.SkinChildWindow = [](TWinSkinForm&, HWND child) { offered.push_back(child); };
    InstallControlSkinning(entries);
    {
        SkinFixture fx;
        TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, "Grip");
        REQUIRE(fx.Manager().SkinWindow(w));
        offered.clear();
        HWND grip = CreateWindowExA(0, "ScrollBar", nullptr, WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 0, 0, 16, 16, w,
                                    nullptr, GetModuleHandleA(nullptr), nullptr);
        HWND bar = CreateWindowExA(0, "ScrollBar", nullptr, WS_CHILD | WS_VISIBLE, 0, 20, 100, 16, w, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        CHECK(offered == std::vector<HWND>{grip});
        (void)bar;
    }
    InstallControlSkinning(TControlSkinningEntries{});
}

namespace {

// A main component whose OnFormSkin fails, and an error handler that shows
// a window of its own, as the application's error box would.
struct FailingAcceptance : TObject {
    bool fail = true;
    bool reporting = false;
    int offeredWhileReporting = 0;
    std::vector<std::string> reported;
    void FormSkin(TObject*, const std::string&, bool& doSkin)
    {
        if (reporting) {
            ++offeredWhileReporting;   // failing again here would report again, and again
            doSkin = false;
            return;
        }
        if (fail) throw std::runtime_error("refused loudly");
    }
    void Caught(TObject*, const std::exception& e)
    {
        reported.push_back(e.what());
        reporting = true;
        {
            TestWindow box(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 220, 120, "Error box");
            SetForegroundWindow(box);
            Pump(30);
        }
        Pump(30);
        reporting = false;
    }
};

} // namespace

TEST_CASE("a failure in the hook is reported once: no window is offered while it is reported")
{
    SkinFixture fx;
    FailingAcceptance f;
    fx.data->OnFormSkin = TOnFormSkin::Of<&FailingAcceptance::FormSkin>(&f);
    Application->OnException = TExceptionEvent::Of<&FailingAcceptance::Caught>(&f);
    {
        TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, "Fails");
        SetForegroundWindow(w);
        Pump(100);
        CHECK(fx.Skinner(w) == nullptr);
    }
    Application->OnException.Clear();
    CHECK(f.reported == std::vector<std::string>{"refused loudly"});
    CHECK(f.offeredWhileReporting == 0);
    // Once the report is over, windows are offered again.
    f.fail = false;
    TestWindow later(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 150, 150, 300, 200, "Later");
    SetForegroundWindow(later);
    CHECK(fx.WaitSkinned(later));
}

TEST_CASE("a skin data component that goes takes its form skinners with it")
{
    TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320, 220, "Outlives its skin");
    const void* ownProc = ProcOf(w);
    const SIZE client = ClientSizeOf(w);
    SkinFixture fx;
    TSkinManage& m = fx.Manager();
    REQUIRE(m.SkinWindow(w));
    REQUIRE(fx.WaitSkinned(w));
    {
        TestWindow gone(WS_OVERLAPPEDWINDOW, 150, 150, 300, 200, "Gone");
        REQUIRE(m.SkinWindow(gone));
    }
    REQUIRE(m.FormSkinnerCount() == 2);   // one of them dead

    fx.data->Free();
    fx.data = nullptr;
    // Nothing is left that would paint with the freed component.
    CHECK(m.FormSkinnerCount() == 0);
    CHECK(ProcOf(w) == ownProc);
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) != 1);
    CHECK(ClientSizeOf(w).cx == client.cx);
    CHECK(ClientSizeOf(w).cy == client.cy);
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(IsWindow(w));
}

TEST_CASE("a skin data component that goes takes the skinners of open menu windows with it")
{
    PopupFactoryScope factory;
    SkinFixture fx;
    TSkinManage& m = fx.Manager();
    HWND open = MenuWindow();   // a menu shown while the component goes
    REQUIRE(m.PopupSkinnerCount() == 1);
    REQUIRE(m.PopupSkinner(0)->SkinData() == fx.data);

    fx.data->Free();
    fx.data = nullptr;
    // Nothing is left that would paint the menu with the freed component.
    CHECK(m.PopupSkinnerCount() == 0);
    CHECK(FakePopup::log == std::vector<std::string>{"attach", "detach"});
    DestroyWindow(open);
}

// ---------------------------------------------------------------- the components' events

namespace {

// What the manager holds of its deferred action and its switches.
struct ManagerState {
    TSkinData* pending;
    TSkinAction action;
    bool scheduled;
    int delay;
    bool enabled;
    TRunState runState;
    bool operator==(const ManagerState&) const = default;
};
ManagerState StateOf(const TSkinManage& m)
{
    return ManagerState{m.PendingSkinData(), m.PendingAction(), m.ActionScheduled(), m.ActionDelay(), m.Enabled(),
                        m.RunState()};
}
std::ostream& operator<<(std::ostream& os, const ManagerState& s)
{
    return os << "{pending " << s.pending << ", " << SkinActionName(s.action) << (s.scheduled ? " scheduled" : "")
              << " " << s.delay << " ms, " << (s.enabled ? "enabled" : "disabled") << ", "
              << RunStateName(s.runState) << "}";
}

// A component with the light blue skin, not loaded yet.
TSkinData* Component(TSkinFormType type, bool active, TComponent* owner = nullptr)
{
    auto* d = new TSkinData(owner);
    tf::TMemoryStream block(LightBlueBlock());
    d->SetLoading(true);
    d->SetSkinFormtype(type);
    d->SetActive(active);
    d->ReadBinaryProperty("SkinStream", block);
    d->SetLoading(false);
    return d;
}

} // namespace

TEST_CASE("the manager acts on a component that loads: made by the first, hook and request for a main form")
{
    TSkinEngine engine(WindowsOnly());
    TSkinData* d = Component(sfMainform, true);
    // Switching before any component has loaded makes no manager.
    for (TSkinFormType type : {sfDialog, sfDLL, sfOnlyThisForm, sfMainform}) {
        d->SetSkinFormtype(type);
        d->SetActive(false);
        d->SetActive(true);
        CHECK(SkinManage() == nullptr);
    }
    CHECK_FALSE(SkinHookInstalled());
    d->Loaded();
    REQUIRE(SkinManage() != nullptr);
    TSkinManage& m = *SkinManage();
    CHECK(m.SkinDatas() == std::vector<TSkinData*>{d});
    CHECK(m.MainSkinData() == d);
    CHECK(SkinHookInstalled());
    // Before any activation the request only switches skinning on.
    CHECK(StateOf(m) == ManagerState{nullptr, TSkinAction::Skin, false, 250, true, TRunState::BeforeActivation});
    // Dialog and library components switch nothing.
    d->SetSkinFormtype(sfDialog);
    d->SetActive(false);
    CHECK(StateOf(m) == ManagerState{nullptr, TSkinAction::Skin, false, 250, true, TRunState::BeforeActivation});

    // A second main-form component without a skin: Active goes off, no request.
    auto* empty = new TSkinData(nullptr);
    empty->SetLoading(true);
    empty->SetActive(true);
    empty->SetLoading(false);
    m.SetEnabled(false);
    empty->Loaded();
    CHECK_FALSE(empty->Active());
    CHECK(m.SkinDatas() == std::vector<TSkinData*>{d, empty});
    CHECK(m.MainSkinData() == d);
    CHECK_FALSE(m.Enabled());
    // Nor can it be switched on.
    empty->SetActive(true);
    CHECK(StateOf(m) == ManagerState{nullptr, TSkinAction::Skin, false, 250, false, TRunState::BeforeActivation});
    empty->Free();
    d->Free();
    CHECK(m.SkinDatas().empty());
    CHECK(m.MainSkinData() == nullptr);
}

TEST_CASE("the manager acts on a component of a form of its own: enabled, run state raised, its window skinned")
{
    TSkinEngine engine(WindowsOnly());
    SkinFixture main(sfMainform, false);
    TSkinManage& m = main.Manager();
    m.SetRunState(TRunState::Running);
    auto form = ShownForm("Own");
    Pump(100);
    REQUIRE(main.Skinner(form->Handle()) == nullptr);   // the main component is off
    // Switched off, it only switches skinning on and raises the run state.
    auto other = std::make_unique<TForm>(nullptr);
    TSkinData* off = Component(sfOnlyThisForm, false, other.get());
    off->Loaded();
    CHECK(m.Enabled());
    CHECK(m.RunState() == static_cast<TRunState>(2));
    CHECK(std::string(RunStateName(m.RunState())) == "Raised");
    CHECK(main.Skinner(form->Handle()) == nullptr);
    // Switched on, its form's window is skinned at once, with it; the
    // attached skinner counts the manager as running.
    TSkinData* own = Component(sfOnlyThisForm, true, form.get());
    own->Loaded();
    REQUIRE(main.Skinner(form->Handle()) != nullptr);
    CHECK(main.Skinner(form->Handle())->SkinData() == own);
    CHECK(m.RunState() == TRunState::Running);
    CHECK(m.SkinDatas() == std::vector<TSkinData*>{main.data, off, own});
    own->Free();
    CHECK(main.Skinner(form->Handle()) == nullptr);
    off->Free();
}

TEST_CASE("the manager acts on Active and new skins by form type")
{
    SkinFixture fx(sfMainform, false);
    TSkinManage& m = fx.Manager();
    TSkinData* d = fx.data;
    m.SetRunState(TRunState::Running);
    SUBCASE("main form: on asks for skinning and counts as running, off for unskinning")
    {
        m.SetRunState(TRunState::BeforeActivation);
        d->SetActive(true);
        CHECK(StateOf(m) == ManagerState{d, TSkinAction::Skin, false, 250, true, TRunState::Running});
        d->SetActive(false);
        CHECK(StateOf(m) == ManagerState{d, TSkinAction::Unskin, true, 250, true, TRunState::Running});
        CHECK(m.RunPendingAction());
        CHECK_FALSE(m.Enabled());
    }
    SUBCASE("main form without a parsed skin: switching on asks nothing")
    {
        d->FNoSkin = true;
        d->SetActive(true);
        CHECK(StateOf(m) == ManagerState{nullptr, TSkinAction::None, false, 100, false, TRunState::Running});
        d->FNoSkin = false;
    }
    SUBCASE("only this form: pending first; without a parsed skin nothing more")
    {
        d->SetSkinFormtype(sfOnlyThisForm);
        d->SetActive(true);
        CHECK(StateOf(m) == ManagerState{d, TSkinAction::Skin, true, 250, false, TRunState::Running});
        d->SetActive(false);
        CHECK(StateOf(m) == ManagerState{d, TSkinAction::Unskin, true, 250, false, TRunState::Running});
        CHECK(m.RunPendingAction());
        m.SetPendingSkinData(nullptr);
        d->FNoSkin = true;
        d->SetActive(true);
        CHECK(StateOf(m) == ManagerState{d, TSkinAction::Unskin, false, 250, false, TRunState::Running});
        d->FNoSkin = false;
    }
    SUBCASE("dialogs and libraries: nothing")
    {
        for (TSkinFormType type : {sfDialog, sfDLL}) {
            d->SetSkinFormtype(type);
            d->SetActive(!d->Active());
            CHECK(StateOf(m) == ManagerState{nullptr, TSkinAction::None, false, 100, false, TRunState::Running});
        }
    }
    SUBCASE("a new skin: pending, caption buttons dropped, SkinChanged only while running")
    {
        d->SetActive(true);
        auto form = ShownForm("New skin");
        REQUIRE(fx.WaitSkinned(form->Handle()));
        REQUIRE(m.PendingSkinData() == nullptr);
        d->ApplyNewSkin();
        CHECK(StateOf(m) == ManagerState{d, TSkinAction::SkinChanged, true, 250, true, TRunState::Running});
        CHECK(m.RunPendingAction());
        m.SetRunState(TRunState::BeforeActivation);
        d->ApplyNewSkin();
        CHECK(StateOf(m) == ManagerState{d, TSkinAction::SkinChanged, false, 250, true, TRunState::BeforeActivation});
        m.SetRunState(TRunState::Running);
    }
}

TEST_CASE("a new skin in a component while no manager exists loads the component first")
{
    TSkinEngine engine(WindowsOnly());
    TSkinData* d = Component(sfMainform, false);
    REQUIRE(SkinManage() == nullptr);
    d->ApplyNewSkin();
    REQUIRE(SkinManage() != nullptr);
    TSkinManage& m = *SkinManage();
    CHECK(m.SkinDatas() == std::vector<TSkinData*>{d});
    CHECK(SkinHookInstalled());
    CHECK(StateOf(m) == ManagerState{d, TSkinAction::None, false, 100, false, TRunState::BeforeActivation});
    d->Free();
}

TEST_CASE("the manager's actions and run states have names; raised run states read as raised")
{
    const std::pair<TSkinAction, const char*> actions[] = {{TSkinAction::None, "None"},
                                                           {TSkinAction::Skin, "Skin"},
                                                           {TSkinAction::Unskin, "Unskin"},
                                                           {TSkinAction::SkinChanged, "SkinChanged"},
                                                           {TSkinAction::DropDeadSkinners, "DropDeadSkinners"},
                                                           {static_cast<TSkinAction>(5), "Unknown"}};
    for (const auto& [action, name] : actions) CHECK(std::string(SkinActionName(action)) == name);
    CHECK(static_cast<int>(TSkinAction::Skin) == 1);
    CHECK(static_cast<int>(TSkinAction::DropDeadSkinners) == 6);
    const std::pair<TRunState, const char*> states[] = {{TRunState::BeforeActivation, "BeforeActivation"},
                                                        {TRunState::Running, "Running"},
                                                        {TRunState::Destroying, "Destroying"},
                                                        {static_cast<TRunState>(2), "Raised"}};
    for (const auto& [state, name] : states) CHECK(std::string(RunStateName(state)) == name);
}
