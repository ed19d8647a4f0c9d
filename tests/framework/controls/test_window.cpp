// The window layer's contract with code that hooks framework windows:
// WindowProc, the window-to-control property, window class names, message
// routing and the order in which a control goes away.
#include <doctest.h>

#include "framework/core/Object.h"

#include <memory>

#include "ControlTestUtil.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ControlAtom.h"
#include "framework/controls/WndProcThunk.h"
#include "framework/controls/Forms.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/RegisterControls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/Idents.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"

using namespace tf;
using namespace testutil;

namespace {

class TForm_test : public TForm {
    TF_CLASS(TForm_test)
public:
    using TForm::TForm;
};

const TClassInfo& TForm_test::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_test>("TForm_test", TForm::StaticClass()).Build();
    return info;
}

struct FormFixture {
    FormFixture()
    {
        form = std::make_unique<TForm_test>(nullptr);
        form->SetBounds(100, 100, 400, 300);
        form->SetCaption("test");
    }
    std::unique_ptr<TForm_test> form;
};

template <class T>
T* Make(TWinControl* parent, int x, int y, int w, int h)
{
    T* c = new T(parent);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

std::string PropertyName()
{
    return Format("ControlOfs%.8X%.8X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))),
                  static_cast<unsigned>(GetCurrentThreadId()));
}

} // namespace

TEST_CASE("windows are registered under the framework class names")
{
    FormFixture f;
    auto* button = Make<TButton>(f.form.get(), 10, 10, 80, 25);
    auto* list = Make<TListBox>(f.form.get(), 10, 40, 100, 80);
    auto* memo = Make<TMemo>(f.form.get(), 120, 40, 100, 80);
    auto* check = Make<TCheckBox>(f.form.get(), 10, 130, 100, 20);
    auto* panel = Make<TPanel>(f.form.get(), 230, 40, 100, 80);
    f.form->HandleNeeded();

    CHECK(ClassNameOf(f.form->Handle()) == "TForm_test");
    CHECK(ClassNameOf(Application->Handle()) == "TApplication");
    CHECK(ClassNameOf(button->Handle()) == "TButton");
    CHECK(ClassNameOf(list->Handle()) == "TListBox");
    CHECK(ClassNameOf(memo->Handle()) == "TMemo");
    CHECK(ClassNameOf(check->Handle()) == "TCheckBox");
    CHECK(ClassNameOf(panel->Handle()) == "TPanel");

    // Superclassed windows keep the native behaviour.
    SendMessageA(list->Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    CHECK(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0) == 1);
    SendMessageA(check->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    CHECK(check->Checked());

    // The application window is hidden and has no size; forms are owned by it.
    HWND app = Application->Handle();
    CHECK_FALSE(IsWindowVisible(app));
    RECT r;
    GetWindowRect(app, &r);
    CHECK((r.right - r.left) * (r.bottom - r.top) == 0);
    CHECK(GetWindow(f.form->Handle(), GW_OWNER) == app);
    CHECK(SendMessageA(app, WM_GETICON, ICON_BIG, 0) == reinterpret_cast<LRESULT>(Application->Icon()));
    CHECK(SendMessageA(app, WM_GETICON, ICON_SMALL, 0) == reinterpret_cast<LRESULT>(Application->SmallIcon()));
    CHECK(Application->Icon() != nullptr);
    ICONINFO ii{};
    REQUIRE(GetIconInfo(Application->SmallIcon(), &ii));
    BITMAP bm{};
    GetObjectA(ii.hbmMask, sizeof(bm), &bm);
    CHECK(bm.bmWidth == GetSystemMetrics(SM_CXSMICON));
    DeleteObject(ii.hbmMask);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
}

TEST_CASE("the ControlOfs property maps a window to its control until it is destroyed")
{
    FormFixture f;
    auto* button = Make<TButton>(f.form.get(), 10, 10, 80, 25);
    HWND window = button->Handle();
    const std::string name = PropertyName();
    CHECK(ControlAtomName() == name);
    CHECK(GetPropA(window, name.c_str()) == static_cast<TControl*>(button));
    CHECK(GetPropA(f.form->Handle(), name.c_str()) == static_cast<TControl*>(f.form.get()));
    CHECK(FindControl(window) == button);

    // A subclasser sees WM_NCDESTROY with the property still set; once the
    // framework has routed it, the property is gone.
    static WNDPROC previous = nullptr;
    static int propertyBefore = -1, propertyAfter = -1;
    static std::string propName;
    propName = name;
    struct Sub {
        static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
        {
            if (msg == WM_NCDESTROY) {
                propertyBefore = GetPropA(w, propName.c_str()) != nullptr;
                const LRESULT r = CallWindowProcA(previous, w, msg, wp, lp);
                propertyAfter = GetPropA(w, propName.c_str()) != nullptr;
                return r;
            }
            return CallWindowProcA(previous, w, msg, wp, lp);
        }
    };
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Sub::Proc)));
    button->Free();
    CHECK_FALSE(IsWindow(window));
    CHECK(propertyBefore == 1);
    CHECK(propertyAfter == 0);

    // A re-created window gets the property again.
    auto* list = Make<TListBox>(f.form.get(), 10, 40, 100, 80);
    HWND first = list->Handle();
    list->RecreateWnd();
    CHECK(list->Handle() != first);
    CHECK(GetPropA(list->Handle(), name.c_str()) == static_cast<TControl*>(list));
}

