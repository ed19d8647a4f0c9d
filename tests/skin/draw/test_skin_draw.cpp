// Element drawing, pixel by pixel: nine-grid composition with stretched and
// tiled centres, transparent copies, bars, single frames and tiles.
#include <doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/draw/SkinDraw.h"
#include "tests/skin/data/SkinTestKit.h"

using namespace tf;
using namespace tftest;

namespace {

constexpr TColor kBack = 0x00C000;   // what lies under a transparent drawing

// Colours of the nine parts of a hand-made frame.
constexpr TColor TL = 0x000011, TOP = 0x000022, TR = 0x000033, LEFT = 0x000044, MID = 0x000055, RIGHT = 0x000066,
                 BL = 0x000077, BOT = 0x000088, BR = 0x000099;

// One frame of w x h whose nine parts (margins l, t, r, b) have the colours
// above, offset by tint so that frames can be told apart.
TColor NinePart(int x, int y, int w, int h, RECT m, TColor tint)
{
    const int col = x < m.left ? 0 : x >= w - m.right ? 2 : 1;
    const int row = y < m.top ? 0 : y >= h - m.bottom ? 2 : 1;
    const TColor parts[3][3] = {{TL, TOP, TR}, {LEFT, MID, RIGHT}, {BL, BOT, BR}};
    return parts[row][col] + tint;
}

// The colour the nine-grid composition must give at (x, y) of a W x H target.
TColor Expected(int x, int y, int W, int H, RECT m, TColor tint)
{
    if (W < m.left + m.right) m.left = m.right = 0;
    if (H < m.top + m.bottom) m.top = m.bottom = 0;
    return NinePart(x, y, W, H, m, tint);
}

// Counts pixels of the W x H bitmap that differ from expect(x, y).
template <class F>
int Mismatches(TBitmap& b, F expect)
{
    int bad = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (const TColor got = PixelAt(b, x, y); got != expect(x, y)) {
                if (++bad <= 3) MESSAGE(Format("(%d,%d): %06X instead of %06X", x, y, got, expect(x, y)));
            }
    return bad;
}

std::unique_ptr<TBitmap> Canvas(int w, int h) { return Filled(w, h, kBack); }

// Pixels that are no longer the background.
int Drawn(TBitmap& b)
{
    return Mismatches(b, [](int, int) { return kBack; });
}

} // namespace

TEST_CASE("ComposeElement: corners kept, edges and centre stretched, for each frame side by side and stacked")
{
    const RECT m{2, 1, 3, 2};
    constexpr int fw = 8, fh = 6, n = 3;
    auto side = MakeBitmap(fw * n, fh, [&](int x, int y) { return NinePart(x % fw, y, fw, fh, m, (x / fw) << 16); });
    auto stacked = MakeBitmap(fw, fh * n, [&](int x, int y) { return NinePart(x, y % fh, fw, fh, m, (y / fh) << 16); });
    struct Size {
        int W, H;
    };
    for (Size s : {Size{8, 6}, Size{20, 11}, Size{5, 3}, Size{13, 4}, Size{5, 12}}) {
        for (int k = 1; k <= n; ++k) {
            CAPTURE(s.W);
            CAPTURE(s.H);
            CAPTURE(k);
            const TColor tint = static_cast<TColor>((k - 1) << 16);
            auto a = ComposeElement(RECT{0, 0, s.W, s.H}, *side, m, k, n, false, false);
            REQUIRE(a->Width() == s.W);
            REQUIRE(a->Height() == s.H);
            CHECK(Mismatches(*a, [&](int x, int y) { return Expected(x, y, s.W, s.H, m, tint); }) == 0);
            auto b = ComposeElement(RECT{10, 20, 10 + s.W, 20 + s.H}, *stacked, m, k, n, false, true);
            CHECK(Mismatches(*b, [&](int x, int y) { return Expected(x, y, s.W, s.H, m, tint); }) == 0);
        }
    }
}

