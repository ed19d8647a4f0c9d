// Colour arithmetic of the skin: mixes, saturation and the ramp cache.
#include <doctest.h>

#include <set>

#include "framework/core/SysUtils.h"
#include "skin/data/ColorMath.h"

using namespace tf;

TEST_CASE("MixPlainColors: per cent below 100, per mille from 100")
{
    struct Case {
        TColor a, b;
        int weight;
        TColor expected;
    };
    const Case cases[] = {
        {0xFFFFFF, 0x000000, 50, 0x808080},    // (0 * 50 + 255 * 50 + 50) / 100 = 128
        {0xFFFFFF, 0x000000, 150, 0x262626},   // 15 % white: (255 * 150 + 500) / 1000 = 38
        {0xFFFFFF, 0x000000, 99, 0xFCFCFC},    // 99 % of a: (255 * 99 + 50) / 100 = 252
        {0xFFFFFF, 0x000000, 100, 0x1A1A1A},   // 100 is per mille: 10 %
        {0x0000FF, 0xFF0000, 0, 0xFF0000},     // weight 0 is all b
        {0xCFCFCF, 0xFFFFFF, 150, 0xF8F8F8},   // the light blue toolbar's top
        {0x808080, 0xA78F9E, 150, 0xA18D9A},   // and its bottom
        {0x010203, 0x000000, 50, 0x010102},    // red (3 * 50 + 50) / 100 = 2, green and blue 1
    };
    for (const Case& c : cases) {
        CAPTURE(c.weight);
        CHECK(MixPlainColors(c.a, c.b, c.weight) == c.expected);
    }
}

TEST_CASE("ColorSaturation: bright colours on 0..255, dark ones 200, halves to even")
{
    struct Case {
        TColor color;
        int expected;
    };
    const Case cases[] = {
        {0x0000FF, 255},                  // pure red
        {0x808080, 200},                  // mid grey: no channel reaches 160
        {0x9F9F9F, 200},                  // 159 everywhere
        {0xFFFFFF, 0},                    // white
        {0x000000, 200},                  // black is dark
        {RGBColor(158, 143, 167), 37},    // the light blue caption: 24 * 255 / 167 = 36.6
        {RGBColor(170, 169, 169), 2},     // 1 * 255 / 170 = 1.5 -> 2 (even)
        {RGBColor(170, 167, 167), 4},     // 3 * 255 / 170 = 4.5 -> 4 (even)
        {RGBColor(170, 165, 165), 8},     // 7.5 -> 8
        {RGBColor(160, 0, 0), 255},       // 160 counts as bright
        {RGBColor(200, 100, 150), 128},   // 100 * 255 / 200 = 127.5 -> 128 (even)
    };
    for (const Case& c : cases) {
        CAPTURE(c.color);
        CHECK(ColorSaturation(c.color) == c.expected);
    }
}

TEST_CASE("GetColorRamp: black to white in five steps, cached")
{
    const int slot = GetColorRamp(5, 0x000000, 0xFFFFFF);
    const std::vector<TColor> expected = {0x000000, 0x404040, 0x808080, 0xBFBFBF, 0xFFFFFF};
    CHECK(ColorRamp(slot) == expected);
    const int ring = ColorRampRingPosition();
    CHECK(GetColorRamp(5, 0x000000, 0xFFFFFF) == slot);
    CHECK(ColorRampRingPosition() == ring);   // no new ramp was made
}

TEST_CASE("GetColorRamp: a falling ramp ends on its end colour and mirrors the rising one")
{
    const std::vector<TColor> down = ColorRamp(GetColorRamp(5, 0xFFFFFF, 0x000000));
    CHECK(down == std::vector<TColor>{0xFFFFFF, 0xBFBFBF, 0x7F7F7F, 0x404040, 0x000000});
    const std::vector<TColor> up = ColorRamp(GetColorRamp(5, 0x000000, 0xFFFFFF));
    for (size_t i = 0; i < 5; ++i) CHECK(down[i] == (0xFFFFFF - up[i]));

    // The light blue toolbar: 40 rows from 0xF8F8F8 to 0xA18D9A.
    const std::vector<TColor> bar = ColorRamp(GetColorRamp(40, 0xF8F8F8, 0xA18D9A));
    REQUIRE(bar.size() == 40);
    CHECK(bar.front() == 0xF8F8F8);
    CHECK(bar.back() == 0xA18D9A);
    // Channels move one way only.
    for (size_t i = 1; i < bar.size(); ++i) {
        CHECK(RedOf(bar[i]) <= RedOf(bar[i - 1]));
        CHECK(BlueOf(bar[i]) <= BlueOf(bar[i - 1]));
    }
}

TEST_CASE("GetColorRamp: one entry is the halfway colour, truncated toward zero")
{
    CHECK(ColorRamp(GetColorRamp(1, 0x000000, 0x030303)).front() == 0x010101);
    CHECK(ColorRamp(GetColorRamp(1, 0x030303, 0x000000)).front() == 0x020202);   // 3 - 1
    CHECK(ColorRamp(GetColorRamp(1, 0x0000FF, 0xFF0000)).front() == 0x7F0080);
}

TEST_CASE("GetColorRamp: count 0 or less fails its assertion")
{
    CHECK_THROWS_WITH_AS(GetColorRamp(0, 0, 0xFFFFFF), "Assertion failure (ImgUtil)", EAssertionFailed);
    CHECK_THROWS_AS(GetColorRamp(-3, 0, 0xFFFFFF), EAssertionFailed);
}

TEST_CASE("GetColorRamp: sixteen slots in ring order; the seventeenth ramp reuses the first slot")
{
    // Bring the ring to slot 0 with ramps no other test makes.
    int n = 0;
    while (ColorRampRingPosition() != 0) GetColorRamp(3, 0x123456, static_cast<TColor>(0x100000 + n++));
    std::set<int> slots;
    for (int i = 0; i < 16; ++i) slots.insert(GetColorRamp(7 + i, 0x000000, 0x0000FF));
    CHECK(slots.size() == 16);
    CHECK(*slots.begin() == 0);
    CHECK(*slots.rbegin() == 15);
    // All sixteen are cached now.
    CHECK(GetColorRamp(7, 0x000000, 0x0000FF) == 0);
    // The seventeenth different ramp goes to slot 0, and the ramp that was there is gone.
    CHECK(GetColorRamp(99, 0x000000, 0x0000FF) == 0);
    CHECK(ColorRamp(0).size() == 99);
    CHECK(GetColorRamp(7, 0x000000, 0x0000FF) == 1);   // made again, in the next slot
    CHECK(ColorRamp(1).size() == 7);
}
