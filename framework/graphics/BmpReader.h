// BMP files to and from an in-memory DIB. Portable (no Windows API), so the
// reader is fuzzed natively. Every size is checked against the data present
// before anything is read or allocated.
#pragma once
#include <cstdint>
#include <vector>

#include "framework/graphics/GraphicErrors.h"

namespace tf {

class TStream;

// A DIB as Windows lays it out: rows bottom-up, each padded to 4 bytes.
struct TDibImage {
    int32_t Width = 0;
    int32_t Height = 0;
    int BitCount = 0;               // 1, 4, 8, 16, 24 or 32
    bool Rgb565 = false;            // 16 bits: 5-6-5 instead of 5-5-5
    std::vector<uint32_t> Palette;  // 1 << BitCount entries for <= 8 bits: 0x00RRGGBB (RGBQUAD order in memory)
    std::vector<uint8_t> Bits;

    int32_t Stride() const { return ((Width * BitCount + 31) / 32) * 4; }
};

// Largest width or height accepted.
constexpr int32_t MaxBmpDimension = 32767;

// Reads a BMP file starting at the stream's position: file header, an info
// header (core, 40-byte or later versions), colour table, bit fields, pixels.
// Uncompressed 1/4/8/16/24/32 bits and BI_BITFIELDS 16/32 bits are accepted;
// bit fields other than 5-5-5, 5-6-5 and 8-8-8 are converted to 32 bits.
// Anything else, or data that ends early, raises EInvalidGraphic. The stream
// is left after the pixel data.
TDibImage ReadBmp(TStream& stream);

// Writes a BMP file (40-byte header; BI_BITFIELDS for 5-6-5).
void WriteBmp(TStream& stream, const TDibImage& image);

} // namespace tf
