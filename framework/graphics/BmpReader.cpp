#include "BmpReader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/core/Streams.h"
#include "framework/graphics/LittleEndian.h"

namespace tf {

namespace {

using namespace le;

[[noreturn]] void Fail(const std::string& what) { throw EInvalidGraphic("Invalid bitmap: " + what); }

// Reads from the stream, never more than the bytes that are there.
class TBoundedReader {
public:
    explicit TBoundedReader(TStream& s) : FStream(s)
    {
        const int64_t pos = s.Position();
        FLeft = s.Size() - pos;
        if (FLeft < 0) FLeft = 0;
    }
    std::vector<uint8_t> Read(int64_t count, const char* what)
    {
        if (count < 0 || count > FLeft) Fail(std::string(what) + " ends early");
        std::vector<uint8_t> buf(static_cast<size_t>(count));
        if (count > 0 && FStream.Read(buf.data(), static_cast<int32_t>(count)) != count)
            Fail(std::string(what) + " ends early");
        FLeft -= count;
        FConsumed += count;
        return buf;
    }
    int64_t Consumed() const { return FConsumed; }

private:
    TStream& FStream;
    int64_t FLeft;
    int64_t FConsumed = 0;
};

struct TMask {
    uint32_t Mask = 0;
    int Shift = 0;
    uint32_t Max = 0;
    explicit TMask(uint32_t m) : Mask(m)
    {
        if (!m) return;
        while (!((m >> Shift) & 1)) ++Shift;
        Max = m >> Shift;
    }
    uint8_t Channel(uint32_t v) const
    {
        if (!Max) return 0;
        return static_cast<uint8_t>((static_cast<uint64_t>((v & Mask) >> Shift) * 255 + Max / 2) / Max);
    }
};

// Bit fields that are not one of the plain layouts: decoded to 32 bits.
TDibImage ConvertBitFields(const std::vector<uint8_t>& src, int32_t width, int32_t height, int bitCount,
                           const uint32_t masks[3])
{
    TDibImage out;
    out.Width = width;
    out.Height = height;
    out.BitCount = 32;
    out.Bits.resize(static_cast<size_t>(out.Stride()) * static_cast<size_t>(height));
    const TMask r(masks[0]), g(masks[1]), b(masks[2]);
    const int64_t srcStride = ((static_cast<int64_t>(width) * bitCount + 31) / 32) * 4;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* s = src.data() + y * srcStride;
        uint8_t* d = out.Bits.data() + static_cast<size_t>(y) * out.Stride();
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t v = bitCount == 16 ? U16(s + 2 * x) : U32(s + 4 * x);
            d[4 * x + 0] = b.Channel(v);
            d[4 * x + 1] = g.Channel(v);
            d[4 * x + 2] = r.Channel(v);
            d[4 * x + 3] = 0;
        }
    }
    return out;
}

} // namespace

