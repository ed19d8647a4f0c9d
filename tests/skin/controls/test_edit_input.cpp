// The edit family under real input (xdotool on the virtual display): a combo
// button's hot and pressed frames following the pointer, the dropped list
// drawn from the skin and closed by Escape, typing into an edit and a combo
// giving the same ordered messages, text, caret, selection and undo skinned
// as unskinned, and a click on the date picker's arrow window opening the
// calendar as a click on the picker's own button does.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>

#include <set>

#include "EditSkinKit.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Memo.h"
#include "skin/controls/edits/ArrowButton.h"
#include "skin/controls/scrollbars/ComboxScrollBar.h"
#include "skin/controls/scrollbars/ScrollGeometry.h"
#include "skin/controls/scrollbars/ScrollbarPaint.h"
#include "skin/controls/edits/SkinComBox.h"
#include "skin/controls/edits/SkinDateTime.h"
#include "skin/draw/User32Entries.h"
#include "tests/RealInput.h"

using namespace tf;
using namespace ctltest;
using namespace edittest;
using namespace tftest;

namespace {

constexpr POINT Away{1250, 1000};   // a point of the display no window covers

// The frame of the combo composite the screen shows.
int ScreenComboFrame(TSkinData& data, HWND combo)
{
    auto picture = ScreenPixels(ScreenRectOf(combo));
    for (int frame = 1; frame <= 4; ++frame) {
        TDataSkinBorder& e = *data.SkinComboButton;
        auto want = ComposeElement(RECT{0, 0, picture->Width(), picture->Height()}, *e.Bitmap, e.Margins, frame,
                                   e.FrameCount, e.Tile != 0, false);
        if (MatchRatio(*picture, *want, RECT{0, 0, picture->Width(), picture->Height()}) > 0.97) return frame;
    }
    return 0;
}

bool Dropped(HWND combo) { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

// What typing does to an edit: the messages of interest in order, and the
// edit's text, selection, caret and undo state after.
struct Typed {
    tftest::MessageLog log;
    std::string text;
    DWORD selStart = 0, selEnd = 0;
    POINT caret{};
    bool canUndo = false;
};

void TypeInto(HWND edit, const std::vector<HWND>& watched, Typed& out)
{
    SetFocus(edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    PumpMessages(100);
    for (HWND w : watched) out.log.Watch(w);
    XdoTool("type --delay 30 abc");
    PumpMessages(500);
    Key("BackSpace", VK_BACK);
    XdoTool("type --delay 30 de");
    PumpMessages(400);
    Key("shift+Left", VK_LEFT);
    Key("shift+Left", VK_LEFT);
    Key("ctrl+z", 'Z');
    out.log.StopWatching();
    char buffer[64] = {};
    GetWindowTextA(edit, buffer, sizeof buffer);
    out.text = buffer;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&out.selStart), reinterpret_cast<LPARAM>(&out.selEnd));
    GetCaretPos(&out.caret);
    out.canUndo = SendMessageA(edit, EM_CANUNDO, 0, 0) != 0;
}

// The unskinned run's messages as the sequence the skinned run must show.
std::vector<tftest::Expect> AsExpected(const tftest::MessageLog& log, const std::set<UINT>& interest)
{
    std::vector<tftest::Expect> expected;
    for (const tftest::LoggedMessage& m : log.Messages()) {
        if (!interest.count(m.Msg)) continue;
        tftest::Expect e;
        e.Msg = m.Msg;
        e.How = m.How;
        e.WParam = m.WParam;
        e.LParam = m.LParam;
        e.Window = m.Window;
        expected.push_back(e);
    }
    return expected;
}

} // namespace

