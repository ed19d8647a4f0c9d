// The rules of the skin definition text that need no images, the published
// types of the skin data component and its built-in class map.
#include <doctest.h>

#include <map>
#include <string>

#include "framework/core/Strings.h"
#include "skin/data/Skin3rd.h"
#include "skin/data/SkinTypes.h"
#include "skin/data/SkinVocabulary.h"

using namespace tf;

TEST_CASE("Image values: folder part dropped, only lower-case .bmp")
{
    struct Case {
        const char* value;
        const char* entry;
    };
    const Case cases[] = {
        {"Combo-Arrows.bmp", "Combo-Arrows.bmp"},   // letter case of the name is the reader's business
        {"lightBlue\\grip.bmp", "grip.bmp"},
        {"C:grip.bmp", "grip.bmp"},
        {"a\\b:c\\frame.bmp", "frame.bmp"},
        {"frame.BMP", ""},                         // capitals refused
        {"frame.Bmp", ""},
        {"frame.bmp.txt", ""},
        {"frame", ""},
        {"skins\\", ""},                           // nothing left
        {"", ""},
        {".bmp", ".bmp"},
        {"\xB1\x5C" "dir\\x.bmp", "x.bmp"},         // GBK character with "\" as trail byte, then a real folder
        {"\xB1\x5C" "x.bmp", "\xB1\x5C" "x.bmp"},    // no real separator: the trail byte does not cut
    };
    for (const Case& c : cases) {
        CAPTURE(c.value);
        CHECK(SkinImageEntryName(c.value) == c.entry);
    }
}

TEST_CASE("Colour texts")
{
    constexpr TColor def = 0x5A5A5A;
    struct Case {
        const char* text;
        TColor expected;
    };
    const Case cases[] = {
        {"66 117 149", RGBColor(66, 117, 149)},
        {"207 207 207", 0xCFCFCF},
        {"255 255 255", 0xFFFFFF},
        {"R:1,G:2,B:3", RGBColor(1, 2, 3)},
        {"255 190", RGBColor(255, 0, 0)},          // a trailing number counts only as the third
        {"  10  20  30  ", RGBColor(10, 20, 30)},
        {"1 2 3 4 5", RGBColor(1, 2, 3)},          // past the third: ignored
        {"1 2 3 4", RGBColor(1, 2, 3)},
        {"256 257 511", RGBColor(0, 1, 255)},      // low 8 bits
        {"99999999999 5 6", RGBColor(0, 5, 6)},    // too long for 32 bits: 0
        {"4294967296 5 6", RGBColor(0, 5, 6)},
        {"2147483647 5 6", RGBColor(255, 5, 6)},
        {"12", 0x000000},                          // a lone number is no component
        {"abc", 0x000000},
        {"", def},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        CHECK(ParseSkinColour(c.text, def) == c.expected);
    }
}

