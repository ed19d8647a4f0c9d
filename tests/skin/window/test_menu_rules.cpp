// Menu bar and menu item arithmetic: the bar's start and item layout in both
// directions, accelerators, arrow-key moves that wrap, the widths the skin
// adds when measuring, where an item's glyph, check, caption and shortcut go,
// and the separator's slices of the menu item element.
#include <doctest.h>

#include <vector>

#include "skin/window/MenuBarRules.h"
#include "skin/window/MenuItemRules.h"

using namespace tf;
using frame::TBox;

TEST_CASE("the first bar item starts after the element's margin, or at 12 on a narrow band, or at 6")
{
    CHECK(menubar::StartX(true, 5, 7, false, 400) == 9);
    CHECK(menubar::StartX(true, 5, 7, true, 400) == 15);
    CHECK(menubar::StartX(true, 5, 7, false, 8) == 12);
    CHECK(menubar::StartX(true, 5, 7, true, 14) == 12);
    CHECK(menubar::StartX(false, 5, 7, false, 400) == 6);
    CHECK(menubar::StartX(false, 5, 7, true, 2) == 6);
}

TEST_CASE("bar items are laid out left to right or right to left; hidden ones get no room")
{
    const std::vector<menubar::TBarItem> items = {{30, true, false}, {20, false, false}, {0, true, true}, {25, true, false}};
    const auto ltr = menubar::LayoutItems(items, 6, 300, 19, false);
    REQUIRE(ltr.size() == 4);
    CHECK(ltr[0] == TBox{6, 0, 46, 18});
    CHECK(ltr[1] == TBox{});
    CHECK(ltr[2] == TBox{46, 0, 46, 18});   // an empty caption is 0 wide
    CHECK(ltr[3] == TBox{46, 0, 81, 18});

    const auto rtl = menubar::LayoutItems(items, 6, 300, 19, true);
    CHECK(rtl[0] == TBox{254, 0, 294, 18});
    CHECK(rtl[3] == TBox{219, 0, 254, 18});
    // An MDI frame's buttons on the band keep the items left of them.
    const auto limited = menubar::LayoutItems(items, 6, 300, 19, true, 250);
    CHECK(limited[0] == TBox{210, 0, 250, 18});
}

TEST_CASE("a measured text is centred in its box, halvings truncated")
{
    CHECK(menubar::CentredText(TBox{10, 0, 41, 18}, 20, 13) == TBox{15, 2, 35, 15});
    CHECK(menubar::CentredText(TBox{0, 0, 10, 10}, 13, 13) == TBox{-1, -1, 12, 12});
}

TEST_CASE("accelerators follow the ampersand convention")
{
    CHECK(menubar::AccelCharOf(L"&File") == L'F');
    CHECK(menubar::AccelCharOf(L"Ed&it") == L'i');
    CHECK(menubar::AccelCharOf(L"A&&B") == 0);
    CHECK(menubar::AccelCharOf(L"A&&B&c") == L'c');
    CHECK(menubar::AccelCharOf(L"Tail&") == 0);
    CHECK(menubar::AccelCharOf(L"") == 0);
    CHECK(menubar::IsAccel('f', L"&File"));
    CHECK(menubar::IsAccel('F', L"&file"));
    CHECK_FALSE(menubar::IsAccel('x', L"&File"));
    CHECK_FALSE(menubar::IsAccel(0, L"Plain"));

    const std::vector<menubar::TAccelItem> bar = {
        {L"&File", false, true}, {L"&Find", true, false}, {L"F&ormat", true, true}, {L"&Fun", true, true}};
    CHECK(menubar::FindAccelItem(bar, 'f') == 3);   // the first enabled and visible one
    CHECK(menubar::FindAccelItem(bar, 'O') == 2);
    CHECK(menubar::FindAccelItem(bar, 'z') == -1);
}

TEST_CASE("Left and Right move between the bar items that can open, wrapping at both ends")
{
    const std::vector<menubar::TBarItem> items = {{30, true, false}, {20, false, false}, {0, true, true}, {25, true, false}};
    CHECK(menubar::StepItem(items, 0, +1) == 3);
    CHECK(menubar::StepItem(items, 3, +1) == 0);   // the last wraps to the first
    CHECK(menubar::StepItem(items, 0, -1) == 3);   // the first wraps to the last
    CHECK(menubar::StepItem(items, -1, +1) == 0);
    CHECK(menubar::StepItem(items, -1, -1) == 3);
    const std::vector<menubar::TBarItem> one = {{30, true, false}};
    CHECK(menubar::StepItem(one, 0, +1) == 0);
    CHECK(menubar::StepItem({}, 0, +1) == -1);
}

TEST_CASE("measuring adds the element's margin and room for glyphs without an image list")
{
    CHECK(menuitem::MainMenuExtraWidth(3, true) == 13);
    CHECK(menuitem::MainMenuExtraWidth(3, false) == 38);
    CHECK(menuitem::MainMenuExtraWidth(0, false) == 35);
    CHECK(menuitem::PopupExtraWidth(3, true) == 15);
    CHECK(menuitem::PopupExtraWidth(3, false) == 38);

    struct Row {
        int text;
        bool empty;
        int height, margin;
        bool win95;
        int w, h;
    };
    const Row rows[] = {{40, false, 15, 3, false, 69, 19}, {40, false, 15, 0, true, 66, 23}, {0, true, 15, 3, false, 29, 8},
                        {0, true, 15, 3, true, 29, 12}};
    for (const Row& r : rows) {
        const auto s = menuitem::MeasureByText(r.text, r.empty, r.height, r.margin, r.win95);
        CHECK(s.Width == r.w);
        CHECK(s.Height == r.h);
    }
}

