// The previewer's tab set, header and media player skinned by the real form
// skinner and driven with the real mouse (xdotool on the virtual display):
// header items light one at a time and go dark when the mouse leaves; a
// press on one player button and a release on another never reaches the
// player, a press and release on one button clicks it once, as unskinned;
// a click on a tab of the tab set selects it; a close box asks the form. And
// the previewer skinned has every family and its main menu.
#include <doctest.h>

#include <set>

#include "tests/RealInput.h"
#include "ControlSkinKit.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/MPlayer.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/TabSet.h"
#include "skin/controls/tabbars/SkinHeader.h"
#include "skin/controls/media/SkinMP.h"
#include "skin/controls/tabbars/SkinTab.h"
#include "skin/controls/media/WMediaPlayer.h"
#include "skin/window/FormChrome.h"
#include "skin/window/PopupSkinnerLink.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/WinSkinMenu.h"

using namespace tf;
using namespace ctltest;
using namespace tftest;

namespace {

constexpr POINT Away{1278, 1023};   // the display's corner, right of the previewer

// The frame of the header element each item shows on the screen.
std::vector<int> ScreenItemFrames(LiveSkinview& live, THeaderControl* header)
{
    TDataSkinObject& e = *live.view.form->SkinData1->SkinHeader;
    const RECT r = ScreenRectOf(header->Handle());
    auto screen = ScreenPixels(r);
    std::vector<int> frames;
    int left = 0;
    for (int i = 0; i < header->Sections()->Count(); ++i) {
        const int w = header->Sections()->Items(i)->Width();
        TBitmap item(w, r.bottom - r.top, pf24bit);
        BitBlt(item.Canvas()->Handle(), 0, 0, w, item.Height(), screen->Canvas()->Handle(), left, 0, SRCCOPY);
        double ratio = 0;
        const int frame = ShownFrame(item, e, e.FrameCount, 3, &ratio);
        frames.push_back(ratio > 0.97 ? frame : 0);
        left += w;
    }
    return frames;
}

POINT SectionCentre(THeaderControl* header, int index)
{
    const RECT r = ScreenRectOf(header->Handle());
    int left = r.left;
    for (int i = 0; i < index; ++i) left += header->Sections()->Items(i)->Width();
    return POINT{left + header->Sections()->Items(index)->Width() / 2, (r.top + r.bottom) / 2};
}

// The centre of visible button `index` (0-based among the visible ones).
POINT ButtonCentre(TMediaPlayer* player, int index)
{
    const RECT r = ScreenRectOf(player->Handle());
    const int w = (r.right - r.left) / 9;
    return POINT{r.left + index * w + w / 2, (r.top + r.bottom) / 2};
}

} // namespace

TEST_CASE("Hovering header items lights one item at a time; leaving the header clears it")
{
    LiveSkinview& live = SharedSkinview();
    auto* header = live.view.Find<THeaderControl>("HeaderE");
    REQUIRE(header);
    auto* skinner = dynamic_cast<TSkinHeader*>(live.SkinnerOf(header));
    REQUIRE(skinner);
    MoveTo(Away);
    CHECK(ScreenItemFrames(live, header) == std::vector<int>{1, 1, 1});

    MoveTo(SectionCentre(header, 0));
    CHECK(skinner->HotItem() == 0);
    CHECK(ScreenItemFrames(live, header) == std::vector<int>{2, 1, 1});
    MoveTo(SectionCentre(header, 2));
    CHECK(skinner->HotItem() == 2);
    CHECK(ScreenItemFrames(live, header) == std::vector<int>{1, 1, 2});
    MoveTo(SectionCentre(header, 1));
    CHECK(ScreenItemFrames(live, header) == std::vector<int>{1, 2, 1});
    Screenshot(SCREENSHOT_DIR "/skinview_header_hot.png");

    MoveTo(Away);
    CHECK(skintest::PumpUntil([&] { return skinner->HotItem() == -1; }, 1500));
    CHECK(ScreenItemFrames(live, header) == std::vector<int>{1, 1, 1});
    // The disabled header never lights.
    auto* disabled = live.view.Find<THeaderControl>("HeaderD");
    REQUIRE(disabled);
    MoveTo(SectionCentre(disabled, 0));
    CHECK(ScreenItemFrames(live, disabled) == std::vector<int>{1, 1, 1});
}

TEST_CASE("A press on one player button and a release on another never reaches the player; one button clicks once")
{
    LiveSkinview& live = SharedSkinview();
    const std::string clicks = live.view.form->PlayerClicks();
    auto* player = live.view.Find<TMediaPlayer>("PlayerE");
    REQUIRE(player);
    auto* skinner = dynamic_cast<TSkinMP*>(live.SkinnerOf(player));
    REQUIRE(skinner);
    REQUIRE(skinner->Panel());
    TWMediaPlayer& panel = *skinner->Panel();
    const POINT play = ButtonCentre(player, btPlay), stop = ButtonCentre(player, btStop), step = ButtonCentre(player, btStep);

    auto scenario = [&](bool skinned) {
        CAPTURE(skinned);
        HandlerRecorder recorder(player, {WM_LBUTTONDOWN, WM_LBUTTONUP});
        const std::string before = live.view.form->PlayerClicks();
        // Pressed on play, released over stop.
        MoveTo(play);
        LeftButton(true);
        if (skinned) CHECK(panel.PressedButton() == btPlay);
        MoveTo(stop);
        LeftButton(false);
        CHECK(live.view.form->PlayerClicks() == before);
        if (skinned) {
            CHECK(recorder.Log.Count(WM_LBUTTONDOWN) == 1);
            CHECK(recorder.Log.Count(WM_LBUTTONUP) == 0);
            CHECK_FALSE(panel.MouseIsDown());
            CHECK(panel.HitButton() == btStop);
        }
        // Pressed and released on step: one click of step.
        recorder.Log.Clear();
        Click(step);
        CHECK(live.view.form->PlayerClicks() == before + (before.empty() ? "" : ",") + "btStep");
        if (skinned) {
            CHECK_SEQUENCE(recorder.Log, {tftest::Called(WM_LBUTTONDOWN), tftest::Called(WM_LBUTTONUP)});
        }
        MoveTo(Away);
    };
    scenario(true);
    Screenshot(SCREENSHOT_DIR "/skinview_player.png");
    // Switched off the panel hides, and the player itself takes the mouse.
    SendMessageA(player->Handle(), SKM_SKINENABLE, 0, 0);
    REQUIRE_FALSE(panel.Visible());
    scenario(false);
    SendMessageA(player->Handle(), SKM_SKINENABLE, 1, 0);
    CHECK(live.view.form->PlayerClicks() == clicks + (clicks.empty() ? "" : ",") + "btStep,btStep");
}

