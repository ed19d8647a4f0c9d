// Off-screen buffers for painting, made once and reused: a lease takes a free
// buffer of the cache at least as large as its rectangle (growing one when
// none is), moves the buffer's origin so that drawing in target coordinates
// lands in it, and gives it back when the lease ends, with the DC's state as
// it was. Leases nest (a paint that paints another window meanwhile takes a
// second buffer). Buffers never shrink; they are freed with the cache at
// exit. For the thread that paints the program's windows only.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "framework/graphics/GdiHandle.h"

namespace tf {

class TOffscreenCache {
public:
    struct TBuffer {
        // In this order: the bitmap leaves the DC before it is deleted, and
        // both before the DC.
        TDCHandle DC;
        TBitmapHandle Bitmap;
        std::optional<TSelectObject> Selected;
        int Width = 0, Height = 0;
        bool InUse = false;
    };
    TOffscreenCache() = default;
    TOffscreenCache(const TOffscreenCache&) = delete;
    TOffscreenCache& operator=(const TOffscreenCache&) = delete;

    // The cache the program's paints share.
    static TOffscreenCache& Shared();
    // A free buffer of at least width x height, marked in use; null when no
    // memory DC or bitmap could be made.
    TBuffer* Acquire(int width, int height);
    void Give(TBuffer* buffer) { buffer->InUse = false; }
    // Bitmaps the cache has made so far (a buffer grown counts again).
    int BitmapsCreated() const { return FBitmapsCreated; }
    int Buffers() const { return static_cast<int>(FBuffers.size()); }

private:
    bool Grow(TBuffer& buffer, int width, int height);

    std::vector<std::unique_ptr<TBuffer>> FBuffers;
    int FBitmapsCreated = 0;
};

// One buffer of the shared cache for a scope, over rect of target. Flush
// copies the rectangle onto target in one operation; ending the scope copies
// nothing. False when no buffer could be had: draw into target directly then.
class TOffscreenLease {
public:
    TOffscreenLease(HDC target, const RECT& rect, TOffscreenCache& cache = TOffscreenCache::Shared());
    ~TOffscreenLease();
    TOffscreenLease(const TOffscreenLease&) = delete;
    TOffscreenLease& operator=(const TOffscreenLease&) = delete;
    explicit operator bool() const { return FBuffer != nullptr; }
    HDC Get() const { return FBuffer ? FBuffer->DC.Get() : FTarget; }
    const RECT& Rect() const { return FRect; }
    void Flush() const;

private:
    TOffscreenCache& FCache;
    HDC FTarget;
    RECT FRect;
    TOffscreenCache::TBuffer* FBuffer = nullptr;
    int FSaved = 0;
};

} // namespace tf