TEST_CASE("ComposeElement: a target narrower than both margins stretches the whole frame width over it")
{
    // Columns: 2 of A (left margin), 2 of B (middle), 2 of C (right margin).
    constexpr TColor A = 0x0000A0, B = 0x00B000, C = 0xC00000;
    auto frame = MakeBitmap(6, 4, [&](int x, int) { return x < 2 ? A : x < 4 ? B : C; });
    auto out = ComposeElement(RECT{0, 0, 3, 4}, *frame, RECT{2, 0, 2, 0}, 1, 1, false, false);
    for (int y = 0; y < 4; ++y) {
        CHECK(PixelAt(*out, 0, y) == A);
        CHECK(PixelAt(*out, 1, y) == B);   // the middle shows: the margins were dropped
        CHECK(PixelAt(*out, 2, y) == C);
    }
    // The same upright: rows of A, B, C with top and bottom margins 2, 3 rows high.
    auto upright = MakeBitmap(4, 6, [&](int, int y) { return y < 2 ? A : y < 4 ? B : C; });
    auto low = ComposeElement(RECT{0, 0, 4, 3}, *upright, RECT{0, 2, 0, 2}, 1, 1, false, false);
    for (int x = 0; x < 4; ++x) {
        CHECK(PixelAt(*low, x, 0) == A);
        CHECK(PixelAt(*low, x, 1) == B);
        CHECK(PixelAt(*low, x, 2) == C);
    }
}

TEST_CASE("ComposeElement: a tiled centre 10 wide from a 4-pixel part")
{
    // Frame 7 x 3: left margin 1, centre 4 columns of distinct colours, right margin 2.
    const TColor centre[4] = {0x000101, 0x000202, 0x000303, 0x000404};
    constexpr TColor L = 0x0A0000, R = 0x0B0000;
    auto frame = MakeBitmap(7, 3, [&](int x, int) { return x < 1 ? L : x >= 5 ? R : centre[x - 1]; });
    auto out = ComposeElement(RECT{0, 0, 13, 3}, *frame, RECT{1, 0, 2, 0}, 1, 1, true, false);
    // Target: column 0 left, 1..10 centre (tiles at 1, 5, 9), 11..12 right edge.
    for (int y = 0; y < 3; ++y) {
        CHECK(PixelAt(*out, 0, y) == L);
        for (int x = 1; x <= 10; ++x) {
            CAPTURE(x);
            CHECK(PixelAt(*out, x, y) == centre[(x - 1) % 4]);
        }
        // The third tile ran to column 12; the right edge covers it.
        CHECK(PixelAt(*out, 11, y) == R);
        CHECK(PixelAt(*out, 12, y) == R);
    }

    // Tiled in both directions: rows repeat as well.
    auto grid = MakeBitmap(3, 3, [](int x, int y) { return x == 1 && y == 1 ? 0x123456 : 0x654321; });
    auto big = ComposeElement(RECT{0, 0, 5, 5}, *grid, RECT{1, 1, 1, 1}, 1, 1, true, false);
    for (int y = 1; y <= 3; ++y)
        for (int x = 1; x <= 3; ++x) CHECK(PixelAt(*big, x, y) == 0x123456);
    CHECK(PixelAt(*big, 4, 4) == 0x654321);
}

TEST_CASE("DrawElement: opaque and transparent")
{
    // A 4 x 4 frame with a magenta ring and a red middle, margins 1.
    auto frame = MakeBitmap(4, 4, [](int x, int y) { return x == 0 || y == 0 || x == 3 || y == 3 ? kMagenta : 0x0000FF; });
    auto t = Canvas(12, 10);
    DrawElement(t->Canvas()->Handle(), RECT{2, 1, 10, 9}, *frame, RECT{1, 1, 1, 1}, 1, 1, true, false, false);
    CHECK(Mismatches(*t, [](int x, int y) { return x >= 3 && x < 9 && y >= 2 && y < 8 ? 0x0000FF : kBack; }) == 0);

    auto o = Canvas(12, 10);
    DrawElement(o->Canvas()->Handle(), RECT{2, 1, 10, 9}, *frame, RECT{1, 1, 1, 1}, 1, 1, false, false, false);
    CHECK(Mismatches(*o, [](int x, int y) {
              const bool inside = x >= 2 && x < 10 && y >= 1 && y < 9;
              const bool middle = x >= 3 && x < 9 && y >= 2 && y < 8;
              return middle ? 0x0000FF : inside ? kMagenta : kBack;
          }) == 0);

    // Inverted rectangles and empty images draw nothing.
    auto none = Canvas(6, 6);
    DrawElement(none->Canvas()->Handle(), RECT{5, 0, 1, 4}, *frame, RECT{}, 1, 1, false, false, false);
    DrawElement(none->Canvas()->Handle(), RECT{0, 5, 4, 1}, *frame, RECT{}, 1, 1, false, false, false);
    TBitmap empty;
    DrawElement(none->Canvas()->Handle(), RECT{0, 0, 4, 4}, empty, RECT{}, 1, 1, false, false, false);
    CHECK(Drawn(*none) == 0);
}

