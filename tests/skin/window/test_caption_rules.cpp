// Caption-button arithmetic: the visibility table with its corrections by
// action, layout by alignment, the frame drawn per state, what each action
// does and the hint it shows.
#include <doctest.h>

#include <string>
#include <vector>

#include "skin/window/CaptionButtonRules.h"

using namespace tf;
using namespace tf::caption;

namespace {

TWindowFacts Sizeable()
{
    TWindowFacts f;
    f.MinimizeBox = f.MaximizeBox = f.SystemMenu = true;
    return f;
}

} // namespace

TEST_CASE("each visibility code answers from the window's state, for both operands")
{
    struct Row {
        const char* what;
        int code;
        TWindowFacts facts;
        bool first, second;
    };
    TWindowFacts maximised = Sizeable();
    maximised.Maximized = true;
    TWindowFacts inactive = Sizeable();
    inactive.Active = false;
    TWindowFacts noSysMenu = Sizeable();
    noSysMenu.SystemMenu = false;
    TWindowFacts noBoxes;
    noBoxes.SystemMenu = true;
    TWindowFacts help = noBoxes;
    help.ContextHelp = true;
    TWindowFacts helpAndBoxes = Sizeable();
    helpAndBoxes.ContextHelp = true;
    TWindowFacts mdiBand = Sizeable();
    mdiBand.MDIChildMaximizedOnMenuBar = true;
    TWindowFacts dialogFrame = Sizeable();
    dialogFrame.FrameKind = 3;
    TWindowFacts dialogClass = dialogFrame;
    dialogClass.DialogClass = true;
    const std::vector<Row> rows = {
        {"-1 never", -1, Sizeable(), false, false},
        {"0 always", 0, Sizeable(), true, true},
        {"1 maximised", 1, maximised, true, true},
        {"1 normal", 1, Sizeable(), false, false},
        {"2 not maximised", 2, Sizeable(), true, true},
        {"2 maximised", 2, maximised, false, false},
        {"3 active", 3, Sizeable(), true, true},
        {"3 inactive", 3, inactive, false, false},
        {"4 inactive", 4, inactive, true, true},
        {"5 never", 5, Sizeable(), false, false},
        {"6 boxes and system menu", 6, Sizeable(), true, true},
        {"6 boxes without system menu", 6, noSysMenu, false, true},
        {"6 no boxes", 6, noBoxes, false, false},
        {"8 like 6", 8, noSysMenu, false, true},
        {"7 no maximise box", 7, noBoxes, true, true},
        {"7 with maximise box", 7, Sizeable(), false, false},
        {"9 no minimise box", 9, noBoxes, true, true},
        {"10 help alone", 10, help, true, true},
        {"10 help with boxes", 10, helpAndBoxes, false, true},
        {"10 no help", 10, Sizeable(), false, false},
        {"100 maximised MDI child on the band", 100, mdiBand, true, true},
        {"100 otherwise", 100, Sizeable(), false, false},
        {"200 dialog frame of a form", 200, dialogFrame, true, true},
        {"200 dialog box class", 200, dialogClass, false, false},
        {"200 sizeable", 200, Sizeable(), false, false},
        {"201 always", 201, Sizeable(), true, true},
        {"999 always", 999, Sizeable(), true, true},
        {"2001 never", 2001, Sizeable(), false, false},
        {"11 never", 11, Sizeable(), false, false},
    };
    for (const Row& r : rows) {
        CAPTURE(r.what);
        CHECK(VisibilityOperand(r.code, true, r.facts, nullptr) == r.first);
        CHECK(VisibilityOperand(r.code, false, r.facts, nullptr) == r.second);
    }
}

TEST_CASE("codes 1000 to 2000 ask the window, only for the first operand and only for those codes")
{
    std::vector<int> asked;
    TQueryButton yes = [&](int code) { asked.push_back(code); return 1; };
    TQueryButton no = [&](int code) { asked.push_back(code); return 0; };
    CHECK(VisibilityOperand(1000, true, Sizeable(), yes));
    CHECK_FALSE(VisibilityOperand(2000, true, Sizeable(), no));
    CHECK(VisibilityOperand(1500, false, Sizeable(), no));   // the second operand is always true
    CHECK(VisibilityOperand(0, true, Sizeable(), no));
    CHECK_FALSE(VisibilityOperand(2001, true, Sizeable(), yes));
    CHECK(asked == std::vector<int>{1000, 2000});
    // Both operands combine: a custom first code refused hides the button.
    CHECK_FALSE(ButtonState(50, 1200, 0, Sizeable(), no).Visible);
    CHECK(ButtonState(50, 1200, 0, Sizeable(), yes).Visible);
}

