#include "framework/graphics/OffscreenCache.h"

#include <algorithm>

namespace tf {

TOffscreenCache& TOffscreenCache::Shared()
{
    static TOffscreenCache cache;
    return cache;
}

bool TOffscreenCache::Grow(TBuffer& buffer, int width, int height)
{
    if (buffer.Width >= width && buffer.Height >= height) return true;
    const int w = std::max(buffer.Width, width), h = std::max(buffer.Height, height);
    TScreenDC screen;
    TBitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), w, h));
    if (!bitmap) return false;
    ++FBitmapsCreated;
    if (!buffer.DC) buffer.DC.Reset(::CreateCompatibleDC(screen.Get()));
    if (!buffer.DC) return false;
    // The smaller bitmap leaves the DC before it is deleted.
    buffer.Selected.reset();
    buffer.Bitmap = std::move(bitmap);
    buffer.Selected.emplace(buffer.DC.Get(), buffer.Bitmap.Get());
    buffer.Width = w;
    buffer.Height = h;
    return true;
}

TOffscreenCache::TBuffer* TOffscreenCache::Acquire(int width, int height)
{
    if (width <= 0 || height <= 0) return nullptr;
    TBuffer* best = nullptr;
    for (auto& b : FBuffers) {
        if (b->InUse) continue;
        if (b->Width >= width && b->Height >= height) {
            best = b.get();
            break;
        }
        if (!best) best = b.get();   // the first free one grows when none fits
    }
    if (!best) {
        FBuffers.push_back(std::make_unique<TBuffer>());
        best = FBuffers.back().get();
    }
    if (!Grow(*best, width, height)) return nullptr;
    best->InUse = true;
    return best;
}

TOffscreenLease::TOffscreenLease(HDC target, const RECT& rect, TOffscreenCache& cache)
    : FCache(cache), FTarget(target), FRect(rect)
{
    FBuffer = FCache.Acquire(rect.right - rect.left, rect.bottom - rect.top);
    if (!FBuffer) return;
    HDC dc = FBuffer->DC.Get();
    FSaved = ::SaveDC(dc);
    ::SetWindowOrgEx(dc, rect.left, rect.top, nullptr);
}

TOffscreenLease::~TOffscreenLease()
{
    if (!FBuffer) return;
    if (FSaved) ::RestoreDC(FBuffer->DC.Get(), FSaved);
    FCache.Give(FBuffer);
}

void TOffscreenLease::Flush() const
{
    if (!FBuffer) return;
    ::BitBlt(FTarget, FRect.left, FRect.top, FRect.right - FRect.left, FRect.bottom - FRect.top, FBuffer->DC.Get(),
             FRect.left, FRect.top, SRCCOPY);
}

} // namespace tf