TEST_CASE("WindowProc can be replaced and restored while the window lives")
{
    FormFixture f;
    auto* button = Make<TButton>(f.form.get(), 10, 10, 80, 25);
    f.form->Show();
    HWND window = button->Handle();

    TMessageSpy spy(button);
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("replaced"));
    CHECK(spy.Saw(WM_SETTEXT));
    CHECK(TextOf(window) == "replaced");   // the default behaviour still ran

    // Unknown messages, also the private ranges, reach the handler and the
    // native procedure unchanged.
    for (UINT msg : {0x3401u, 0x3523u, 0xBC4Au, 0xBC4Eu, 0xB0D0u}) {
        spy.Seen.clear();
        CHECK(SendMessageA(window, msg, 7, 0x41A2) == 0);
        REQUIRE(spy.Seen.size() == 1);
        CHECK(spy.Seen[0].Msg == msg);
        CHECK(spy.Seen[0].WParam == 7);
        CHECK(spy.Seen[0].LParam == 0x41A2);
    }

    // Notifications of state changes go through it, after which the default
    // handling has made the change.
    spy.After = [](TMessage& m) {
        if (m.Msg == CM_VISIBLECHANGED) CHECK(m.WParam == 0);
    };
    button->SetVisible(false);
    CHECK(spy.Saw(CM_VISIBLECHANGED));
    CHECK_FALSE(IsWindowVisible(window));
    button->SetEnabled(false);
    CHECK(spy.Saw(CM_ENABLEDCHANGED));
    CHECK_FALSE(IsWindowEnabled(window));
    spy.After = nullptr;

    CHECK(button->Perform(WM_GETTEXTLENGTH) == 8);
    CHECK(spy.Saw(WM_GETTEXTLENGTH));

    spy.Restore();
    spy.Seen.clear();
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("restored"));
    button->SetVisible(true);
    button->SetEnabled(true);
    CHECK(spy.Seen.empty());
    CHECK(TextOf(window) == "restored");
    CHECK(IsWindowVisible(window));
    CHECK(IsWindowEnabled(window));
}

