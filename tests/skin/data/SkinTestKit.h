// Small hand-made images and skins for the skin element and drawing tests.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "tools/skinpack/SkinPack.h"
#include "tests/kit/Pixels.h"

namespace tftest {

using Bytes = std::vector<uint8_t>;
using PixelFn = std::function<tf::TColor(int x, int y)>;

constexpr tf::TColor kMagenta = 0xFF00FF;

// A 24-bit bitmap of w x h whose pixel (x, y) is pixel(x, y).
inline std::unique_ptr<tf::TBitmap> MakeBitmap(int w, int h, const PixelFn& pixel)
{
    auto bmp = std::make_unique<tf::TBitmap>(w, h, tf::pf24bit);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = bmp->ScanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const tf::TColor c = pixel(x, y);
            p[0] = static_cast<uint8_t>(tf::BlueOf(c));
            p[1] = static_cast<uint8_t>(tf::GreenOf(c));
            p[2] = static_cast<uint8_t>(tf::RedOf(c));
        }
    }
    return bmp;
}

inline std::unique_ptr<tf::TBitmap> Filled(int w, int h, tf::TColor c)
{
    return MakeBitmap(w, h, [c](int, int) { return c; });
}

// A 24-bit BMP file.
inline Bytes BmpFile(int w, int h, const PixelFn& pixel)
{
    auto bmp = MakeBitmap(w, h, pixel);
    tf::TMemoryStream s;
    bmp->SaveToStream(s);
    return s.Bytes();
}

inline Bytes BmpFile(int w, int h, tf::TColor c)
{
    return BmpFile(w, h, [c](int, int) { return c; });
}

inline Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// A skin file (level 2) holding the entries in the given order.
inline Bytes SkinFile(const std::vector<skinpack::SkinEntry>& entries, int32_t version = 20000)
{
    return skinpack::BuildSkinFile(skinpack::BuildContainer(entries, version));
}

// The "SkinStream" block of a skin file.
inline Bytes SkinStreamBlock(const Bytes& skinFile) { return skinpack::BuildSkinStream(skinFile); }

inline Bytes ReadFileBytes(const std::string& path)
{
    tf::TFileStream f(path, tf::fmOpenRead);
    tf::TMemoryStream m;
    m.LoadFromStream(f);
    return m.Bytes();
}

} // namespace tftest
