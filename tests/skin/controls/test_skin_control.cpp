// The skinner framework on real windows: attaching to a control object or a
// bare window and giving back exactly what was replaced, the routing of
// SKM_SKINENABLE and SKM_QUERYSKINNED, the window's end, paint failures, and
// the shared routines (window text, disabled glyphs).
#include <doctest.h>

#include <stdexcept>

#include "ControlSkinKit.h"
#include "framework/controls/Forms.h"
#include "framework/controls/StdCtrls.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/window/PaintFailure.h"

using namespace tf;
using namespace ctltest;
using skintest::PixelAt;
using tftest::Called;

namespace {

struct FormFixture : SkinnedForm {
    FormFixture() : SkinnedForm(320, 200) {}
};

// Records what reaches a control under its skinner: installed before the
// skinner, so the skinner hands on to it.
using Recorder = tftest::THandlerRecorder;

// A skinner whose drawing fails.
class FailingSkinner : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void DrawControl(HDC, const RECT&) override
    {
        ++draws;
        throw std::runtime_error("broken element");
    }
    int draws = 0;
};

std::string gReported;
void RecordReport(const std::string& what) { gReported = what; }

} // namespace

TEST_CASE("Attach takes over WindowProc and colour; destroying the skinner gives both back exactly")
{
    FormFixture f;
    auto* button = f.Make<TButton>(10, 10, 90, 28);
    button->SetParentColor(true);
    const TColor before = button->Color();
    const TWndMethod handler = button->WindowProc;

    auto* skinner = new TSkinButton(button);
    skinner->Attach(f.host.get(), f.data.get(), true, nullptr);
    CHECK(button->WindowProc != handler);
    CHECK(button->Color() == f.data->FColors[SkinColor::ButtonFace]);
    CHECK(skinner->Attached());
    CHECK(skinner->SkinnerState() == TSkinnerState::Attached);
    CHECK(f.host->Skinners().Count() == 1);

    // Attaching again changes nothing.
    skinner->Attach(f.host.get(), f.data.get(), true, nullptr);
    CHECK(f.host->Skinners().Count() == 1);

    delete skinner;
    CHECK(button->WindowProc == handler);
    CHECK(button->Color() == before);
    CHECK(button->ParentColor());
    CHECK(f.host->Skinners().Count() == 0);
}

TEST_CASE("Unskin passes everything on and gives the colour back; the handler stays until destruction")
{
    FormFixture f;
    auto* check = f.Make<TCheckBox>(10, 10, 120, 22);
    check->SetColor(clYellow);
    Recorder rec(check);
    auto* skinner = new TSkinButton(check);
    skinner->Attach(f.host.get(), f.data.get(), true, nullptr);
    CHECK(check->Color() == f.data->FColors[SkinColor::ButtonFace]);

    skinner->Unskin();
    CHECK_FALSE(skinner->Active());
    CHECK(check->Color() == clYellow);
    CHECK(check->WindowProc != rec.Handler());   // still the skinner's
    rec.Log.Clear();
    CHECK(check->Perform(SKM_QUERYSKINNED) == 0);
    CHECK(rec.Log.Count(SKM_QUERYSKINNED) == 1);
    delete skinner;
    CHECK(check->WindowProc == rec.Handler());
    rec.Restore();
}

TEST_CASE("SKM_QUERYSKINNED answers 1 without reaching the control; SKM_SKINENABLE switches without detaching")
{
    FormFixture f;
    auto* button = f.Make<TButton>(10, 10, 90, 28);
    Recorder rec(button);
    auto* skinner = new TSkinButton(button);
    skinner->Attach(f.host.get(), f.data.get(), false, nullptr);
    HWND w = button->Handle();
    skintest::Pump(50);

    rec.Log.Clear();
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) == 1);
    // Skinned, the control never sees the left button go down (the skinner
    // raises the click itself on release).
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(w, WM_MOUSELEAVE, 0, 0);
    CHECK(rec.Log.Count(SKM_QUERYSKINNED) == 0);
    CHECK(rec.Log.Count(WM_LBUTTONDOWN) == 0);
    CHECK(rec.Log.Count(WM_MOUSELEAVE) == 1);

    // Off: the message itself never reaches the control, everything after does.
    rec.Log.Clear();
    SendMessageA(w, SKM_SKINENABLE, 0, 0);
    CHECK_FALSE(skinner->Active());
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) == 0);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    const std::set<UINT> interest{SKM_SKINENABLE, SKM_QUERYSKINNED, WM_LBUTTONDOWN, WM_LBUTTONUP};
    CHECK_SEQUENCE(rec.Log, {Called(SKM_QUERYSKINNED), Called(WM_LBUTTONDOWN), Called(WM_LBUTTONUP)}, &interest);

    // On again, with a positive wParam only.
    SendMessageA(w, SKM_SKINENABLE, static_cast<WPARAM>(-1), 0);
    CHECK_FALSE(skinner->Active());
    SendMessageA(w, SKM_SKINENABLE, 1, 0);
    CHECK(skinner->Active());
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) == 1);
    CHECK(rec.Log.Count(SKM_SKINENABLE) == 0);
    delete skinner;
    rec.Restore();
}

