// The paint route of the control skinners, as one table over the families
// that declare what they paint: WM_PAINT, WM_PRINTCLIENT and WM_PRINT give
// the same pixels; a state change (hover, press, check, enable, value) costs
// exactly one paint pass; a family that paints the whole control never lets
// the control's own erase or paint run, and one that paints over the control
// has the control paint into the buffer, never onto the window; and repaints
// after the first make no new off-screen bitmaps.
#include <doctest.h>

#include <windows.h>

#include <functional>
#include <string>

#include "ControlSkinKit.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/TabSet.h"
#include "framework/controls/UpDown.h"
#include "framework/graphics/OffscreenCache.h"

using namespace tf;
using namespace ctltest;
using tftest::Called;

namespace {

// The client area as the window shows it now (its own DC reads what the
// last paint left there).
std::unique_ptr<TBitmap> WindowPixels(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    auto image = std::make_unique<TBitmap>(r.right, r.bottom, pf24bit);
    HDC dc = GetDC(window);
    BitBlt(image->Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
    return image;
}

// The client area's part of a WM_PRINT picture of the whole window.
std::unique_ptr<TBitmap> PrintedClient(HWND window)
{
    RECT w{}, c{};
    GetWindowRect(window, &w);
    GetClientRect(window, &c);
    TBitmap whole(w.right - w.left, w.bottom - w.top, pf24bit);
    SendMessageA(window, WM_PRINT, reinterpret_cast<WPARAM>(whole.Canvas()->Handle()),
                 PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    auto image = std::make_unique<TBitmap>(c.right, c.bottom, pf24bit);
    BitBlt(image->Canvas()->Handle(), 0, 0, c.right, c.bottom, whole.Canvas()->Handle(), origin.x - w.left,
           origin.y - w.top, SRCCOPY);
    return image;
}

// The client rectangles of a window's visible child windows: the window's
// own pictures leave them out (WM_PRINTCLIENT never holds them).
std::vector<RECT> ChildAreas(HWND window)
{
    std::vector<RECT> areas;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        areas.push_back(r);
    }
    return areas;
}

// "" when the pictures are equal outside the skipped areas, else where they
// first differ.
std::string Difference(TBitmap& a, TBitmap& b, const std::vector<RECT>& skipped = {})
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return "sizes differ";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            bool skip = false;
            for (const RECT& r : skipped) skip = skip || PtInRect(&r, POINT{x, y});
            if (!skip && skintest::PixelAt(a, x, y) != skintest::PixelAt(b, x, y))
                return "first difference at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    return "";
}

void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    skintest::Pump(20);
}

using Make = std::function<TWinControl*(SkinnedForm&)>;
using Change = std::function<void(TWinControl*)>;

// Prepare (when given) sets the scene uncounted; Apply makes the change.
struct StateChange {
    const char* Name;
    Change Apply;
    Change Prepare = nullptr;
};

struct Family {
    const char* Skinner;
    TPaintKind Kind;
    Make Create;
    std::vector<StateChange> Changes;
};

const StateChange Disable{"enable", [](TWinControl* c) { c->SetEnabled(false); }};
// The real pointer comes in (each case starts with it away from the form).
const StateChange HoverChange{"hover", [](TWinControl* c) {
                                  const POINT p = CentreOf(c->Handle());
                                  SetCursorPos(p.x, p.y);
                              }};
// The press alone changes the look: the focus is there first.
const StateChange PressChange{
    "press", [](TWinControl* c) { SendMessageA(c->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3)); },
    [](TWinControl* c) { c->SetFocus(); }};

std::vector<Family> Families()
{
    return {
        {"TSkinButton", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* b = f.Make<TButton>(10, 10, 90, 26);
             b->SetCaption("Push");
             return b;
         },
         {HoverChange, PressChange, Disable}},
        {"TSkinBitButton", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* b = f.Make<TBitBtn>(10, 10, 90, 26);
             b->SetCaption("Bit");
             return b;
         },
         {HoverChange, Disable}},
        {"TSkinCheckBox", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* b = f.Make<TCheckBox>(10, 10, 120, 20);
             b->SetCaption("Check");
             return b;
         },
         {{"check", [](TWinControl* c) { static_cast<TCheckBox*>(c)->SetChecked(true); }}, Disable}},
        {"TSkinRadioButton", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* b = f.Make<TRadioButton>(10, 10, 120, 20);
             b->SetCaption("Radio");
             return b;
         },
         {{"check", [](TWinControl* c) { static_cast<TRadioButton*>(c)->SetChecked(true); }}, Disable}},
        {"TSkinProgress", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* b = f.Make<TProgressBar>(10, 10, 200, 18);
             b->SetPosition(30);
             return b;
         },
         {{"value", [](TWinControl* c) { static_cast<TProgressBar*>(c)->SetPosition(60); }}, Disable}},
        {"TSkinHeader", TPaintKind::Whole, [](SkinnedForm& f) -> TWinControl* { return f.Make<THeaderControl>(10, 10, 200, 20); },
         {Disable}},
        {"TSkinStatusBar", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* b = f.Make<TStatusBar>(10, 10, 200, 20);
             b->SetSimplePanel(true);
             b->SetSimpleText("Status");
             return b;
         },
         {{"text", [](TWinControl* c) { static_cast<TStatusBar*>(c)->SetSimpleText("Changed"); }}}},
        {"TSkinUpDown", TPaintKind::Whole, [](SkinnedForm& f) -> TWinControl* { return f.Make<TUpDown>(10, 10, 17, 30); },
         {Disable}},
        {"TSkinTabBtn", TPaintKind::Over,
         [](SkinnedForm& f) -> TWinControl* {
             auto* pages = f.Make<TPageControl>(10, 10, 260, 120);
             pages->SetStyle(tsButtons);
             for (const char* caption : {"One", "Two"}) {
                 auto* sheet = new TTabSheet(f.form);
                 sheet->SetParent(pages);
                 sheet->SetCaption(caption);
             }
             return pages;
         },
         {Disable}},
        {"TSkinGroupBox", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* box = f.Make<TGroupBox>(10, 10, 200, 80);
             box->SetCaption("Group");
             return box;
         },
         {Disable}},
        {"TSkinTab31", TPaintKind::Whole,
         [](SkinnedForm& f) -> TWinControl* {
             auto* tabs = f.Make<TTabSet>(10, 10, 260, 22);
             tabs->Tabs()->Add("One");
             tabs->Tabs()->Add("Two");
             tabs->SetTabIndex(0);
             return tabs;
         },
         {{"tab", [](TWinControl* c) { static_cast<TTabSet*>(c)->SetTabIndex(1); }}}},
    };
}

