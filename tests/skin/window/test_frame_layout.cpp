// The arithmetic of a skinned frame: frame kinds and caption boxes from the
// window style, the client area inside the skin's borders, hit codes of the
// caption band, caption text placement and a dialog's growth.
#include <doctest.h>

#include "skin/window/FrameLayout.h"

using namespace tf::frame;
namespace s = tf::frame::style;

TEST_CASE("frame kind, caption boxes and window state come from the style")
{
    struct Row {
        uint32_t style, ex;
        int kind;
    };
    const Row rows[] = {
        {s::Caption | s::ThickFrame, 0, 0},
        {s::Caption, 0, 1},
        {s::Caption | s::ModalFrame, 0, 3},
        {s::Caption | s::ThickFrame, s::ExDlgModalFrame, 3},
        {s::Popup, 0, 2},
        {0x00800000 /* WS_BORDER only */ | s::ThickFrame, 0, 2},
        // Without a caption the extended dialog frame adds none.
        {s::Popup | s::ModalFrame, s::ExDlgModalFrame, 2},
    };
    for (const Row& r : rows) {
        CAPTURE(r.style);
        CAPTURE(r.ex);
        CHECK(FrameKindOf(r.style, r.ex) == r.kind);
    }

    CHECK(ButtonMaskOf(s::SysMenu | s::MinimizeBox | s::MaximizeBox, s::ExContextHelp, false) == 15);
    CHECK(ButtonMaskOf(s::MinimizeBox, 0, false) == 2);
    CHECK(ButtonMaskOf(0, 0, true) == 8);
    CHECK(ButtonMaskOf(0, 0, false) == 0);

    const int states[] = {0, 0, 2, 1, 0, 0, 2, 2, 0, 0, 0};
    for (unsigned cmd = 0; cmd <= 10; ++cmd) {
        CAPTURE(cmd);
        CHECK(WindowStateOfShowCommand(cmd) == states[cmd]);
    }
}

TEST_CASE("the client area lies inside the borders and the menu band, never inverted")
{
    CHECK(SkinClientBox(100, 50, 300, 200, 4, 29, 5, 4, 0) == TBox{104, 79, 395, 246});
    CHECK(SkinClientBox(100, 50, 300, 200, 4, 29, 5, 4, 19) == TBox{104, 98, 395, 246});
    // A window smaller than its frame gets an empty client area at the inner edge.
    CHECK(SkinClientBox(0, 0, 6, 20, 4, 29, 5, 4, 0) == TBox{4, 29, 4, 29});
}

TEST_CASE("hit codes of the caption band")
{
    struct Row {
        int previous, y, borderTop, menu, expected;
    };
    const int HTLEFT = 10, HTTOP = 12, HTCLIENT = 1, HTSYSMENU = 3;
    const Row rows[] = {
        {HitNowhere, 3, 29, 0, HitNowhere},     // the top rows keep the previous answer
        {HitCaption, 2, 29, 0, HitCaption},
        {HitNowhere, 4, 29, 0, HitCaption},     // the rest of the band drags
        {HitCaption, 28, 29, 0, HitCaption},
        {HitNowhere, 30, 29, 19, HitMenu},      // the menu band under the caption
        {HitCaption, 29, 29, 19, HitCaption},   // its first row is still caption
        {HitNowhere, 30, 29, 0, HitCaption},    // without a menu band there is no menu
        {HTTOP, 1, 29, 0, HTTOP},               // sizing and the rest stand
        {HTLEFT, 15, 29, 0, HTLEFT},
        {HTCLIENT, 60, 29, 19, HTCLIENT},
        {HTSYSMENU, 10, 29, 0, HTSYSMENU},
        {HitNowhere, 2, 0, 5, HitMenu},         // both tests apply on their own
    };
    for (const Row& r : rows) {
        CAPTURE(r.previous);
        CAPTURE(r.y);
        CHECK(SkinHitTest(r.previous, r.y, r.borderTop, r.menu) == r.expected);
    }
}

TEST_CASE("caption text placement: alignment, clipping, right to left, dialog frames")
{
    TCaptionTextInput base;
    base.Area = TBox{4, 0, 296, 29};   // caption area between the side borders
    base.TextWidth = 60;
    base.TextHeight = 14;
    base.TextShift = 20;
    base.TextShiftVert = 3;
    base.TextRightClip = 76;

    SUBCASE("left: shifted by TextShift, vertically centred plus half the vertical shift")
    {
        CHECK(CaptionTextBox(base) == TBox{24, 8, 84, 22});   // (29-14)/2 + 3/2 = 7 + 1
    }
    SUBCASE("centred in the caption area, not in the window")
    {
        TCaptionTextInput in = base;
        in.Alignment = 1;
        CHECK(CaptionTextBox(in).Left == 4 + (292 - 60) / 2);
    }
    SUBCASE("right: TextRightClip from the right of the area")
    {
        TCaptionTextInput in = base;
        in.Alignment = 2;
        CHECK(CaptionTextBox(in) == TBox{4 + 292 - 76 - 60, 8, 296 - 76, 22});
    }
    SUBCASE("a text background's caps widen the box")
    {
        TCaptionTextInput in = base;
        in.BackLeft = 5;
        in.BackRight = 7;
        CHECK(CaptionTextBox(in) == TBox{24, 8, 96, 22});
    }
    SUBCASE("a long text is clipped at TextRightClip, or before the buttons of a popup")
    {
        TCaptionTextInput in = base;
        in.TextWidth = 400;
        CHECK(CaptionTextBox(in).Right == 296 - 76);
        in.PopupStyle = true;
        in.RightButtonsExtent = 50;
        CHECK(CaptionTextBox(in).Right == 296 - 50 - 5);
        in.RightButtonsExtent = 5;   // no buttons worth the name: no clipping at all
        CHECK(CaptionTextBox(in).Right == 24 + 400);
    }
    SUBCASE("right to left mirrors the alignment and moves the text 10 pixels right")
    {
        TCaptionTextInput in = base;
        in.RightToLeft = true;
        in.RightButtonsExtent = 50;
        CHECK(CaptionTextBox(in).Left == 4 + 292 - 50 - 60 + 10);
        in.Alignment = 2;
        CHECK(CaptionTextBox(in).Left == 4 + 20 + 10);
        in.Alignment = 0;
        in.TextWidth = 400;   // no room: the text starts at TextShift
        CHECK(CaptionTextBox(in).Left == 20 + 10);
    }
    SUBCASE("a dialog frame moves a left-aligned text 16 pixels left")
    {
        TCaptionTextInput in = base;
        in.DialogFrame = true;
        CHECK(CaptionTextBox(in).Left == 24 - 16);
        in.Alignment = 1;
        CHECK(CaptionTextBox(in).Left == 4 + (292 - 60) / 2);
    }
    SUBCASE("halvings truncate toward zero")
    {
        TCaptionTextInput in = base;
        in.TextHeight = 40;       // taller than the area: (29-40)/2 = -5
        in.TextShiftVert = -3;    // -3/2 = -1
        CHECK(CaptionTextBox(in).Top == -6);
    }
}

TEST_CASE("a dialog narrower than its caption moves its controls by half the growth")
{
    CHECK(DialogGrowthShift(200, 261) == 30);
    CHECK(DialogGrowthShift(200, 201) == 0);
    CHECK(DialogGrowthShift(200, 200) == 0);
    CHECK(DialogGrowthShift(300, 200) == 0);
}