TEST_CASE("DrawTransparent: masked copy and the three-copy method give the same pixels")
{
    auto image = MakeBitmap(5, 3, [](int x, int y) { return (x + y) % 2 ? kMagenta : static_cast<TColor>(0x102030 * (x + 1)); });
    auto expect = [&](int x, int y) {
        if (x < 1 || x >= 6 || y < 2 || y >= 5) return kBack;
        const int sx = x - 1, sy = y - 2;
        return (sx + sy) % 2 ? kBack : static_cast<TColor>(0x102030 * (sx + 1));
    };
    for (bool nt : {true, false}) {
        CAPTURE(nt);
        const TPlatformFlags flags{nt, true};
        OverridePlatformFlags(&flags);
        auto t = Canvas(8, 6);
        DrawTransparent(t->Canvas()->Handle(), RECT{1, 2, 6, 5}, *image, kMagenta);
        OverridePlatformFlags(nullptr);
        CHECK(Mismatches(*t, expect) == 0);
    }
    // Without magenta the whole image is copied; the copy is the rectangle's size.
    auto plain = Filled(4, 4, 0x445566);
    auto t = Canvas(6, 6);
    DrawTransparent(t->Canvas()->Handle(), RECT{0, 0, 3, 2}, *plain, kMagenta);
    CHECK(Mismatches(*t, [](int x, int y) { return x < 3 && y < 2 ? 0x445566 : kBack; }) == 0);
    // Another key colour.
    auto keyed = MakeBitmap(2, 1, [](int x, int) { return x == 0 ? 0x010101 : 0x020202; });
    auto k = Canvas(2, 1);
    DrawTransparent(k->Canvas()->Handle(), RECT{0, 0, 2, 1}, *keyed, 0x010101);
    CHECK(PixelAt(*k, 0, 0) == kBack);
    CHECK(PixelAt(*k, 1, 0) == 0x020202);
}

TEST_CASE("DrawHorzBar: caps and a middle repeated at its own width")
{
    // Two stacked frames of 9 x 2: left cap 2, middle 4 distinct columns, right cap 3.
    const TColor mid[4] = {0x000010, 0x000020, 0x000030, 0x000040};
    constexpr TColor CL = 0x500000, CR = 0x600000;
    auto bar = MakeBitmap(9, 4, [&](int x, int y) {
        const TColor tint = (y / 2) << 8;
        const TColor c = x < 2 ? CL : x >= 6 ? CR : mid[x - 2];
        return c + tint;
    });
    auto t = Canvas(20, 6);
    // Frame 2, target 15 wide and 4 high (stretched from 2 rows).
    DrawHorzBar(*t->Canvas(), RECT{1, 1, 16, 5}, *bar, RECT{2, 0, 3, 0}, 2, 2, false, true);
    auto expect = [&](int x, int y) -> TColor {
        if (x < 1 || x >= 16 || y < 1 || y >= 5) return kBack;
        const int bx = x - 1;
        const TColor tint = 0x000100;
        if (bx < 2) return CL + tint;
        if (bx >= 12) return CR + tint;
        return mid[(bx - 2) % 4] + tint;   // pieces at 2, 6, 10; the last one runs under the right cap
    };
    CHECK(Mismatches(*t, expect) == 0);

    // Caps as wide as the frame: only the caps are drawn; transparent.
    auto caps = MakeBitmap(4, 1, [](int x, int) { return x < 2 ? 0x0A0A0A : x == 2 ? 0x0B0B0B : kMagenta; });
    auto c = Canvas(10, 1);
    DrawHorzBar(*c->Canvas(), RECT{0, 0, 10, 1}, *caps, RECT{2, 0, 2, 0}, 1, 1, true, false);
    const std::vector<TColor> row = {0x0A0A0A, 0x0A0A0A, kBack, kBack, kBack, kBack, kBack, kBack, 0x0B0B0B, kBack};
    for (int x = 0; x < 10; ++x) CHECK(PixelAt(*c, x, 0) == row[static_cast<size_t>(x)]);
}