TEST_CASE("Combo boxes under the real mouse: hot and pressed frames, the dropped list skinned and closed by Escape")
{
    LiveSkinview live;
    TSkinData& data = *live.view.form->SkinData1;
    auto* combo = Get<TComboBox>(live.view, "ComboListE");
    auto* skinner = dynamic_cast<TSkinComBox*>(live.SkinnerOf(combo));
    REQUIRE(skinner);
    HWND w = combo->Handle();
    Get<TWinControl>(live.view, "ButtonE")->SetFocus();
    MoveTo(Away);
    CHECK(ScreenComboFrame(data, w) == 1);

    const RECT r = ScreenRectOf(w);
    const RECT button = skinner->ButtonRect();
    // Over the text part the button is not lit; over the button it is.
    MoveTo(POINT{r.left + 10, (r.top + r.bottom) / 2});
    CHECK_FALSE(skinner->ButtonHot());
    CHECK(ScreenComboFrame(data, w) == 1);
    const POINT onButton{r.left + (button.left + button.right) / 2, r.top + (button.top + button.bottom) / 2};
    MoveTo(onButton);
    CHECK(skinner->ButtonHot());
    CHECK(ScreenComboFrame(data, w) == 4);

    // Pressed: the pressed frame while the button is down; the list drops.
    std::unique_ptr<TBitmap> held;
    RunSteps({DownStep(), WaitStep(300), CallStep([&] { held = ScreenPixels(r); }), UpStep()});
    TDataSkinBorder& e = *data.SkinComboButton;
    auto pressed = ComposeElement(RECT{0, 0, held->Width(), held->Height()}, *e.Bitmap, e.Margins, 2, e.FrameCount,
                                  e.Tile != 0, false);
    CHECK(MatchRatio(*held, *pressed, RECT{0, 0, held->Width(), held->Height()}) > 0.97);
    REQUIRE(Dropped(w));
    CHECK_FALSE(skinner->ButtonPressed());   // released: the press is over

    // The dropped list's scroll bar is the skin's: its up arrow is frame 9
    // of the arrow strip, stretched to the bar's width.
    REQUIRE(skinner->ListBar());
    HWND list = skinner->ListBar()->Handle();
    CHECK(IsWindowVisible(list));
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    REQUIRE(QueryScrollBarInfo(list, OBJID_VSCROLL, bar));
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int thickness = std::min<int>(ScrollBarThickness(data, arrow), bar.rcScrollBar.right - bar.rcScrollBar.left);
    auto shown = ScreenPixels(RECT{bar.rcScrollBar.left, bar.rcScrollBar.top, bar.rcScrollBar.left + thickness,
                                   bar.rcScrollBar.top + arrow});
    TBitmap up(thickness, arrow, pf24bit);
    TSkinControl::FillSolid(up.Canvas()->Handle(), RECT{0, 0, thickness, arrow}, data.FColors[SkinColor::ButtonFace]);
    DrawElementStretched(up.Canvas()->Handle(), RECT{0, 0, ScrollBarThickness(data, arrow), arrow},
                         *data.SkinScrollbar->Bitmap, ArrowFrame(true, false, spNone, false), 23, true);
    CHECK(MatchRatio(*shown, up, RECT{0, 0, thickness, arrow}) > 0.95);
    Screenshot(SCREENSHOT_DIR "/edits_combo_dropped.png");

    // Escape closes the list; the pointer gone, the button is plain again.
    Key("Escape", VK_ESCAPE);
    CHECK_FALSE(Dropped(w));
    CHECK_FALSE(IsWindowVisible(list));
    MoveTo(Away);
    CHECK(skintest::PumpUntil([&] { return !skinner->ButtonHot(); }, 1500));
    Get<TWinControl>(live.view, "ButtonE")->SetFocus();
    PumpMessages(100);
    CHECK(ScreenComboFrame(data, w) == 1);

    // Pressed on the button and dragged into the list: the release picks an
    // item there and closes the list; the button is no longer pressed.
    const int before = static_cast<int>(SendMessageA(w, CB_GETCURSEL, 0, 0));
    MoveTo(onButton);
    RunSteps({DownStep(), WaitStep(200), MoveStep(POINT{r.left + 20, r.bottom + 30}), WaitStep(200),
              MoveStep(POINT{r.left + 20, r.bottom + 40}), WaitStep(200), UpStep()});
    PumpMessages(200);
    REQUIRE_FALSE(Dropped(w));
    CHECK(SendMessageA(w, CB_GETCURSEL, 0, 0) != before);
    CHECK_FALSE(skinner->ButtonPressed());
    MoveTo(Away);
    Get<TWinControl>(live.view, "ButtonE")->SetFocus();
    CHECK(skintest::PumpUntil([&] { return ScreenComboFrame(data, w) == 1; }, 1500));
}

