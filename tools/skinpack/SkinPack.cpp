#include "SkinPack.h"

#include <limits>
#include <set>
#include <stdexcept>

#include "LzhEncoder.h"
#include "framework/core/SysUtils.h"
#include "skin/data/SkinReader.h"

namespace skinpack {

void AppendLE32(std::vector<uint8_t>& out, int32_t value)
{
    const uint32_t u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

std::vector<uint8_t> BuildContainer(const std::vector<SkinEntry>& entries, int32_t version)
{
    const int block = tf::SkinVersionBlockSize(version);
    if (block < 0) throw std::invalid_argument("unknown container version " + std::to_string(version));
    if (entries.size() > static_cast<size_t>(tf::kMaxSkinEntries))
        throw std::invalid_argument("more than " + std::to_string(tf::kMaxSkinEntries) + " entries");

    std::string names;
    std::set<std::string> seen;
    uint64_t total = 0;
    for (const SkinEntry& e : entries) {
        if (e.Name.empty() || e.Name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            throw std::invalid_argument("entry name \"" + e.Name + "\" is empty or holds a line break");
        if (!seen.insert(tf::LowerCaseAscii(e.Name)).second)
            throw std::invalid_argument("entry name \"" + e.Name + "\" appears twice");
        names += e.Name + "\r\n";
        total += e.Bytes.size();
    }
    const uint64_t length = 16 + static_cast<uint64_t>(block) + names.size() + 4 * entries.size() + total;
    if (length > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        throw std::invalid_argument("container larger than 2 GB");

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(length));
    AppendLE32(out, version);
    AppendLE32(out, static_cast<int32_t>(names.size()));
    out.insert(out.end(), 8 + static_cast<size_t>(block), 0);
    out.insert(out.end(), names.begin(), names.end());
    for (const SkinEntry& e : entries) AppendLE32(out, static_cast<int32_t>(e.Bytes.size()));
    for (const SkinEntry& e : entries) out.insert(out.end(), e.Bytes.begin(), e.Bytes.end());
    return out;
}

std::vector<uint8_t> BuildSkinFile(const std::vector<uint8_t>& container, int maxChain)
{
    if (container.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw std::invalid_argument("container larger than 2 GB");
    std::vector<uint8_t> out;
    AppendLE32(out, static_cast<int32_t>(container.size()));
    const std::vector<uint8_t> bits = LzhCompress(container.data(), container.size(), maxChain);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

std::vector<uint8_t> BuildSkinStream(const std::vector<uint8_t>& skinFile)
{
    if (skinFile.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw std::invalid_argument("skin file larger than 2 GB");
    std::vector<uint8_t> out;
    AppendLE32(out, static_cast<int32_t>(skinFile.size()));
    out.insert(out.end(), skinFile.begin(), skinFile.end());
    return out;
}

} // namespace skinpack
