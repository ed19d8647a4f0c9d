// The program's own skin as the build packs it: its container, its bitmaps
// and the facts about it that the skin engine relies on.
#include <doctest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinIni.h"
#include "LightBlueNames.h"

using namespace tf;

namespace {

using Bytes = std::vector<uint8_t>;

using tftest::kLightBlueNames;

struct Bmp {
    int32_t width = 0, height = 0;
    int bits = 0;
    Bytes bytes;
    // Colour of pixel (x, y) counted from the top-left, as 0xBBGGRR.
    uint32_t Pixel(int x, int y) const
    {
        const size_t stride = static_cast<size_t>((width * 3 + 3) & ~3);
        const size_t row = static_cast<size_t>(height - 1 - y);
        const uint8_t* p = bytes.data() + 54 + row * stride + static_cast<size_t>(x) * 3;
        return p[2] | p[1] << 8 | p[0] << 16;
    }
};

uint32_t LE(const Bytes& b, size_t at, int n)
{
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

const TSkinReader& Skin()
{
    static TSkinReader reader;
    static bool loaded = false;
    if (!loaded) {
        TFileStream file(LIGHTBLUE_SKN, fmOpenRead);
        REQUIRE(reader.Load(file));
        loaded = true;
    }
    return reader;
}

Bmp Bitmap(const std::string& name)
{
    TMemoryStream s;
    Skin().GetEntry(name, s);
    Bmp bmp;
    bmp.bytes = s.Bytes();
    REQUIRE(bmp.bytes.size() >= 54);
    bmp.width = static_cast<int32_t>(LE(bmp.bytes, 18, 4));
    bmp.height = static_cast<int32_t>(LE(bmp.bytes, 22, 4));
    bmp.bits = static_cast<int>(LE(bmp.bytes, 28, 2));
    return bmp;
}

const TQuickIni& Ini()
{
    static TQuickIni ini;
    static bool loaded = false;
    if (!loaded) {
        TMemoryStream s;
        std::string name;
        Skin().FindEntry(".ini", s, name);
        REQUIRE(name == "lightblue.ini");
        ini.LoadFromStream(&s);
        loaded = true;
    }
    return ini;
}

// The entry an image value names, as the engine resolves it: the folder part
// dropped, only a lower-case ".bmp" accepted. Empty when it names none.
std::string ImageEntry(const std::string& value)
{
    const size_t cut = value.find_last_of("\\:");
    const std::string file = cut == std::string::npos ? value : value.substr(cut + 1);
    if (file.size() < 5 || file.compare(file.size() - 4, 4, ".bmp") != 0) return {};
    return file;
}

} // namespace

TEST_CASE("the container: version 20000, 34 entries in order, the definition 25th")
{
    const TSkinReader& skin = Skin();
    CHECK(skin.Version() == 20000);
    REQUIRE(skin.Count() == 34);
    for (int i = 0; i < 34; ++i) CHECK(skin.Names()[i] == kLightBlueNames[i]);
    CHECK(skin.NameListLength() == 508);
    CHECK(skin.DataOffset() == 660);
}

TEST_CASE("every bitmap is a whole 24-bit Windows bitmap")
{
    for (const char* name : kLightBlueNames) {
        if (std::strstr(name, ".bmp") == nullptr) continue;
        CAPTURE(name);
        const Bmp bmp = Bitmap(name);
        CHECK(bmp.bytes[0] == 'B');
        CHECK(bmp.bytes[1] == 'M');
        CHECK(LE(bmp.bytes, 2, 4) == bmp.bytes.size());
        CHECK(LE(bmp.bytes, 10, 4) == 54);
        CHECK(LE(bmp.bytes, 14, 4) == 40);
        CHECK(bmp.bits == 24);
        CHECK(LE(bmp.bytes, 30, 4) == 0);
        CHECK(bmp.width > 0);
        CHECK(bmp.height > 0);
        CHECK(bmp.bytes.size() == 54 + static_cast<size_t>((bmp.width * 3 + 3) & ~3) * static_cast<size_t>(bmp.height));
    }
}

TEST_CASE("the sizes the engine's frame counts rely on")
{
    struct Size {
        const char* name;
        int w, h;
    };
    const Size sizes[] = {{"frametop.bmp", 292, 58},  {"checkbox.bmp", 70, 14},     {"radio.bmp", 65, 14},
                          {"closebutton.bmp", 126, 21}, {"maxbutton.bmp", 126, 21}, {"minbutton.bmp", 126, 21},
                          {"restrorebutton.bmp", 126, 21}, {"button-mdi.bmp", 180, 14}};
    for (const Size& s : sizes) {
        CAPTURE(s.name);
        const Bmp bmp = Bitmap(s.name);
        CHECK(bmp.width == s.w);
        CHECK(bmp.height == s.h);
    }
}

TEST_CASE("the caption sample: pixel (97, 9) of the active caption frame")
{
    const Bmp top = Bitmap("frametop.bmp");
    const int frames = Ini().ReadInteger("Personality", "TopFrame", 1);
    CHECK(frames == 2);
    // Where the engine samples: a third across, a third down the first frame.
    const int x = top.width / 3;
    const int y = top.height / frames / 3;
    CHECK(x == 97);
    CHECK(y == 9);
    CHECK(top.Pixel(x, y) == 0xA78F9E);   // red 158, green 143, blue 167
}

TEST_CASE("the definition: colours and the sections the engine reads")
{
    const TQuickIni& ini = Ini();
    CHECK(ini.ReadString("Colours", "ButtonFace", "") == "207 207 207");
    TStringList sections;
    ini.ReadSections(&sections);
    const char* const wanted[] = {
        "Personality", "Fonts", "Colours", "Buttons", "MDICONTROLS", "Progress", "Progress.Chunk",
        "GroupBoxEdge", "GroupBox", "Tabs", "StatusBarEdges", "Tab.Pane", "ToolBars", "ComboButton",
        "SunkEdge", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground", "Scrollbar", "HorzScroll",
        "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz", "Trackbar.ThumbVert",
        "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown", "UpDown.Horz",
        "UpDown.Vert", "Track", "TRACKVERT"};
    for (const char* s : wanted) {
        CAPTURE(s);
        CHECK(sections.IndexOf(s) >= 0);
    }
    // Caption buttons: every section named "Button..." but the control ones.
    int captionButtons = 0;
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string name = UpperCaseAscii(sections[i]);
        if (name.rfind("BUTTON", 0) == 0 && name != "BUTTONS" && name != "BUTTON" && name != "BUTTON.RADIO" &&
            name != "BUTTON.CHECKBOX")
            ++captionButtons;
    }
    CHECK(captionButtons == 5);
}