TEST_CASE("Caption-button sections")
{
    struct Case {
        const char* name;
        int action, visibility;
        bool expected;
    };
    const Case cases[] = {
        {"ButtonClose", 0, -1, true},
        {"button4", 3, -1, true},
        {"BUTTONS", 0, 0, false},
        {"Button", 0, 0, false},
        {"Button.Radio", 0, 0, false},
        {"BUTTON.CHECKBOX", 0, 0, false},
        {"Button.CheckBoxes", 0, 0, true},
        {"ButtonX", -1, -1, false},   // action -1 without visibility
        {"ButtonX", -1, 0, true},     // ... with visibility 0
        {"ButtonX", -1, 2, false},
        {"MyButton", 0, 0, false},
        {"Buttons2", 0, 0, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        CAPTURE(c.action);
        CHECK(IsCaptionButtonSection(c.name, c.action, c.visibility) == c.expected);
    }
}

TEST_CASE("Computed frame counts")
{
    CHECK(BoxFrameCount(52, 13) == 4);
    CHECK(BoxFrameCount(96, 16) == 6);
    CHECK(BoxFrameCount(70, 14) == 5);   // the light blue check box
    CHECK(BoxFrameCount(65, 14) == 5);   // and radio button
    CHECK(BoxFrameCount(0, 0) == 4);     // an empty image
    CHECK(BoxFrameCount(26, 13) == 4);   // at least 4

    CHECK(CaptionButtonFrameCount(true, 126, 21, 0) == 6);   // 6.0 > 3.8
    CHECK(CaptionButtonFrameCount(true, 57, 15, 0) == 3);    // exactly 3.8
    CHECK(CaptionButtonFrameCount(true, 58, 15, 0) == 6);    // 3.87
    CHECK(CaptionButtonFrameCount(true, 40, 20, -1) == 6);   // negative action
    CHECK(CaptionButtonFrameCount(false, 0, 0, 3) == 6);     // no image

    CHECK(ClampSwitchToZero(2) == 0);
    CHECK(ClampSwitchToZero(1) == 1);
    CHECK(ClampSwitchToOne(2) == 1);
    CHECK(ClampSwitchToOne(0) == 0);
}

TEST_CASE("Enumerations and sets of the skin data component")
{
    CHECK(SkinControlTypeInfo.Names.size() == 22);
    CHECK(SkinControlTypeInfo.IndexOf("xcMainMenu") == xcMainMenu);
    CHECK(SkinControlTypeInfo.IndexOf("xcScrollbar") == xcScrollbar);
    CHECK(SkinControlTypeInfo.IndexOf("xcSystemMenu") == xcSystemMenu);
    CHECK(SkinControlTypeInfo.IndexOf("xcFastReport") == 21);
    CHECK(SkinOptionInfo.Names.size() == 12);
    CHECK(SkinOptionInfo.IndexOf("xoToolbarBK") == xoToolbarBK);
    CHECK(SkinOptionInfo.IndexOf("xoCaptionButtonHint") == 10);
    CHECK(SkinOptionInfo.IndexOf("xoFormScrollbar") == 11);
    CHECK(SkinFormTypeInfo.Names == std::vector<std::string>{"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"});

    CHECK(AllSkinControls.Bits() == 0x3FFFFF);
    CHECK(DefaultSkinControls.Bits() == (0x3FFFFFu & ~(1u << 2) & ~(1u << 21)));
    CHECK(!DefaultSkinControls.Contains(xcMenuItem));
    CHECK(DefaultSkinControls.Contains(xcSystemMenu));
    CHECK(DefaultSkinOptions.Bits() == ((1u << 3) | (1u << 6) | (1u << 10)));
    TSkinOptions o{xoPreview};
    o.Include(xoMenuBG);
    o.Exclude(xoPreview);
    CHECK(o == TSkinOptions{xoMenuBG});
}

TEST_CASE("The built-in class map: 118 lines, three names twice")
{
    TStringList list;
    FillBuiltinSkin3rd(list);
    REQUIRE(list.Count() == 118);
    std::map<std::string, int> seen;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string line = list[i];
        const size_t eq = line.find('=');
        REQUIRE(eq != std::string::npos);
        CHECK(line.substr(0, 1) == "T");
        ++seen[line.substr(0, eq)];
    }
    std::map<std::string, int> twice;
    for (const auto& [name, count] : seen)
        if (count > 1) twice[name] = count;
    CHECK(twice == std::map<std::string, int>{{"TDBCheckboxEh", 2}, {"TLMDFontSizeCombobox", 2}, {"TWWDBCombobox", 2}});
    // The program's own list leaves one line out.
    CHECK(list.IndexOf("TPngSpeedbutton=pngspeedbutton") >= 0);
    CHECK(list.IndexOf("TcxButton=bitbtn") >= 0);
    CHECK(list.IndexOf("TOVCDBNUMERICFIELD=edit") >= 0);
    list.Add("extra=line");
    FillBuiltinSkin3rd(list);
    CHECK(list.Count() == 118);
}