TEST_CASE("a replaced WindowProc survives re-creation and sees CM_RECREATEWND")
{
    FormFixture f;
    auto* list = Make<TListBox>(f.form.get(), 10, 40, 100, 80);
    list->Items()->Add("a");
    list->Items()->Add("b");
    list->SetItemIndex(1);
    f.form->HandleNeeded();
    TMessageSpy spy(list);
    list->SetMultiSelect(true);   // needs a new window
    CHECK(spy.Saw(CM_RECREATEWND));
    CHECK(spy.Saw(WM_NCDESTROY));
    CHECK(spy.Saw(WM_NCCREATE));
    CHECK(list->Items()->Count() == 2);
    CHECK(list->Items()->Get(1) == "b");
    CHECK(list->ItemIndex() == 1);
    spy.Restore();
}

TEST_CASE("destroying a control destroys its window before the components it owns")
{
    std::vector<std::string> log;
    struct TOwned : TComponent {
        using TComponent::TComponent;
        std::vector<std::string>* Log = nullptr;
        HWND Window = nullptr;
        ~TOwned() override { Log->push_back(IsWindow(Window) ? "owned freed, window alive" : "owned freed"); }
    };
    struct TWatch : TObject {
        std::vector<std::string>* Log = nullptr;
        TWndMethod Saved;
        void Proc(TMessage& m)
        {
            if (m.Msg == WM_NCDESTROY) Log->push_back("WM_NCDESTROY");
            Saved(m);
        }
    };
    FormFixture f;
    auto* panel = Make<TPanel>(f.form.get(), 10, 10, 100, 100);
    auto* inner = Make<TButton>(panel, 5, 5, 50, 20);
    inner->SetName("inner");
    auto* owned = new TOwned(panel);
    owned->Log = &log;
    owned->Window = panel->Handle();
    TWatch watch;
    watch.Log = &log;
    watch.Saved = panel->WindowProc;
    panel->WindowProc = TWndMethod::Of<&TWatch::Proc>(&watch);
    const HWND innerWindow = inner->Handle();
    panel->Free();
    CHECK(log == std::vector<std::string>{"WM_NCDESTROY", "owned freed"});
    CHECK_FALSE(IsWindow(innerWindow));
    CHECK(f.form->FindComponent("inner") == nullptr);   // child controls go with their parent
    CHECK(f.form->ControlCount() == 0);
}

TEST_CASE("a skinner that restores WindowProc while its control dies is harmless")
{
    struct TRestorer : TComponent {
        TControl* Control;
        TWndMethod Saved;
        int Seen = 0;
        explicit TRestorer(TControl* c) : TComponent(c), Control(c)
        {
            Saved = c->WindowProc;
            c->WindowProc = TWndMethod::Of<&TRestorer::Proc>(this);
        }
        void Proc(TMessage& m)
        {
            ++Seen;
            Saved(m);
        }
        ~TRestorer() override { Control->WindowProc = Saved; }
    };
    FormFixture f;
    auto* memo = Make<TMemo>(f.form.get(), 10, 10, 100, 100);
    auto* restorer = new TRestorer(memo);
    memo->HandleNeeded();
    CHECK(restorer->Seen > 0);
    memo->Free();   // no crash; the sanitizer-free build at least must not fault
    CHECK(f.form->ControlCount() == 0);
}

