#include <doctest.h>

#include <string>

#include "ServiceTestKit.h"
#include "support/VersionInfo.h"

using namespace tf;

TEST_CASE("the language key is the first translation as eight upper-case hex digits")
{
    struct Case {
        uint32_t Translation;   // language low, code page high
        const char* Key;
    } cases[] = {
        {0x03A80804, "080403A8"},
        {0x04B00409, "040904B0"},
        {0x04B00000, "000004B0"},
        {0x0000000A, "000A0000"},
        {0xFFFFFFFF, "FFFFFFFF"},
    };
    for (const Case& c : cases) CHECK(VersionLanguageKey(c.Translation) == c.Key);
}

TEST_CASE("the two tables")
{
    CHECK(std::string(VersionInfoKeys[0]) == "\\CompanyName");
    CHECK(std::string(VersionInfoKeys[5]) == "\\LegalTrademarks");
    CHECK(std::string(VersionInfoKeys[9]) == "\\Comments");
    CHECK(std::string(VersionInfoCaptions[0]) == "公司名称");
    CHECK(std::string(VersionInfoCaptions[2]) == "文件版本");
    CHECK(std::string(VersionInfoCaptions[9]) == "备注");
}

TEST_CASE("a Chinese string table under 080403A8 is read whole, in GBK")
{
    TVersionValues v;
    REQUIRE(ReadVersionInfo(testkit::ProgramPath("verinfo_full.exe"), v));
    const TVersionValues expected = {
        "天穹测试公司", "版本信息测试程序", "1.2.3.4", "verinfo_full", "版权所有 (C) 2024",
        "天穹商标",     "verinfo_full.exe", "天穹",    "1.2",          "仅供测试",
    };
    for (int i = 0; i < VersionInfoCount; ++i) {
        CAPTURE(i);
        CHECK(v[i] == expected[i]);
    }
}

TEST_CASE("entries the string table lacks are empty")
{
    TVersionValues v;
    v.fill("old");
    REQUIRE(ReadVersionInfo(testkit::ProgramPath("verinfo_partial.exe"), v));
    CHECK(v[0] == "Partial Company");
    CHECK(v[2] == "5.6");
    CHECK(v[4] == "Copyright partial");
    CHECK(v[5] == "");   // LegalTrademarks
    CHECK(v[6] == "verinfo_partial.exe");
    CHECK(v[8] == "5.6.0");
    CHECK(v[9] == "");   // Comments
    for (int i : {0, 1, 2, 3, 4, 6, 7, 8}) CHECK(!v[i].empty());
}

TEST_CASE("with two translations only the first (language neutral, 000004B0) is read")
{
    TVersionValues v;
    REQUIRE(ReadVersionInfo(testkit::ProgramPath("verinfo_two.exe"), v));
    CHECK(v[0] == "Neutral Company");
    CHECK(v[2] == "7.0 neutral");
    CHECK(v[9] == "");   // only the second translation has Comments
}

TEST_CASE("a file without version information gives false and leaves the values alone")
{
    testkit::TTempDir dir{"ver"};
    TVersionValues v;
    v.fill("keep");
    CHECK_FALSE(ReadVersionInfo(dir.File("notes.txt", "just text\r\n"), v));
    CHECK_FALSE(ReadVersionInfo(dir / "missing.exe", v));
    for (const std::string& s : v) CHECK(s == "keep");
}
