// The dark skin as the build packs it, read with the engine's own readers:
// its geometry (borders, caption, caption buttons, check and radio strips,
// scroll bar thickness), every element the light blue skin has, and text
// colours that stand out from the faces they are drawn on.
#include <doctest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinVocabulary.h"
#include "skin/data/WinSkinIni.h"
#include "tests/skin/data/LightBlueNames.h"

using namespace tf;

namespace {

using Bytes = std::vector<uint8_t>;

struct Skin {
    TSkinReader reader;
    TQuickIni ini;
    std::string iniName;

    explicit Skin(const char* path)
    {
        TFileStream file(path, fmOpenRead);
        REQUIRE(reader.Load(file));
        TMemoryStream s;
        reader.FindEntry(".ini", s, iniName);
        ini.LoadFromStream(&s);
    }
};

const Skin& Dark()
{
    static Skin skin(DARK_SKN);
    return skin;
}

const Skin& LightBlue()
{
    static Skin skin(LIGHTBLUE_SKN);
    return skin;
}

uint32_t LE(const Bytes& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

struct Bmp {
    int32_t width = 0, height = 0;
    Bytes bytes;
    // Pixel (x, y) from the top-left as 0xBBGGRR (24-bit bitmaps).
    TColor Pixel(int x, int y) const
    {
        const size_t stride = static_cast<size_t>((width * 3 + 3) & ~3);
        const uint8_t* p = bytes.data() + 54 + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
        return p[2] | p[1] << 8 | p[0] << 16;
    }
};

Bmp Bitmap(const Skin& skin, const std::string& name)
{
    TMemoryStream s;
    skin.reader.GetEntry(name, s);
    Bmp bmp;
    bmp.bytes = s.Bytes();
    REQUIRE(bmp.bytes.size() >= 54);
    REQUIRE(LE(bmp.bytes, 28, 2) == 24);
    bmp.width = static_cast<int32_t>(LE(bmp.bytes, 18, 4));
    bmp.height = static_cast<int32_t>(LE(bmp.bytes, 22, 4));
    return bmp;
}

// The image an image key of the definition names, as the engine reads it.
Bmp Image(const Skin& skin, const std::string& section, const std::string& key)
{
    const std::string entry = SkinImageEntryName(skin.ini.ReadString(section, key, ""));
    REQUIRE(!entry.empty());
    return Bitmap(skin, entry);
}

TColor Colour(const std::string& key)
{
    const std::string text = Dark().ini.ReadString("Colours", key, "");
    REQUIRE(!text.empty());
    return ParseSkinColour(text, 0);
}

// Contrast of two colours, from their relative luminance: 1 (alike) to 21.
double Contrast(TColor a, TColor b)
{
    const auto luminance = [](TColor c) {
        const auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(RedOf(c)) + 0.7152 * channel(GreenOf(c)) + 0.0722 * channel(BlueOf(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The keys of a section, lower-cased, in file order.
std::vector<std::string> Keys(const TQuickIni& ini, const std::string& section)
{
    std::vector<std::string> keys;
    const int at = ini.FindSection(section);
    if (at < 0) return keys;
    for (int i = at + 1; i < ini.Lines().Count(); ++i) {
        const std::string line = ini.Lines()[i];
        if (!line.empty() && line[0] == '[') break;
        const size_t eq = line.find('=');
        if (eq != std::string::npos) keys.push_back(LowerCaseAscii(Trim(line.substr(0, eq))));
    }
    return keys;
}

bool IsCaptionButton(const Skin& skin, const std::string& section)
{
    return IsCaptionButtonSection(section, skin.ini.ReadInteger(section, "Action", 0),
                                  skin.ini.ReadInteger(section, "Visibility", -1));
}

} // namespace

TEST_CASE("the dark skin: the light blue skin's entries, with its own definition text 25th")
{
    const Skin& skin = Dark();
    CHECK(skin.reader.Version() == 20000);
    REQUIRE(skin.reader.Count() == 34);
    for (int i = 0; i < 34; ++i) {
        CAPTURE(i);
        const std::string want = i == 24 ? "dark.ini" : tftest::kLightBlueNames[i];
        CHECK(skin.reader.Names()[i] == want);
    }
    CHECK(skin.iniName == "dark.ini");
}

TEST_CASE("the dark skin's frame: 8-pixel borders and a 34-row caption band the sides continue")
{
    const TQuickIni& ini = Dark().ini;
    struct Side {
        const char* key;
        bool stacked;
        int size;
    };
    for (const Side& s : {Side{"Left", false, 8}, Side{"Right", false, 8}, Side{"Top", true, 34},
                          Side{"Bottom", true, 8}}) {
        CAPTURE(s.key);
        const Bmp bmp = Image(Dark(), "Personality", s.key);
        const int frames = ini.ReadInteger("Personality", std::string(s.key) + "Frame", 1);
        CHECK(frames == 2);
        CHECK((s.stacked ? bmp.height : bmp.width) % frames == 0);
        CHECK((s.stacked ? bmp.height : bmp.width) / frames == s.size);
    }
    CHECK(ini.ReadInteger("Personality", "LeftTopHeight", 0) == 34);
    CHECK(ini.ReadInteger("Personality", "RightTopHeight", 0) == 34);
    CHECK(ini.ReadInteger("Personality", "LeftBotHeight", 0) == 8);
    CHECK(ini.ReadInteger("Personality", "RightBotHeight", 0) == 8);
}

TEST_CASE("the dark skin's caption buttons: 26 x 22, inside the caption band, clear of the caption text")
{
    const TQuickIni& ini = Dark().ini;
    TStringList sections;
    ini.ReadSections(&sections);
    int withImage = 0, rightmost = 0;
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string section = sections[i];
        if (!IsCaptionButton(Dark(), section) || ini.ReadString(section, "ButtonImage", "").empty()) continue;
        CAPTURE(section);
        ++withImage;
        const Bmp bmp = Image(Dark(), section, "ButtonImage");
        int frames = ini.ReadInteger(section, "frame", 0);
        if (frames == 0)
            frames = CaptionButtonFrameCount(true, bmp.width, bmp.height, ini.ReadInteger(section, "Action", 0));
        CHECK(frames == 6);
        CHECK(bmp.width == 6 * 26);
        CHECK(bmp.height == 22);
        const int y = ini.ReadInteger(section, "Ycoord", 0);
        CHECK(y >= 0);
        CHECK(y + bmp.height <= 34);
        if (ini.ReadInteger(section, "Align", 0) == 1) {
            // Counted from the right edge: clear of the right border.
            CHECK(ini.ReadInteger(section, "Xcoord", 0) - 26 >= 8);
            rightmost = std::max(rightmost, ini.ReadInteger(section, "Xcoord", 0));
        }
    }
    CHECK(withImage == 4);
    // The caption text is clipped before the buttons, which sit in the
    // caption area that starts after the left border.
    CHECK(ini.ReadInteger("Personality", "TextRightClip", 0) >= rightmost - 8);
}

TEST_CASE("the dark skin's check boxes and radio buttons: 16 x 16 cells, 12 and 8 frames")
{
    const TQuickIni& ini = Dark().ini;
    struct Strip {
        const char* key;
        const char* frameKey;
        int frames;
    };
    for (const Strip& s : {Strip{"CheckButton", "CheckButtonFrame", 12}, Strip{"RadioButton", "RadioButtonFrame", 8}}) {
        CAPTURE(s.key);
        const Bmp bmp = Image(Dark(), "Buttons", s.key);
        const int given = ini.ReadInteger("Buttons", s.frameKey, 0);
        // The count the definition gives is the count the engine would compute.
        CHECK(given == s.frames);
        CHECK(BoxFrameCount(bmp.width, bmp.height) == s.frames);
        CHECK(bmp.width == s.frames * 16);
        CHECK(bmp.height == 16);
    }
}

TEST_CASE("the dark skin's scroll bars are 21 pixels thick in every image")
{
    const Bmp arrows = Image(Dark(), "Scrollbar", "Image");
    CHECK(arrows.width == 23 * 21);
    CHECK(arrows.height == 21);
    // Frames stand side by side: a vertical part is as thick as one frame is wide.
    struct Part {
        const char* section;
        bool vertical;
        int frames;
    };
    for (const Part& p : {Part{"HorzScroll", false, 4}, Part{"VertScroll", true, 4}, Part{"HorzScrollThumb", false, 5},
                          Part{"VertScrollThumb", true, 5}}) {
        CAPTURE(p.section);
        const Bmp bmp = Image(Dark(), p.section, "Image");
        CHECK(bmp.width % p.frames == 0);
        CHECK((p.vertical ? bmp.width / p.frames : bmp.height) == 21);
    }
    CHECK(Dark().ini.ReadInteger("HorzScrollThumb", "FrameCount", 3) == 5);
    CHECK(Dark().ini.ReadInteger("VertScrollThumb", "FrameCount", 3) == 5);
}

TEST_CASE("every element of the light blue skin is in the dark skin")
{
    static const std::vector<std::string> frameKeys = {"Left", "Right", "Top", "Bottom", "MenuBar"};
    static const std::vector<std::string> elementKeys = {"Image",       "Bitmap", "CheckButton", "RadioButton",
                                                         "ButtonImage", "Border", "GlyphImage"};
    TStringList sections;
    LightBlue().ini.ReadSections(&sections);
    int images = 0;
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string section = sections[i];
        CAPTURE(section);
        const std::vector<std::string> keys = Keys(LightBlue().ini, section);
        const std::vector<std::string> darkKeys = Keys(Dark().ini, section);
        CHECK(!keys.empty());
        for (const std::string& key : keys) {
            CAPTURE(key);
            CHECK(std::find(darkKeys.begin(), darkKeys.end(), key) != darkKeys.end());
        }
        for (const std::string& key : SameTextAscii(section, "Personality") ? frameKeys : elementKeys) {
            if (LightBlue().ini.ReadString(section, key, "").empty()) continue;
            CAPTURE(key);
            const Bmp bmp = Image(Dark(), section, key);
            CHECK(bmp.width > 0);
            CHECK(bmp.height > 0);
            ++images;
        }
    }
    CHECK(images >= 40);
    // The dark skin adds the background of edits and lists.
    CHECK(!Dark().ini.ReadString("Colours", "Window", "").empty());
}

TEST_CASE("the dark skin's text colours reach 4.5 : 1 against what they are drawn on")
{
    struct Pair {
        const char* text;
        const char* back;
    };
    for (const Pair& p : {Pair{"ButtonText", "ButtonFace"}, Pair{"WindowText", "Window"}, Pair{"MenuText", "Menu"},
                          Pair{"MenuBarText", "Menubar"}, Pair{"HilightText", "Hilight"}}) {
        CAPTURE(p.text);
        CAPTURE(p.back);
        CHECK(Contrast(Colour(p.text), Colour(p.back)) >= 4.5);
    }
    // Light text on dark faces, not the other way round.
    CHECK(Contrast(Colour("ButtonText"), 0x000000) > Contrast(Colour("ButtonText"), 0xFFFFFF));

    // The caption texts against the caption band where the text stands (its
    // middle row), active and inactive.
    const Bmp top = Image(Dark(), "Personality", "Top");
    const TColor activeBand = top.Pixel(top.width / 2, 34 / 2);
    const TColor inactiveBand = top.Pixel(top.width / 2, 34 + 34 / 2);
    CHECK(Contrast(Colour("TitleTextActive"), activeBand) >= 4.5);
    CHECK(Contrast(Colour("TitleTextNoActive"), inactiveBand) >= 4.5);

    // Element text colours against the middle of the frames they label:
    // push button (normal, pressed, hot) and tab (normal).
    const Bmp button = Image(Dark(), "Buttons", "Bitmap");
    const int bw = button.width / 5;
    struct Face {
        const char* section;
        const char* key;
        const Bmp* image;
        int frame, frameWidth;
    };
    const Bmp tabs = Image(Dark(), "Tabs", "Image");
    for (const Face& f : {Face{"Buttons", "NormalColour2", &button, 0, bw}, Face{"Buttons", "PressedColour2", &button, 1, bw},
                          Face{"Buttons", "MouseOverColour2", &button, 3, bw},
                          Face{"Tabs", "NormalColour2", &tabs, 0, tabs.width / 5}}) {
        CAPTURE(f.section);
        CAPTURE(f.key);
        const TColor text = ParseSkinColour(Dark().ini.ReadString(f.section, f.key, ""), 0);
        const TColor back = f.image->Pixel(f.frame * f.frameWidth + f.frameWidth / 2, f.image->height / 2);
        CHECK(Contrast(text, back) >= 4.5);
    }
}