TEST_CASE("reflected notifications reach the child control")
{
    FormFixture f;
    auto* button = Make<TButton>(f.form.get(), 10, 10, 80, 25);
    auto* list = Make<TListBox>(f.form.get(), 10, 40, 100, 80);
    list->Items()->Add("first");
    list->Items()->Add("second");
    int buttonClicks = 0, listClicks = 0;
    struct Counter : TObject {
        int* n;
        void Hit(TObject*) { ++*n; }
    } buttonCounter, listCounter;
    buttonCounter.n = &buttonClicks;
    listCounter.n = &listClicks;
    button->OnClick = TNotifyEvent::Of<&Counter::Hit>(&buttonCounter);
    list->OnClick = TNotifyEvent::Of<&Counter::Hit>(&listCounter);
    f.form->Show();

    TMessageSpy spy(button);
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    CHECK(buttonClicks == 1);
    CHECK(spy.Saw(CN_COMMAND));
    spy.Restore();

    // A real click on the second row.
    const RECT row = list->ItemRect(1);
    const LPARAM at = MAKELPARAM(row.left + 5, row.top + 3);
    SendMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    PumpUntil([&] { return listClicks > 0; }, 1000);
    CHECK(listClicks == 1);
    CHECK(list->ItemIndex() == 1);

    // WM_CTLCOLOR* answers with the control's colours.
    auto* memo = Make<TMemo>(f.form.get(), 120, 40, 100, 80);
    memo->SetColor(RGBColor(1, 2, 3));
    memo->Font()->SetColor(RGBColor(200, 100, 50));
    HDC dc = GetDC(memo->Handle());
    const LRESULT brush = SendMessageA(f.form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(memo->Handle()));
    CHECK(brush == reinterpret_cast<LRESULT>(memo->Brush()->Handle()));
    CHECK(GetBkColor(dc) == RGB(1, 2, 3));
    CHECK(GetTextColor(dc) == RGB(200, 100, 50));
    ReleaseDC(memo->Handle(), dc);
}

namespace {

class TRecordingListBox : public TListBox {
public:
    using TListBox::TListBox;
    struct Draw {
        int index;
        TOwnerDrawState state;
        TColor brush;
        TColor font;
    };
    std::vector<Draw> Draws;
    std::vector<int> Measured;

protected:
    void MeasureItem(int index, int& height) override
    {
        Measured.push_back(index);
        height = 20 + index;
    }
    void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override
    {
        Draws.push_back({index, state, Canvas()->Brush()->Color(), Canvas()->Font()->Color()});
        Canvas()->FillRect(rect);
    }
};

} // namespace

TEST_CASE("owner-drawn list rows are measured and drawn by the virtual handlers")
{
    FormFixture f;
    auto* list = Make<TRecordingListBox>(f.form.get(), 10, 10, 150, 120);
    list->SetStyle(lbOwnerDrawVariable);
    list->SetColor(RGBColor(10, 20, 30));
    list->Font()->SetColor(RGBColor(40, 50, 60));
    f.form->Show();
    list->Items()->Add("a");
    list->Items()->Add("b");
    CHECK(list->Measured == std::vector<int>{0, 1});
    CHECK(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, 1, 0) == 21);
    list->Draws.clear();
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    REQUIRE(list->Draws.size() >= 2);
    CHECK(list->Draws[0].index == 0);
    CHECK(list->Draws[0].brush == RGBColor(10, 20, 30));
    CHECK(list->Draws[0].font == RGBColor(40, 50, 60));

    // A selected row is prepared with the highlight colours.
    list->SetSelected(1, true);
    list->Draws.clear();
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    bool sawSelected = false;
    for (const auto& d : list->Draws)
        if (d.index == 1 && (d.state & ODS_SELECTED)) {
            sawSelected = true;
            CHECK(d.brush == clHighlight);
            CHECK(d.font == clHighlightText);
        }
    CHECK(sawSelected);

    // An empty list with the focus only gets its background.
    list->Items()->Clear();
    list->Draws.clear();
    SetFocus(list->Handle());
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    CHECK(list->Draws.empty());
}

TEST_CASE("list box items raise the framework's index error")
{
    FormFixture f;
    auto* list = Make<TListBox>(f.form.get(), 10, 10, 150, 120);
    list->Items()->Add("x");
    for (bool withWindow : {false, true}) {
        if (withWindow) f.form->HandleNeeded();
        CHECK(list->Items()->Count() == 1);
        try {
            list->Items()->Get(3);
            FAIL("no exception");
        } catch (const EListError& e) {
            CHECK(std::string(e.what()) == Format(SListIndexError, 3));
        }
        CHECK_THROWS_AS(list->Items()->Delete(-1), EListError);
    }
    CHECK(std::string(SListIndexError) == "列表索引越界 (%d)");
}

