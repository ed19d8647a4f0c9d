// Turning skin elements into pixels. An element bitmap holds frameCount
// equal frames side by side (frame width = width div frameCount) or stacked
// (frame height = height div frameCount); frame numbers start at 1, and a
// count below 1 is 1 (UsableFrameCount). Margins are the widths of the fixed
// left and right columns and the heights of the fixed top and bottom rows of
// a frame; the rest is stretched or tiled. A negative margin or cap counts as
// 0; two that the frame cannot hold side by side are cut in proportion,
// leaving one pixel between them as the stretched or repeated part (so no
// part of the target is left without a source).
// Stretching uses COLORONCOLOR. Magenta (0xFF00FF) is the transparency key of
// the transparent variants. A target rectangle whose right is left of its
// left, or whose bottom is above its top, draws nothing; so does an empty
// element bitmap.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

constexpr TColor clSkinKey = 0xFF00FF;

// The one rule for frame counts read from skin files: a count below 1 is 1.
constexpr int UsableFrameCount(int frameCount) { return frameCount < 1 ? 1 : frameCount; }

// A new bitmap of the size of `size` (24-bit) holding frame `frame` in a
// nine-part grid: corners at their own size, edges stretched along their
// length, the centre stretched or tiled. Margins that do not fit the target
// (left + right wider than it, top + bottom taller) become 0; margins that fit
// the target but leave the frame no middle (as wide as it, or wider) are cut
// to it (see above).
std::unique_ptr<TBitmap> ComposeElement(const RECT& size, TBitmap& bitmap, const RECT& margins, int frame,
                                        int frameCount, bool tile, bool stacked);

// ComposeElement at the rectangle's size, copied to dc opaquely or leaving
// out magenta.
void DrawElement(HDC dc, const RECT& rect, TBitmap& bitmap, const RECT& margins, int frame, int frameCount,
                 bool transparent, bool tile, bool stacked);

// A bar: the left cap (caps.left wide), the middle repeated at its own width,
// the right cap (caps.right wide); every piece stretched to the height. Caps
// as wide as the frame leave no middle: only the caps are drawn. Caps wider
// than the rectangle overlap, the right one on top.
void DrawHorzBar(TCanvas& canvas, const RECT& rect, TBitmap& bitmap, const RECT& caps, int frame, int frameCount,
                 bool transparent, bool stacked);

// One frame (frames side by side) stretched to the rectangle.
void DrawElementStretched(HDC dc, const RECT& rect, TBitmap& bitmap, int frame, int frameCount, bool transparent);

// One frame (frames side by side) at its own size, centred in the rectangle
// (halvings truncated toward zero).
void DrawElementCentered(HDC dc, const RECT& rect, TBitmap& bitmap, bool transparent, int frameCount, int frame);

// Left cap, stretched middle and right cap straight into dc, opaque; a frame
// wider than the rectangle is stretched whole onto it.
void DrawThreeSlice(HDC dc, const RECT& rect, TBitmap& bitmap, const RECT& caps, int frame, int frameCount,
                    bool stacked);

// Copies the rectangle's size of the bitmap, from its top-left corner, to the
// rectangle, leaving out pixels of the key colour (a masked copy on the NT
// family, three raster copies elsewhere).
void DrawTransparent(HDC dc, const RECT& rect, TBitmap& bitmap, TColor key);

// Repeats the source part of the bitmap over target from its top-left
// corner; the last column and row of tiles run past target unclipped.
void TileDraw(TCanvas& canvas, const RECT& target, TBitmap& bitmap, const RECT& source);

// A region made of every pixel that is not a key pixel, moved by (dx, dy).
// A pixel is a key pixel when each channel c lies in [key c, key c +
// tolerance c] (capped at 255). The bitmap is converted to 32 bits per pixel.
// Rows are scanned into runs, joined into the region 2000 rectangles at a
// time. No handle for a bitmap without rows; an empty region for one with
// rows but no columns (a border drawn 0 wide).
TRegionHandle RegionFromBitmap(TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                               int redTolerance, TColor key);

} // namespace tf