// A recorder under the skinner (installed before it) sees what the skinner
// passes on to the control's own handling.
struct Skinned {
    SkinnedForm f{320, 200};
    TWinControl* control;
    std::unique_ptr<HandlerRecorder> under;
    TSkinControl* skinner = nullptr;
    explicit Skinned(const Family& family) : control(family.Create(f))
    {
        SetCursorPos(2, 2);
        skintest::Pump(30);
        under = std::make_unique<HandlerRecorder>(control, std::set<UINT>{WM_PAINT, WM_ERASEBKGND, WM_PRINTCLIENT});
        skinner = f.Skin(control);
        SetForegroundWindow(f.form->Handle());
        skintest::Pump(30);
    }
    ~Skinned()
    {
        // The skinner goes first: it gives back the recorder's handler.
        f.host.reset();
        under.reset();
    }
    Skinned(const Skinned&) = delete;
    Skinned& operator=(const Skinned&) = delete;
};

} // namespace

TEST_CASE("Each family that declares what it paints gives the same pixels through WM_PAINT, WM_PRINTCLIENT and WM_PRINT")
{
    for (const Family& family : Families()) {
        CAPTURE(family.Skinner);
        Skinned s(family);
        REQUIRE(s.skinner);
        CHECK(s.skinner->ClassName() == family.Skinner);
        CHECK(std::string(PaintKindName(s.skinner->PaintKind())) == PaintKindName(family.Kind));
        HWND window = s.control->Handle();
        Repaint(window);
        auto painted = WindowPixels(window);
        auto printedClient = PrintClient(window);
        auto printed = PrintedClient(window);
        const std::vector<RECT> children = ChildAreas(window);
        CHECK(Difference(*painted, *printedClient, children) == "");
        CHECK(Difference(*painted, *printed, children) == "");
    }
}

TEST_CASE("A state change costs each family exactly one paint pass")
{
    for (const Family& family : Families())
        for (const StateChange& change : family.Changes) {
            CAPTURE(family.Skinner);
            CAPTURE(change.Name);
            Skinned s(family);
            REQUIRE(s.skinner);
            Repaint(s.control->Handle());
            if (change.Prepare) change.Prepare(s.control);
            skintest::Pump(40);
            const int before = s.skinner->PaintPasses();
            change.Apply(s.control);
            skintest::PumpUntil([&] { return s.skinner->PaintPasses() != before; }, 1000);
            skintest::Pump(100);
            CHECK(s.skinner->PaintPasses() - before == 1);
            // Nothing is left to paint a second time.
            CHECK(GetUpdateRect(s.control->Handle(), nullptr, FALSE) == FALSE);
        }
}

TEST_CASE("A whole-control family never runs the control's own erase or paint; an over-control one has it paint off-screen")
{
    const std::set<UINT> interest{WM_PAINT, WM_ERASEBKGND, WM_PRINTCLIENT};
    for (const Family& family : Families()) {
        CAPTURE(family.Skinner);
        Skinned s(family);
        REQUIRE(s.skinner);
        HWND window = s.control->Handle();
        Repaint(window);
        s.under->Log.Clear();
        const int before = s.skinner->PaintPasses();
        Repaint(window);
        PrintClient(window);
        // One pass for the repaint, one for the picture.
        CHECK(s.skinner->PaintPasses() - before == 2);
        if (family.Kind == TPaintKind::Whole) {
            CHECK(s.under->Log.Diff({}, &interest) == "");
        } else {
            // Each pass: the control erases and paints into the buffer, with its DC.
            CHECK(s.under->Log.Diff({Called(WM_ERASEBKGND), Called(WM_PAINT), Called(WM_ERASEBKGND), Called(WM_PAINT)},
                                    &interest) == "");
            for (const auto& e : s.under->Log.Messages()) CHECK(e.WParam != 0);
        }
    }
}

TEST_CASE("Repaints after the first make no new off-screen bitmaps")
{
    SkinnedForm f(420, 300);
    std::vector<TWinControl*> controls;
    for (const Family& family : Families()) {
        TWinControl* c = family.Create(f);
        controls.push_back(c);
    }
    skintest::Pump(30);
    for (TWinControl* c : controls) f.Skin(c);
    RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    skintest::Pump(30);
    const int made = TOffscreenCache::Shared().BitmapsCreated();
    CHECK(made > 0);
    for (int i = 0; i < 3; ++i)
        RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    skintest::Pump(30);
    CHECK(TOffscreenCache::Shared().BitmapsCreated() == made);
}
