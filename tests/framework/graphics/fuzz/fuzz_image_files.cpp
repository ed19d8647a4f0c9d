// Feeds arbitrary bytes to the BMP and icon file readers: they must either
// return an image whose sizes agree with its data or raise EInvalidGraphic.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/core/Streams.h"
#include "framework/graphics/BmpReader.h"
#include "framework/graphics/IconFile.h"

using namespace tf;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);
    try {
        TMemoryStream s(bytes);
        const TDibImage img = ReadBmp(s);
        const size_t needed = static_cast<size_t>(img.Stride()) * static_cast<size_t>(img.Height);
        if (img.Bits.size() != needed) std::abort();
        if (img.BitCount <= 8 && img.Palette.size() != (1u << img.BitCount)) std::abort();
        if (s.Position() > s.Size()) std::abort();
        TMemoryStream out;
        WriteBmp(out, img);   // what was read can be written
    } catch (const EInvalidGraphic&) {
    }
    try {
        TMemoryStream s(bytes);
        const std::vector<TIconImage> images = ReadIconFile(s);
        if (images.empty()) std::abort();
        TMemoryStream out;
        WriteIconFile(out, images);
        out.SetPosition(0);
        if (ReadIconFile(out).size() != images.size()) std::abort();   // round trip
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
