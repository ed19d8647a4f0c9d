// The definition-text rules and colour arithmetic on arbitrary input: no
// crash, no undefined behaviour, results within their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "skin/data/ColorMath.h"
#include "skin/data/SkinVocabulary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tf::TColor c = tf::ParseSkinColour(text, 0x123456);
    if (!text.empty() && (c & 0xFF000000)) std::abort();
    const std::string entry = tf::SkinImageEntryName(text);
    if (!entry.empty() && (entry.size() > text.size() || entry.compare(entry.size() - 4, 4, ".bmp") != 0)) std::abort();
    tf::IsCaptionButtonSection(text, 0, -1);
    if (size >= 12) {
        int32_t v[3];
        std::memcpy(v, data, sizeof v);
        if (tf::BoxFrameCount(v[0], v[1]) < 4) std::abort();
        tf::CaptionButtonFrameCount(true, v[0], v[1], v[2]);
        const int s = tf::ColorSaturation(v[0]);
        if (s < 0 || s > 255) std::abort();
        const tf::TColor m = tf::MixPlainColors(v[0], v[1], v[2] % 2000);
        if (m & 0xFF000000) std::abort();
    }
    return 0;
}
