// The skin definition reader over its edge cases.
#include <doctest.h>

#include <memory>
#include <string>

#include "framework/core/SysUtils.h"

#include "skin/data/WinSkinIni.h"

using namespace tf;

namespace {

std::unique_ptr<TQuickIni> Load(const std::string& text)
{
    auto ini = std::make_unique<TQuickIni>();
    TMemoryStream s(std::vector<uint8_t>(text.begin(), text.end()));
    ini->LoadFromStream(&s);
    return ini;
}

const std::string kText = std::string(
    "; a remark at the top\r\n"
    "[MENUITEM]\r\n"
    "Rightwidth=4\r\n"
    "   ;  blanks, a semicolon and a remark\n"
    "LeftWidth = 9   \r"
    "Image=menu.bmp ; not a remark\n"
    "Equation=a=b=c\n"
    "Empty=\n"
    "NoEquals\n"
    "=orphan value\n"
    "Hex=0x1F\n"
    "HexCaps=0X1f\n"
    "Dollar=$20\n"
    "BarePrefix=0x\n"
    "Negative=-6\n"
    "Triple=207 207 207\n"
    "Spaced=  12\n"
    "[NotAHeader\n"
    "After=still in MENUITEM\n"
    "[Colours]\n"
    "ButtonFace=207 207 207\n"
    "Repeated=first\n"
    "Repeated=second\n"
    "[menuitem]\n"
    "Rightwidth=99\n"
    "Later=only in the repeat\n"
    "[Last]\n"
    "Cut=before") +
    std::string(1, '\0') + "\n[Hidden]\nKey=after the NUL\n";

} // namespace

TEST_CASE("ReadString and ReadInteger over the edge cases")
{
    const auto ini = Load(kText);
    struct Case {
        const char* section;
        const char* key;
        const char* text;   // ReadString with default "def"
        int32_t number;     // ReadInteger with default -77
    };
    const Case cases[] = {
        {"MenuItem", "RightWidth", "4", 4},              // section and key ignore case
        {"menuitem", "LEFTWIDTH", "9", 9},               // blanks around "=" and after the value
        {"MenuItem", "Image", "menu.bmp ; not a remark", -77},
        {"MenuItem", "Equation", "a=b=c", -77},          // value keeps further "="
        {"MenuItem", "Empty", "def", -77},               // empty value gives the default
        {"MenuItem", "NoEquals", "def", -77},            // key without "=" is no key
        {"MenuItem", "", "def", -77},                    // the empty key never has a value
        {"MenuItem", "Hex", "0x1F", 31},
        {"MenuItem", "HexCaps", "0X1f", 31},
        {"MenuItem", "Dollar", "$20", 32},
        {"MenuItem", "BarePrefix", "0x", -77},
        {"MenuItem", "Negative", "-6", -6},
        {"MenuItem", "Triple", "207 207 207", -77},
        {"MenuItem", "Spaced", "12", 12},
        {"MenuItem", "After", "still in MENUITEM", -77}, // "[NotAHeader" ends no section
        {"MenuItem", "Later", "def", -77},               // a repeated header is never searched
        {"MenuItem", "ButtonFace", "def", -77},          // the next section ends the walk
        {"Colours", "ButtonFace", "207 207 207", -77},
        {"Colours", "Repeated", "first", -77},           // first occurrence wins
        {"Last", "Cut", "before", -77},
        {"Hidden", "Key", "def", -77},                   // text after a NUL is ignored
        {"Missing", "Key", "def", -77},
        {"NotAHeader", "After", "def", -77},
    };
    for (const Case& c : cases) {
        CAPTURE(c.section);
        CAPTURE(c.key);
        CHECK(ini->ReadString(c.section, c.key, "def") == c.text);
        CHECK(ini->ReadInteger(c.section, c.key, -77) == c.number);
    }
}

TEST_CASE("lines, sections and FindSection")
{
    const auto ini = Load(kText);
    // Remarks and blank lines are dropped; everything else is kept, trimmed.
    CHECK(ini->Lines()[0] == "[MENUITEM]");
    CHECK(ini->Lines()[2] == "LeftWidth = 9");
    CHECK(ini->Lines().IndexOf("[NotAHeader") > 0);
    CHECK(ini->Lines()[ini->Lines().Count() - 1] == "Cut=before");

    REQUIRE(ini->Sections().Count() == 4);
    CHECK(ini->FindSection("MenuItem") == 0);
    CHECK(ini->FindSection("COLOURS") == static_cast<int>(ini->Sections().GetObject(1)));
    CHECK(ini->Lines()[ini->FindSection("colours")] == "[Colours]");
    CHECK(ini->FindSection("Hidden") == -1);
    CHECK(ini->FindSection("NotAHeader") == -1);
}

TEST_CASE("ReadSections lists names without brackets, duplicates kept")
{
    const auto ini = Load("[ A ]\n[Colours]\n[]\n[a]\n");
    TStringList list;
    list.AddObject("stale", 5);
    ini->ReadSections(&list);
    REQUIRE(list.Count() == 4);
    CHECK(list[0] == "A");
    CHECK(list[1] == "Colours");
    CHECK(list[2] == "");
    CHECK(list[3] == "a");
    for (int i = 0; i < list.Count(); ++i) CHECK(list.GetObject(i) == 0);
    // "[ A ]" is listed as "A" but only found by its exact text.
    CHECK(ini->FindSection("A") == 3);
    CHECK(ini->FindSection(" A ") == 0);
}

TEST_CASE("ReadSections asserts on a missing list")
{
    const auto ini = Load("[A]\n");
    try {
        ini->ReadSections(nullptr);
        FAIL("no assertion");
    } catch (const EAssertionFailed& e) {
        CHECK(std::string(e.what()).find("The parameter Strings is unassigned!") != std::string::npos);
        CHECK(std::string(e.what()).find("WinSkinIni") != std::string::npos);
    }
}

TEST_CASE("loading reads from the stream's position and replaces the content")
{
    auto ini = Load("[Old]\nKey=1\n");
    const std::string text = "junk[New]\nKey=2\n";
    TMemoryStream s(std::vector<uint8_t>(text.begin(), text.end()));
    s.SetPosition(4);
    ini->LoadFromStream(&s);
    CHECK(ini->ReadInteger("New", "Key", 0) == 2);
    CHECK(ini->ReadInteger("Old", "Key", 0) == 0);
    ini->LoadFromStream(nullptr);   // leaves the content unchanged
    CHECK(ini->ReadInteger("New", "Key", 0) == 2);
    CHECK(Load("")->ReadString("New", "Key", "def") == "def");
}

TEST_CASE("line breaks: CR, LF and CR LF each end one line")
{
    const auto ini = Load("[S]\rA=1\nB=2\r\nC=3\n\rD=4");
    CHECK(ini->Lines().Count() == 5);
    CHECK(ini->ReadInteger("S", "A", 0) == 1);
    CHECK(ini->ReadInteger("S", "B", 0) == 2);
    CHECK(ini->ReadInteger("S", "C", 0) == 3);
    CHECK(ini->ReadInteger("S", "D", 0) == 4);
}