TEST_CASE("every control class can be created by name")
{
    RegisterControlClasses();
    for (const char* name : {"TForm", "TButton", "TBitBtn", "TCheckBox", "TLabel", "TListBox", "TEdit", "TMemo", "TPanel",
                             "TImage", "TCoolBar", "TTimer", "TMainMenu", "TPopupMenu", "TMenuItem"}) {
        const TClassInfo* info = FindClass(name);
        REQUIRE_MESSAGE(info != nullptr, name);
        REQUIRE(static_cast<bool>(info->Create));
        TComponent* c = info->Create(nullptr);
        CHECK(c->ClassName() == name);
        delete c;
    }
    int32_t value = 0;
    CHECK(IdentToInt("crHandPoint", value));
    CHECK(value == crHandPoint);
    CHECK(IdentToInt("clBtnFace", value));
    CHECK(value == clBtnFace);
}

namespace {

struct TThunkTarget : TObject {
    std::vector<UINT> Seen;
    WNDPROC Previous = nullptr;
    HWND Window = nullptr;
    bool ThrowOnUser = false;
    void Proc(TMessage& m)
    {
        Seen.push_back(m.Msg);
        if (m.Msg == WM_USER + 5) {
            if (ThrowOnUser) throw Exception("thunk failed");
            m.Result = 42;
            return;
        }
        m.Result = CallWindowProcA(Previous, Window, m.Msg, m.WParam, m.LParam);
    }
};

} // namespace

TEST_CASE("an object's member subclasses a framework window through a procedure thunk")
{
    FormFixture f;
    auto* button = Make<TButton>(f.form.get(), 10, 10, 80, 25);
    HWND window = button->Handle();
    TThunkTarget target;
    target.Window = window;
    TWndProcThunk thunk(TWndMethod::Of<&TThunkTarget::Proc>(&target));
    REQUIRE(thunk);
    target.Previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk.Proc())));
    CHECK(SendMessageA(window, WM_USER + 5, 0, 0) == 42);
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("thunked"));
    CHECK(TextOf(window) == "thunked");   // passed on to the framework and the native button
    CHECK(std::find(target.Seen.begin(), target.Seen.end(), WM_SETTEXT) != target.Seen.end());

    {
        TBoxAnswerer boxes;
        target.ThrowOnUser = true;
        CHECK(SendMessageA(window, WM_USER + 5, 0, 0) == 0);
        REQUIRE(boxes.Boxes.size() == 1);
        CHECK(boxes.Boxes[0].text == "thunk failed");
    }

    // Put back; freeing twice is harmless.
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(target.Previous));
    WNDPROC raw = MakeObjectInstance(TWndMethod::Of<&TThunkTarget::Proc>(&target));
    FreeObjectInstance(raw);
    FreeObjectInstance(raw);
    FreeObjectInstance(nullptr);
    // Many procedures at once stay distinct.
    std::vector<std::unique_ptr<TWndProcThunk>> many;
    for (int i = 0; i < 500; ++i) many.push_back(std::make_unique<TWndProcThunk>(TWndMethod::Of<&TThunkTarget::Proc>(&target)));
    CHECK(reinterpret_cast<void*>(many.front()->Proc()) != reinterpret_cast<void*>(many.back()->Proc()));
}

namespace {

class TTestScrollBar : public TNativeControl {
public:
    explicit TTestScrollBar(TComponent* owner) : TNativeControl(owner, "SCROLLBAR", SBS_VERT) {}
    std::vector<UINT> Scrolls;
    std::vector<UINT> Notifies;

protected:
    void Scroll(TMessage& m) override
    {
        Scrolls.push_back(m.Msg);
        TNativeControl::Scroll(m);
    }
    void Notify(NMHDR* header, LRESULT& result) override
    {
        Notifies.push_back(header->code);
        result = 7;
    }
};

} // namespace

