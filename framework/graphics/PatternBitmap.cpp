#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/BrushPen.h"

namespace tf {

TBitmap* AllocPatternBitmap(TColor color1, TColor color2)
{
    static std::mutex lock;
    static std::map<std::pair<TColor, TColor>, std::unique_ptr<TBitmap>> cache;
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = cache[{color1, color2}];
    if (!slot) {
        auto bmp = std::make_unique<TBitmap>(8, 8, pf24bit);
        TCanvas* c = bmp->Canvas();
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) c->SetPixel(x, y, (x % 2) == (y % 2) ? color1 : color2);
        slot = std::move(bmp);
    }
    return slot.get();
}

} // namespace tf
