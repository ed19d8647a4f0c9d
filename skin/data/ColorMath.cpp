#include "skin/data/ColorMath.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

struct TRampCache {
    std::array<std::vector<TColor>, kColorRampSlots> Slots;
    int Ring = 0;
};

TRampCache& Cache()
{
    static TRampCache cache;   // lives as long as the process
    return cache;
}

int Channel(TColor c, int shift) { return (static_cast<uint32_t>(c) >> shift) & 0xFF; }

// n / d rounded to nearest with halves away from zero (d > 0).
int RoundedQuotient(int n, int d)
{
    const int h = d / 2;
    return n >= 0 ? (n + h) / d : (n - h) / d;
}

} // namespace

TColor MixPlainColors(TColor a, TColor b, int weight)
{
    const int d = weight < 100 ? 100 : 1000;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int64_t v = (static_cast<int64_t>(Channel(b, shift)) * (d - weight) +
                           static_cast<int64_t>(Channel(a, shift)) * weight + d / 2) / d;
        out |= (static_cast<uint32_t>(v) & 0xFF) << shift;
    }
    return static_cast<TColor>(out);
}

int ColorSaturation(TColor color)
{
    const int r = Channel(color, 0), g = Channel(color, 8), b = Channel(color, 16);
    if (r < 160 && g < 160 && b < 160) return 200;
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    // (mx - mn) * 255 / mx, rounded half to even without floating point.
    const int n = (mx - mn) * 255;
    int q = n / mx;
    const int twice = 2 * (n % mx);
    if (twice > mx || (twice == mx && (q & 1))) ++q;
    return q;
}

int GetColorRamp(int count, TColor from, TColor to)
{
    Assert(count > 0, "Assertion failure", "ImgUtil");
    TRampCache& cache = Cache();
    for (int slot = kColorRampSlots - 1; slot >= 0; --slot) {
        const std::vector<TColor>& r = cache.Slots[static_cast<size_t>(slot)];
        if (static_cast<int>(r.size()) == count && r.front() == from && r.back() == to) return slot;
    }
    const int slot = cache.Ring;
    cache.Ring = (cache.Ring + 1) % kColorRampSlots;
    std::vector<TColor>& ramp = cache.Slots[static_cast<size_t>(slot)];
    ramp.assign(static_cast<size_t>(count), 0);

    const int dr = Channel(to, 0) - Channel(from, 0);
    const int dg = Channel(to, 8) - Channel(from, 8);
    const int db = Channel(to, 16) - Channel(from, 16);
    if (count == 1) {
        ramp[0] = from + dr / 2 + (dg / 2) * 256 + (db / 2) * 65536;
        return slot;
    }
    const int c = count - 1;
    // Halves round away from zero both ways: truncating a falling channel would stop short of "to".
    for (int i = 0; i <= c; ++i)
        ramp[static_cast<size_t>(i)] = from + RoundedQuotient(i * dr, c) + RoundedQuotient(i * dg, c) * 256 +
                                       RoundedQuotient(i * db, c) * 65536;
    return slot;
}

const std::vector<TColor>& ColorRamp(int slot)
{
    Assert(slot >= 0 && slot < kColorRampSlots, "Assertion failure", "ImgUtil");
    return Cache().Slots[static_cast<size_t>(slot)];
}

int ColorRampRingPosition() { return Cache().Ring; }

} // namespace tf
