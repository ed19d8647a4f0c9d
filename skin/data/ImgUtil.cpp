#include "skin/data/ImgUtil.h"

#include <cstring>
#include <vector>

#include "framework/graphics/GdiHandle.h"

namespace tf {

namespace {

void Ensure24(TBitmap& bitmap)
{
    if (bitmap.PixelFormat() != pf24bit) bitmap.SetPixelFormat(pf24bit);
}

// All pixels as B, G, R triples, rows top-down.
std::vector<uint8_t> ReadRows(TBitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    std::vector<uint8_t> px(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) std::memcpy(&px[static_cast<size_t>(y) * w * 3], bitmap.ScanLine(y), static_cast<size_t>(w) * 3);
    return px;
}

// Gives the bitmap the size newW x newH (format and transparency kept) with
// pixel (x, y) taken from pixel pick(x, y) of the old image.
template <class Pick>
void Remap(TBitmap& bitmap, int newW, int newH, Pick pick)
{
    const int oldW = bitmap.Width();
    const std::vector<uint8_t> old = ReadRows(bitmap);
    bitmap.SetSize(newW, newH);
    for (int y = 0; y < newH; ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < newW; ++x) {
            const POINT s = pick(x, y);
            std::memcpy(row + 3 * x, &old[(static_cast<size_t>(s.y) * oldW + s.x) * 3], 3);
        }
    }
}

} // namespace

void ReplaceMagenta(TBitmap& bitmap, TColor color)
{
    Ensure24(bitmap);
    if (bitmap.Empty()) return;   // rows without columns have no scan lines
    const uint8_t r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3)
            if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
                p[0] = b;
                p[1] = g;
                p[2] = r;
            }
    }
}

void MirrorHorizontal(TBitmap& bitmap)
{
    if (bitmap.Empty()) return;
    Ensure24(bitmap);
    const int w = bitmap.Width();
    Remap(bitmap, w, bitmap.Height(), [w](int x, int y) { return POINT{w - 1 - x, y}; });
}

void MirrorFrames(TBitmap& bitmap, int frameCount)
{
    if (bitmap.Empty()) return;
    const int count = frameCount < 1 ? 1 : frameCount;
    const int frame = bitmap.Width() / count;
    if (frame < 2) return;
    Ensure24(bitmap);
    const int whole = frame * count;
    Remap(bitmap, bitmap.Width(), bitmap.Height(), [frame, whole](int x, int y) {
        if (x >= whole) return POINT{x, y};
        const int start = x - x % frame;
        return POINT{start + frame - 1 - (x - start), y};
    });
}

void FlipVertical(TBitmap& bitmap)
{
    if (bitmap.Empty()) return;
    Ensure24(bitmap);
    const int h = bitmap.Height();
    Remap(bitmap, bitmap.Width(), h, [h](int x, int y) { return POINT{x, h - 1 - y}; });
}

void RotateLeft(TBitmap& bitmap)
{
    if (bitmap.Empty()) return;
    Ensure24(bitmap);
    const int w = bitmap.Width(), h = bitmap.Height();
    Remap(bitmap, h, w, [w](int x, int y) { return POINT{w - 1 - y, x}; });
}

void RotateRight(TBitmap& bitmap)
{
    if (bitmap.Empty()) return;
    Ensure24(bitmap);
    const int h = bitmap.Height();
    Remap(bitmap, h, bitmap.Width(), [h](int x, int y) { return POINT{y, h - 1 - x}; });
}

TColor MixColors(TColor a, TColor b, int weight)
{
    return MixPlainColors(static_cast<TColor>(ColorToRGB(a)), static_cast<TColor>(ColorToRGB(b)), weight);
}

void FillGradient(HDC dc, const RECT& rect, TColor from, TColor to, bool vertical)
{
    if (!::RectVisible(dc, &rect)) return;
    from = static_cast<TColor>(ColorToRGB(from));
    to = static_cast<TColor>(ColorToRGB(to));
    RECT clip{};
    ::GetClipBox(dc, &clip);
    const int n = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    if (n <= 0) return;
    const int start = vertical ? rect.top : rect.left, end = vertical ? rect.bottom : rect.right;
    const int clipStart = vertical ? clip.top : clip.left, clipEnd = vertical ? clip.bottom : clip.right;
    const int first = start < clipStart ? clipStart - start : 0;
    const int last = end > clipEnd ? n - 1 - (end - clipEnd) : n - 1;
    const std::vector<TColor>& ramp = ColorRamp(GetColorRamp(n, from, to));
    for (int i = first; i <= last; ++i) {
        const RECT line = vertical ? RECT{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                                   : RECT{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
        TBrushHandle brush(::CreateSolidBrush(static_cast<COLORREF>(ramp[static_cast<size_t>(i)])));
        ::FillRect(dc, &line, brush.Get());
    }
}

} // namespace tf
