// The arithmetic of tab strips, progress bars, track bar channels, header
// items and the media player's button row, natively under the sanitizers.
#include <doctest.h>

#include <vector>

#include "skin/controls/tabbars/BarGeometry.h"
#include "skin/controls/tabbars/TabGeometry.h"

using namespace tf;

namespace {

// Where pixel (x, y) of a w x h bitmap goes when the bitmap is rotated a
// quarter turn left (counter-clockwise) or right, as ImgUtil rotates.
TLayoutPoint RotatedLeft(int x, int y, int w) { return {y, w - 1 - x}; }
TLayoutPoint RotatedRight(int x, int y, int h) { return {h - 1 - y, x}; }

} // namespace

TEST_CASE("Tab sides from the style; the pane and strip of each side")
{
    CHECK(TabSideOfStyle(0) == TTabSide::Top);
    CHECK(TabSideOfStyle(0x2) == TTabSide::Bottom);
    CHECK(TabSideOfStyle(0x80) == TTabSide::Left);
    CHECK(TabSideOfStyle(0x82) == TTabSide::Right);
    CHECK(TabSideOfStyle(0x200 | 0x82) == TTabSide::Right);   // other bits do not count

    const TLayoutRect control{0, 0, 200, 100}, display{30, 30, 170, 70};
    struct Case {
        TTabSide side;
        TLayoutRect pane, strip;
        TLayoutSize bitmap;
    };
    const Case cases[] = {
        {TTabSide::Top, {26, 27, 174, 74}, {0, 0, 200, 27}, {200, 27}},
        {TTabSide::Bottom, {26, 26, 174, 73}, {0, 73, 200, 100}, {200, 27}},
        {TTabSide::Left, {27, 26, 174, 74}, {0, 0, 27, 100}, {100, 27}},   // lying down
        {TTabSide::Right, {26, 26, 173, 74}, {173, 0, 200, 100}, {100, 27}},
    };
    for (const Case& c : cases) {
        CAPTURE(static_cast<int>(c.side));
        const TLayoutRect pane = TabPaneRect(display, c.side);
        CHECK(pane == c.pane);
        const TLayoutRect strip = TabStripRect(control, pane, c.side);
        CHECK(strip == c.strip);
        CHECK(TabStripBitmapSize(strip, c.side) == c.bitmap);
    }
}

TEST_CASE("A tab drawn into a lying strip comes back to its place when the strip is rotated")
{
    const TLayoutRect control{0, 0, 200, 120};
    // Left: a tab at x 2..25, y 40..70; the strip is x 0..27.
    {
        const TLayoutRect pane{27, 0, 200, 120}, item{2, 40, 25, 70};
        const TLayoutSize bitmap = TabStripBitmapSize(TabStripRect(control, pane, TTabSide::Left), TTabSide::Left);
        const TLayoutRect lying = TabInStrip(item, TTabSide::Left, pane, bitmap, 200);
        // Drawn upright: the tab's top (its outer edge) is the control's left.
        CHECK(lying == TLayoutRect{120 - 70, 2, 120 - 40, 25});
        // Its corners rotated back left are the item's corners.
        const TLayoutPoint a = RotatedLeft(lying.Left, lying.Top, bitmap.Width);
        const TLayoutPoint b = RotatedLeft(lying.Right - 1, lying.Bottom - 1, bitmap.Width);
        CHECK(a == TLayoutPoint{item.Left, item.Bottom - 1});
        CHECK(b == TLayoutPoint{item.Right - 1, item.Top});
    }
    // Right: the strip starts at the pane's right edge; the tab comes back
    // one row higher, its outer edge at the control's right.
    {
        const TLayoutRect pane{0, 0, 173, 120}, item{175, 40, 198, 70};
        const TLayoutRect strip = TabStripRect(control, pane, TTabSide::Right);
        const TLayoutSize bitmap = TabStripBitmapSize(strip, TTabSide::Right);
        const TLayoutRect lying = TabInStrip(item, TTabSide::Right, pane, bitmap, 200);
        CHECK(lying == TLayoutRect{39, 2, 69, 25});
        const TLayoutPoint a = RotatedRight(lying.Left, lying.Top, bitmap.Height);
        CHECK(a.X + strip.Left == item.Right - 1);
        CHECK(a.Y == item.Top - 1);
    }
    // Top tabs move one pixel toward the pane; bottom tabs into strip
    // coordinates, one pixel toward the pane.
    CHECK(TabInStrip({10, 2, 60, 24}, TTabSide::Top, {}, {}, 200) == TLayoutRect{10, 3, 60, 25});
    CHECK(TabInStrip({10, 96, 60, 118}, TTabSide::Bottom, {0, 0, 200, 94}, {}, 200) == TLayoutRect{10, 1, 60, 23});
}

