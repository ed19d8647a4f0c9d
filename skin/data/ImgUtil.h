// Image and colour routines shared by the skin data component and the
// skinners. The pixel routines work on 24-bit bitmaps (rows of blue, green,
// red); a bitmap in another format is converted to 24 bits first. The colour
// arithmetic and the ramp cache are in ColorMath.h; this unit adds system
// colour resolution and gradient drawing.
#pragma once
#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"
#include "skin/data/ColorMath.h"

namespace tf {

// Every pixel of red 255, green 0, blue 255 gets the low three bytes of color
// as they stand (a system colour is not resolved).
void ReplaceMagenta(TBitmap& bitmap, TColor color);

void MirrorHorizontal(TBitmap& bitmap);   // left to right
// Each of the frameCount frames of a strip mirrored left to right in its own
// place, so frame k stays frame k (a mirrored strip would reverse their
// order). Columns past the last whole frame stay as they are.
void MirrorFrames(TBitmap& bitmap, int frameCount);
void FlipVertical(TBitmap& bitmap);       // row order reversed
// 90 degrees counter-clockwise / clockwise; width and height swap.
void RotateLeft(TBitmap& bitmap);
void RotateRight(TBitmap& bitmap);

// MixPlainColors after resolving system colours to their current values.
TColor MixColors(TColor a, TColor b, int weight);

// Fills rect with a gradient from "from" to "to" (system colours resolved),
// one row (vertical) or column at a time from the cached ramp of the
// rectangle's whole height or width; lines outside the DC's clip box are
// skipped, so each visible line has its whole-gradient colour.
void FillGradient(HDC dc, const RECT& rect, TColor from, TColor to, bool vertical);

} // namespace tf
