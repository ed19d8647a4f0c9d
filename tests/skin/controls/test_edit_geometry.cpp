// The arithmetic of the edit and container families, natively under the
// sanitizers: combo button frames and layouts, up-down halves, states and
// frames, the spin button kept inside an edit's ring, the arrow glyph,
// status bar bevels and formats, caption placement and the glyph strips made
// for other vendors' controls.
#include <doctest.h>

#include <set>

#include "skin/controls/containers/ContainerGeometry.h"
#include "skin/controls/edits/EditGeometry.h"

using namespace tf;

TEST_CASE("Combo button frames: pressed over focused or hot over normal; disabled shows 3 except in the inset variant")
{
    struct Case {
        bool enabled, pressed, focusedOrHot;
        int plain, inset;
    };
    const Case cases[] = {
        {true, false, false, 1, 1}, {true, true, true, 2, 2},   {true, false, true, 4, 4},
        {false, false, false, 3, 3}, {false, true, false, 3, 2}, {false, false, true, 3, 4},
    };
    for (const Case& c : cases) {
        CAPTURE(c.enabled);
        CAPTURE(c.pressed);
        CAPTURE(c.focusedOrHot);
        CHECK(ComboButtonFrame(c.enabled, c.pressed, c.focusedOrHot) == c.plain);
        CHECK(ComboInsetFrame(c.enabled, c.pressed, c.focusedOrHot) == c.inset);
    }
}

TEST_CASE("Combo layout: the button arrow width + 2 wide at the right, or at the left for right-to-left")
{
    const TComboLayout right = ComboButtonLayout(145, 21, 17, false);
    CHECK(right.Text == TLayoutRect{2, 2, 124, 19});
    CHECK(right.Button == TLayoutRect{126, 0, 145, 21});
    CHECK(right.Glyph == TLayoutRect{126, 0, 143, 21});
    const TComboLayout left = ComboButtonLayout(145, 21, 17, true);
    CHECK(left.Text == TLayoutRect{21, 2, 143, 19});
    CHECK(left.Button == TLayoutRect{0, 0, 19, 21});
    CHECK(left.Glyph == TLayoutRect{2, 0, 19, 21});
    // The text area never overlaps the button, on either side.
    CHECK(right.Text.Right <= right.Button.Left);
    CHECK(left.Text.Left >= left.Button.Right);

    // Inset: the strip fills b pixels at the inner edge; the button is one
    // frame wide and, for a bitmap lower than the strip, as high as the bitmap.
    CHECK(ComboInsetStrip(100, 21, 16, false) == TLayoutRect{82, 2, 98, 19});
    CHECK(ComboInsetStrip(100, 21, 16, true) == TLayoutRect{2, 2, 18, 19});
    CHECK(ComboInsetButton(100, 21, 16, 15, 17, false) == TLayoutRect{83, 2, 98, 19});
    CHECK(ComboInsetButton(100, 21, 16, 15, 12, true) == TLayoutRect{2, 2, 17, 14});
}

TEST_CASE("Up-down: halves, states and the frames of the first and second button")
{
    TUpDownHalf h[2];
    UpDownHalves(17, 25, false, h);
    CHECK(h[0].Rect == TLayoutRect{0, 0, 17, 12});
    CHECK(h[0].Direction == adUp);
    CHECK(h[1].Rect == TLayoutRect{0, 12, 17, 25});
    CHECK(h[1].Direction == adDown);
    UpDownHalves(35, 17, true, h);
    CHECK(h[0].Rect == TLayoutRect{0, 0, 17, 17});
    CHECK(h[0].Direction == adLeft);
    CHECK(h[1].Rect == TLayoutRect{17, 0, 35, 17});
    CHECK(h[1].Direction == adRight);

    CHECK(UpDownState(false, true, true, true) == 3);
    CHECK(UpDownState(true, false, true, true) == 1);   // pressed elsewhere
    CHECK(UpDownState(true, true, true, true) == 2);
    CHECK(UpDownState(true, true, false, true) == 4);
    CHECK(UpDownState(true, true, false, false) == 1);

    // Stacked and side by side alike: the first button 1-4, the second 5-8.
    std::set<int> first, second;
    for (int state = 1; state <= 4; ++state) {
        first.insert(UpDownFrame(adUp, state, false));
        first.insert(UpDownFrame(adLeft, state, true));
        second.insert(UpDownFrame(adDown, state, false));
        second.insert(UpDownFrame(adRight, state, true));
    }
    CHECK(first == std::set<int>{1, 2, 3, 4});
    CHECK(second == std::set<int>{5, 6, 7, 8});
    CHECK(UpDownFrame(adDown, 4, false) == 8);
    CHECK(UpDownFrame(adLeft, 2, true) == 2);
}