TEST_CASE("SKM_SKINENABLE 0 gives the control its own look until it is switched on again")
{
    FormFixture f;
    auto* button = f.Make<TButton>(10, 10, 90, 28);
    button->SetCaption("Look");
    skintest::Pump(50);
    auto own = PrintClient(button->Handle());
    auto* skinner = new TSkinButton(button);
    skinner->Attach(f.host.get(), f.data.get(), false, nullptr);
    auto skinned = PrintClient(button->Handle());
    CHECK(skintest::DifferingPixels(*skinned, 0, 0, *own) > 100);

    SendMessageA(button->Handle(), SKM_SKINENABLE, 0, 0);
    auto off = PrintClient(button->Handle());
    CHECK(skintest::DifferingPixels(*off, 0, 0, *own) == 0);

    SendMessageA(button->Handle(), SKM_SKINENABLE, 1, 0);
    auto on = PrintClient(button->Handle());
    CHECK(skintest::DifferingPixels(*on, 0, 0, *skinned) == 0);
    delete skinner;
}

TEST_CASE("AttachWindow subclasses a bare window with a thunk and puts its procedure back, ANSI and wide")
{
    FormFixture f;
    for (bool wide : {false, true}) {
        CAPTURE(wide);
        HWND button = wide ? CreateWindowExW(0, L"BUTTON", L"按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 28,
                                             f.form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr)
                           : CreateWindowExA(0, "BUTTON", "Bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 90, 28,
                                             f.form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        REQUIRE(button);
        const LONG_PTR proc = wide ? GetWindowLongPtrW(button, GWLP_WNDPROC) : GetWindowLongPtrA(button, GWLP_WNDPROC);
        auto* skinner = new TSkinButton(f.host.get());
        skinner->AttachWindow(button, f.data.get(), f.host.get(), nullptr);
        CHECK(skinner->Handle() == button);
        CHECK(skinner->WindowText() == (wide ? L"按钮" : L"Bare"));
        CHECK((wide ? GetWindowLongPtrW(button, GWLP_WNDPROC) : GetWindowLongPtrA(button, GWLP_WNDPROC)) != proc);
        CHECK(SendMessageA(button, SKM_QUERYSKINNED, 0, 0) == 1);
        // Text goes through the previous procedure in the window's own form.
        SetWindowTextW(button, L"改名");
        CHECK(GetWindowTextWide(button) == L"改名");

        delete skinner;
        CHECK((wide ? GetWindowLongPtrW(button, GWLP_WNDPROC) : GetWindowLongPtrA(button, GWLP_WNDPROC)) == proc);
        CHECK(IsWindowUnicode(button) == (wide ? TRUE : FALSE));
        CHECK(SendMessageA(button, SKM_QUERYSKINNED, 0, 0) == 0);
        DestroyWindow(button);
    }
}

namespace {
// A bare window's procedure installed after its skinner's.
WNDPROC gLaterSaved = nullptr;
int gLaterCalls = 0;
LRESULT CALLBACK LaterProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ++gLaterCalls;
    return CallWindowProcA(gLaterSaved, window, msg, wParam, lParam);
}
} // namespace

TEST_CASE("A control subclassed again after its skinner keeps the later handler working when the skinners go")
{
    FormFixture f;
    // A control object: its WindowProc replaced after the skinner's.
    auto* button = f.Make<TButton>(10, 10, 90, 28);
    const TColor colour = button->Color();
    auto* skinner = new TSkinButton(button);
    skinner->Attach(f.host.get(), f.data.get(), true, nullptr);
    Recorder later(button);
    // A bare window: its procedure replaced after the skinner's thunk.
    HWND bare = CreateWindowExA(0, "BUTTON", "Bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 110, 10, 90, 28,
                                f.form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    REQUIRE(bare);
    const LONG_PTR bareProc = GetWindowLongPtrA(bare, GWLP_WNDPROC);
    (new TSkinButton(f.host.get()))->AttachWindow(bare, f.data.get(), f.host.get(), nullptr);
    gLaterSaved = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(bare, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
    gLaterCalls = 0;

    f.host->Skinners().FreeAll();
    CHECK(f.host->Skinners().Count() == 0);
    // The later handlers stay in place and still reach the controls, which
    // answer as unskinned ones.
    CHECK(button->WindowProc == later.Handler());
    CHECK(button->Color() == colour);
    later.Log.Clear();
    CHECK(SendMessageA(button->Handle(), SKM_QUERYSKINNED, 0, 0) == 0);
    CHECK(later.Log.Count(SKM_QUERYSKINNED) == 1);
    CHECK(GetWindowLongPtrA(bare, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&LaterProc));
    CHECK(SendMessageA(bare, SKM_QUERYSKINNED, 0, 0) == 0);
    CHECK(gLaterCalls >= 1);
    char text[16] = {};
    CHECK(SendMessageA(bare, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)) == 4);
    // The later handlers go as they came: what they saved still works.
    later.Restore();
    SetWindowTextA(button->Handle(), "Again");
    CHECK(button->Caption() == "Again");
    CHECK(SendMessageA(button->Handle(), SKM_QUERYSKINNED, 0, 0) == 0);
    SetWindowLongPtrA(bare, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gLaterSaved));
    CHECK(SendMessageA(bare, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)) == 4);
    CHECK(CallWindowProcA(reinterpret_cast<WNDPROC>(bareProc), bare, SKM_QUERYSKINNED, 0, 0) == 0);
    DestroyWindow(bare);
}