TEST_CASE("corrections by action: close needs a system menu, boxes enable their buttons, no icon on dialog frames")
{
    TWindowFacts noSysMenu = Sizeable();
    noSysMenu.SystemMenu = false;
    CHECK_FALSE(ButtonState(action::Close, 0, 0, noSysMenu, nullptr).Visible);
    CHECK(ButtonState(action::Close, 0, 0, Sizeable(), nullptr).Visible);

    // A maximise button whose codes say "shown" stays visible without its box, but disabled.
    TWindowFacts noMax = Sizeable();
    noMax.MaximizeBox = false;
    TButtonState max = ButtonState(action::Maximize, 0, 0, noMax, nullptr);
    CHECK(max.Visible);
    CHECK_FALSE(max.Enabled);
    CHECK(ButtonState(action::Maximize, 0, 0, Sizeable(), nullptr).Enabled);
    CHECK_FALSE(ButtonState(action::Maximize, 0, 0, noSysMenu, nullptr).Enabled);
    TWindowFacts noMin = Sizeable();
    noMin.MinimizeBox = false;
    CHECK_FALSE(ButtonState(action::Minimize, 0, 0, noMin, nullptr).Enabled);
    CHECK(ButtonState(action::Minimize, 0, 0, noMax, nullptr).Enabled);

    TWindowFacts dialog = Sizeable();
    dialog.FrameKind = 3;
    for (int a : {action::Icon, action::IconAlt, action::SystemMenu}) {
        CAPTURE(a);
        CHECK_FALSE(ButtonState(a, 0, 0, dialog, nullptr).Visible);
        CHECK(ButtonState(a, 0, 0, Sizeable(), nullptr).Visible);
    }
    CHECK(ButtonState(action::Close, 0, 0, dialog, nullptr).Visible);
}

TEST_CASE("buttons are placed by their alignment in frame coordinates")
{
    TLayoutFacts f;
    f.WindowWidth = 300;
    f.CaptionBack = frame::TBox{40, 5, 140, 25};
    f.BorderRight = 4;
    f.BorderTop = 29;
    f.MenuBarHeight = 19;
    f.MenuBarLeftMargin = 2;
    struct Row {
        int align, x, y;
        frame::TBox expected;
    };
    const Row rows[] = {
        {0, 8, 6, {8, 6, 29, 27}},
        {1, 27, 4, {273, 4, 294, 25}},
        {2, 3, 4, {16, 4, 37, 25}},
        {8, 3, 4, {16, 4, 37, 25}},
        {3, 3, 4, {143, 4, 164, 25}},
        {9, 3, 4, {143, 4, 164, 25}},
        {100, 30, 0, {264, 28, 285, 49}},   // y = (19 - 21) / 2 + 29, the halving truncated toward zero
        {5, 30, 7, {0, 0, 21, 21}},
    };
    for (const Row& r : rows) {
        CAPTURE(r.align);
        CHECK(ButtonBounds(r.align, r.x, r.y, 21, 21, f) == r.expected);
    }
}

TEST_CASE("the frame drawn: caption image by activity, window by draw state, disabled and menu-band buttons")
{
    CHECK(CaptionImageFrame(true, true, 6) == 1);
    CHECK(CaptionImageFrame(false, true, 6) == 4);
    CHECK(CaptionImageFrame(true, false, 6) == 4);
    CHECK(CaptionImageFrame(false, false, 3) == 1);
    CHECK(CaptionImageFrame(true, true, 1) == 1);

    CHECK(WindowFrame(1, true, 6, 0) == 1);
    CHECK(WindowFrame(2, true, 6, 0) == 2);
    CHECK(WindowFrame(3, true, 6, 0) == 3);
    CHECK(WindowFrame(3, false, 6, 0) == 4);   // disabled with four frames or more
    CHECK(WindowFrame(2, false, 3, 0) == 1);   // disabled with fewer
    CHECK(WindowFrame(3, true, 6, MenuBandVisibility) == 4);
    CHECK(WindowFrame(2, true, 6, MenuBandVisibility) == 2);
    CHECK(WindowFrame(3, true, 1, 0) == 1);    // a frame the image lacks
}

TEST_CASE("every action's effect and hint")
{
    struct Row {
        int action;
        TCaptionEffect effect;
        const char* hint;
    };
    const Row rows[] = {
        {0, TCaptionEffect::Close, "Close"},
        {1, TCaptionEffect::Maximize, "Maximize"},
        {22, TCaptionEffect::Maximize, "Maximize"},
        {2, TCaptionEffect::Minimize, "Minimize"},
        {23, TCaptionEffect::Minimize, "Minimize"},
        {3, TCaptionEffect::SystemMenu, ""},
        {11, TCaptionEffect::SystemMenu, ""},
        {12, TCaptionEffect::SystemMenu, ""},
        {4, TCaptionEffect::ContextHelp, ""},
        {7, TCaptionEffect::ChildMinimize, "Minimize"},
        {60, TCaptionEffect::ChildMinimize, "Minimize"},
        {8, TCaptionEffect::ChildRestore, "Restore"},
        {61, TCaptionEffect::ChildRestore, "Restore"},
        {9, TCaptionEffect::ChildClose, "Close"},
        {62, TCaptionEffect::ChildClose, "Close"},
        {5, TCaptionEffect::Post, ""},
        {40, TCaptionEffect::Post, ""},
    };
    for (const Row& r : rows) {
        CAPTURE(r.action);
        CHECK(EffectOf(r.action) == r.effect);
        CHECK(std::string(HintTextFor(r.action)) == r.hint);
    }
    CHECK(IsIconButton(3));
    CHECK(IsIconButton(11));
    CHECK_FALSE(IsIconButton(12));
}

TEST_CASE("the caption hint waits twice the hint pause, then shows for the hide pause")
{
    CHECK(HintStepAt(750, 500, 2500) == THintStep::Wait);
    CHECK(HintStepAt(1000, 500, 2500) == THintStep::Show);
    CHECK(HintStepAt(3250, 500, 2500) == THintStep::Show);
    CHECK(HintStepAt(3500, 500, 2500) == THintStep::Hide);
}