TEST_CASE("an item's content left to right: glyph box after the margin, text after it, shortcut at the right")
{
    menuitem::TContentInput in;
    in.Item = TBox{0, 0, 120, 22};
    in.HasElement = true;
    in.ElementLeftMargin = 3;
    in.CaptionWidth = 40;
    in.CaptionHeight = 13;
    in.CheckWidth = 13;
    in.CheckHeight = 13;

    SUBCASE("plain item without image list")
    {
        const auto l = menuitem::ContentLayout(in);
        CHECK(l.GlyphBox == TBox{4, 1, 20, 17});
        CHECK_FALSE(l.DrawImage);
        CHECK_FALSE(l.DrawCheck);
        CHECK(l.Text == TBox{23, 4, 119, 17});
        CHECK(l.CaptionRight == 63);
        CHECK(l.Shortcut == TBox{63, 4, 109, 17});
    }
    SUBCASE("an image is centred vertically in the item")
    {
        in.ImageListWidth = 20;
        in.ImageHeight = 18;
        in.HasImage = true;
        const auto l = menuitem::ContentLayout(in);
        CHECK(l.DrawImage);
        CHECK(l.ImageX == 4);
        CHECK(l.ImageY == 2);
        CHECK(l.GlyphBox == TBox{4, 2, 24, 21});
        CHECK(l.Text.Left == 27);
        CHECK_FALSE(l.CheckedBack);
    }
    SUBCASE("a checked item with an image gets the pattern and a sunken box centred for 16 rows")
    {
        in.ImageListWidth = 12;
        in.ImageHeight = 12;
        in.HasImage = true;
        in.Checked = true;
        const auto l = menuitem::ContentLayout(in);
        CHECK(l.CheckedBack);
        CHECK(l.FilledBox == TBox{4, 1, 20, 17});   // at least 16 square
        CHECK(l.GlyphBox == TBox{4, 3, 20, 17});    // top moved, bottom kept
        CHECK(l.ImageY == 3);
    }
    SUBCASE("a checked item without image shows the check mark centred")
    {
        in.Checked = true;
        const auto l = menuitem::ContentLayout(in);
        CHECK(l.DrawCheck);
        CHECK(l.CheckX == 4 + (16 - 13) / 2 + 1);
        CHECK(l.CheckY == (22 - 13) / 2 + 1);
    }
    SUBCASE("a separator has an empty glyph box")
    {
        in.Separator = true;
        const auto l = menuitem::ContentLayout(in);
        CHECK(l.GlyphBox.Width() == 0);
        CHECK(l.Text.Left == 7);
    }
    SUBCASE("no element, no margin")
    {
        in.HasElement = false;
        CHECK(menuitem::ContentLayout(in).GlyphBox.Left == 1);
    }
}

TEST_CASE("an item's content right to left mirrors the box and keeps images at the top")
{
    menuitem::TContentInput in;
    in.Item = TBox{0, 0, 120, 22};
    in.RightToLeft = true;
    in.HasElement = true;
    in.ElementLeftMargin = 3;
    in.CaptionWidth = 40;
    in.CaptionHeight = 13;
    in.CheckWidth = 13;
    in.CheckHeight = 13;
    auto l = menuitem::ContentLayout(in);
    CHECK(l.GlyphBox == TBox{100, 1, 116, 17});
    CHECK(l.Text == TBox{1, 4, 97, 17});
    CHECK(l.Shortcut == TBox{11, 4, 97, 17});

    in.ImageListWidth = 20;
    in.ImageHeight = 18;
    in.HasImage = true;
    in.Checked = true;
    l = menuitem::ContentLayout(in);
    CHECK(l.ImageY == 1);
    CHECK(l.GlyphBox == TBox{96, 1, 116, 21});
    CHECK(l.CheckedBack);

    in.HasImage = false;
    l = menuitem::ContentLayout(in);
    CHECK(l.DrawCheck);
    CHECK(l.CheckX == 96 + (20 - 13) / 2 + 1);
    CHECK(l.CheckY == 1 + (20 - 13) / 2 + 1);
}

TEST_CASE("a separator is cut from frame 2 of the element: caps, stretched middle, bottom rows when lower")
{
    // Five frames of 20 x 22; caps 3 and 4 wide.
    auto s = menuitem::SeparatorSlices(100, 22, 3, 4, 150, 8);
    CHECK(s.Left.Source == TBox{20, 14, 23, 22});
    CHECK(s.Left.Target == TBox{0, 0, 3, 8});
    CHECK(s.Middle.Source == TBox{23, 14, 36, 22});
    CHECK(s.Middle.Target == TBox{3, 0, 146, 8});
    CHECK(s.Right.Source == TBox{36, 14, 40, 22});
    CHECK(s.Right.Target == TBox{146, 0, 150, 8});
    // An item taller than the image stretches the whole frame height.
    s = menuitem::SeparatorSlices(100, 22, 3, 4, 150, 30);
    CHECK(s.Middle.Source == TBox{23, 0, 36, 22});
    CHECK(s.Middle.Target == TBox{3, 0, 146, 30});
}
