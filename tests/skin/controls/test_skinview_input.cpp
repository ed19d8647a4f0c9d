// The skin previewer skinned by the real form skinner and driven with real
// input (xdotool on the virtual display): button faces as the pointer moves
// and presses (read from the screen against the skin's frames), clicks
// raised once and only for a release on the button, the space key, check
// boxes and radio buttons clicked, the overlaid scroll bars scrolling as the
// system's do (arrows with auto-repeat, the thumb dragged), a skinner
// switched off with SKM_SKINENABLE behaving as the plain control, and a
// drop-down list's bar with the skinner's own thumb tracking. The previewer
// is built once for the cases that use it; each puts back what it changes.
#include <doctest.h>

#include "ControlSkinKit.h"
#include "framework/controls/Memo.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/ScrollBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Forms.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/controls/scrollbars/ComboxScrollBar.h"
#include "skin/controls/scrollbars/ScrollGeometry.h"
#include "skin/controls/scrollbars/ScrollbarPaint.h"
#include "skin/controls/scrollbars/SkinScControl.h"
#include "skin/controls/scrollbars/SkinScrollbar.h"
#include "skin/controls/scrollbars/WScrollbar.h"
#include "skin/draw/User32Entries.h"
#include "tests/RealInput.h"

using namespace tf;
using namespace ctltest;
using tftest::CallStep;
using tftest::Click;
using tftest::DownStep;
using tftest::Key;
using tftest::LeftButton;
using tftest::MoveStep;
using tftest::MoveTo;
using tftest::RunSteps;
using tftest::Screenshot;
using tftest::UpStep;
using tftest::WaitStep;

