#include <doctest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "watch/NotifyRecords.h"

using namespace tf;

namespace {

struct TRecord {
    uint32_t action;
    std::u16string name;
};

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Lays the records out as the system does: each one aligned to 4 bytes and
// pointing at the next, the last pointing nowhere.
std::vector<uint8_t> Batch(const std::vector<TRecord>& records)
{
    std::vector<uint8_t> b;
    for (size_t r = 0; r < records.size(); ++r) {
        const size_t at = b.size();
        const size_t nameBytes = records[r].name.size() * 2;
        const size_t len = (12 + nameBytes + 3) & ~size_t(3);
        b.resize(at + len, 0);
        PutU32(b, at, r + 1 < records.size() ? static_cast<uint32_t>(len) : 0);
        PutU32(b, at + 4, records[r].action);
        PutU32(b, at + 8, static_cast<uint32_t>(nameBytes));
        for (size_t i = 0; i < records[r].name.size(); ++i) {
            b[at + 12 + 2 * i] = static_cast<uint8_t>(records[r].name[i]);
            b[at + 12 + 2 * i + 1] = static_cast<uint8_t>(records[r].name[i] >> 8);
        }
    }
    return b;
}

std::vector<TFileChange> Decode(const std::vector<uint8_t>& b, const std::string& dir = "C:\\w\\")
{
    return DecodeNotifyRecords(b.data(), b.size(), dir);
}

using V = std::vector<TFileChange>;

} // namespace