TEST_CASE("A click on a tab of the skinned tab set selects it")
{
    LiveSkinview& live = SharedSkinview();
    auto* tabs = live.view.Find<TTabSet>("TabSetE");
    REQUIRE(tabs);
    REQUIRE(live.SkinnerOf(tabs));
    CHECK(live.SkinnerOf(tabs)->ClassName() == "TSkinTab31");
    CHECK(tabs->TabIndex() == 1);
    const RECT r = ScreenRectOf(tabs->Handle());
    for (int x = r.left; x < r.right; ++x) {
        POINT client = tabs->ScreenToClient(POINT{x, r.top + 5});
        if (tabs->TabAt(client.x, client.y) == 2) {
            Click(POINT{x + 10, r.top + 8});
            break;
        }
    }
    CHECK(tabs->TabIndex() == 2);
    MoveTo(Away);
    tabs->SetTabIndex(1);
}

TEST_CASE("A real click on a close box asks the previewer, which keeps the page \"Kept\" and frees the others")
{
    // The last case of the shared previewer: the pages it frees cannot be
    // put back, so the previewer goes with the case.
    LiveSkinview& live = SharedSkinview();
    auto* pages = live.view.Find<TPageControl>("PagesCloseE");
    REQUIRE(pages);
    auto* skinner = dynamic_cast<TSkinTab*>(live.SkinnerOf(pages));
    REQUIRE(skinner);
    REQUIRE(skinner->CloseButtons());
    REQUIRE(pages->PageCount() == 3);
    auto closeBox = [&](int tab) {
        const RECT& r = skinner->CloseRects().at(static_cast<size_t>(tab));
        return pages->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    Click(closeBox(1));
    CHECK(live.view.form->ClosedPages() == "Closable");
    REQUIRE(pages->PageCount() == 2);
    CHECK(pages->Pages(1)->Caption() == "Another");
    Click(closeBox(0));
    CHECK(pages->PageCount() == 2);
    CHECK(live.view.form->LabelEvent->Caption() == "Kept the page Kept");
    Screenshot(SCREENSHOT_DIR "/skinview_close_box.png");
    // The disabled page control takes no click.
    auto* disabled = live.view.Find<TPageControl>("PagesCloseD");
    auto* disabledSkinner = dynamic_cast<TSkinTab*>(live.SkinnerOf(disabled));
    REQUIRE(disabledSkinner);
    const RECT& r = disabledSkinner->CloseRects().at(1);
    Click(disabled->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}));
    CHECK(disabled->PageCount() == 3);
    MoveTo(Away);
    FreeSharedSkinview();
}

TEST_CASE("The skinned previewer has a skinner of every family and its main menu in the skin's menu band")
{
    // As the previewer runs: the chrome draws caption buttons and menu bar
    // (an engine of its own, so a fresh previewer).
    FreeSharedSkinview();
    LiveSkinview live(TSkinEngineParts{});
    TWinSkinForm* formSkinner = live.FormSkinner();
    REQUIRE(formSkinner);
    std::set<std::string> classes;
    TControlSkinnerList& list = formSkinner->ControlSkinners();
    for (int i = 0; i < list.Count(); ++i)
        if (auto* s = dynamic_cast<TSkinControl*>(list.Item(i))) classes.insert(s->ClassName());
    const char* const families[] = {
        "TSkinButton", "TSkinBitButton", "TSkinSpeedButton", "TSkinCheckBox", "TSkinRadioButton",   // buttons
        "TSkinScrollbar", "TSkinListView", "TSkinScControl",                                          // scroll bars
        "TSkinEdit", "TSkinComBox", "TSkinUpDown", "TSkinDateTime",                                   // edits
        "TSkinBox", "TSkinGroupBox", "TSkinStatusBar", "TSkinTabSheet",                               // containers
        "TSkinTab", "TSkinTabBtn", "TSkinTab31", "TSkinHeader", "TSkinProgress", "TSkinTrackBar",     // tabs, bars
        "TSkinMP",                                                                                    // player
    };
    for (const char* name : families) {
        CAPTURE(name);
        CHECK(classes.count(name) == 1);
    }
    REQUIRE(live.view.form->Menu());
    CHECK(formSkinner->MenuBarHeight() > 0);
    auto* chrome = dynamic_cast<TSkinChrome*>(formSkinner->Chrome());
    REQUIRE(chrome);
    REQUIRE(chrome->MenuBar());
    CHECK(chrome->MenuBar()->ItemCount() == live.view.form->Menu()->Items()->Count());
    CHECK(chrome->CaptionButtonCount() > 0);
    Screenshot(SCREENSHOT_DIR "/skinview_families.png");
}