TEST_CASE("A spin button inside an edit keeps 3 pixels clear of the edit's top, bottom and right edge")
{
    // Flush with the edit's right, top and bottom edges.
    CHECK(UpDownInEditRect({183, 100, 200, 121}, {100, 100, 200, 121}) == TLayoutRect{0, 3, 14, 18});
    // Already 2 inside (a client-edge edit): one more pixel each.
    CHECK(UpDownInEditRect({181, 102, 198, 119}, {100, 100, 200, 121}) == TLayoutRect{0, 1, 16, 16});
    // Far enough inside: untouched.
    CHECK(UpDownInEditRect({150, 105, 160, 115}, {100, 100, 200, 121}) == TLayoutRect{0, 0, 10, 10});
}

TEST_CASE("The arrow glyph: a 9 x 5 wedge for up and down, a 3 x 5 triangle for left and right")
{
    const auto up = ArrowGlyphLines(10, 20, adUp);
    REQUIRE(up.size() == 5);
    CHECK(up.front() == TGlyphLine{10, 20, 10, 20});   // the point
    CHECK(up.back() == TGlyphLine{6, 24, 14, 24});     // 9 wide
    const auto down = ArrowGlyphLines(10, 20, adDown);
    CHECK(down.front() == TGlyphLine{10, 24, 10, 24});
    CHECK(down.back() == TGlyphLine{6, 20, 14, 20});
    const auto left = ArrowGlyphLines(10, 20, adLeft);
    REQUIRE(left.size() == 3);
    CHECK(left.front() == TGlyphLine{9, 20, 9, 20});
    CHECK(left.back() == TGlyphLine{11, 18, 11, 22});
    const auto right = ArrowGlyphLines(10, 20, adRight);
    CHECK(right.front() == TGlyphLine{11, 20, 11, 20});
    CHECK(right.back() == TGlyphLine{9, 18, 9, 22});
    CHECK(ArrowGlyphLines(0, 0, 7).empty());
}

TEST_CASE("Status bar panels: bevel codes and text formats, right-to-left swapping left and right")
{
    CHECK(PanelBevelCode("pblowered") == pbcLowered);
    CHECK(PanelBevelCode("pbraised") == pbcRaised);
    CHECK(PanelBevelCode("pbnone") == pbcNone);
    CHECK(PanelBevelCode("") == pbcLowered);
    CHECK(AlignmentFormat("taleftjustify", false) == 0);
    CHECK(AlignmentFormat("tarightjustify", false) == 2);
    CHECK(AlignmentFormat("tacenter", false) == 1);
    CHECK(AlignmentFormat("taleftjustify", true) == 2);
    CHECK(AlignmentFormat("tarightjustify", true) == 0);
    CHECK(AlignmentFormat("tacenter", true) == 1);
}

TEST_CASE("Caption placement: centred or across the rectangle, one pixel above the vertical middle")
{
    CHECK(CaptionTextRect({10, 0, 110, 20}, 40, 13, 1) == TLayoutRect{40, 2, 80, 15});
    CHECK(CaptionTextRect({10, 0, 110, 20}, 40, 13, 0) == TLayoutRect{10, 2, 110, 15});
    CHECK(CaptionTextRect({10, 0, 110, 20}, 40, 13, 2) == TLayoutRect{10, 2, 110, 15});
    // Taller text than the rectangle moves up (halving truncates toward zero).
    CHECK(CaptionTextRect({0, 10, 50, 20}, 10, 15, 1) == TLayoutRect{20, 7, 30, 22});
    CHECK(GroupBoxLineY(13) == 5);
    CHECK(GroupBoxLineY(1) == -1);
}

TEST_CASE("Glyph strips for other vendors' controls: cells and the source frame each takes")
{
    using Copies = std::vector<std::pair<int, int>>;
    TGlyphStripMap m = GlyphStripMap(1, 4);
    CHECK(m.Cells == 9);
    CHECK(m.Copies == Copies{{0, 1}, {1, 2}, {3, 1}, {4, 2}, {6, 3}, {7, 4}});
    m = GlyphStripMap(1, 5);
    CHECK(m.Copies.size() == 9);
    CHECK(m.Copies.back() == std::pair<int, int>{8, 5});
    m = GlyphStripMap(2, 5);
    CHECK(m.Cells == 6);
    CHECK(m.Copies == Copies{{0, 1}, {1, 2}, {2, 1}, {3, 2}, {4, 3}, {5, 4}});
    m = GlyphStripMap(3, 4);
    CHECK(m.Cells == 6);
    CHECK(m.Copies == Copies{{0, 1}, {1, 2}, {3, 1}, {4, 2}});
    CHECK(GlyphStripMap(3, 5).Copies.size() == 6);
    CHECK(GlyphStripMap(0, 5).Cells == 0);
}