namespace {

constexpr POINT Away{1250, 1000};   // a point of the display no window covers

template <class T>
T* Get(LiveSkinview& live, const std::string& name)
{
    T* c = live.view.Find<T>(name);
    REQUIRE(c);
    return c;
}

int ScreenFace(LiveSkinview& live, TWinControl* c)
{
    auto picture = ScreenPixels(ScreenRectOf(c->Handle()));
    TDataSkinButton& face = *live.view.form->SkinData1->SkinButtons;
    double ratio = 0;
    const int frame = ShownFrame(*picture, face, face.FrameCount, 2, &ratio);
    return ratio > 0.97 ? frame : 0;
}

int ScreenCheck(LiveSkinview& live, TWinControl* c, bool radio)
{
    auto picture = ScreenPixels(ScreenRectOf(c->Handle()));
    TDataSkinButton& b = *live.view.form->SkinData1->SkinButtons;
    TBitmap& strip = radio ? *b.RadioBitmap : *b.CheckBitmap;
    return ShownStripFrame(*picture, 0, (c->ClientHeight() - strip.Height()) / 2, strip,
                           radio ? b.RadioFrameCount : b.CheckFrameCount);
}

int FirstLine(TMemo* memo) { return static_cast<int>(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }

} // namespace

TEST_CASE("Buttons under the real mouse: hot, pressed and default faces; one click per press and release on it")
{
    LiveSkinview& live = SharedSkinview();
    REQUIRE(live.FormSkinner());
    const int clicks = live.view.form->Clicks();
    auto* button = Get<TButton>(live, "ButtonE");
    auto* defaultButton = Get<TButton>(live, "DefaultButtonE");
    Get<TWinControl>(live, "GridE")->SetFocus();
    MoveTo(Away);
    CHECK(ScreenFace(live, button) == bfNormal);
    CHECK(ScreenFace(live, defaultButton) == bfFocused);   // Default, another control focused
    CHECK(ScreenFace(live, Get<TButton>(live, "ButtonD")) == bfDisabled);

    MoveTo(CentreOf(button->Handle()));
    CHECK(ScreenFace(live, button) == bfHot);
    LeftButton(true);
    CHECK(ScreenFace(live, button) == bfPressed);
    // Off the button and released elsewhere: no click, the press is gone.
    const RECT r = ScreenRectOf(button->Handle());
    MoveTo(POINT{r.left + 20, r.bottom + 40});
    // The leave notification may take the system's hover time to come.
    CHECK(skintest::PumpUntil([&] { return ScreenFace(live, button) == bfFocused; }, 1500));
    LeftButton(false);
    CHECK(live.view.form->Clicks() == clicks);
    CHECK(ScreenFace(live, defaultButton) == bfFocused);   // its Default property still counts

    // Pressed and released on it: exactly one click.
    Click(CentreOf(button->Handle()));
    CHECK(live.view.form->Clicks() == clicks + 1);
    CHECK(live.view.form->LabelEvent->Caption() == "Clicked: ButtonE (" + std::to_string(clicks + 1) + ")");
    // The space key clicks the focused button.
    REQUIRE(GetFocus() == button->Handle());
    Key("space", VK_SPACE);
    CHECK(live.view.form->Clicks() == clicks + 2);
    Screenshot(SCREENSHOT_DIR "/skinview_buttons.png");
}

TEST_CASE("Check boxes and radio buttons clicked with the real mouse show their new state from the skin")
{
    LiveSkinview& live = SharedSkinview();
    auto* box = Get<TCheckBox>(live, "CheckBoxE");
    auto* grayed = Get<TCheckBox>(live, "GrayedE");
    auto* one = Get<TRadioButton>(live, "RadioOneE");
    auto* two = Get<TRadioButton>(live, "RadioTwoE");
    MoveTo(Away);
    CHECK(ScreenCheck(live, box, false) == 1);
    CHECK(ScreenCheck(live, grayed, false) == 4);
    CHECK(ScreenCheck(live, one, true) == 2);
    Click(CentreOf(box->Handle()));
    CHECK(box->Checked());
    CHECK(ScreenCheck(live, box, false) == 2);
    Click(CentreOf(grayed->Handle()));
    CHECK(grayed->State() == cbChecked);
    CHECK(ScreenCheck(live, grayed, false) == 2);
    Click(CentreOf(two->Handle()));
    CHECK(two->Checked());
    CHECK(ScreenCheck(live, two, true) == 2);
    CHECK(ScreenCheck(live, one, true) == 1);
    CHECK(ScreenCheck(live, Get<TCheckBox>(live, "CheckedD"), false) == 4);
    // Clicking a disabled check box changes nothing.
    auto* disabled = Get<TCheckBox>(live, "CheckBoxD");
    Click(CentreOf(disabled->Handle()));
    CHECK_FALSE(disabled->Checked());
    Screenshot(SCREENSHOT_DIR "/skinview_checks.png");
    // As they were, for the next case.
    box->SetChecked(false);
    grayed->SetState(cbGrayed);
    one->SetChecked(true);
}

TEST_CASE("Overlaid scroll bars: arrows scroll with auto-repeat and show pressed, the thumb drags, hiding hides")
{
    LiveSkinview& live = SharedSkinview();
    auto* memo = Get<TMemo>(live, "MemoE");
    auto* skinner = dynamic_cast<TSkinScrollbar*>(live.SkinnerOf(memo));
    REQUIRE(skinner);
    TWScrollbar* bar = skinner->VertBar();
    REQUIRE(bar);
    REQUIRE(bar->Shown());
    CHECK_FALSE(skinner->HorzBar()->Shown());   // the memo has no horizontal bar
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    REQUIRE(QueryScrollBarInfo(memo->Handle(), OBJID_VSCROLL, info));
    const RECT over = ScreenRectOf(bar->Handle());
    CHECK(EqualRect(&over, &info.rcScrollBar));
    CHECK(GetWindow(bar->Handle(), GW_HWNDNEXT) == memo->Handle());   // directly above the memo

    // A click on the down arrow scrolls one line, as the system's own bar does.
    MoveTo(Away);
    const int arrow = bar->ArrowSize();
    const POINT down{(over.left + over.right) / 2, over.bottom - arrow / 2};
    SendMessageA(memo->Handle(), SKM_SKINENABLE, 0, 0);
    CHECK_FALSE(bar->Shown());
    int first = FirstLine(memo);
    RunSteps({MoveStep(down), DownStep(), UpStep()});
    const int systemLines = FirstLine(memo) - first;
    CHECK(systemLines == 1);
    SendMessageA(memo->Handle(), SKM_SKINENABLE, 1, 0);
    REQUIRE(bar->Shown());
    first = FirstLine(memo);
    RunSteps({MoveStep(down), DownStep(), UpStep()});
    CHECK(FirstLine(memo) - first == systemLines);

    // Held, it repeats; while held the arrow shows the pressed frame.
    std::unique_ptr<TBitmap> held;
    RunSteps({MoveStep(down), DownStep(), WaitStep(700),
              CallStep([&] { held = ScreenPixels(RECT{over.left, over.bottom - arrow, over.right, over.bottom}); }),
              UpStep()});
    CHECK(FirstLine(memo) > first + 3);
    TSkinData& data = *live.view.form->SkinData1;
    const int thickness = ScrollBarThickness(data, arrow);
    TBitmap pressed(thickness, arrow, pf24bit);
    DrawElementStretched(pressed.Canvas()->Handle(), RECT{0, 0, thickness, arrow}, *data.SkinScrollbar->Bitmap,
                         ArrowFrame(true, true, spSecondArrow, true), 23, false);
    int equal = 0, compared = 0;
    for (int y = 2; y < held->Height() - 2; ++y)
        for (int x = 2; x < std::min(thickness, held->Width()) - 2; ++x) {
            ++compared;
            equal += skintest::PixelAt(*held, x, y) == skintest::PixelAt(pressed, x, y);
        }
    CHECK(equal > compared * 9 / 10);
    CHECK_FALSE(bar->Pressed());

    // The thumb dragged down scrolls the memo.
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const int thumbAt = over.top + (bar->ThumbStart() + bar->ThumbEnd()) / 2;
    const int before = FirstLine(memo);
    RunSteps({MoveStep(POINT{down.x, thumbAt}), DownStep(), MoveStep(POINT{down.x, thumbAt + 15}),
              MoveStep(POINT{down.x, thumbAt + 30}), UpStep()});
    CHECK(FirstLine(memo) > before + 2);
    MoveTo(Away);
    Screenshot(SCREENSHOT_DIR "/skinview_scrolled.png");

    // Hiding the memo hides its overlays; showing it brings them back in place.
    memo->Hide();
    skintest::Pump(50);
    CHECK_FALSE(bar->Shown());
    CHECK_FALSE(IsWindowVisible(bar->Handle()));
    memo->Show();
    skintest::Pump(50);
    CHECK(bar->Shown());
    CHECK(IsWindowVisible(bar->Handle()));
    const RECT back = ScreenRectOf(bar->Handle());
    CHECK(EqualRect(&back, &over));
    SendMessageA(memo->Handle(), EM_LINESCROLL, 0, -FirstLine(memo));   // back to the top
}

TEST_CASE("Scroll bar controls: a tiny page gives the 8-pixel thumb that reaches both ends; Max = Min keeps it first")
{
    LiveSkinview& live = SharedSkinview();
    auto* tiny = Get<TScrollBar>(live, "TinyPageBarE");
    const int tinyPosition = tiny->Position();
    auto* skinner = dynamic_cast<TSkinScControl*>(live.SkinnerOf(tiny));
    REQUIRE(skinner);
    TWScrollbar* bar = skinner->Bar();
    REQUIRE(bar->Shown());
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(bar->ThumbStart() == bar->ArrowSize());
    CHECK(bar->ThumbEnd() - bar->ThumbStart() == 8);
    tiny->SetPosition(tiny->Max());
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(bar->ThumbEnd() == bar->BarLength() - bar->ArrowSize());

    auto* flat = Get<TScrollBar>(live, "FlatRangeBarE");
    TWScrollbar* flatBar = dynamic_cast<TSkinScControl*>(live.SkinnerOf(flat))->Bar();
    RedrawWindow(flatBar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(flatBar->ThumbStart() == flatBar->ArrowSize());

    // A press on the overlay's arrow moves the control as its own arrow would.
    auto* horz = Get<TScrollBar>(live, "HorzBarE");
    const int position = horz->Position();
    const RECT r = ScreenRectOf(horz->Handle());
    RunSteps({MoveStep(POINT{r.right - 5, (r.top + r.bottom) / 2}), DownStep(), UpStep()});
    CHECK(horz->Position() == position + 1);
    MoveTo(Away);
    horz->SetPosition(position);
    tiny->SetPosition(tinyPosition);
}

TEST_CASE("SKM_SKINENABLE 0: the button looks and behaves as the plain control until switched on")
{
    LiveSkinview& live = SharedSkinview();
    const int clicks = live.view.form->Clicks();
    auto* button = Get<TButton>(live, "ButtonE");
    MoveTo(Away);
    SendMessageA(button->Handle(), SKM_SKINENABLE, 0, 0);
    skintest::Pump(50);
    auto plain = PrintClient(button->Handle());   // the native button paints itself now
    auto shown = ScreenPixels(ScreenRectOf(button->Handle()));
    CHECK(skintest::DifferingPixels(*shown, 0, 0, *plain) == 0);
    // The native button takes the press and clicks on release.
    MoveTo(CentreOf(button->Handle()));
    CHECK(ScreenFace(live, button) == 0);   // no skin face, hot or not
    LeftButton(true);
    CHECK((SendMessageA(button->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0);
    LeftButton(false);
    CHECK(live.view.form->Clicks() == clicks + 1);
    MoveTo(Away);
    SendMessageA(button->Handle(), SKM_SKINENABLE, 1, 0);
    skintest::Pump(50);
    CHECK(ScreenFace(live, button) == bfFocused);
}

TEST_CASE("A drop-down list's scroll bar is drawn from the skin in its frame; its thumb drags by the skinner's own loop")
{
    FreeSharedSkinview();   // its form alone on the screen, as it is read from there
    std::unique_ptr<TSkinData> data = skintest::LightBlueSkin();
    TForm form(Application);
    form.SetBounds(100, 100, 320, 300);
    form.Show();
    TestHost host(data.get(), form.Handle());
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 10, 10,
                                160, 160, form.Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int i = 0; i < 60; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("Row " + std::to_string(i)).c_str()));
    auto* skinner = new TComboxScrollBar(&host);
    skinner->AttachWindow(list, data.get(), &host, nullptr);
    RedrawWindow(list, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    skintest::Pump(100);
    MoveTo(Away);

    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    REQUIRE(QueryScrollBarInfo(list, OBJID_VSCROLL, info));
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const RECT bar = info.rcScrollBar;
    auto shown = ScreenPixels(RECT{bar.left, bar.top, bar.right, bar.top + arrow});
    const int thickness = ScrollBarThickness(*data, arrow);
    TBitmap up(thickness, arrow, pf24bit);
    DrawElementStretched(up.Canvas()->Handle(), RECT{0, 0, thickness, arrow}, *data->SkinScrollbar->Bitmap, 9, 23, false);
    int equal = 0, compared = 0;
    for (int y = 2; y < arrow - 2; ++y)
        for (int x = 2; x < std::min(thickness, shown->Width()) - 2; ++x) {
            ++compared;
            equal += skintest::PixelAt(*shown, x, y) == skintest::PixelAt(up, x, y);
        }
    CHECK(equal > compared * 9 / 10);

    // The thumb: the skinner's loop scrolls as it is dragged, and ends with
    // the thumb position sent and the end posted (the system sends both).
    const int x = (bar.left + bar.right) / 2;
    const int thumb = bar.top + (info.xyThumbTop + info.xyThumbBottom) / 2;
    tftest::MessageLog log;
    log.Watch(list);
    RunSteps({MoveStep(POINT{x, thumb}), DownStep(), MoveStep(POINT{x, thumb + 20}), MoveStep(POINT{x, thumb + 40}), UpStep()});
    const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    CHECK(top > 5);
    std::vector<tftest::LoggedMessage> scrolls;
    for (const auto& m : log.Messages())
        if (m.Msg == WM_VSCROLL) scrolls.push_back(m);
    REQUIRE(scrolls.size() >= 3);
    for (size_t i = 0; i + 2 < scrolls.size(); ++i) {
        CHECK(scrolls[i].How == tftest::Via::Sent);
        CHECK(LOWORD(scrolls[i].WParam) == SB_THUMBTRACK);
    }
    CHECK(scrolls[scrolls.size() - 2].How == tftest::Via::Sent);
    CHECK(scrolls[scrolls.size() - 2].WParam == MAKEWPARAM(SB_THUMBPOSITION, top));
    CHECK(scrolls.back().How == tftest::Via::Posted);
    CHECK(scrolls.back().WParam == SB_ENDSCROLL);
    log.StopWatching();
    CHECK(GetCapture() != list);
    // An arrow is the list's own: one row.
    RunSteps({MoveStep(POINT{x, bar.top + arrow / 2}), DownStep(), UpStep()});
    CHECK(SendMessageA(list, LB_GETTOPINDEX, 0, 0) == top - 1);
    MoveTo(Away);
    DestroyWindow(list);
    host.Skinners().DropDestroyed();
}
