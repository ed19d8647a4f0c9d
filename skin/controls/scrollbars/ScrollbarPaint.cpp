#include "skin/controls/scrollbars/ScrollbarPaint.h"

#include <cstdlib>

#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/scrollbars/ScrollGeometry.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

bool SkinHasScrollBar(const TSkinData* data)
{
    return data && data->SkinScrollbar && !data->SkinScrollbar->Empty();
}

int ScrollBarThickness(const TSkinData& data, int arrowSize)
{
    const int height = data.SkinScrollbar->Bitmap->Height();
    return std::abs(height - arrowSize) > 2 ? arrowSize : height;
}

void PaintScrollBarParts(HDC dc, const RECT& rect, const TScrollBarLook& look, TSkinData& data, int limit)
{
    const bool v = look.Vertical;
    const int length = v ? rect.bottom - rect.top : rect.right - rect.left;
    const int thickness = v ? rect.right - rect.left : rect.bottom - rect.top;
    TBitmap& strip = *data.SkinScrollbar->Bitmap;
    constexpr int stripFrames = 23;

    // The track between the arrows.
    if (TDataSkinObject* track = v ? data.SkinVertScroll.get() : data.SkinHorzScroll.get(); track && !track->Empty()) {
        RECT r = rect;
        (v ? r.top : r.left) += look.ArrowSize;
        (v ? r.bottom : r.right) -= look.ArrowSize;
        const bool tile = data.SkinHorzScroll && data.SkinHorzScroll->Tile != 0;
        DrawElement(dc, r, *track->Bitmap, track->Margins, look.Enabled ? 1 : 3, 4, track->Trans != 0, tile, false);
    }

    // The arrows, half the bar each when it is too short for two.
    const int a = ArrowLength(length, look.ArrowSize);
    const RECT first = v ? RECT{0, 0, thickness, a} : RECT{0, 0, a, thickness};
    const RECT second = v ? RECT{0, length - a, thickness, length} : RECT{length - a, 0, length, thickness};
    DrawStripFrame(dc, first, stripFrames, ArrowFrame(v, false, look.HotPart, look.Pressed), strip);
    DrawStripFrame(dc, second, stripFrames, ArrowFrame(v, true, look.HotPart, look.Pressed), strip);

    if (!look.Enabled) return;
    TDataSkinObject* horzThumb = data.SkinHorzThumb.get();
    TDataSkinObject* thumbImage = v ? data.SkinVertThumb.get() : horzThumb;
    if (!horzThumb || !thumbImage || thumbImage->Empty()) return;
    if (look.ThumbStart < 0 || look.ThumbEnd > limit) return;
    const RECT thumb = v ? RECT{0, look.ThumbStart, thickness, look.ThumbEnd} : RECT{look.ThumbStart, 0, look.ThumbEnd, thickness};
    // Both thumbs take frame count and transparency from the horizontal thumb.
    DrawElement(dc, thumb, *thumbImage->Bitmap, thumbImage->Margins, ThumbFrame(look.HotPart, look.Pressed),
                horzThumb->FrameCount, horzThumb->Trans != 0, false, false);

    const int g = strip.Height();
    const int thumbLength = look.ThumbEnd - look.ThumbStart;
    if (g >= thumbLength + 2) return;
    const int at = look.ThumbStart + (thumbLength - g) / 2;
    const RECT grip = v ? RECT{0, at, g, at + g} : RECT{at, 0, at + g, g};
    if (at >= 0 && at + g <= limit) DrawStripFrame(dc, grip, stripFrames, GripFrame(v, look.HotPart, look.Pressed), strip);
}

} // namespace tf
