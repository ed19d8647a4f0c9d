// The skin file reader: the container layout of every version, look-ups by
// name, and malformed files refused without reading past the data.
#include <doctest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "SampleData.h"
#include "skin/data/Lzh.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "tools/skinpack/SkinPack.h"
#include "LightBlueNames.h"

using namespace tf;
using skinpack::SkinEntry;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Of(const std::string& s) { return Bytes(s.begin(), s.end()); }

// prefix, i, suffix (built with += : gcc 12 misreports operator+ chains).
std::string Numbered(const char* prefix, int i, const char* suffix)
{
    std::string s = prefix;
    s += std::to_string(i);
    s += suffix;
    return s;
}

std::string AsText(const TMemoryStream& s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

// The messages the reader showed while a test ran.
struct MessageLog {
    static std::vector<std::string>& Shown()
    {
        static std::vector<std::string> shown;
        return shown;
    }
    MessageLog()
    {
        Shown().clear();
        FPrevious = ShowSkinMessage;
        ShowSkinMessage = [](const std::string& text) { Shown().push_back(text); };
    }
    ~MessageLog() { ShowSkinMessage = FPrevious; }
    TSkinMessageProc FPrevious;
};

bool LoadBytes(TSkinReader& reader, const Bytes& skinFile)
{
    TMemoryStream file(skinFile);
    return reader.Load(file);
}

// A skin file around raw container bytes.
Bytes Wrap(const Bytes& container) { return skinpack::BuildSkinFile(container); }

void PutLE32(Bytes& b, size_t at, int32_t v)
{
    const uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(u >> (8 * i));
}

// A container written by hand: version, names text, sizes, then data.
Bytes RawContainer(int32_t version, const std::string& names, const std::vector<int32_t>& sizes, const Bytes& data,
                   int32_t nameListLength = -1, int block = 0)
{
    Bytes b;
    skinpack::AppendLE32(b, version);
    skinpack::AppendLE32(b, nameListLength >= 0 ? nameListLength : static_cast<int32_t>(names.size()));
    b.insert(b.end(), 8 + static_cast<size_t>(block), 0);
    b.insert(b.end(), names.begin(), names.end());
    for (int32_t s : sizes) skinpack::AppendLE32(b, s);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

using tftest::kLightBlueNames;

std::vector<SkinEntry> SmallEntries()
{
    return {{"FrameTop.BMP", Of("top bytes")},
            {"empty.bmp", {}},
            {"first.ini", Of("[A]\nKey=1\n")},
            {"button.bmp", sample::Bitmap(20, 10)},
            {"second.ini", Of("[B]\n")}};
}

} // namespace

TEST_CASE("the layout of every container version")
{
    struct Case {
        int32_t version;
        int block;
    };
    const Case cases[] = {{20000, 0}, {30000, 256}, {40000, 80}, {50000, 48}, {60000, 117}, {70000, 69}};
    const std::vector<SkinEntry> entries = SmallEntries();
    for (const Case& c : cases) {
        CAPTURE(c.version);
        Bytes container = skinpack::BuildContainer(entries, c.version);
        // The version block and the 8 spare header bytes carry nothing the reader uses.
        std::memset(container.data() + 8, 0xEE, 8 + static_cast<size_t>(c.block));
        TSkinReader reader;
        REQUIRE(LoadBytes(reader, Wrap(container)));
        CHECK(reader.Version() == c.version);
        CHECK(reader.Count() == 5);
        const int32_t l = reader.NameListLength();
        CHECK(reader.DataOffset() == 16 + c.block + l + 4 * 5);
        CHECK(reader.Names()[0] == "frametop.bmp");
        TMemoryStream out;
        reader.GetEntry("button.bmp", out);
        CHECK(out.Bytes() == entries[3].Bytes);
        CHECK(out.Position() == 0);
    }
}

TEST_CASE("version 20000 with the skin's 34 names puts the entry data at 660")
{
    std::vector<SkinEntry> entries;
    for (const char* name : kLightBlueNames) entries.push_back({name, Of(std::string("data of ") + name)});
    TSkinReader reader;
    REQUIRE(LoadBytes(reader, Wrap(skinpack::BuildContainer(entries))));
    CHECK(reader.Count() == 34);
    CHECK(reader.NameListLength() == 508);
    CHECK(reader.DataOffset() == 660);
    CHECK(reader.Names()[24] == "lightblue.ini");
    TMemoryStream out;
    reader.GetEntry("vscroll_bar.bmp", out);
    CHECK(AsText(out) == "data of vscroll_bar.bmp");
}

TEST_CASE("GetEntry and FindEntry")
{
    TSkinReader reader;
    REQUIRE(LoadBytes(reader, Wrap(skinpack::BuildContainer(SmallEntries()))));
    TMemoryStream out;

    reader.GetEntry("FrameTop.BMP", out);   // letter case ignored
    CHECK(AsText(out) == "top bytes");

    out.WriteBuffer("old", 3);
    reader.GetEntry("missing.bmp", out);
    CHECK(out.Size() == 0);

    out.WriteBuffer("old", 3);
    reader.GetEntry("empty.bmp", out);
    CHECK(out.Size() == 0);

    std::string name = "unchanged";
    reader.FindEntry(".ini", out, name);
    CHECK(name == "first.ini");
    CHECK(AsText(out) == "[A]\nKey=1\n");

    name = "unchanged";
    reader.FindEntry(".INI", out, name);   // the substring test is case-sensitive
    CHECK(name == "unchanged");
    CHECK(out.Size() == 0);

    reader.FindEntry("top", out, name);
    CHECK(name == "frametop.bmp");
}

TEST_CASE("names: every line counts, a final break adds none, any break style")
{
    const std::string names = "a.bmp\rB.BMP\n\r\nc.ini\r\n";
    const Bytes container = RawContainer(20000, names, {1, 2, 0, 3}, Of("xyyzzz"));
    TSkinReader reader;
    REQUIRE(LoadBytes(reader, Wrap(container)));
    REQUIRE(reader.Count() == 4);
    CHECK(reader.Names()[1] == "b.bmp");
    CHECK(reader.Names()[2] == "");
    TMemoryStream out;
    reader.GetEntry("c.ini", out);
    CHECK(AsText(out) == "zzz");
}

TEST_CASE("an unknown version shows the message and changes nothing")
{
    MessageLog log;
    TSkinReader reader;
    REQUIRE(LoadBytes(reader, Wrap(skinpack::BuildContainer(SmallEntries()))));
    Bytes old = skinpack::BuildContainer(SmallEntries());
    PutLE32(old, 0, 10000);
    CHECK_FALSE(LoadBytes(reader, Wrap(old)));
    REQUIRE(MessageLog::Shown().size() == 1);
    CHECK(MessageLog::Shown()[0] == "This is Older Skin File\rPlease update to new version !");
    CHECK(reader.Version() == 20000);
    CHECK(reader.Count() == 5);
    TMemoryStream out;
    reader.GetEntry("frametop.bmp", out);
    CHECK(AsText(out) == "top bytes");
}

TEST_CASE("malformed skin files are refused without reading past the data")
{
    MessageLog log;
    const Bytes good = RawContainer(20000, "a\r\nb\r\n", {2, 3}, Of("aabbb"));
    std::string many;
    for (int i = 0; i < 1002; ++i) many += Numbered("e", i, "\r\n");

    struct Case {
        const char* name;
        Bytes skinFile;
    };
    Bytes shortHeader = Wrap(Bytes(good.begin(), good.begin() + 12));
    Bytes negativeL = good;
    PutLE32(negativeL, 4, -5);
    Bytes longL = good;
    PutLE32(longL, 4, 1000);
    Bytes hugeL = good;
    PutLE32(hugeL, 4, INT32_MAX);
    // A length beyond what a skin may unpack to, with compressed bytes enough to reach it.
    Bytes bigUnpack(4 + (size_t{3} << 20), 0);
    PutLE32(bigUnpack, 0, static_cast<int32_t>(kMaxUnpackedSkin + 1));
    const Case cases[] = {
        {"empty file", {}},
        {"three bytes", {1, 2, 3}},
        {"negative decoded length", {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}},
        {"zero decoded length", {0, 0, 0, 0}},
        {"decoded length beyond the compressed bits", {0x00, 0x00, 0x00, 0x40, 1, 2, 3, 4}},
        {"unpacks to more than a skin may take", bigUnpack},
        {"header past the data", shortHeader},
        {"negative name list length", Wrap(negativeL)},
        {"name list past the data", Wrap(longL)},
        {"name list length at the int limit", Wrap(hugeL)},
        {"more than 1001 entries", Wrap(RawContainer(20000, many, std::vector<int32_t>(1002, 0), {}))},
        {"size table past the data", Wrap(RawContainer(20000, "a\r\nb\r\nc\r\n", {1}, {}))},
        {"negative size", Wrap(RawContainer(20000, "a\r\nb\r\n", {-1, 6}, Of("aabbb")))},
        {"sizes claim more than the data", Wrap(RawContainer(20000, "a\r\nb\r\n", {2, 4}, Of("aabbb")))},
        {"one size claims it all", Wrap(RawContainer(20000, "a\r\nb\r\n", {INT32_MAX, INT32_MAX}, Of("aabbb")))},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TSkinReader reader;
        REQUIRE(LoadBytes(reader, Wrap(good)));
        const std::clock_t start = std::clock();
        CHECK_FALSE(LoadBytes(reader, c.skinFile));
        CHECK(std::clock() - start < 2 * CLOCKS_PER_SEC);   // refused up front, not decoded
        CHECK_FALSE(reader.LoadError().empty());
        // The reader keeps what it had.
        CHECK(reader.Count() == 2);
        TMemoryStream out;
        reader.GetEntry("b", out);
        CHECK(AsText(out) == "bbb");
    }
    CHECK(MessageLog::Shown().empty());
    TSkinReader reader;
    CHECK_FALSE(LoadBytes(reader, bigUnpack));
    CHECK(reader.LoadError().find("more than the 67108864 a skin may take") != std::string::npos);
}

TEST_CASE("limits that are still readable")
{
    SUBCASE("exactly 1001 entries")
    {
        std::string names;
        for (int i = 0; i < 1001; ++i) names += Numbered("e", i, "\r\n");
        std::vector<int32_t> sizes(1001, 0);
        sizes[1000] = 4;
        TSkinReader reader;
        REQUIRE(LoadBytes(reader, Wrap(RawContainer(20000, names, sizes, Of("last")))));
        CHECK(reader.Count() == 1001);
        TMemoryStream out;
        reader.GetEntry("e1000", out);
        CHECK(AsText(out) == "last");
    }
    SUBCASE("sizes that use the data exactly, or leave some over")
    {
        TSkinReader reader;
        CHECK(LoadBytes(reader, Wrap(RawContainer(20000, "a\r\nb\r\n", {2, 3}, Of("aabbb")))));
        CHECK(LoadBytes(reader, Wrap(RawContainer(20000, "a\r\nb\r\n", {2, 1}, Of("aabbb")))));
        TMemoryStream out;
        reader.GetEntry("b", out);
        CHECK(AsText(out) == "b");
    }
    SUBCASE("no entries at all")
    {
        TSkinReader reader;
        CHECK(LoadBytes(reader, Wrap(RawContainer(20000, "", {}, {}))));
        CHECK(reader.Count() == 0);
        TMemoryStream out;
        std::string name = "n";
        reader.FindEntry(".ini", out, name);
        CHECK(name == "n");
    }
}

TEST_CASE("a truncated skin file is refused or read within its bounds, never past them")
{
    std::vector<SkinEntry> entries;
    for (int i = 0; i < 6; ++i) entries.push_back({Numbered("e", i, ".bmp"), sample::Bitmap(60, 40, static_cast<uint32_t>(i + 1))});
    const Bytes skin = Wrap(skinpack::BuildContainer(entries));
    for (size_t keep : {skin.size() / 2, skin.size() / 5, size_t(40), size_t(6)}) {
        CAPTURE(keep);
        TSkinReader reader;
        const bool loaded = LoadBytes(reader, Bytes(skin.begin(), skin.begin() + static_cast<long>(keep)));
        if (loaded) {
            // No checksum: what loads is read within its bounds.
            for (int i = 0; i < reader.Count(); ++i) {
                TMemoryStream out;
                reader.GetEntry(reader.Names()[i], out);
                CHECK(out.Size() == reader.Size(i));
            }
        } else {
            CHECK_FALSE(reader.LoadError().empty());
        }
    }
    // Half the bits would decode the rest from invented zero bits: refused.
    TSkinReader reader;
    CHECK_FALSE(LoadBytes(reader, Bytes(skin.begin(), skin.begin() + static_cast<long>(skin.size() / 2))));
    CHECK(reader.LoadError().find("cut short") != std::string::npos);
}

TEST_CASE("the skin stream block holds the skin file behind its length")
{
    const Bytes skin = Wrap(skinpack::BuildContainer(SmallEntries()));
    const Bytes block = skinpack::BuildSkinStream(skin);
    TMemoryStream s(block);
    CHECK(s.ReadInt32() == static_cast<int32_t>(skin.size()));
    CHECK(Bytes(block.begin() + 4, block.end()) == skin);
}