TEST_CASE("The window's end leaves the skinner in state 6, unskinned, and the host drops it")
{
    FormFixture f;
    auto* button = f.Make<TButton>(10, 10, 90, 28);
    button->SetColor(clAqua);
    auto* skinner = new TSkinButton(button);
    skinner->Attach(f.host.get(), f.data.get(), true, nullptr);
    HWND bare = CreateWindowExA(0, "BUTTON", "Bare", WS_CHILD | WS_VISIBLE, 10, 50, 90, 28, f.form->Handle(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    auto* windowSkinner = new TSkinButton(f.host.get());
    windowSkinner->AttachWindow(bare, f.data.get(), f.host.get(), nullptr);

    DestroyWindow(bare);
    CHECK(windowSkinner->SkinnerState() == TSkinnerState::WindowDestroyed);
    CHECK_FALSE(windowSkinner->Active());
    f.host->Skinners().DropDestroyed();   // frees it: nothing to put back into a dead window
    CHECK(f.host->Skinners().Count() == 1);

    button->RecreateWnd();   // the old window ends under the skinner
    CHECK(skinner->SkinnerState() == TSkinnerState::WindowDestroyed);
    CHECK(button->Color() == f.data->FColors[SkinColor::ButtonFace]);   // no colour given back to a dead window
    f.host->Skinners().DropDestroyed();
    CHECK(f.host->Skinners().Count() == 0);
}

TEST_CASE("A skinner that fails while painting gives the control its own painting, reports once, and tries again with a new skin")
{
    FormFixture f;
    SetPaintFailureReporter(&RecordReport);
    ResetPaintFailureReport();
    gReported.clear();
    auto* button = f.Make<TButton>(10, 10, 90, 28);
    button->SetCaption("Probe");
    skintest::Pump(50);
    auto own = PrintClient(button->Handle());
    auto* skinner = new FailingSkinner(button);
    skinner->Attach(f.host.get(), f.data.get(), false, nullptr);
    InvalidateRect(button->Handle(), nullptr, TRUE);
    UpdateWindow(button->Handle());
    CHECK_FALSE(skinner->Active());
    CHECK(gReported.find("broken element") != std::string::npos);
    // The report names the control's window: its class and its caption.
    CHECK(gReported.find("Button \"Probe\"") != std::string::npos);
    gReported.clear();
    UpdateWindow(button->Handle());
    CHECK(gReported.empty());
    auto after = PrintClient(button->Handle());
    CHECK(skintest::DifferingPixels(*after, 0, 0, *own) == 0);
    // A new skin is tried: the skinner paints again (and fails again here).
    const int drawsBefore = skinner->draws;
    skinner->SkinChanged();
    UpdateWindow(button->Handle());
    CHECK(skinner->draws > drawsBefore);
    delete skinner;
    SetPaintFailureReporter(nullptr);
}

TEST_CASE("Disabled glyphs are embossed from the glyph's black")
{
    TBitmap glyph(4, 3, pf24bit);
    glyph.Canvas()->Brush()->SetColor(clWhite);
    glyph.Canvas()->FillRect(RECT{0, 0, 4, 3});
    glyph.Canvas()->SetPixel(1, 1, clBlack);
    glyph.Canvas()->SetPixel(2, 0, clRed);   // not black: not part of the shape
    auto disabled = MakeDisabledGlyph(glyph);
    REQUIRE(disabled->Width() == 4);
    REQUIRE(disabled->Height() == 3);
    const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    CHECK(PixelAt(*disabled, 1, 1) == shadow);
    CHECK(PixelAt(*disabled, 2, 2) == light);
    CHECK(PixelAt(*disabled, 2, 0) == face);
    CHECK(PixelAt(*disabled, 0, 0) == face);
    CHECK(PixelAt(*disabled, 3, 2) == face);
}