TEST_CASE("decoding batches of change records")
{
    struct Case {
        const char* what;
        std::vector<TRecord> records;
        V expected;
    };
    const Case cases[] = {
        {"added then modified: two changes in order",
         {{1, u"a.exe"}, {3, u"a.exe"}},
         {{foAdded, "C:\\w\\a.exe", ""}, {foModified, "C:\\w\\a.exe", ""}}},
        {"removed", {{2, u"gone.dll"}}, {{foRemoved, "C:\\w\\gone.dll", ""}}},
        {"a rename pair is reported once with both full paths",
         {{4, u"a.txt"}, {5, u"a.exe"}},
         {{foRenamed, "C:\\w\\a.txt", "C:\\w\\a.exe"}}},
        {"a second new name after a pair reuses the old name",
         {{4, u"a.txt"}, {5, u"a.exe"}, {5, u"b.exe"}},
         {{foRenamed, "C:\\w\\a.txt", "C:\\w\\a.exe"}, {foRenamed, "C:\\w\\a.txt", "C:\\w\\b.exe"}}},
        {"a new name after an add is ignored", {{1, u"n.exe"}, {5, u"m.exe"}}, {{foAdded, "C:\\w\\n.exe", ""}}},
        {"a new name first in the batch is ignored", {{5, u"m.exe"}}, {}},
        {"an old name alone reports nothing", {{4, u"a.txt"}}, {}},
        {"the last old name counts", {{4, u"a"}, {4, u"b"}, {5, u"c"}}, {{foRenamed, "C:\\w\\b", "C:\\w\\c"}}},
        {"an add between old and new name cancels the rename",
         {{4, u"a"}, {1, u"x"}, {5, u"c"}},
         {{foAdded, "C:\\w\\x", ""}}},
        {"a blank-only name gives an empty path and is still reported", {{1, u"   "}}, {{foAdded, "", ""}}},
        {"an empty name gives an empty path", {{3, u""}}, {{foModified, "", ""}}},
        {"names are trimmed of control characters and blanks",
         {{1, u" \tx y.exe \x01"}},
         {{foAdded, "C:\\w\\x y.exe", ""}}},
        {"relative names keep their folders", {{1, u"x\\setup.exe"}}, {{foAdded, "C:\\w\\x\\setup.exe", ""}}},
        {"unknown actions are ignored", {{0, u"a"}, {6, u"b"}, {99, u"c"}, {1, u"d"}}, {{foAdded, "C:\\w\\d", ""}}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        CHECK(Decode(Batch(c.records)) == c.expected);
    }
}

TEST_CASE("the watched directory is the prefix of every path")
{
    CHECK(Decode(Batch({{1, u"x\\setup.exe"}}), "C:\\") == V{{foAdded, "C:\\x\\setup.exe", ""}});
#if defined(_WIN32)
    // A GBK name ("测试.exe"), converted through the ANSI code page.
    CHECK(Decode(Batch({{1, u"\u6D4B\u8BD5.exe"}}), "C:\\") == V{{foAdded, "C:\\\xB2\xE2\xCA\xD4.exe", ""}});
#endif
}

TEST_CASE("a caller's own naming gets each UTF-16 name trimmed, never a blank one")
{
    const std::vector<uint8_t> b = Batch({{1, u"  a\u0E44.exe\t"}, {2, u"   "}, {4, u"old"}, {5, u"\u0E44"}});
    std::vector<std::wstring> asked;
    const V got = DecodeNotifyRecords(b.data(), b.size(), [&](const std::wstring& name) {
        asked.push_back(name);
        return name == L"old" ? std::string("OLD") : std::string();   // no usable path for the others
    });
    CHECK(asked == std::vector<std::wstring>{L"a\u0E44.exe", L"old", L"\u0E44"});
    CHECK(got == V{{foAdded, "", ""}, {foRemoved, "", ""}, {foRenamed, "OLD", ""}});
}

TEST_CASE("an all-zero or short buffer reports nothing")
{
    std::vector<uint8_t> zeros(4096, 0);
    CHECK(Decode(zeros).empty());
    std::vector<uint8_t> shortOne(8, 1);
    CHECK(Decode(shortOne).empty());
    CHECK(DecodeNotifyRecords(nullptr, 100, "C:\\").empty());
    CHECK(Decode({}).empty());
}

TEST_CASE("corrupt offsets and lengths stay inside the buffer")
{
    // Every buffer below is exactly as long as its data, so reading past it
    // is caught by the sanitizers of the native build.
    SUBCASE("a next offset past the end ends the walk")
    {
        auto b = Batch({{1, u"a"}, {1, u"b"}});
        PutU32(b, 0, 1000);
        CHECK(Decode(b) == V{{foAdded, "C:\\w\\a", ""}});
    }
    SUBCASE("a next offset shorter than a header ends the walk")
    {
        auto b = Batch({{1, u"a"}, {1, u"b"}});
        PutU32(b, 0, 4);
        CHECK(Decode(b) == V{{foAdded, "C:\\w\\a", ""}});
    }
    SUBCASE("a huge name length in the last record is cut at the buffer's end")
    {
        auto b = Batch({{1, u"abc"}});
        PutU32(b, 8, 0xFFFFFFFFu);
        const V got = Decode(b);
        REQUIRE(got.size() == 1);
        // 3 units plus the 2 padding bytes (one NUL unit, trimmed).
        CHECK(got[0].FileName1 == "C:\\w\\abc");
    }
    SUBCASE("a name length reaching into the next record is cut there")
    {
        auto b = Batch({{1, u"ab"}, {1, u"cd"}});
        PutU32(b, 8, 400);
        CHECK(Decode(b) == V{{foAdded, "C:\\w\\ab", ""}, {foAdded, "C:\\w\\cd", ""}});
    }
    SUBCASE("an odd name length drops the half unit")
    {
        auto b = Batch({{1, u"ab"}});
        PutU32(b, 8, 3);
        CHECK(Decode(b) == V{{foAdded, "C:\\w\\a", ""}});
    }
    SUBCASE("a buffer that ends inside a record's header")
    {
        auto b = Batch({{1, u"ab"}, {1, u"cd"}});
        b.resize(b.size() - 14);   // the second header is cut
        CHECK(Decode(b) == V{{foAdded, "C:\\w\\ab", ""}});
    }
    SUBCASE("an offset of exactly the remaining size ends the walk")
    {
        auto b = Batch({{1, u"ab"}});
        PutU32(b, 0, static_cast<uint32_t>(b.size()));
        CHECK(Decode(b) == V{{foAdded, "C:\\w\\ab", ""}});
    }
}

TEST_CASE("filter mask")
{
    CHECK(FilterMask(0) == 0u);
    CHECK(FilterMask(NotifyFilterBit(nfFileNameChange) | NotifyFilterBit(nfDirNameChange)) == 0x03u);
    CHECK(FilterMask(NotifyFilterBit(nfFileNameChange) | NotifyFilterBit(nfDirNameChange) |
                     NotifyFilterBit(nfSizeChange) | NotifyFilterBit(nfWriteChange) |
                     NotifyFilterBit(nfCreationDateChange)) == 0x5Bu);
    CHECK(FilterMask(NotifyFilterBit(nfSecurityChange)) == 0x100u);
    CHECK(FilterMask(0xFF) == 0x17Fu);
}
