#include "skin/data/SkinVocabulary.h"

#include <cstdint>

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

} // namespace

std::string SkinImageEntryName(const std::string& value)
{
    // Separators count only at single-byte positions: the trail byte of a
    // GBK character may be "\".
    size_t start = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        if (IsLeadByte(c) && i + 1 < value.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == ':') start = i + 1;
    }
    const std::string name = value.substr(start);
    static const std::string ext = ".bmp";
    if (name.size() < ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext) != 0) return {};
    return name;
}

TColor ParseSkinColour(const std::string& text, TColor def)
{
    if (text.empty()) return def;
    const std::string s = Trim(text);
    int32_t parts[3] = {0, 0, 0};
    int taken = 0;
    bool pending = false;
    bool tooLong = false;
    int64_t number = 0;
    auto take = [&] {
        if (taken < 3) parts[taken] = tooLong ? 0 : static_cast<int32_t>(number);
        ++taken;
        pending = tooLong = false;
        number = 0;
    };
    for (char ch : s) {
        if (ch >= '0' && ch <= '9') {
            pending = true;
            if (!tooLong) {
                number = number * 10 + (ch - '0');
                if (number > INT32_MAX) tooLong = true;
            }
        } else if (pending) {
            take();
        }
    }
    if (pending && taken == 2) take();
    return RGBColor(parts[0] & 0xFF, parts[1] & 0xFF, parts[2] & 0xFF);
}

bool IsCaptionButtonSection(const std::string& name, int32_t action, int32_t visibility)
{
    const std::string upper = UpperCaseAscii(name);
    if (upper.rfind("BUTTON", 0) != 0) return false;
    if (upper == "BUTTONS" || upper == "BUTTON" || upper == "BUTTON.RADIO" || upper == "BUTTON.CHECKBOX") return false;
    return !(action == -1 && visibility != 0);
}

int32_t BoxFrameCount(int32_t width, int32_t height)
{
    const int32_t cell = height >= 16 ? 16 : 13;
    const int32_t count = width / cell;
    return count < 4 ? 4 : count;
}

int32_t CaptionButtonFrameCount(bool hasImage, int32_t width, int32_t height, int32_t action)
{
    int32_t count = 6;
    // width / height <= 3.8, compared exactly (floating point would decide
    // the case of exactly 3.8 differently on different FPUs).
    if (hasImage && height > 0) count = static_cast<int64_t>(width) * 5 <= static_cast<int64_t>(height) * 19 ? 3 : 6;
    if (action < 0) count = 6;
    return count;
}

} // namespace tf
