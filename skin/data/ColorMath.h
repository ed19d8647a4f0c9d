// Colour arithmetic of the skin: weighted mixes, a saturation measure and the
// cache of colour ramps that gradients are drawn from. No Windows API here:
// system colours must be resolved by the caller (ImgUtil does it).
#pragma once
#include <cstdint>
#include <vector>

#include "framework/graphics/Color.h"

namespace tf {

// Weighted mix of two plain colours. Weights below 100 are per cent of a,
// weights of 100 and more per mille (150 is 15 % of a). Each channel is
// (b * (d - w) + a * w + d / 2) / d, kept to 8 bits.
TColor MixPlainColors(TColor a, TColor b, int weight);

// Saturation of the low three bytes on a 0..255 scale, (max - min) / max
// rounded exactly with halves going to the even neighbour; 200 when no
// channel reaches 160 (dark colours); 0 for black.
int ColorSaturation(TColor color);

// The ramp cache: 16 slots reused in ring order.
constexpr int kColorRampSlots = 16;

// A ramp of count colours from "from" to "to" (plain colours): the cached
// slot with the same count and end colours, else a new one in the next ring
// slot. Entry 0 is from and entry count - 1 is to; entries between are
// rounded to nearest, halves away from zero, so a ramp read backwards equals
// the ramp between the swapped ends. count must be above 0 (EAssertionFailed
// "Assertion failure (ImgUtil)" otherwise).
int GetColorRamp(int count, TColor from, TColor to);

// The colours held by a slot (empty until the ring reaches it).
const std::vector<TColor>& ColorRamp(int slot);

// The slot the next new ramp goes to.
int ColorRampRingPosition();

} // namespace tf