TEST_CASE("DrawElementStretched and DrawElementCentered")
{
    const TColor frames[3] = {0x111111, kMagenta, 0x333333};
    auto strip = MakeBitmap(12, 3, [&](int x, int y) { return x % 4 == 0 && y == 0 ? 0x0000FF : frames[x / 4]; });

    auto s = Canvas(10, 8);
    DrawElementStretched(s->Canvas()->Handle(), RECT{1, 1, 9, 7}, *strip, 3, 3, false);   // 4 x 3 -> 8 x 6
    CHECK(Mismatches(*s, [](int x, int y) {
              if (x < 1 || x >= 9 || y < 1 || y >= 7) return kBack;
              return x < 3 && y < 3 ? 0x0000FF : 0x333333;   // the marked pixel, doubled
          }) == 0);
    auto m = Canvas(6, 6);
    DrawElementStretched(m->Canvas()->Handle(), RECT{0, 0, 8, 6}, *strip, 2, 3, true);   // frame 2 is magenta
    CHECK(Mismatches(*m, [](int x, int y) { return x < 2 && y < 2 ? 0x0000FF : kBack; }) == 0);

    // Centred: frame 1 (4 x 3) in 9 x 8 at (1 + 5 / 2, 1 + 5 / 2) = (3, 3).
    auto c = Canvas(12, 12);
    DrawElementCentered(c->Canvas()->Handle(), RECT{1, 1, 10, 9}, *strip, false, 3, 1);
    CHECK(Mismatches(*c, [](int x, int y) {
              if (x < 3 || x >= 7 || y < 3 || y >= 6) return kBack;
              return x == 3 && y == 3 ? 0x0000FF : 0x111111;
          }) == 0);
    // A rectangle smaller than the frame: (2 - 4) / 2 = -1, truncated toward zero.
    auto small = Canvas(8, 8);
    DrawElementCentered(small->Canvas()->Handle(), RECT{4, 4, 6, 5}, *strip, false, 3, 3);
    CHECK(PixelAt(*small, 3, 3) == 0x0000FF);   // (4 - 1, 4 - 1)
    CHECK(PixelAt(*small, 6, 5) == 0x333333);
    CHECK(PixelAt(*small, 7, 5) == kBack);
    // Transparent: the magenta frame leaves the background.
    auto t = Canvas(8, 8);
    DrawElementCentered(t->Canvas()->Handle(), RECT{0, 0, 8, 8}, *strip, true, 3, 2);
    CHECK(Mismatches(*t, [](int x, int y) { return x == 2 && y == 2 ? 0x0000FF : kBack; }) == 0);
}

TEST_CASE("DrawThreeSlice")
{
    // Frames 6 x 2 side by side: cap 1, middle 3, cap 2, each column its own colour.
    auto strip = MakeBitmap(18, 2, [](int x, int) { return RGBColor(10 * (x % 6) + 1, 0, 40 * (x / 6)); });
    auto frameColour = [](int k, int col) { return RGBColor(10 * col + 1, 0, 40 * (k - 1)); };
    for (int k = 1; k <= 3; ++k) {
        CAPTURE(k);
        // Wider than the frame: left cap, middle stretched from 3 to 9 columns, right cap.
        auto t = Canvas(14, 4);
        DrawThreeSlice(t->Canvas()->Handle(), RECT{1, 1, 13, 3}, *strip, RECT{1, 0, 2, 0}, k, 3, false);
        CHECK(Mismatches(*t, [&](int x, int y) -> TColor {
                  if (x < 1 || x >= 13 || y < 1 || y >= 3) return kBack;
                  const int bx = x - 1;
                  if (bx < 1) return frameColour(k, 0);
                  if (bx >= 10) return frameColour(k, 4 + (bx - 10));
                  return frameColour(k, 1 + (bx - 1) / 3);
              }) == 0);
        // Narrower than one frame: exactly that frame, squeezed (6 -> 3: every other column).
        auto n = Canvas(3, 2);
        DrawThreeSlice(n->Canvas()->Handle(), RECT{0, 0, 3, 2}, *strip, RECT{1, 0, 2, 0}, k, 3, false);
        for (int x = 0; x < 3; ++x) CHECK(BlueOf(PixelAt(*n, x, 0)) == 40 * (k - 1));
    }
}