TDibImage ReadBmp(TStream& stream)
{
    TBoundedReader in(stream);
    const std::vector<uint8_t> fh = in.Read(14, "file header");
    if (fh[0] != 'B' || fh[1] != 'M') Fail("not a BMP file");
    const uint32_t offBits = U32(&fh[10]);

    const uint32_t headerSize = U32(in.Read(4, "info header").data());
    if (headerSize != 12 && (headerSize < 40 || headerSize > 1024)) Fail("unknown header size " + std::to_string(headerSize));
    std::vector<uint8_t> h(4);
    const std::vector<uint8_t> rest = in.Read(headerSize - 4, "info header");
    h.insert(h.end(), rest.begin(), rest.end());

    int64_t width, height;
    int bitCount;
    uint32_t compression = 0, colorsUsed = 0;
    int paletteEntrySize = 4;
    if (headerSize == 12) {
        width = U16(&h[4]);
        height = U16(&h[6]);
        bitCount = U16(&h[10]);
        paletteEntrySize = 3;
    } else {
        width = static_cast<int32_t>(U32(&h[4]));
        height = static_cast<int32_t>(U32(&h[8]));
        bitCount = U16(&h[14]);
        compression = U32(&h[16]);
        colorsUsed = U32(&h[32]);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width < 1 || height < 1 || width > MaxBmpDimension || height > MaxBmpDimension)
        Fail("size " + std::to_string(width) + " x " + std::to_string(height));
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        Fail(std::to_string(bitCount) + " bits per pixel");
    const bool bitFields = compression == 3 || compression == 6;   // BI_BITFIELDS, BI_ALPHABITFIELDS
    if (compression != 0 && !(bitFields && (bitCount == 16 || bitCount == 32)))
        Fail("unsupported compression " + std::to_string(compression));

    uint32_t masks[3] = {0, 0, 0};
    if (bitFields) {
        std::vector<uint8_t> m;
        if (headerSize >= 52) {
            m.assign(h.begin() + 40, h.begin() + 52);
        } else {
            m = in.Read(compression == 6 ? 16 : 12, "bit fields");
        }
        for (int i = 0; i < 3; ++i) masks[i] = U32(&m[4 * i]);
    } else if (bitCount == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    }

    TDibImage img;
    img.Width = static_cast<int32_t>(width);
    img.Height = static_cast<int32_t>(height);
    img.BitCount = bitCount;
    if (bitCount <= 8) {
        const uint32_t full = 1u << bitCount;
        const uint32_t n = colorsUsed ? colorsUsed : full;
        if (n > full) Fail("colour table of " + std::to_string(n) + " entries");
        const std::vector<uint8_t> pal = in.Read(static_cast<int64_t>(n) * paletteEntrySize, "colour table");
        img.Palette.assign(full, 0);
        for (uint32_t i = 0; i < n; ++i) {
            const uint8_t* e = &pal[i * paletteEntrySize];
            img.Palette[i] = e[0] | (e[1] << 8) | (e[2] << 16);
        }
    } else if (colorsUsed > 0) {
        // An optional colour table of a true-colour image: only skipped.
        in.Read(static_cast<int64_t>(colorsUsed) * paletteEntrySize, "colour table");
    }

    // Pixels start at the offset the file header gives, unless it points
    // into the headers (then right after them).
    if (offBits > in.Consumed()) in.Read(offBits - in.Consumed(), "gap before pixels");
    const int64_t srcStride = ((width * bitCount + 31) / 32) * 4;
    std::vector<uint8_t> bits = in.Read(srcStride * height, "pixel data");
    if (topDown) {
        std::vector<uint8_t> row(static_cast<size_t>(srcStride));
        for (int64_t y = 0; y < height / 2; ++y) {
            uint8_t* a = bits.data() + y * srcStride;
            uint8_t* b = bits.data() + (height - 1 - y) * srcStride;
            std::memcpy(row.data(), a, row.size());
            std::memcpy(a, b, row.size());
            std::memcpy(b, row.data(), row.size());
        }
    }

    if (bitCount == 16 && masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F) {
        img.Bits = std::move(bits);
    } else if (bitCount == 16 && masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F) {
        img.Rgb565 = true;
        img.Bits = std::move(bits);
    } else if (bitFields && !(bitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF)) {
        return ConvertBitFields(bits, img.Width, img.Height, bitCount, masks);
    } else {
        img.Bits = std::move(bits);
    }
    return img;
}

void WriteBmp(TStream& stream, const TDibImage& image)
{
    const int bc = image.BitCount;
    if (bc != 1 && bc != 4 && bc != 8 && bc != 16 && bc != 24 && bc != 32)
        throw EInvalidGraphicOperation("Cannot save a bitmap of " + std::to_string(bc) + " bits per pixel");
    const uint32_t imageSize = static_cast<uint32_t>(image.Stride()) * static_cast<uint32_t>(image.Height);
    if (image.Bits.size() < imageSize) throw EInvalidGraphicOperation("Bitmap pixels are missing");
    const uint32_t paletteCount = bc <= 8 ? static_cast<uint32_t>(image.Palette.size()) : 0;
    const bool fields = bc == 16 && image.Rgb565;
    const uint32_t offBits = 14 + 40 + paletteCount * 4 + (fields ? 12 : 0);

    std::vector<uint8_t> out;
    out.reserve(offBits);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + imageSize);
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(image.Width));
    Put32(out, static_cast<uint32_t>(image.Height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bc));
    Put32(out, fields ? 3 : 0);
    Put32(out, imageSize);
    Put32(out, 3780);   // 96 dpi
    Put32(out, 3780);
    Put32(out, paletteCount);
    Put32(out, 0);
    for (uint32_t i = 0; i < paletteCount; ++i) Put32(out, image.Palette[i] & 0xFFFFFF);
    if (fields) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }
    stream.WriteBuffer(out.data(), static_cast<int32_t>(out.size()));
    stream.WriteBuffer(image.Bits.data(), static_cast<int32_t>(imageSize));
}

} // namespace tf
