#include "skin/controls/tabbars/BarGeometry.h"

#include <array>
#include <bit>
#include <cstdint>

namespace tf {

int ProgressFill(int length, int pos, int low, int high)
{
    if (high <= low || pos <= low || length <= 0) return 0;
    if (pos >= high) return length;
    // A range as wide as int itself does not fit in int.
    return static_cast<int>(int64_t{length} * (int64_t{pos} - low) / (int64_t{high} - low));
}

TChunkLayout ProgressChunks(TLayoutSize bar, int margin, TLayoutSize chunk, bool tiled, int pos, int low, int high)
{
    TChunkLayout out;
    if (tiled) {
        const int start = margin + 2;
        const int fill = ProgressFill(bar.Width - 2 * start, pos, low, high);
        const int top = (bar.Height - chunk.Height) / 2;
        out.Strip = {start, top, start + fill, top + chunk.Height};
        out.Count = chunk.Width > 0 ? (fill + chunk.Width - 1) / chunk.Width : 0;
    } else {
        const int fill = ProgressFill(bar.Width - 4, pos, low, high);
        out.Strip = {2, 2, 2 + fill, bar.Height - 2};
        out.Count = fill > 0 ? 1 : 0;
    }
    return out;
}

TLayoutRect TrackChannelImageRect(const TLayoutRect& c, int thickness, bool vertical)
{
    TLayoutRect r = c;
    if (vertical) {
        const int across = c.Right - c.Left;
        if (thickness < across) r.Left += (across - thickness) / 2;
        r.Right = r.Left + thickness;
    } else {
        const int across = c.Bottom - c.Top;
        if (thickness < across) r.Top += (across - thickness) / 2;
        r.Bottom = r.Top + thickness;
    }
    return r;
}

TLayoutRect StandVerticalChannel(const TLayoutRect& r)
{
    if (r.Right - r.Left <= r.Bottom - r.Top) return r;
    return {r.Top, r.Left, r.Bottom, r.Right};
}

int HeaderTextAlign(int format)
{
    if (format & 0x1) return 2;   // HDF_RIGHT
    if (format & 0x2) return 1;   // HDF_CENTER
    return 0;
}

bool HeaderItemHasImage(int format) { return (format & 0x8800) != 0; }

uint32_t MediaButtonsOfText(std::string_view text)
{
    static constexpr std::array<std::string_view, 9> names = {"btPlay", "btPause", "btStop",   "btNext", "btPrev",
                                                              "btStep", "btBack",  "btRecord", "btEject"};
    uint32_t bits = 0;
    for (size_t i = 0; i < names.size(); ++i)
        if (text.find(names[i]) != std::string_view::npos) bits |= 1u << i;
    return bits;
}

int MediaButtonAt(uint32_t visible, int width, int x)
{
    visible &= 0x1FF;
    const int count = std::popcount(visible);
    if (count == 0) return 9;
    const int w = width / count;
    int start = 0;
    for (int b = 0; b < 9; ++b) {
        if (!(visible & (1u << b))) continue;
        if (x >= start && x <= start + w) return b;
        start += w;
    }
    return 9;
}

} // namespace tf