TEST_CASE("Typing into a skinned edit and combo: the same messages, text, caret, selection and undo as unskinned")
{
    LiveSkinview live;
    auto* edit = Get<TEdit>(live.view, "EditE");
    auto* combo = Get<TComboBox>(live.view, "ComboDropDownE");
    HWND comboEdit = GetWindow(combo->Handle(), GW_CHILD);
    REQUIRE(comboEdit);
    const std::set<UINT> interest{WM_KEYDOWN, WM_KEYUP, WM_CHAR, WM_COMMAND, WM_SETTEXT, EM_SETSEL};
    struct Target {
        HWND window;
        std::vector<HWND> watched;
    };
    const Target targets[] = {
        {edit->Handle(), {edit->Handle(), edit->Parent()->Handle()}},
        {comboEdit, {comboEdit, combo->Handle(), combo->Parent()->Handle()}},
    };
    Typed skinned[2], plain[2];
    for (int i = 0; i < 2; ++i) TypeInto(targets[i].window, targets[i].watched, skinned[i]);
    live.RunAction(TSkinAction::Unskin);   // skinning off
    REQUIRE_FALSE(live.FormSkinner());
    for (int i = 0; i < 2; ++i) TypeInto(targets[i].window, targets[i].watched, plain[i]);
    for (int i = 0; i < 2; ++i) {
        CAPTURE(i);
        CHECK_FALSE(plain[i].text.empty());
        CHECK(skinned[i].text == plain[i].text);
        CHECK(skinned[i].selStart == plain[i].selStart);
        CHECK(skinned[i].selEnd == plain[i].selEnd);
        CHECK(skinned[i].caret.x == plain[i].caret.x);
        CHECK(skinned[i].caret.y == plain[i].caret.y);
        CHECK(skinned[i].canUndo == plain[i].canUndo);
        CHECK(plain[i].log.Count(WM_CHAR) >= 6);
        CHECK_SEQUENCE(skinned[i].log, AsExpected(plain[i].log, interest), &interest);
    }
}

TEST_CASE("Clicking the date picker's arrow window opens the calendar as a click on the picker's own button does")
{
    LiveSkinview live;
    auto* picker = Get<TDateTimePicker>(live.view, "DatePickerE");
    auto* skinner = dynamic_cast<TSkinDateTime*>(live.SkinnerOf(picker));
    REQUIRE(skinner);
    TArrowButton* arrow = skinner->Arrow();
    REQUIRE(arrow);
    HWND a = arrow->Handle();
    const POINT at = CentreOf(a);
    const auto calendarOpen = [&] {
        HWND calendar = picker->CalendarWindow();
        return calendar && IsWindowVisible(calendar);
    };
    MoveTo(Away);
    REQUIRE_FALSE(calendarOpen());

    // Unskinned: the arrow window is hidden; the picker's own button opens it.
    SendMessageA(picker->Handle(), SKM_SKINENABLE, 0, 0);
    CHECK_FALSE(IsWindowVisible(a));
    CHECK(WindowFromPoint(at) == picker->Handle());
    Click(at);
    CHECK(skintest::PumpUntil(calendarOpen, 1500));
    // A second click on the button closes it; a third opens it again.
    Click(at);
    PumpMessages(400);
    CHECK_FALSE(calendarOpen());
    Click(at);
    CHECK(skintest::PumpUntil(calendarOpen, 1500));
    // A click on the picker's date closes it again (the calendar goes with the focus).
    const RECT whole = ScreenRectOf(picker->Handle());
    const POINT date{whole.left + 12, (whole.top + whole.bottom) / 2};
    Click(date);
    CHECK(skintest::PumpUntil([&] { return !calendarOpen(); }, 1500));

    // Skinned: the click lands on the arrow window and opens it the same way.
    SendMessageA(picker->Handle(), SKM_SKINENABLE, 1, 0);
    PumpMessages(100);
    CHECK(IsWindowVisible(a));
    CHECK(WindowFromPoint(at) == a);
    Click(at);
    CHECK(skintest::PumpUntil(calendarOpen, 1500));
    Screenshot(SCREENSHOT_DIR "/edits_calendar.png");
    Click(at);
    PumpMessages(400);
    CHECK_FALSE(calendarOpen());
    Click(at);
    CHECK(skintest::PumpUntil(calendarOpen, 1500));
    Click(date);
    CHECK(skintest::PumpUntil([&] { return !calendarOpen(); }, 1500));
    CHECK(GetFocus() == picker->Handle());
}