TEST_CASE("every image the definition names is in the skin, and every bitmap is used")
{
    static const std::vector<std::string> frameKeys = {"Left", "Right", "Top", "Bottom", "TextBack", "MenuBar"};
    static const std::vector<std::string> elementKeys = {"Image",       "Bitmap", "CheckButton", "RadioButton",
                                                         "ButtonImage", "Border", "GlyphImage"};
    const TQuickIni& ini = Ini();
    TStringList sections;
    ini.ReadSections(&sections);
    std::set<std::string> used;
    for (int i = 0; i < sections.Count(); ++i) {
        if (SameTextAscii(sections[i], "Colours") || SameTextAscii(sections[i], "Fonts")) continue;
        for (const std::string& key : SameTextAscii(sections[i], "Personality") ? frameKeys : elementKeys) {
            const std::string value = ini.ReadString(sections[i], key, "");
            if (value.empty()) continue;
            CAPTURE(sections[i]);
            CAPTURE(key);
            const std::string entry = ImageEntry(value);
            REQUIRE(!entry.empty());
            TMemoryStream s;
            Skin().GetEntry(entry, s);
            CHECK(s.Size() > 0);
            used.insert(LowerCaseAscii(entry));
        }
    }
    for (const char* name : kLightBlueNames) {
        if (std::strstr(name, ".bmp") == nullptr) continue;
        CAPTURE(name);
        CHECK(used.count(name) == 1);
    }
}

TEST_CASE("frame strips divide evenly into the frame counts the definition gives")
{
    struct Strip {
        const char* name;
        int frames;
        bool stacked;
    };
    const Strip strips[] = {
        {"frametop.bmp", 2, true},      {"framebottom.bmp", 2, true},  {"frameleft.bmp", 2, false},
        {"frameright.bmp", 2, false},   {"menutool.bmp", 2, true},     {"button.bmp", 5, false},
        {"menu.bmp", 5, false},         {"tabs.bmp", 5, false},        {"status.bmp", 3, false},
        {"combo.bmp", 4, false},        {"sunkedge.bmp", 4, false},    {"combo-arrows.bmp", 5, false},
        {"header.bmp", 5, false},       {"toolbar2.bmp", 5, false},    {"progress.bmp", 2, false},
        {"groupboxedge.bmp", 2, false}, {"arrows.bmp", 23, false},     {"hscroll_back.bmp", 4, false},
        {"vscroll_back.bmp", 4, false}, {"hscroll_bar.bmp", 5, false}, {"vscroll_bar.bmp", 5, false},
        {"dialog.bmp", 8, false},       {"button-toolbar.bmp", 8, false}, {"button-mdi.bmp", 12, false},
        {"closebutton.bmp", 6, false},
    };
    for (const Strip& s : strips) {
        CAPTURE(s.name);
        const Bmp bmp = Bitmap(s.name);
        CHECK((s.stacked ? bmp.height : bmp.width) % s.frames == 0);
    }
    // The frame borders agree with each other: 4-pixel sides and bottom, a
    // 29-row caption band that the sides continue.
    CHECK(Bitmap("frameleft.bmp").width / 2 == 4);
    CHECK(Bitmap("frameright.bmp").width / 2 == 4);
    CHECK(Bitmap("framebottom.bmp").height / 2 == 4);
    CHECK(Ini().ReadInteger("Personality", "LeftTopHeight", 0) == Bitmap("frametop.bmp").height / 2);
    // The 23 scroll bar frames are square at the bar's thickness.
    const Bmp arrows = Bitmap("arrows.bmp");
    CHECK(arrows.width / 23 == arrows.height);
}

TEST_CASE("the skin stream block is the skin file behind its length")
{
    const std::string path = LIGHTBLUE_SKINSTREAM;
    if (path.empty()) return;   // only the Windows build writes the block
    TFileStream block(path, fmOpenRead);
    TFileStream file(LIGHTBLUE_SKN, fmOpenRead);
    TMemoryStream a, b;
    a.LoadFromStream(block);
    b.LoadFromStream(file);
    REQUIRE(a.Size() == b.Size() + 4);
    TMemoryStream head(Bytes(a.Bytes().begin(), a.Bytes().begin() + 4));
    CHECK(head.ReadInt32() == static_cast<int32_t>(b.Size()));
    CHECK(Bytes(a.Bytes().begin() + 4, a.Bytes().end()) == b.Bytes());
}
