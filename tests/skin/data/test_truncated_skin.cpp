// A skin file cut short is told from a complete one by the zero bits its
// decoder has to invent, and the skin reader refuses it.
#include <doctest.h>

#include <cstdint>
#include <vector>

#include "framework/core/Streams.h"
#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"
#include "tools/skinpack/SkinPack.h"

using namespace tf;

namespace {

std::vector<uint8_t> Container(uint32_t seed, size_t size)
{
    std::vector<skinpack::SkinEntry> entries;
    std::vector<uint8_t> bytes(size);
    uint32_t x = seed;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1664525u + 1013904223u;
        // Runs and noise, so that both matches and literals occur.
        bytes[i] = (i / 64) % 3 == 0 ? static_cast<uint8_t>(i / 64) : static_cast<uint8_t>(x >> 24);
    }
    entries.push_back({"data.bin", bytes});
    entries.push_back({"skin.ini", {'[', 'a', ']', '\n'}});
    return skinpack::BuildContainer(entries);
}

// Decodes a skin file (4-byte length, then the bits) and answers the bytes
// the decoder had to invent.
int64_t MissingInput(const std::vector<uint8_t>& file)
{
    TMemoryStream in(file), out;
    const int32_t declared = in.ReadInt32();
    TLZH lzh;
    lzh.InputStream = &in;
    lzh.OutputStream = &out;
    lzh.Decode(declared);
    return lzh.MissingInput();
}

} // namespace

TEST_CASE("complete skin files need at most two bytes past their end, and load")
{
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        const std::vector<uint8_t> file = skinpack::BuildSkinFile(Container(seed, 200 + seed * 97));
        CAPTURE(seed);
        CHECK(MissingInput(file) <= TLZH::CompleteInputSlack);
        TMemoryStream stream(file);
        TSkinReader reader;
        CHECK(reader.Load(stream));
    }
}

TEST_CASE("skin files cut short are refused")
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const std::vector<uint8_t> file = skinpack::BuildSkinFile(Container(seed, 3000 + seed * 101));
        for (size_t keep : {file.size() / 4, file.size() / 2, file.size() - 8}) {
            const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(keep));
            CAPTURE(seed);
            CAPTURE(keep);
            CHECK(MissingInput(cut) > TLZH::CompleteInputSlack);
            TMemoryStream stream(cut);
            TSkinReader reader;
            CHECK_FALSE(reader.Load(stream));
            CHECK(reader.LoadError().find("cut short") != std::string::npos);
        }
    }
}

TEST_CASE("a decoding with nothing to decode invents nothing")
{
    TMemoryStream in, out;
    TLZH lzh;
    lzh.InputStream = &in;
    lzh.OutputStream = &out;
    lzh.Decode(0);
    CHECK(lzh.MissingInput() == 0);
}