TEST_CASE("TileDraw repeats the source part from the target's corner, unclipped")
{
    auto source = MakeBitmap(6, 5, [](int x, int y) { return RGBColor(x * 20 + 1, y * 20 + 1, 7); });
    auto t = Canvas(14, 12);
    // Part (2, 1)-(5, 3): 3 x 2; target (1, 1)-(8, 6): tiles at x 1, 4, 7 and y 1, 3, 5.
    TileDraw(*t->Canvas(), RECT{1, 1, 8, 6}, *source, RECT{2, 1, 5, 3});
    CHECK(Mismatches(*t, [](int x, int y) -> TColor {
              if (x < 1 || x >= 10 || y < 1 || y >= 7) return kBack;   // the last tiles reach 10 and 7
              return RGBColor(((x - 1) % 3 + 2) * 20 + 1, ((y - 1) % 2 + 1) * 20 + 1, 7);
          }) == 0);
    // A source part without area draws nothing.
    auto none = Canvas(4, 4);
    TileDraw(*none->Canvas(), RECT{0, 0, 4, 4}, *source, RECT{2, 2, 2, 4});
    TileDraw(*none->Canvas(), RECT{0, 0, 4, 4}, *source, RECT{3, 2, 1, 4});
    CHECK(Drawn(*none) == 0);
}

namespace {

// A strip of three 10 x 6 frames side by side: column x of frame k has the
// colour ColumnColour(k, x) in every row.
TColor ColumnColour(int k, int x) { return RGBColor(10 * x + 1, 7, 40 * k); }

std::unique_ptr<TBitmap> ColumnStrip(int fw, int fh, int frames)
{
    return MakeBitmap(fw * frames, fh, [fw](int x, int) { return ColumnColour(x / fw + 1, x % fw); });
}

} // namespace

TEST_CASE("ComposeElement: margins that fit the target but not the frame are cut to the frame")
{
    // Frame 2 of three 10 wide, margins 8 and 8, target 40: the frame cannot
    // hold 16 fixed columns. They are cut in proportion to 9 (4 and 5),
    // leaving frame column 4 to stretch over the middle: no key colour shows.
    auto strip = ColumnStrip(10, 6, 3);
    auto out = ComposeElement(RECT{0, 0, 40, 6}, *strip, RECT{8, 0, 8, 0}, 2, 3, false, false);
    CHECK(Mismatches(*out, [](int x, int) {
              const int col = x < 4 ? x : x >= 35 ? 5 + (x - 35) : 4;
              return ColumnColour(2, col);
          }) == 0);
    // Tiled centre: the same.
    auto tiled = ComposeElement(RECT{0, 0, 40, 6}, *strip, RECT{8, 0, 8, 0}, 2, 3, true, false);
    CHECK(Mismatches(*tiled, [](int x, int) { return ColumnColour(2, x < 4 ? x : x >= 35 ? 5 + (x - 35) : 4); }) == 0);

    // Rows: frame 6 high, margins 5 and 5, target 20: cut to 2 and 3.
    auto rows = MakeBitmap(4, 6, [](int, int y) { return RGBColor(0, 30 * y + 1, 9); });
    auto tall = ComposeElement(RECT{0, 0, 4, 20}, *rows, RECT{0, 5, 0, 5}, 1, 1, false, false);
    CHECK(Mismatches(*tall, [](int, int y) {
              const int row = y < 2 ? y : y >= 17 ? 3 + (y - 17) : 2;
              return RGBColor(0, 30 * row + 1, 9);
          }) == 0);

    // Drawn opaquely, nothing of the key reaches the screen.
    auto t = Canvas(40, 6);
    DrawElement(t->Canvas()->Handle(), RECT{0, 0, 40, 6}, *strip, RECT{8, 0, 8, 0}, 3, 3, false, false, false);
    int keyed = 0;
    for (int x = 0; x < 40; ++x) keyed += PixelAt(*t, x, 3) == kMagenta;
    CHECK(keyed == 0);
}

