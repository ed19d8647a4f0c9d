// A skin file cut short is told from a complete one by the zero bits its
// decoder has to invent.
#include <doctest.h>

#include <cstdint>
#include <vector>

#include "skin/data/SkinFileCheck.h"
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

} // namespace

TEST_CASE("Complete skin files need at most two bytes past their end")
{
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        const std::vector<uint8_t> file = skinpack::BuildSkinFile(Container(seed, 200 + seed * 97));
        CAPTURE(seed);
        CHECK(SkinFileMissingBytes(file) <= 2);
        CHECK(SkinFileComplete(file));
    }
}

TEST_CASE("Skin files cut short are incomplete")
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const std::vector<uint8_t> file = skinpack::BuildSkinFile(Container(seed, 3000 + seed * 101));
        for (size_t keep : {file.size() / 4, file.size() / 2, file.size() - 8}) {
            const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(keep));
            CAPTURE(seed);
            CAPTURE(keep);
            CHECK(!SkinFileComplete(cut));
        }
    }
}

TEST_CASE("Lengths the reader refuses are left to it")
{
    CHECK(SkinFileComplete({}));
    CHECK(SkinFileComplete({0, 0, 0, 0}));
    CHECK(SkinFileComplete({0xFF, 0xFF, 0xFF, 0xFF, 1, 2}));   // negative
    CHECK(SkinFileComplete({0xFF, 0xFF, 0xFF, 0x7F, 1, 2}));   // more than two bytes can hold
}