TEST_CASE("Margins follow a turned image; the close box sits at a tab's top right")
{
    const TLayoutRect m{1, 2, 3, 4};
    CHECK(MarginsForSide(m, TTabSide::Top, true) == m);
    CHECK(MarginsForSide(m, TTabSide::Bottom, false) == TLayoutRect{1, 4, 3, 2});
    CHECK(MarginsForSide(m, TTabSide::Left, true) == TLayoutRect{2, 3, 4, 1});
    CHECK(MarginsForSide(m, TTabSide::Right, true) == TLayoutRect{4, 1, 2, 3});
    CHECK(MarginsForSide(m, TTabSide::Left, false) == m);
    CHECK(TabCloseBox({10, 3, 80, 25}) == TLayoutRect{72, 5, 78, 11});
}

TEST_CASE("Text beside an image: left, centred, right, never closer than one pixel")
{
    CHECK(ImageTextOffset(0, 100, 40, 16) == 3);
    CHECK(ImageTextOffset(1, 100, 40, 16) == 22);
    CHECK(ImageTextOffset(1, 100, 41, 16) == 21);   // halving truncates
    CHECK(ImageTextOffset(2, 100, 40, 16) == 42);
    CHECK(ImageTextOffset(1, 50, 60, 0) == 1);      // wider than the item
    CHECK(ImageTextOffset(2, 50, 47, 0) == 1);
    CHECK(ImageTextOffset(2, 50, 46, 0) == 2);
}

TEST_CASE("An old-style tab set lays out the tabs that fit and passes over the ones that do not")
{
    const std::vector<int> widths{30, 30, 80, 10};
    // All fit: 5 + 39 + 39 + 89 + 19 = 191 <= 200 - 5.
    std::vector<TTabSlot> all = LayoutTabSet(widths, 0, 5, 200, 5, false);
    REQUIRE(all.size() == 4);
    CHECK(all[0] == TTabSlot{0, 5, 44});
    CHECK(all[3] == TTabSlot{3, 172, 191});
    // With the scroller each needs 12 more: the 80-wide tab is passed over,
    // the narrow one after it still fits.
    std::vector<TTabSlot> scrolled = LayoutTabSet(widths, 1, 5, 140, 5, true);
    REQUIRE(scrolled.size() == 2);
    CHECK(scrolled[0] == TTabSlot{1, 5, 44});
    CHECK(scrolled[1] == TTabSlot{3, 44, 63});
    CHECK(LayoutTabSet(widths, 9, 5, 200, 5, false).empty());
}