TEST_CASE("ComposeElement: margins exactly as wide as the frame leave no key colour in a wider target")
{
    // Frame 2 of three 10 wide, margins 5 and 5: no frame column is left for
    // the middle. A target 40 wide is cut as for wider margins (4 and 5
    // around frame column 4), tiled or stretched.
    auto strip = ColumnStrip(10, 6, 3);
    for (bool tile : {false, true}) {
        CAPTURE(tile);
        auto out = ComposeElement(RECT{0, 0, 40, 6}, *strip, RECT{5, 0, 5, 0}, 2, 3, tile, false);
        CHECK(Mismatches(*out, [](int x, int) { return ColumnColour(2, x < 4 ? x : x >= 35 ? 5 + (x - 35) : 4); }) == 0);
    }
    // Rows: a side border whose top and bottom heights fill its image (6
    // high, 3 and 3), drawn 20 high.
    auto rows = MakeBitmap(4, 6, [](int, int y) { return RGBColor(0, 30 * y + 1, 9); });
    auto tall = ComposeElement(RECT{0, 0, 4, 20}, *rows, RECT{0, 3, 0, 3}, 1, 1, false, false);
    CHECK(Mismatches(*tall, [](int, int y) { return RGBColor(0, 30 * (y < 2 ? y : y >= 17 ? 3 + (y - 17) : 2) + 1, 9); }) == 0);
    // At the frame's own size the picture is the frame, cut or not.
    auto same = ComposeElement(RECT{0, 0, 10, 6}, *strip, RECT{5, 3, 5, 3}, 2, 3, false, false);
    CHECK(Mismatches(*same, [](int x, int) { return ColumnColour(2, x); }) == 0);
}

TEST_CASE("ComposeElement: negative margins count as 0 and never reach into the next frame")
{
    auto strip = ColumnStrip(10, 6, 3);
    for (const RECT m : {RECT{-2, -1, -3, -2}, RECT{-4, 0, 0, 0}, RECT{0, -2, 0, 0}}) {
        CAPTURE(m.left);
        CAPTURE(m.top);
        auto got = ComposeElement(RECT{0, 0, 20, 6}, *strip, m, 2, 3, false, false);
        auto plain = ComposeElement(RECT{0, 0, 20, 6}, *strip, RECT{0, 0, 0, 0}, 2, 3, false, false);
        CHECK(Mismatches(*got, [&](int x, int y) { return PixelAt(*plain, x, y); }) == 0);
    }
    // One negative margin beside a good one: the good one stays fixed.
    auto mixed = ComposeElement(RECT{0, 0, 20, 6}, *strip, RECT{-5, 0, 3, 0}, 2, 3, false, false);
    for (int x = 17; x < 20; ++x) CHECK(PixelAt(*mixed, x, 0) == ColumnColour(2, 7 + (x - 17)));
    CHECK(PixelAt(*mixed, 0, 0) == ColumnColour(2, 0));
}