TEST_CASE("a native control wrapper gets its notifications reflected")
{
    FormFixture f;
    auto* bar = Make<TTestScrollBar>(f.form.get(), 10, 10, 20, 100);
    HWND window = bar->Handle();
    CHECK(ClassNameOf(window) == "TNativeControl");
    CHECK((GetWindowLongA(window, GWL_STYLE) & SBS_VERT) != 0);
    SetScrollRange(window, SB_CTL, 0, 10, FALSE);
    SetScrollPos(window, SB_CTL, 3, FALSE);
    CHECK(GetScrollPos(window, SB_CTL) == 3);   // native behaviour

    SendMessageA(f.form->Handle(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(window));
    CHECK(bar->Scrolls == std::vector<UINT>{CN_VSCROLL});

    NMHDR header{window, 0, 1234};
    CHECK(SendMessageA(f.form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header)) == 7);
    CHECK(bar->Notifies == std::vector<UINT>{1234});
    // The other modules' message that shares CN_NOTIFY's number is left alone.
    CHECK(SendMessageA(window, CN_NOTIFY, 0, ForeignMessageMark) == 0);
    CHECK(bar->Notifies.size() == 1);
}

TEST_CASE("under multiple selection ItemIndex is the caret row")
{
    FormFixture f;
    auto* list = Make<TListBox>(f.form.get(), 10, 10, 150, 120);
    list->SetMultiSelect(true);
    CHECK(list->ItemIndex() == -1);
    for (const char* s : {"a", "b", "c", "d"}) list->Items()->Add(s);
    f.form->HandleNeeded();
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    list->SetItemIndex(3);
    CHECK(SendMessageA(list->Handle(), LB_GETCARETINDEX, 0, 0) == 3);
    CHECK(list->ItemIndex() == 3);
    CHECK(list->SelCount() == 2);
    CHECK(list->Selected(2));
    CHECK_FALSE(list->Selected(3));
    CHECK(list->Items()->IndexOf("C") == 2);
    list->Items()->Delete(0);
    CHECK(list->Items()->Count() == 3);
    CHECK(list->Items()->Get(0) == "b");
}

TEST_CASE("MDI forms: the frame's client window holds the child forms")
{
    auto frame = std::make_unique<TForm>(nullptr);
    frame->SetFormStyle(fsMDIForm);
    frame->SetBounds(100, 100, 500, 400);
    frame->Show();
    HWND client = frame->ClientHandle();
    REQUIRE(client != nullptr);
    char name[32] = {};
    GetClassNameA(client, name, sizeof name);
    CHECK(lstrcmpiA(name, "MDIClient") == 0);
    // The default frame procedure keeps the client window over the client area.
    frame->SetBounds(100, 100, 520, 420);
    RECT area{}, inner{};
    GetClientRect(frame->Handle(), &area);
    GetWindowRect(client, &inner);
    CHECK(inner.right - inner.left == area.right);
    CHECK(inner.bottom - inner.top == area.bottom);

    auto child = std::make_unique<TForm>(nullptr);
    child->SetFormStyle(fsMDIChild);
    child->SetBounds(10, 10, 200, 150);
    child->SetCaption("child");
    child->Show();
    HWND c = child->Handle();
    CHECK(GetParent(c) == client);
    CHECK((GetWindowLongA(c, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0);
    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(c), 0);
    BOOL maximized = FALSE;
    CHECK(reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized))) == c);
    CHECK(maximized);
    child.reset();
    CHECK(SendMessageA(client, WM_MDIGETACTIVE, 0, 0) == 0);

    // Without an MDI form there is nowhere to put a child.
    frame.reset();
    TForm orphan(nullptr);
    orphan.SetFormStyle(fsMDIChild);
    CHECK_THROWS_AS(orphan.HandleNeeded(), EInvalidOperation);
}