TEST_CASE("Progress fills in proportion to the position in the range, clamped")
{
    CHECK(ProgressFill(200, 100, 50, 150) == 100);
    CHECK(ProgressFill(201, 100, 50, 150) == 100);
    CHECK(ProgressFill(200, 50, 50, 150) == 0);
    CHECK(ProgressFill(200, 150, 50, 150) == 200);
    CHECK(ProgressFill(200, 170, 50, 150) == 200);
    CHECK(ProgressFill(200, 20, 50, 150) == 0);
    CHECK(ProgressFill(200, 0, -50, 50) == 100);   // a range below zero fills too
    CHECK(ProgressFill(200, 5, 5, 5) == 0);        // an empty range
    CHECK(ProgressFill(0, 5, 0, 10) == 0);
    CHECK(ProgressFill(2000000, 1500000000, 0, 2000000000) == 1500000);   // no overflow
    CHECK(ProgressFill(200, 0, -2000000000, 2000000000) == 100);          // a range wider than int
    CHECK(ProgressFill(200, 1000000000, -2000000000, 2000000000) == 150);
}

TEST_CASE("Chunks: tiled inside the trough's margins and centred across, or one stretched fill")
{
    const TChunkLayout tiled = ProgressChunks({200, 20}, 3, {8, 10}, true, 100, 50, 150);
    CHECK(tiled.Strip == TLayoutRect{5, 5, 100, 15});   // (200 - 10) / 2 = 95 wide from 5
    CHECK(tiled.Count == 12);                           // the last one cut
    CHECK(ProgressChunks({200, 20}, 3, {8, 10}, true, 150, 50, 150).Strip.Right == 195);
    const TChunkLayout stretched = ProgressChunks({200, 20}, 3, {8, 10}, false, 100, 50, 150);
    CHECK(stretched.Strip == TLayoutRect{2, 2, 100, 18});
    CHECK(ProgressChunks({200, 20}, 3, {8, 10}, false, 50, 50, 150).Count == 0);
}

TEST_CASE("Track channels: the image centred across at its own thickness; a lying vertical channel stood up")
{
    CHECK(TrackChannelImageRect({10, 20, 190, 30}, 4, false) == TLayoutRect{10, 23, 190, 27});
    CHECK(TrackChannelImageRect({10, 20, 190, 22}, 4, false) == TLayoutRect{10, 20, 190, 24});
    CHECK(TrackChannelImageRect({20, 10, 30, 190}, 4, true) == TLayoutRect{23, 10, 27, 190});
    CHECK(StandVerticalChannel({8, 18, 92, 22}) == TLayoutRect{18, 8, 22, 92});
    CHECK(StandVerticalChannel({18, 8, 22, 92}) == TLayoutRect{18, 8, 22, 92});
}

TEST_CASE("Header items: alignment and image from the format")
{
    CHECK(HeaderTextAlign(0x4000) == 0);
    CHECK(HeaderTextAlign(0x4001) == 2);
    CHECK(HeaderTextAlign(0x4002) == 1);
    CHECK_FALSE(HeaderItemHasImage(0x4000));
    CHECK(HeaderItemHasImage(0x4800));
    CHECK(HeaderItemHasImage(0x8000));
}

TEST_CASE("The media player's row: buttons named in a set's text, and the button under x")
{
    CHECK(MediaButtonsOfText("[btPlay,btStop,btEject]") == ((1u << 0) | (1u << 2) | (1u << 8)));
    CHECK(MediaButtonsOfText("[]") == 0);
    CHECK(MediaButtonsOfText("[btStep,btBack]") == ((1u << 5) | (1u << 6)));
    const uint32_t visible = (1u << 0) | (1u << 2) | (1u << 8);   // play, stop, eject: 30 wide each in 90
    CHECK(MediaButtonAt(visible, 90, 0) == 0);
    CHECK(MediaButtonAt(visible, 90, 29) == 0);
    CHECK(MediaButtonAt(visible, 90, 30) == 0);   // a boundary belongs to the left button
    CHECK(MediaButtonAt(visible, 90, 31) == 2);
    CHECK(MediaButtonAt(visible, 90, 89) == 8);
    CHECK(MediaButtonAt(visible, 91, 91) == 9);   // past the last button
    CHECK(MediaButtonAt(0, 90, 10) == 9);
    CHECK(MediaButtonAt(visible, 90, -1) == 9);
}