TEST_CASE("DrawHorzBar and DrawThreeSlice: caps wider than the frame are cut to it, negative caps count as 0")
{
    // Three frames of 6 x 2; frame 2 is drawn.
    auto strip = ColumnStrip(6, 2, 3);
    SUBCASE("bar: caps 8 and 4 in a frame 6 wide become 3 and 2 around a one-column middle")
    {
        auto t = Canvas(12, 2);
        DrawHorzBar(*t->Canvas(), RECT{0, 0, 12, 2}, *strip, RECT{8, 0, 4, 0}, 2, 3, false, false);
        CHECK(Mismatches(*t, [](int x, int) { return ColumnColour(2, x < 3 ? x : x >= 10 ? 4 + (x - 10) : 3); }) == 0);
    }
    SUBCASE("bar: a negative left cap")
    {
        auto t = Canvas(12, 2);
        DrawHorzBar(*t->Canvas(), RECT{0, 0, 12, 2}, *strip, RECT{-2, 0, 2, 0}, 2, 3, false, false);
        // Middle: frame columns 0..3 repeated from x 0; right cap: columns 4, 5.
        CHECK(Mismatches(*t, [](int x, int) { return ColumnColour(2, x >= 10 ? 4 + (x - 10) : x % 4); }) == 0);
    }
    SUBCASE("bar: caps wider than the rectangle overlap, the right cap on top")
    {
        auto t = Canvas(5, 2);
        DrawHorzBar(*t->Canvas(), RECT{0, 0, 5, 2}, *strip, RECT{3, 0, 3, 0}, 2, 3, false, false);
        CHECK(Mismatches(*t, [](int x, int) { return ColumnColour(2, x < 2 ? x : 3 + (x - 2)); }) == 0);
    }
    SUBCASE("three slices: caps 5 and 4 in a frame 6 wide")
    {
        auto t = Canvas(14, 2);
        DrawThreeSlice(t->Canvas()->Handle(), RECT{0, 0, 14, 2}, *strip, RECT{5, 0, 4, 0}, 2, 3, false);
        // Cut to 2 and 3: columns 0, 1; the middle column 2 stretched; 3, 4, 5.
        CHECK(Mismatches(*t, [](int x, int) { return ColumnColour(2, x < 2 ? x : x >= 11 ? 3 + (x - 11) : 2); }) == 0);
    }
    SUBCASE("three slices: a negative right cap")
    {
        auto t = Canvas(12, 2);
        DrawThreeSlice(t->Canvas()->Handle(), RECT{0, 0, 12, 2}, *strip, RECT{1, 0, -3, 0}, 2, 3, false);
        // Left cap column 0, then columns 1..5 stretched from 5 to 11.
        CHECK(PixelAt(*t, 0, 0) == ColumnColour(2, 0));
        CHECK(PixelAt(*t, 11, 0) == ColumnColour(2, 5));
        for (int x = 0; x < 12; ++x) CHECK(BlueOf(PixelAt(*t, x, 1)) == 80);   // all of frame 2
    }
}

TEST_CASE("A frame count below 1 is one frame in every drawing routine")
{
    auto image = MakeBitmap(6, 4, [](int x, int y) { return RGBColor(20 * x + 1, 30 * y + 1, 5); });
    CHECK(UsableFrameCount(0) == 1);
    CHECK(UsableFrameCount(-7) == 1);
    CHECK(UsableFrameCount(3) == 3);
    for (int n : {0, -1}) {
        CAPTURE(n);
        auto same = [&](auto draw) {
            auto a = Canvas(12, 8), b = Canvas(12, 8);
            draw(*a, n);
            draw(*b, 1);
            return Mismatches(*a, [&](int x, int y) { return PixelAt(*b, x, y); });
        };
        CHECK(same([&](TBitmap& t, int k) { DrawElement(t.Canvas()->Handle(), RECT{1, 1, 11, 7}, *image, RECT{2, 1, 2, 1}, 1, k, false, false, false); }) == 0);
        CHECK(same([&](TBitmap& t, int k) { DrawElement(t.Canvas()->Handle(), RECT{0, 0, 12, 8}, *image, RECT{1, 1, 1, 1}, 1, k, false, false, true); }) == 0);
        CHECK(same([&](TBitmap& t, int k) { DrawElementStretched(t.Canvas()->Handle(), RECT{0, 0, 12, 8}, *image, 1, k, false); }) == 0);
        CHECK(same([&](TBitmap& t, int k) { DrawElementCentered(t.Canvas()->Handle(), RECT{0, 0, 12, 8}, *image, false, k, 1); }) == 0);
        CHECK(same([&](TBitmap& t, int k) { DrawThreeSlice(t.Canvas()->Handle(), RECT{0, 0, 12, 8}, *image, RECT{1, 0, 1, 0}, 1, k, false); }) == 0);
        CHECK(same([&](TBitmap& t, int k) { DrawHorzBar(*t.Canvas(), RECT{0, 0, 12, 8}, *image, RECT{1, 0, 1, 0}, 1, k, false, false); }) == 0);
    }
}
