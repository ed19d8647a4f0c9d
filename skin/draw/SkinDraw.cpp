#include "skin/draw/SkinDraw.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/draw/SkinPlatform.h"

namespace tf {

namespace {

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// Where frame k of n lies in the bitmap.
struct TFrame {
    int X, Y, W, H;
};

TFrame FrameOf(TBitmap& bitmap, int k, int n, bool stacked)
{
    n = UsableFrameCount(n);
    if (stacked) {
        const int h = bitmap.Height() / n;
        return TFrame{0, (k - 1) * h, bitmap.Width(), h};
    }
    const int w = bitmap.Width() / n;
    return TFrame{(k - 1) * w, 0, w, bitmap.Height()};
}

// The fixed pieces a and b at the two ends of a frame `size` long: a
// negative one counts as 0; two that leave the frame fewer than `middle`
// pixels between them are cut in proportion to size - 1, so that the part
// between them, which is stretched or repeated over the rest of the target,
// keeps a source pixel. Bars ask for no middle (caps as wide as the frame
// draw only the caps); a nine-part grid asks for one, since its target
// always has a middle.
void FitEnds(int& a, int& b, int size, int middle)
{
    a = std::max(a, 0);
    b = std::max(b, 0);
    if (int64_t{a} + b + middle <= size) return;
    const int64_t room = std::max(size - 1, 0);
    const int cutA = static_cast<int>(room * a / (int64_t{a} + b));
    b = static_cast<int>(room - cutA);
    a = cutA;
}

// Copies (stretching when sizes differ) a source box to a target box; boxes
// are (x, y, width, height). Nothing for empty boxes.
void Blit(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh)
{
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    if (dw == sw && dh == sh) ::BitBlt(dst, dx, dy, dw, dh, src, sx, sy, SRCCOPY);
    else ::StretchBlt(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, SRCCOPY);
}

// A 24-bit bitmap of the given size filled with the key colour.
std::unique_ptr<TBitmap> KeyFilled(int w, int h)
{
    auto out = std::make_unique<TBitmap>(0, 0, pf24bit);
    out->Canvas()->Brush()->SetColor(clSkinKey);
    out->SetSize(w, h);   // new area takes the brush colour
    if (!out->Empty()) ::SetStretchBltMode(out->Canvas()->Handle(), COLORONCOLOR);
    return out;
}

// w x h pixels of src from (sx, sy) to (x, y) of dc, leaving out key pixels.
void TransparentCopy(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, TColor key)
{
    if (w <= 0 || h <= 0) return;
    // The mask: 1 where the source has the key colour.
    TBitmapHandle mask(::CreateBitmap(w, h, 1, 1, nullptr));
    TDCHandle maskDC(::CreateCompatibleDC(dc));
    if (!mask || !maskDC) return;
    TSelectObject selectMask(maskDC.Get(), mask.Get());
    const COLORREF oldSrcBk = ::SetBkColor(src, static_cast<COLORREF>(key & 0xFFFFFF));
    ::BitBlt(maskDC.Get(), 0, 0, w, h, src, sx, sy, SRCCOPY);
    ::SetBkColor(src, oldSrcBk);

    if (PlatformFlags().NTFamily) {
        // Key pixels (mask 1) keep the destination; the rest is copied.
        ::MaskBlt(dc, x, y, w, h, src, sx, sy, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
        return;
    }
    const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    ::BitBlt(dc, x, y, w, h, src, sx, sy, SRCINVERT);
    ::BitBlt(dc, x, y, w, h, maskDC.Get(), 0, 0, SRCAND);
    ::BitBlt(dc, x, y, w, h, src, sx, sy, SRCINVERT);
    ::SetBkColor(dc, oldBk);
    ::SetTextColor(dc, oldText);
}

// The finished image to dc at rect: transparent or opaque.
void Present(HDC dc, const RECT& rect, TBitmap& image, bool transparent)
{
    if (image.Empty()) return;
    if (transparent) DrawTransparent(dc, rect, image, clSkinKey);
    else ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, image.Canvas()->Handle(), 0,
                  0, SRCCOPY);
}

} // namespace

std::unique_ptr<TBitmap> ComposeElement(const RECT& size, TBitmap& bitmap, const RECT& margins, int frame,
                                        int frameCount, bool tile, bool stacked)
{
    const int W = std::max<int>(size.right - size.left, 0), H = std::max<int>(size.bottom - size.top, 0);
    auto out = KeyFilled(W, H);
    if (out->Empty() || bitmap.Empty()) return out;

    const TFrame f = FrameOf(bitmap, frame, frameCount, stacked);
    int L = std::max<int>(margins.left, 0), T = std::max<int>(margins.top, 0);
    int R = std::max<int>(margins.right, 0), B = std::max<int>(margins.bottom, 0);
    if (W < int64_t{L} + R) L = R = 0;
    if (H < int64_t{T} + B) T = B = 0;
    // Margins that fit the target but leave the frame no middle would leave
    // the target's middle without a source, showing the key colour. (Where
    // the target has no middle either, it is the frame's size, and the cut
    // draws the same pixels.)
    FitEnds(L, R, f.W, 1);
    FitEnds(T, B, f.H, 1);
    HDC dst = out->Canvas()->Handle();
    HDC src = bitmap.Canvas()->Handle();
    const int fx = f.X, fy = f.Y, fw = f.W, fh = f.H;
    // Order matters: the centre's tiles may run past it; the pieces after it
    // cover the overflow.
    if (L * T > 0) Blit(dst, 0, 0, L, T, src, fx, fy, L, T);
    if (L * B > 0) Blit(dst, 0, H - B, L, B, src, fx, fy + fh - B, L, B);
    if (R * T > 0) Blit(dst, W - R, 0, R, T, src, fx + fw - R, fy, R, T);
    if (L > 0) Blit(dst, 0, T, L, H - B - T, src, fx, fy + T, L, fh - B - T);
    if (T > 0) Blit(dst, L, 0, W - R - L, T, src, fx + L, fy, fw - R - L, T);
    if (tile) {
        TileDraw(*out->Canvas(), RECT{L, T, W - R, H - B}, bitmap, RECT{fx + L, fy + T, fx + fw - R, fy + fh - B});
    } else {
        Blit(dst, L, T, W - R - L, H - B - T, src, fx + L, fy + T, fw - R - L, fh - B - T);
    }
    if (R * B > 0) Blit(dst, W - R, H - B, R, B, src, fx + fw - R, fy + fh - B, R, B);
    if (R > 0) Blit(dst, W - R, T, R, H - B - T, src, fx + fw - R, fy + T, R, fh - B - T);
    if (B > 0) Blit(dst, L, H - B, W - R - L, B, src, fx + L, fy + fh - B, fw - R - L, B);
    return out;
}

void DrawElement(HDC dc, const RECT& rect, TBitmap& bitmap, const RECT& margins, int frame, int frameCount,
                 bool transparent, bool tile, bool stacked)
{
    if (Inverted(rect) || bitmap.Empty()) return;
    const auto composed = ComposeElement(rect, bitmap, margins, frame, frameCount, tile, stacked);
    Present(dc, rect, *composed, transparent);
}

void DrawHorzBar(TCanvas& canvas, const RECT& rect, TBitmap& bitmap, const RECT& caps, int frame, int frameCount,
                 bool transparent, bool stacked)
{
    if (Inverted(rect) || bitmap.Empty()) return;
    const int W = rect.right - rect.left, H = rect.bottom - rect.top;
    auto bar = KeyFilled(W, H);
    if (bar->Empty()) return;
    const TFrame f = FrameOf(bitmap, frame, frameCount, stacked);
    HDC dst = bar->Canvas()->Handle();
    HDC src = bitmap.Canvas()->Handle();
    int capL = caps.left, capR = caps.right;
    FitEnds(capL, capR, f.W, 0);   // caps wider than the frame would read the next frame
    Blit(dst, 0, 0, capL, H, src, f.X, f.Y, capL, f.H);
    const int m = f.W - capL - capR;
    if (m > 0)
        for (int x = capL; x < W - capR; x += m) Blit(dst, x, 0, m, H, src, f.X + capL, f.Y, m, f.H);
    Blit(dst, W - capR, 0, capR, H, src, f.X + f.W - capR, f.Y, capR, f.H);
    Present(canvas.Handle(), rect, *bar, transparent);
}

void DrawElementStretched(HDC dc, const RECT& rect, TBitmap& bitmap, int frame, int frameCount, bool transparent)
{
    if (Inverted(rect) || bitmap.Empty()) return;
    const int W = rect.right - rect.left, H = rect.bottom - rect.top;
    auto image = KeyFilled(W, H);
    if (image->Empty()) return;
    const TFrame f = FrameOf(bitmap, frame, frameCount, false);
    Blit(image->Canvas()->Handle(), 0, 0, W, H, bitmap.Canvas()->Handle(), f.X, f.Y, f.W, f.H);
    Present(dc, rect, *image, transparent);
}

void DrawElementCentered(HDC dc, const RECT& rect, TBitmap& bitmap, bool transparent, int frameCount, int frame)
{
    if (Inverted(rect) || bitmap.Empty()) return;
    const TFrame f = FrameOf(bitmap, frame, frameCount, false);
    const int x = rect.left + (rect.right - rect.left - f.W) / 2;
    const int y = rect.top + (rect.bottom - rect.top - f.H) / 2;
    HDC src = bitmap.Canvas()->Handle();
    if (transparent) TransparentCopy(dc, x, y, f.W, f.H, src, f.X, f.Y, clSkinKey);
    else ::BitBlt(dc, x, y, f.W, f.H, src, f.X, f.Y, SRCCOPY);
}

void DrawThreeSlice(HDC dc, const RECT& rect, TBitmap& bitmap, const RECT& caps, int frame, int frameCount,
                    bool stacked)
{
    if (Inverted(rect) || bitmap.Empty()) return;
    const TFrame f = FrameOf(bitmap, frame, frameCount, stacked);
    const int W = rect.right - rect.left, H = rect.bottom - rect.top;
    HDC src = bitmap.Canvas()->Handle();
    TStretchMode mode(dc, COLORONCOLOR);
    if (f.W > W) {
        Blit(dc, rect.left, rect.top, W, H, src, f.X, f.Y, f.W, f.H);
        return;
    }
    int capL = caps.left, capR = caps.right;
    FitEnds(capL, capR, f.W, 0);   // caps wider than the frame would read the next frame
    Blit(dc, rect.left, rect.top, capL, H, src, f.X, f.Y, capL, f.H);
    Blit(dc, rect.left + capL, rect.top, W - capL - capR, H, src, f.X + capL, f.Y, f.W - capL - capR, f.H);
    Blit(dc, rect.right - capR, rect.top, capR, H, src, f.X + f.W - capR, f.Y, capR, f.H);
}

void DrawTransparent(HDC dc, const RECT& rect, TBitmap& bitmap, TColor key)
{
    if (Inverted(rect) || bitmap.Empty()) return;
    TransparentCopy(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                    bitmap.Canvas()->Handle(), 0, 0, key);
}

void TileDraw(TCanvas& canvas, const RECT& target, TBitmap& bitmap, const RECT& source)
{
    const int pw = source.right - source.left, ph = source.bottom - source.top;
    if (pw <= 0 || ph <= 0 || bitmap.Empty() || Inverted(target)) return;
    TBitmap part(pw, ph, pf24bit);
    ::BitBlt(part.Canvas()->Handle(), 0, 0, pw, ph, bitmap.Canvas()->Handle(), source.left, source.top, SRCCOPY);
    HDC dst = canvas.Handle();
    HDC src = part.Canvas()->Handle();
    for (int x = target.left; x < target.right; x += pw)
        for (int y = target.top; y < target.bottom; y += ph) ::BitBlt(dst, x, y, pw, ph, src, 0, 0, SRCCOPY);
}

TRegionHandle RegionFromBitmap(TBitmap& bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                               int redTolerance, TColor key)
{
    if (bitmap.Height() <= 0) return TRegionHandle();
    bitmap.SetPixelFormat(pf32bit);
    // Rows without columns (a border composed 0 wide) have no scan lines.
    if (bitmap.Width() <= 0) return TRegionHandle(::CreateRectRgn(0, 0, 0, 0));
    const int lowR = RedOf(key), lowG = GreenOf(key), lowB = BlueOf(key);
    const int highR = std::min(255, lowR + redTolerance);
    const int highG = std::min(255, lowG + greenTolerance);
    const int highB = std::min(255, lowB + blueTolerance);
    auto isKey = [&](const uint8_t* p) {
        return p[0] >= lowB && p[0] <= highB && p[1] >= lowG && p[1] <= highG && p[2] >= lowR && p[2] <= highR;
    };

    constexpr size_t kBatch = 2000, kGrowth = 500;
    TRegionHandle result;
    std::vector<RECT> rects;
    rects.reserve(kGrowth);
    auto flush = [&] {
        if (rects.empty()) return;
        RECT bound = rects.front();
        for (const RECT& r : rects) {
            bound.left = std::min(bound.left, r.left);
            bound.top = std::min(bound.top, r.top);
            bound.right = std::max(bound.right, r.right);
            bound.bottom = std::max(bound.bottom, r.bottom);
        }
        std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
        auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(rects.size());
        header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
        header->rcBound = bound;
        std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
        TRegionHandle part(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                             reinterpret_cast<const RGNDATA*>(data.data())));
        if (!result) result = std::move(part);
        else if (part) ::CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR);
        rects.clear();
    };

    const int w = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* row = bitmap.ScanLine(y);
        int x = 0;
        while (x < w) {
            while (x < w && isKey(row + 4 * x)) ++x;
            if (x >= w) break;
            const int x0 = x;
            while (x < w && !isKey(row + 4 * x)) ++x;
            if (rects.size() == rects.capacity()) rects.reserve(rects.capacity() + kGrowth);
            rects.push_back(RECT{x0 + dx, y + dy, x + dx, y + dy + 1});
            if (rects.size() == kBatch) flush();
        }
    }
    flush();
    if (!result) result.Reset(::CreateRectRgn(0, 0, 0, 0));
    return result;
}

} // namespace tf
