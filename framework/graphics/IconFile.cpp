#include "IconFile.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/core/Streams.h"
#include "framework/graphics/LittleEndian.h"

namespace tf {

namespace {

using namespace le;

[[noreturn]] void Fail(const std::string& what) { throw EInvalidGraphic("Invalid icon: " + what); }

const uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t MaxIconImages = 256;
constexpr int64_t MaxIconSide = 1024;

} // namespace

bool TIconImage::IsPng() const { return Data.size() >= 8 && std::memcmp(Data.data(), PngSignature, 8) == 0; }

void ValidateIconImage(const TIconImage& image)
{
    if (image.IsPng()) return;
    const std::vector<uint8_t>& d = image.Data;
    if (d.size() < 40) Fail("image header ends early");
    const uint32_t headerSize = U32(&d[0]);
    if (headerSize < 40 || headerSize > d.size()) Fail("image header size " + std::to_string(headerSize));
    const int64_t width = static_cast<int32_t>(U32(&d[4]));
    const int64_t doubleHeight = static_cast<int32_t>(U32(&d[8]));
    const int bitCount = U16(&d[14]);
    const uint32_t compression = U32(&d[16]);
    const uint32_t colorsUsed = U32(&d[32]);
    if (width < 1 || width > MaxIconSide || doubleHeight < 2 || doubleHeight > 2 * MaxIconSide)
        Fail("image size " + std::to_string(width) + " x " + std::to_string(doubleHeight / 2));
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        Fail(std::to_string(bitCount) + " bits per pixel");
    if (compression != 0) Fail("compressed image");
    int64_t colors = colorsUsed;
    if (bitCount <= 8) {
        if (colors == 0) colors = int64_t{1} << bitCount;
        if (colors > (int64_t{1} << bitCount)) Fail("colour table of " + std::to_string(colors) + " entries");
    }
    const int64_t height = doubleHeight / 2;
    const int64_t xorBytes = ((width * bitCount + 31) / 32) * 4 * height;
    const int64_t andBytes = ((width + 31) / 32) * 4 * height;
    const int64_t needed = headerSize + colors * 4 + xorBytes + andBytes;
    if (needed > static_cast<int64_t>(d.size())) Fail("image data ends early");
}

std::vector<TIconImage> ReadIconFile(TStream& stream)
{
    const int64_t start = stream.Position();
    const int64_t available = stream.Size() - start;
    uint8_t header[6];
    if (available < 6 || stream.Read(header, 6) != 6) Fail("header ends early");
    if (U16(header) != 0 || U16(header + 2) != 1) Fail("not an icon file");
    const uint32_t count = U16(header + 4);
    if (count == 0 || count > MaxIconImages) Fail(std::to_string(count) + " images");
    const int64_t dirEnd = 6 + int64_t{16} * count;
    if (dirEnd > available) Fail("directory ends early");
    std::vector<uint8_t> dir(static_cast<size_t>(16 * count));
    if (stream.Read(dir.data(), static_cast<int32_t>(dir.size())) != static_cast<int32_t>(dir.size()))
        Fail("directory ends early");

    std::vector<TIconImage> images;
    int64_t end = dirEnd;
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = &dir[16 * i];
        TIconImage img;
        img.Width = e[0] ? e[0] : 256;
        img.Height = e[1] ? e[1] : 256;
        img.ColorCount = e[2];
        img.Planes = U16(e + 4);
        img.BitCount = U16(e + 6);
        const int64_t size = U32(e + 8);
        const int64_t offset = U32(e + 12);
        if (size == 0 || offset < dirEnd || offset + size > available)
            Fail("image " + std::to_string(i + 1) + " lies outside the file");
        img.Data.resize(static_cast<size_t>(size));
        stream.SetPosition(start + offset);
        if (stream.Read(img.Data.data(), static_cast<int32_t>(size)) != size) Fail("image data ends early");
        ValidateIconImage(img);
        if (!img.IsPng() && img.BitCount == 0) img.BitCount = U16(&img.Data[14]);
        end = std::max(end, offset + size);
        images.push_back(std::move(img));
    }
    stream.SetPosition(start + end);
    return images;
}

void WriteIconFile(TStream& stream, const std::vector<TIconImage>& images)
{
    if (images.empty() || images.size() > MaxIconImages) throw EInvalidGraphicOperation("Cannot save an icon without images");
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const TIconImage& img : images) {
        out.push_back(static_cast<uint8_t>(img.Width >= 256 ? 0 : img.Width));
        out.push_back(static_cast<uint8_t>(img.Height >= 256 ? 0 : img.Height));
        out.push_back(static_cast<uint8_t>(img.ColorCount));
        out.push_back(0);
        Put16(out, static_cast<uint32_t>(img.Planes));
        Put16(out, static_cast<uint32_t>(img.BitCount));
        Put32(out, static_cast<uint32_t>(img.Data.size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(img.Data.size());
    }
    for (const TIconImage& img : images) out.insert(out.end(), img.Data.begin(), img.Data.end());
    stream.WriteBuffer(out.data(), static_cast<int32_t>(out.size()));
}

} // namespace tf
