#include "skin/controls/scrollbars/ScrollGeometry.h"

#include <algorithm>
#include <cstdint>

namespace tf {

int MulDivRound(int a, int b, int c)
{
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t n = product < 0 ? -product : product, d = c < 0 ? -static_cast<int64_t>(c) : c;
    int64_t q = (n + d / 2) / d;
    if (negative) q = -q;
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return static_cast<int>(q);
}

int ScrollHitTest(int p, int arrowSize, int thumbStart, int thumbEnd, int barLength)
{
    if (p < arrowSize) return spFirstArrow;
    if (p < thumbStart) return spTrackBefore;
    if (p < thumbEnd) return spThumb;
    if (p < barLength - arrowSize) return spTrackAfter;
    return spSecondArrow;
}

TThumbSpan ControlBarThumb(int length, int arrowSize, int min, int max, int page, int pos)
{
    const int range = max == min ? 9999999 : max - min;
    const int track = length - 2 * arrowSize;
    int thumb = 0, start = arrowSize;
    if (page > 0) {
        thumb = MulDivRound(track, page - 1, range);
        if (thumb > 7) {
            if (pos != min) start = MulDivRound(track, pos - min, range) + arrowSize;
        } else {
            thumb = 8;
            if (pos != min) start = MulDivRound(track - 8, pos - min, range) + arrowSize;
        }
    } else {
        thumb = arrowSize;
        if (pos != min) start = MulDivRound(length - 3 * arrowSize, pos - min, range) + arrowSize;
    }
    return TThumbSpan{start, start + thumb};
}

TThumbSpan PressedControlThumb(int length, int arrowSize, int min, int max, int page, int pos)
{
    const int range = max - min;
    const int thumb = page != 0 ? MulDivRound(length - 2 * arrowSize, page - 1, range) : arrowSize;
    int start = arrowSize;
    if (pos != min) start = MulDivRound(length - (page != 0 ? 2 : 3) * arrowSize, pos - min, range) + arrowSize;
    return TThumbSpan{start, start + thumb};
}

int DragThumbStart(int dragStart, int delta, int arrowSize, int barLength, int thumbLength)
{
    const int start = dragStart + delta;
    return std::max(arrowSize, std::min(start, barLength - arrowSize - thumbLength));
}

int ArrowLength(int barLength, int arrowSize) { return barLength < 2 * arrowSize ? barLength / 2 : arrowSize; }

int ArrowFrame(bool vertical, bool second, int hotPart, bool pressed)
{
    const int base = vertical ? (second ? 13 : 9) : (second ? 5 : 1);
    const int mine = second ? spSecondArrow : spFirstArrow;
    if (hotPart != mine) return base;
    return base + (pressed ? 1 : 3);
}

int ThumbFrame(int hotPart, bool pressed)
{
    if (hotPart != spThumb) return 1;
    return pressed ? 2 : 3;
}

int GripFrame(bool vertical, int hotPart, bool pressed)
{
    const int base = vertical ? 20 : 17;
    if (hotPart != spThumb) return base;
    return base + (pressed ? 1 : 2);
}

int ListThumbPosition(int offset, int trackLength, int thumbLength, int min, int max, int page)
{
    offset = std::max(0, offset);
    const int free = trackLength - thumbLength;
    int pos = 0;
    if (page > 0) {
        offset = std::min(offset, free + 1);
        pos = min + MulDivRound(offset, max - min - page, free);
        pos = std::min(pos, max - page + 1);
    } else {
        pos = min + MulDivRound(std::min(offset, free), max - min, trackLength);
        pos = std::min(pos, max);
    }
    return std::max(pos, min);
}

} // namespace tf
