// Handlers that free their own form, on a form skinned by the whole engine:
// a check box clicked with the mouse, a button, a check box and a bit button
// pressed with Space, a bit button clicked, a menu command chosen on the
// skinned menu bar and the skinned close box. Freed memory is overwritten in
// this program (PoisonedFrees.h): a skinner, form skinner or framework
// routine that touches the form, a control or a skinner after the handler
// returned crashes it.
#include <doctest.h>

#include <functional>
#include <memory>
#include <string>

#include "../../PoisonedFrees.h"
#include "../window/ChromeTestKit.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/StdCtrls.h"
#include "skin/controls/SkinControl.h"
#include "skin/window/MenuBtn.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/window/WinSysButton.h"

using namespace tf;
using namespace skintest;

namespace {

// Frees the form from inside the handler it is given to.
struct Freer : TObject {
    std::unique_ptr<TForm>* form = nullptr;
    int calls = 0;
    void Free(TObject*)
    {
        ++calls;
        form->reset();
    }
    void FreeOnClose(TObject*, TCloseAction&)
    {
        ++calls;
        form->reset();
    }
};

// The skinner the form skinner gave a control, or null.
TSkinControl* SkinnerOf(TWinSkinForm* formSkinner, TControl* control)
{
    if (!formSkinner) return nullptr;
    TControlSkinnerList& list = formSkinner->ControlSkinners();
    for (int i = 0; i < list.Count(); ++i)
        if (auto* s = dynamic_cast<TSkinControl*>(list.Item(i)); s && s->Control() == control) return s;
    return nullptr;
}

POINT CentreOf(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return POINT{r.right / 2, r.bottom / 2};
}

void PostClick(HWND window)
{
    const POINT c = CentreOf(window);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
}

void PostSpace(HWND window)
{
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageA(window, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
}

enum class Kind { CheckBox, Button, BitBtn };
enum class Act { Mouse, Space };

struct ControlCase {
    const char* name;
    Kind kind;
    Act act;
};

const ControlCase kControlCases[] = {
    {"a check box clicked with the mouse", Kind::CheckBox, Act::Mouse},
    {"a check box pressed with Space", Kind::CheckBox, Act::Space},
    {"a button pressed with Space", Kind::Button, Act::Space},
    {"a bit button clicked with the mouse", Kind::BitBtn, Act::Mouse},
    {"a bit button pressed with Space", Kind::BitBtn, Act::Space},
};

// The whole engine at work: manager, chrome and control skinners.
struct Engine {
    ChromeFixture fx{{}, TSkinEngineParts{}};
};

} // namespace

TEST_CASE("a control's handler that frees its form: nothing of the form, the control or its skinner is touched after")
{
    for (const ControlCase& c : kControlCases) {
        CAPTURE(c.name);
        Engine engine;
        Freer freer;
        TButtonControl* control = nullptr;
        std::unique_ptr<TForm> form = ShowForm("Lifetimes", 140, 120, [&](TForm& f) {
            switch (c.kind) {
            case Kind::CheckBox: control = new TCheckBox(&f); break;
            case Kind::Button: control = new TButton(&f); break;
            case Kind::BitBtn: control = new TBitBtn(&f); break;
            }
            control->SetParent(&f);
            control->SetBounds(20, 20, 120, 28);
            control->SetCaption("Free the form");
            control->OnClick = TNotifyEvent::Of<&Freer::Free>(&freer);
        });
        freer.form = &form;
        const HWND w = form->Handle();
        REQUIRE(engine.fx.WaitSkinned(w));
        REQUIRE(SkinnerOf(engine.fx.Skinner(w), control) != nullptr);
        const HWND target = control->Handle();
        control->SetFocus();
        if (c.act == Act::Mouse) PostClick(target);
        else PostSpace(target);
        CHECK(PumpUntil([&] { return freer.calls > 0 && !IsWindow(w); }, 3000));
        Pump(100);   // whatever was left queued for the windows that went
        CHECK(freer.calls == 1);
        CHECK_FALSE(form);
    }
}

TEST_CASE("a menu command chosen on the skinned menu bar that frees the form: nothing of it is touched after")
{
    Engine engine;
    Freer freer;
    TMenuItem* file = nullptr;
    std::unique_ptr<TForm> form = ShowForm("Lifetimes", 140, 120, [&](TForm& f) {
        auto* menu = new TMainMenu(&f);
        file = AddItem(menu->Items(), "&File", &f);
        AddItem(file, "&Close", &f)->OnClick = TNotifyEvent::Of<&Freer::Free>(&freer);
        f.SetMenu(menu);
    });
    freer.form = &form;
    const HWND w = form->Handle();
    REQUIRE(engine.fx.WaitSkinned(w));
    Pump(200);
    TWinSkinMenu* bar = engine.fx.Chrome(w).MenuBar();
    REQUIRE(bar);
    const RECT frame = WindowRectOf(w);
    const frame::TBox& item = bar->Item(0)->bounds;
    const LPARAM at = MAKELPARAM(frame.left + item.Left + 3, frame.top + item.Top + 3);
    LoopDriver driver({[] {
                           HWND open = OpenMenuWindow();
                           if (!open) return false;
                           PostKey(open, VK_DOWN);
                           return true;
                       },
                       [] {
                           PostKey(OpenMenuWindow(), VK_RETURN);
                           return true;
                       }});
    PostMessageA(w, WM_NCLBUTTONDOWN, HTMENU, at);
    CHECK(PumpUntil([&] { return freer.calls > 0 && !IsWindow(w); }, 6000));
    Pump(100);
    CHECK_FALSE(driver.TimedOut());
    CHECK(freer.calls == 1);
    CHECK_FALSE(form);
}

TEST_CASE("the skinned close box of a form whose close handler frees it: nothing of it is touched after")
{
    Engine engine;
    Freer freer;
    std::unique_ptr<TForm> form = ShowForm("Lifetimes", 140, 120, [&](TForm& f) {
        f.OnClose = TCloseEvent::Of<&Freer::FreeOnClose>(&freer);
    });
    freer.form = &form;
    const HWND w = form->Handle();
    REQUIRE(engine.fx.WaitSkinned(w));
    Pump(200);
    PaintedFrame(w);
    TSkinChrome& chrome = engine.fx.Chrome(w);
    TWinSysButton* close = nullptr;
    for (int i = 0; i < chrome.CaptionButtonCount(); ++i)
        if (chrome.CaptionButton(i)->visible && chrome.CaptionButton(i)->Action() == 0) close = chrome.CaptionButton(i);
    REQUIRE(close);
    const RECT frame = WindowRectOf(w);
    const LPARAM at = MAKELPARAM(frame.left + (close->bounds.Left + close->bounds.Right) / 2,
                                 frame.top + (close->bounds.Top + close->bounds.Bottom) / 2);
    PostMessageA(w, WM_NCMOUSEMOVE, HTCLOSE, at);
    PostMessageA(w, WM_NCLBUTTONDOWN, HTCLOSE, at);
    PostMessageA(w, WM_NCLBUTTONUP, HTCLOSE, at);
    CHECK(PumpUntil([&] { return freer.calls > 0 && !IsWindow(w); }, 3000));
    Pump(100);
    CHECK(freer.calls == 1);
    CHECK_FALSE(form);
}
