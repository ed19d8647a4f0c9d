// The skin data component under Wine: the program's own skin parsed from its
// "SkinStream" block, a container without definition text, damaged skins,
// stored form data, and the events the component raises.
#include <doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "SkinTestKit.h"
#include "framework/core/SysUtils.h"
#include "framework/reader/FormReader.h"
#include "skin/data/Skin3rd.h"
#include "skin/data/SkinDataEvents.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

using namespace tf;
using namespace tftest;

namespace {

// Records the events the components raise, with the Active value each
// event finds.
class TRecordingListener final : public TSkinDataListener {
public:
    void SkinDataLoaded(TSkinData& d) override { Add("loaded", d); }
    void SkinDataActiveChanged(TSkinData& d) override { Add("active", d); }
    void SkinDataNewSkin(TSkinData& d) override { Add("new skin", d); }
    void SkinDataGone(TSkinData& d) override { Add("gone", d); }

    std::vector<std::string> Log;
    TSkinData* Last = nullptr;

private:
    void Add(const char* event, TSkinData& d)
    {
        Log.push_back(Format("%s %s", event, d.Active() ? "on" : "off"));
        Last = &d;
    }
};

// Subscribes a recording listener for a scope.
struct TListenerScope {
    TRecordingListener Events;
    TListenerScope() { SubscribeSkinData(&Events); }
    ~TListenerScope() { UnsubscribeSkinData(&Events); }
};

const Bytes& LightBlueBlock()
{
    static const Bytes block = ReadFileBytes(LIGHTBLUE_SKINSTREAM);
    return block;
}

void ReadBlock(TSkinData& d, const Bytes& block)
{
    TMemoryStream s(block);
    REQUIRE(d.ReadBinaryProperty("SkinStream", s));
}

std::unique_ptr<TSkinData> LightBlue()
{
    auto d = std::make_unique<TSkinData>(nullptr);
    ReadBlock(*d, LightBlueBlock());
    REQUIRE(!d->FNoSkin);
    return d;
}

std::string Hex(const Bytes& bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (uint8_t b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// Keeps the reader's message boxes off the screen for a scope.
struct TQuietSkinMessages {
    static inline std::string Last;
    TSkinMessageProc Saved = ShowSkinMessage;
    TQuietSkinMessages()
    {
        Last.clear();
        ShowSkinMessage = [](const std::string& text) { Last = text; };
    }
    ~TQuietSkinMessages() { ShowSkinMessage = Saved; }
};

} // namespace

TEST_CASE("Published properties and their defaults")
{
    TSkinData d(nullptr);
    CHECK(ReadEnum(&d, "Active") == "False");
    CHECK(ReadInt(&d, "DisableTag") == 99);
    CHECK(ReadString(&d, "SkinControls") ==
          "[xcMainMenu,xcPopupMenu,xcToolbar,xcControlbar,xcCombo,xcCheckBox,xcRadioButton,xcProgress,"
          "xcScrollbar,xcEdit,xcButton,xcBitBtn,xcSpeedButton,xcSpin,xcPanel,xcGroupBox,xcStatusBar,xcTab,"
          "xcTrackBar,xcSystemMenu]");
    CHECK(ReadString(&d, "Options") == "[xoPreview,xoToolbarBK,xoCaptionButtonHint]");
    auto* lines = dynamic_cast<TStrings*>(ReadObject(&d, "Skin3rd"));
    REQUIRE(lines);
    CHECK(lines->Count() == 118);
    CHECK(ReadString(&d, "SkinFile").empty());
    CHECK(ReadString(&d, "SkinStore") == "(none)");
    CHECK(ReadEnum(&d, "SkinFormtype") == "sfMainform");
    CHECK(ReadString(&d, "Version") == "5.40.07.15");
    CHECK(ReadEnum(&d, "MenuUpdate") == "True");
    CHECK(ReadEnum(&d, "MenuMerge") == "False");
    CHECK(HasProperty(&d, "OnFormSkin"));
    CHECK(HasProperty(&d, "OnSkinChanged"));
    CHECK(HasProperty(&d, "OnSkinControl"));
    CHECK(HasProperty(&d, "OnBeforeSkinForm"));
    CHECK(HasProperty(&d, "OnAfterSkinForm"));
    // Writes that do nothing.
    Write(&d, "Version", "1.0");
    Write(&d, "SkinStore", "(Good)");
    CHECK(d.Version() == "5.40.07.15");
    CHECK(d.SkinStore() == "(none)");
    // State at creation.
    CHECK(d.FNoSkin);
    CHECK(d.SkinTitle->Name == "Title");
    CHECK(d.SkinButtons->Name == "Buttons");
    CHECK(d.SkinBorders[SkinBorder::Bottom]->Name == "Bottom");
    CHECK(!d.SkinToolbar);
    // "GLAZEMENU": four 16 x 16 glyphs.
    CHECK(d.FMenuGlyphs->Count() == 4);
    CHECK(d.FMenuGlyphs->Width() == 16);
}

TEST_CASE("SkinStore reads (Good) at design time while skin bytes are held")
{
    TSkinData d(nullptr);
    d.SetDesigning(true);
    CHECK(d.SkinStore() == "(none)");
    ReadBlock(d, LightBlueBlock());
    CHECK(d.SkinStore() == "(Good)");
    CHECK(d.FNoSkin);   // not parsed at design time
    CHECK(!d.LoadSkin());
    d.SetSkinFile("anything.skn");   // design time: the held bytes go
    CHECK(d.SkinStore() == "(none)");
}

TEST_CASE("The program's skin: elements and frame counts")
{
    const auto d = LightBlue();
    struct Slot {
        const char* name;
        TDataSkinObject* e;
        int frames;
    };
    const Slot slots[] = {
        {"Progress", d->SkinProgress.get(), 2},          {"Progress.Chunk", d->SkinProgressChunk.get(), 2},
        {"MenuBar", d->SkinMenuBar.get(), 2},            {"GroupBoxEdge", d->SkinGroupBoxEdge.get(), 2},
        {"GroupBox", d->SkinGroupBox.get(), 1},          {"Tabs", d->SkinTabs.get(), 5},
        {"StatusBarEdges", d->SkinStatusBar.get(), 3},   {"Tab.Pane", d->SkinTabPane.get(), 1},
        {"ToolBars", d->SkinToolBars.get(), 5},          {"ComboButton", d->SkinComboButton.get(), 4},
        {"SunkEdge", d->SkinSunkEdge.get(), 4},          {"ExtraImages", d->SkinExtraImages.get(), 5},
        {"Headerbar", d->SkinHeader.get(), 5},           {"MenuItem", d->SkinMenuItem.get(), 5},
        {"MenuBackground", d->SkinMenuBackground.get(), 1}, {"Scrollbar", d->SkinScrollbar.get(), 23},
        {"HorzScroll", d->SkinHorzScroll.get(), 4},      {"VertScroll", d->SkinVertScroll.get(), 4},
        {"HorzScrollThumb", d->SkinHorzThumb.get(), 5},  {"VertScrollThumb", d->SkinVertThumb.get(), 5},
        {"Trackbar.ThumbHorz", d->SkinTrackThumbHorz.get(), 5}, {"Trackbar.ThumbVert", d->SkinTrackThumbVert.get(), 5},
        {"Trackbar.ThumbLeft", d->SkinTrackThumbLeft.get(), 5}, {"Trackbar.ThumbRight", d->SkinTrackThumbRight.get(), 5},
        {"Trackbar.ThumbUp", d->SkinTrackThumbUp.get(), 5}, {"Trackbar.ThumbDown", d->SkinTrackThumbDown.get(), 5},
        {"UpDown.Horz", d->SkinUpDownHorz.get(), 8},     {"UpDown.Vert", d->SkinUpDownVert.get(), 8},
        {"Track", d->SkinTrack.get(), 1},                {"TRACKVERT", d->SkinTrackVert.get(), 1},
    };
    for (const Slot& s : slots) {
        CAPTURE(s.name);
        REQUIRE(s.e);
        CHECK(!s.e->Empty());
        CHECK(s.e->FrameCount == s.frames);
        CHECK(s.e->Name == s.name);
    }
    CHECK(d->SkinTitle->FrameCount == 2);
    CHECK(d->SkinButtons->FrameCount == 5);
    CHECK(d->SkinButtons->Bitmap->Width() == 120);
    // Check boxes and radio buttons: 5 frames each.
    CHECK(d->SkinButtons->CheckBitmap->Width() == 70);
    CHECK(d->SkinButtons->CheckFrameCount == 5);
    CHECK(d->SkinButtons->RadioBitmap->Width() == 65);
    CHECK(d->SkinButtons->RadioFrameCount == 5);
    // The frame borders keep their own counts.
    for (int i = 0; i < 4; ++i) CHECK(d->SkinBorders[static_cast<size_t>(i)]->FrameCount == 2);
    CHECK(d->SkinBorders[SkinBorder::Top]->Bitmap->Width() == 292);
    CHECK(d->SkinBorders[SkinBorder::Top]->Bitmap->Height() == 58);
    // The channels are the program's own: "Track" has no image in this skin.
    CHECK(d->SkinTrack->Bitmap->Width() == 16);
    CHECK(d->SkinTrack->Bitmap->Height() == 4);
    CHECK(d->SkinTrackVert->Bitmap->Width() == 4);
    CHECK(d->SkinTrackVert->Bitmap->Height() == 16);
    CHECK(d->SkinTrack->Margins.left == 3);
    CHECK(d->SkinTrack->Margins.bottom == 3);
    CHECK(d->SkinTrack->Tile == 0);
    CHECK(d->FColors[SkinColor::ButtonFace] == 0xCFCFCF);
    CHECK(d->FFaceBrush);
}

TEST_CASE("The program's skin: caption buttons and MDI buttons")
{
    const auto d = LightBlue();
    REQUIRE(d->SkinSysButtons.size() == 8);
    for (size_t i = 0; i < 5; ++i) {
        const TDataSkinSysButton& b = *d->SkinSysButtons[i];
        CAPTURE(b.Name);
        CHECK(b.FrameCount == 6);
        if (b.Action == 3) CHECK(b.Empty());
        else CHECK(b.Bitmap->Width() == 126);
    }
    const int xs[3] = {57, 38, 19};
    for (size_t i = 0; i < 3; ++i) {
        const TDataSkinSysButton& m = *d->SkinSysButtons[5 + i];
        CHECK(m.Action == 7 + static_cast<int>(i));
        CHECK(m.Bitmap->Width() == 60);
        CHECK(m.Bitmap->Height() == 14);
        CHECK(m.Xcoord == xs[i]);
        CHECK(m.FrameCount == 4);
    }
}

TEST_CASE("The program's skin: caption colour and toolbar gradient")
{
    const auto d = LightBlue();
    const TColor caption = d->FColors[SkinColor::CaptionColor];
    CHECK(caption == 0xA78F9E);
    CHECK(PixelAt(*d->SkinBorders[SkinBorder::Top]->Bitmap, 97, 9) == 0xA78F9E);
    CHECK(ColorSaturation(caption) == 37);
    REQUIRE(d->SkinToolbar);
    TBitmap& bar = *d->SkinToolbar->Bitmap;
    REQUIRE(bar.Width() == 10);
    REQUIRE(bar.Height() == 40);
    CHECK(d->SkinToolbar->FrameCount == 1);
    CHECK(d->SkinToolbar->Name == "Toolbar");
    CHECK(PixelAt(bar, 0, 0) == 0xF8F8F8);
    CHECK(PixelAt(bar, 9, 39) == 0xA18D9A);
    const std::vector<TColor>& ramp = ColorRamp(GetColorRamp(40, 0xF8F8F8, 0xA18D9A));
    for (int y = 0; y < 40; ++y) CHECK(PixelAt(bar, 5, y) == ramp[static_cast<size_t>(y)]);
}

TEST_CASE("The program's skin: combo composites, their mirror and the combo arrow")
{
    const auto d = LightBlue();
    const int w = ::GetSystemMetrics(SM_CXHSCROLL) + 2;
    const TDataSkinBorder& button = *d->SkinComboButton;
    const TDataSkinObject& edge = *d->SkinSunkEdge;
    REQUIRE(button.Bitmap->Width() == 200);   // 50 x 4 frames
    REQUIRE(button.Bitmap->Height() == 21);
    CHECK(button.Style == 2);
    CHECK(button.Margins.left == 2);
    CHECK(button.Margins.right == w + 2);
    CHECK(button.Margins.top == 2);       // the sunken edge's
    CHECK(button.Margins.bottom == 3);
    CHECK(button.FrameCount == 4);
    // Bitmap2 is the original button image mirrored, frame by frame.
    CHECK(button.Bitmap2->Width() == 76);
    CHECK(edge.Margins.left == w + 2);
    CHECK(edge.Margins.right == 2);
    REQUIRE(edge.Bitmap->Width() == 200);
    REQUIRE(edge.Bitmap->Height() == 21);
    // Each frame mirrored where it stands: frame k of the mirror is the
    // mirror of frame k, so a state shows the same frame on either side.
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 200; ++x)
            if (PixelAt(*edge.Bitmap, x, y) != PixelAt(*button.Bitmap, x - x % 50 + 49 - x % 50, y)) {
                FAIL_CHECK("not a mirror at " << x << "," << y);
                return;
            }
    // Each frame: the text box is magenta, the button box is not.
    for (int f = 0; f < 4; ++f) {
        CAPTURE(f);
        CHECK(PixelAt(*button.Bitmap, 50 * f + 10, 10) == kMagenta);
        CHECK(PixelAt(*button.Bitmap, 50 * f + 50 - w / 2, 10) != kMagenta);
        CHECK(PixelAt(*button.Bitmap, 50 * f + 0, 10) != kMagenta);   // the edge's left column
    }
    // The arrow: 17 x 17 squares cut from x = 50 (i + 1) - 19, y = 2.
    const TDataSkinObject& arrow = *d->SkinComboArrow;
    CHECK(arrow.Name == "ComboxArrow");
    REQUIRE(arrow.Bitmap->Width() == 68);
    REQUIRE(arrow.Bitmap->Height() == 17);
    CHECK(arrow.FrameCount == 4);
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 17; y += 4)
            for (int x = 0; x < 17; x += 4)
                CHECK(PixelAt(*arrow.Bitmap, 17 * i + x, y) == PixelAt(*button.Bitmap, 50 * (i + 1) - 19 + x, 2 + y));
}

TEST_CASE("A definition text that names nothing parses as an empty definition")
{
    auto d = std::make_unique<TSkinData>(nullptr);
    ReadBlock(*d, SkinStreamBlock(SkinFile({{"frametop.bmp", BmpFile(30, 12, 0x123456)},
                                           {"button.bmp", BmpFile(20, 10, 0x654321)},
                                           {"x.ini", Text("; no sections\r\n")}})));
    CHECK(!d->FNoSkin);
    TSkinElementSlots& s = *d;
    for (TDataSkinObject* e :
         {static_cast<TDataSkinObject*>(s.SkinProgress.get()), s.SkinProgressChunk.get(), s.SkinMenuBar.get(),
          s.SkinGroupBoxEdge.get(), static_cast<TDataSkinObject*>(s.SkinGroupBox.get()),
          static_cast<TDataSkinObject*>(s.SkinTabs.get()), s.SkinStatusBar.get(), s.SkinTabPane.get(),
          s.SkinToolBars.get(), static_cast<TDataSkinObject*>(s.SkinComboButton.get()), s.SkinSunkEdge.get(),
          s.SkinExtraImages.get(), s.SkinHeader.get(), s.SkinMenuItem.get(), s.SkinMenuBackground.get(),
          s.SkinScrollbar.get(), s.SkinHorzScroll.get(), s.SkinVertScroll.get(), s.SkinHorzThumb.get(),
          s.SkinVertThumb.get(), s.SkinTrackThumbHorz.get(), s.SkinTrackThumbVert.get(), s.SkinTrackThumbLeft.get(),
          s.SkinTrackThumbRight.get(), s.SkinTrackThumbUp.get(), s.SkinTrackThumbDown.get(),
          static_cast<TDataSkinObject*>(s.SkinUpDownHorz.get()), static_cast<TDataSkinObject*>(s.SkinUpDownVert.get())})
        CHECK(e == nullptr);
    // The channels come from the program's images; the gradient is still made.
    REQUIRE(s.SkinTrack);
    CHECK(s.SkinTrack->Bitmap->Width() == 16);
    REQUIRE(s.SkinTrackVert);
    REQUIRE(d->SkinToolbar);
    CHECK(d->SkinToolbar->Bitmap->Height() == 40);
    CHECK(!d->SkinComboArrow->Bitmap->HandleAllocated());
    for (const auto& b : d->SkinBorders) CHECK(b->Empty());
    CHECK(d->SkinTitle->Empty());
    CHECK(d->SkinButtons->Empty());
    CHECK(d->SkinButtons->CheckFrameCount == 4);
    REQUIRE(d->SkinSysButtons.size() == 3);
    CHECK(d->SkinSysButtons[0]->Action == 7);
    CHECK(d->SkinSysButtons[2]->Empty());
    const TColor defaults[][2] = {{SkinColor::WindowText, clWindowText}, {SkinColor::ButtonFace, clBtnFace},
                                  {SkinColor::Scrollbar, clScrollBar},   {SkinColor::Menubar, clBtnFace},
                                  {SkinColor::ButtonText, clBtnText},    {SkinColor::ButtonDkShadow, cl3DDkShadow},
                                  {SkinColor::TitleTextNoActive, clInactiveCaptionText}};
    for (const auto& [slot, colour] : defaults) CHECK(d->FColors[static_cast<size_t>(slot)] == colour);
    for (bool set : d->FColorSet) CHECK(!set);
    // No Top image: the caption colour is the face colour.
    CHECK(d->FColors[SkinColor::CaptionColor] == clBtnFace);
    CHECK(d->SkinButtons->NormalColour2 == clBtnText);
}

TEST_CASE("Damaged skins fail cleanly and keep the previous skin")
{
    TQuietSkinMessages quiet;
    auto d = LightBlue();
    TDataSkinObject* menuItem = d->SkinMenuItem.get();
    const int buttons = static_cast<int>(d->SkinSysButtons.size());
    const TColor face = d->FColors[SkinColor::ButtonFace];
    auto keptPrevious = [&] {
        CHECK(d->SkinMenuItem.get() == menuItem);
        CHECK(d->SkinMenuItem->Bitmap->Width() == 120);
        CHECK(static_cast<int>(d->SkinSysButtons.size()) == buttons);
        CHECK(d->FColors[SkinColor::ButtonFace] == face);
        CHECK(d->SkinBorders[SkinBorder::Top]->Bitmap->Width() == 292);
        CHECK(d->FNoSkin);
    };
    const Bytes file(LightBlueBlock().begin() + 4, LightBlueBlock().end());
    // The message a skin file is refused with (empty when it was taken).
    auto refusalOf = [&](const Bytes& skin) {
        TMemoryStream s(SkinStreamBlock(skin));
        try {
            d->ReadSkinStream(s);
        } catch (const EInvalidSkin& e) {
            return e.Message;
        }
        return std::string();
    };

    SUBCASE("damaged skin files are refused with a message naming the skin and why")
    {
        d->SetName("SkinData1");
        // A container whose name list length or first entry size is patched.
        auto patched = [](size_t offset, int32_t value) {
            Bytes c = skinpack::BuildContainer({{"a.bmp", BmpFile(2, 2, 0)}, {"b.ini", Text("[x]\n")}}, 20000);
            for (int i = 0; i < 4; ++i) c[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
            return skinpack::BuildSkinFile(c);
        };
        const size_t sizeTable = 16 + std::string("a.bmp\r\nb.ini\r\n").size();
        struct Case {
            std::string what;
            Bytes skin;
            std::string why;
        };
        const Case cases[] = {
            {"cut to a third", Bytes(file.begin(), file.begin() + static_cast<long>(file.size() / 3)), "cut short"},
            {"cut by 20 bytes", Bytes(file.begin(), file.end() - 20), "cut short"},
            {"shorter than its length", Bytes{1, 0}, "shorter than its 4-byte length"},
            {"a negative length", Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}, "negative decoded length"},
            {"an impossible length", Bytes{0, 0, 0, 0x40, 1, 2, 3, 4}, "compressed bytes can hold"},
            {"a container too short", skinpack::BuildSkinFile(Bytes(8, 0)), "shorter than its header"},
            {"a name list past the end", patched(4, 0x7FFFFF00), "name list"},
            {"sizes past the end", patched(sizeTable, 1 << 20), "the sizes claim"},
        };
        REQUIRE(skinpack::BuildContainer({{"a.bmp", {}}, {"b.ini", {}}}, 20000)[4] == sizeTable - 16);
        for (const Case& c : cases) {
            CAPTURE(c.what);
            const std::string message = refusalOf(c.skin);
            CHECK(message.find("Cannot load the skin stored in SkinData1, it is damaged: ") == 0);
            CHECK(message.find(c.why) != std::string::npos);
            keptPrevious();
            CHECK_THROWS_AS(d->LoadSkin(), EInvalidSkin);
            CHECK(TQuietSkinMessages::Last.empty());   // no second message of the reader's own
        }
    }
    SUBCASE("skins that would draw nothing or leave a window no room are refused, saying why")
    {
        d->SetName("SkinData1");
        const int tall = GetSystemMetrics(SM_CYSCREEN) / 4 + 1;
        const int wide = GetSystemMetrics(SM_CXSCREEN) / 4 + 1;
        struct Case {
            std::string what;
            Bytes skin;
            std::string why;
        };
        const Case cases[] = {
            {"no definition text", SkinFile({{"frametop.bmp", BmpFile(30, 12, 0x123456)}}), "it has no definition text"},
            {"no bitmaps", SkinFile({{"x.ini", Text("[Colours]\r\nButtonFace=0\r\n")}}), "it holds no bitmaps"},
            {"a caption taller than a quarter of the screen",
             SkinFile({{"top.bmp", BmpFile(30, tall, 0x123456)}, {"x.ini", Text("[Personality]\r\nTop=top.bmp\r\n")}}),
             "frame's top (caption) side is " + std::to_string(tall) + " pixels, more than a quarter"},
            {"a left side wider than a quarter of the screen",
             SkinFile({{"left.bmp", BmpFile(wide, 30, 0x123456)}, {"x.ini", Text("[Personality]\r\nLeft=left.bmp\r\n")}}),
             "frame's left side is " + std::to_string(wide) + " pixels"},
        };
        for (const Case& c : cases) {
            CAPTURE(c.what);
            const std::string message = refusalOf(c.skin);
            CAPTURE(message);
            CHECK(message.find("Cannot load the skin stored in SkinData1: ") == 0);
            CHECK(message.find(c.why) != std::string::npos);
            keptPrevious();
        }
        // A frame of two stacked images counts one of them.
        TMemoryStream twoFrames(SkinStreamBlock(SkinFile(
            {{"top.bmp", BmpFile(30, 2 * (tall - 2), 0x123456)},
             {"x.ini", Text("[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\n")}})));
        d->ReadSkinStream(twoFrames);
        CHECK(!d->FNoSkin);
    }
    SUBCASE("random bytes")
    {
        Bytes junk(5000);
        uint32_t x = 12345;
        for (uint8_t& b : junk) b = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 16);
        junk[0] = 0x40;   // a plausible decoded length
        junk[1] = 0x00;
        junk[2] = 0x01;
        junk[3] = 0x00;
        TMemoryStream s(SkinStreamBlock(junk));
        try {
            d->ReadSkinStream(s);
        } catch (const Exception&) {
        }
        keptPrevious();
    }
    SUBCASE("an unknown container version")
    {
        // A container whose version field reads 12345.
        Bytes container = skinpack::BuildContainer({{"a.bmp", BmpFile(2, 2, 0)}}, 20000);
        container[0] = 0x39;
        container[1] = 0x30;
        TMemoryStream old(SkinStreamBlock(skinpack::BuildSkinFile(container)));
        d->ReadSkinStream(old);
        CHECK(TQuietSkinMessages::Last == "This is Older Skin File\rPlease update to new version !");
        keptPrevious();
        CHECK(!d->LoadSkin());
    }
    SUBCASE("a bitmap entry that is not a bitmap")
    {
        TMemoryStream s(SkinStreamBlock(
            SkinFile({{"menu.bmp", Text("BM but nothing else")}, {"x.ini", Text("[MenuItem]\nImage=menu.bmp\n")}})));
        std::string message;
        try {
            d->ReadSkinStream(s);
        } catch (const EInvalidGraphic& e) {
            message = e.Message;
        }
        CHECK(message.find("in the skin's entry \"menu.bmp\"") != std::string::npos);   // says which
        keptPrevious();
    }
    SUBCASE("a SkinStream block shorter than its length")
    {
        Bytes block = LightBlueBlock();
        block.resize(block.size() - 10);
        TMemoryStream s(block);
        CHECK_THROWS_AS(d->ReadSkinStream(s), EReadError);
        CHECK(!d->FNoSkin);   // nothing happened
        CHECK(d->SkinStreamBytes().Bytes().size() == file.size());
    }
    SUBCASE("and a good skin loads again afterwards")
    {
        TMemoryStream bad(SkinStreamBlock(Bytes(100, 0x11)));
        try {
            d->ReadSkinStream(bad);
        } catch (const Exception&) {
        }
        CHECK(d->FNoSkin);
        ReadBlock(*d, LightBlueBlock());
        CHECK(!d->FNoSkin);
        CHECK(d->SkinMenuItem.get() != menuItem);   // a new element
    }
}

TEST_CASE("The SkinStream block is written back as it was read")
{
    auto d = LightBlue();
    TMemoryStream out;
    CHECK(d->WriteBinaryProperty("SkinStream", out));
    CHECK(out.Bytes() == LightBlueBlock());
    CHECK(!d->WriteBinaryProperty("Other", out));

    TSkinData empty(nullptr);
    TMemoryStream none;
    empty.WriteSkinStream(none);
    CHECK(none.Bytes() == Bytes{0, 0, 0, 0});
    TMemoryStream zero(Bytes{0, 0, 0, 0});
    empty.ReadSkinStream(zero);
    CHECK(empty.FNoSkin);
    CHECK(empty.SkinStreamBytes().Bytes().empty());
}

TEST_CASE("Stored form data: the main window's SkinData1")
{
    RegisterSkinDataClasses();
    TListenerScope scope;
    TComponent root(nullptr);
    std::string skin3rd;
    for (const char* line : BuiltinSkin3rd())
        if (std::string(line) != "TPngSpeedbutton=pngspeedbutton") skin3rd += "    '" + std::string(line) + "'\n";
    const std::string form = "object Form_main: TComponent\n"
                             "  object SkinData1: TSkinData\n"
                             "    Active = True\n"
                             "    DisableTag = 99\n"
                             "    SkinControls = [xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, "
                             "xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, "
                             "xcSpeedButton, xcSpin, xcPanel, xcGroupBox, xcStatusBar, xcTab, xcTrackBar, "
                             "xcSystemMenu]\n"
                             "    Options = [xoPreview, xoToolbarBK]\n"
                             "    Skin3rd = (\n" +
                             skin3rd +
                             "    )\n"
                             "    SkinFormtype = sfMainform\n"
                             "    MenuUpdate = True\n"
                             "    MenuMerge = False\n"
                             "    SkinStream = {" +
                             Hex(LightBlueBlock()) +
                             "}\n"
                             "  end\n"
                             "end\n";
    ReadForm(&root, form);
    auto* d = dynamic_cast<TSkinData*>(root.FindComponent("SkinData1"));
    REQUIRE(d);
    CHECK(!d->FNoSkin);
    CHECK(d->Active());
    CHECK(d->Skin3rd()->Count() == 117);
    CHECK(d->Options() == TSkinOptions{xoPreview, xoToolbarBK});
    CHECK(!d->SkinControls().Contains(xcMenuItem));
    CHECK(d->SkinControls().Contains(xcSystemMenu));
    CHECK(scope.Events.Log == std::vector<std::string>{"loaded on"});
    CHECK(scope.Events.Last == d);
    TMemoryStream out;
    d->WriteSkinStream(out);
    CHECK(out.Bytes() == LightBlueBlock());
}

TEST_CASE("Loaded with an empty SkinStream: Active goes off, the hook is installed all the same")
{
    TListenerScope scope;
    TComponent root(nullptr);
    RegisterSkinDataClasses();
    ReadForm(&root, "object F: TComponent\n  object S: TSkinData\n    Active = True\n"
                    "    SkinControls = [xcMainMenu, xcMenuItem, xcScrollbar]\n    SkinStream = {00000000}\n  end\nend\n");
    auto* d = dynamic_cast<TSkinData*>(root.FindComponent("S"));
    REQUIRE(d);
    CHECK(d->FNoSkin);
    CHECK(!d->Active());
    // Active went off before the event: the listener is not asked to skin.
    CHECK(scope.Events.Log == std::vector<std::string>{"loaded off"});
    // xcMainMenu is set, so xcMenuItem is cleared.
    CHECK(d->SkinControls() == TSkinControlTypes{xcMainMenu, xcScrollbar});
    // Switching on is told; the manager refuses a component without a parsed skin.
    scope.Events.Log.clear();
    d->SetActive(true);
    CHECK(scope.Events.Log == std::vector<std::string>{"active on"});
}

TEST_CASE("Loaded: menu sets, missing GetScrollBarInfo, the application icon")
{
    TListenerScope scope;
    auto d = LightBlue();
    d->SetSkinControls(TSkinControlTypes{xcPopupMenu, xcMenuItem, xcSystemMenu, xcScrollbar});
    const TUser32Entries none{};
    OverrideUser32Entries(&none);

    // An application window with a small icon.
    HWND app = ::CreateWindowExA(0, "STATIC", "app", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(app);
    HICON icon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    ::SendMessageA(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    static HWND appWindow;
    appWindow = app;
    TSkinHost host;
    host.ApplicationWindow = [] { return appWindow; };
    InstallSkinHost(host);

    const TBitmap* appIconBefore = d->FAppIcon.get();
    d->Loaded();
    InstallSkinHost(TSkinHost{});
    OverrideUser32Entries(nullptr);
    ::DestroyWindow(app);

    // Without xcMainMenu, xcSystemMenu is cleared; without GetScrollBarInfo, xcScrollbar.
    CHECK(d->SkinControls() == TSkinControlTypes{xcPopupMenu, xcMenuItem});
    CHECK(d->FAppIcon.get() == appIconBefore);   // refilled, not replaced
    TBitmap& appIcon = *d->FAppIcon;
    REQUIRE(appIcon.Width() == ::GetSystemMetrics(SM_CXSMICON));
    REQUIRE(appIcon.Height() == ::GetSystemMetrics(SM_CYSMICON));
    CHECK(appIcon.Transparent());
    CHECK(appIcon.TransparentColor() == kMagenta);
    int inked = 0;
    for (int y = 0; y < appIcon.Height(); ++y)
        for (int x = 0; x < appIcon.Width(); ++x) inked += PixelAt(appIcon, x, y) != kMagenta;
    CHECK(inked > 10);
    CHECK(scope.Events.Log == std::vector<std::string>{"loaded off"});   // Active is false
}

TEST_CASE("Loaded for a form of its own, SetActive by form type: each raises its event, stored values excepted")
{
    TListenerScope scope;
    TComponent form(nullptr);
    auto* d = new TSkinData(&form);
    ReadBlock(*d, LightBlueBlock());
    d->SetSkinFormtype(sfOnlyThisForm);
    d->SetActive(true);
    CHECK(scope.Events.Log == std::vector<std::string>{"active on"});
    scope.Events.Log.clear();
    d->Loaded();
    CHECK(scope.Events.Log == std::vector<std::string>{"loaded on"});
    CHECK(scope.Events.Last == d);
    scope.Events.Log.clear();
    d->Free();
    CHECK(scope.Events.Log == std::vector<std::string>{"gone on"});
    scope.Events.Log.clear();

    auto c = LightBlue();
    SUBCASE("every form type: a change is an event, no change is none")
    {
        for (TSkinFormType type : {sfMainform, sfOnlyThisForm, sfDialog, sfDLL}) {
            CAPTURE(static_cast<int>(type));
            scope.Events.Log.clear();
            c->SetSkinFormtype(type);
            c->SetActive(true);
            c->SetActive(true);   // unchanged: nothing
            c->SetActive(false);
            CHECK(scope.Events.Log == std::vector<std::string>{"active on", "active off"});
            CHECK(scope.Events.Last == c.get());
        }
    }
    SUBCASE("while loading or designing: stored only")
    {
        c->SetLoading(true);
        c->SetActive(true);
        c->SetLoading(false);
        c->SetDesigning(true);
        c->SetActive(false);
        c->SetActive(true);
        CHECK(c->Active());
        CHECK(scope.Events.Log.empty());
    }
}

TEST_CASE("SetSkinFile: a missing file reloads nothing and blocks switching on; a file loads and is applied")
{
    TListenerScope scope;
    auto d = LightBlue();
    TDataSkinObject* item = d->SkinMenuItem.get();
    d->SetSkinFile("Z:\\no\\such\\skin.skn");
    CHECK(d->FNoSkin);
    CHECK(d->SkinMenuItem.get() == item);
    CHECK(d->SkinFile() == "Z:\\no\\such\\skin.skn");
    d->SetActive(true);
    CHECK(scope.Events.Log == std::vector<std::string>{"active on"});   // the manager refuses it: no skin
    scope.Events.Log.clear();

    // The program's skin file, written next to the test.
    const Bytes file(LightBlueBlock().begin() + 4, LightBlueBlock().end());
    const std::string path = "skindata_test.skn";
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    }
    d->SetSkinFile(path);
    ::DeleteFileA(path.c_str());
    CHECK(!d->FNoSkin);
    CHECK(d->SkinMenuItem.get() != item);
    CHECK(scope.Events.Log == std::vector<std::string>{"new skin on"});
    CHECK(scope.Events.Last == d.get());
    // Not while the component is being read.
    scope.Events.Log.clear();
    d->SetLoading(true);
    d->ApplyNewSkin();
    d->SetLoading(false);
    CHECK(scope.Events.Log.empty());
}

TEST_CASE("SetSkinFile: a damaged file is refused with its name and why; the previous skin stays")
{
    TQuietSkinMessages quiet;
    TListenerScope scope;
    auto d = LightBlue();
    TDataSkinObject* item = d->SkinMenuItem.get();
    const Bytes file(LightBlueBlock().begin() + 4, LightBlueBlock().end());
    const std::string path = "skindata_damaged.skn";
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer(file.data(), static_cast<int32_t>(file.size() / 2));
    }
    std::string message;
    try {
        d->SetSkinFile(path);
    } catch (const EInvalidSkin& e) {
        message = e.Message;
    }
    ::DeleteFileA(path.c_str());
    CHECK(message.find("Cannot load the skin file \"skindata_damaged.skn\", it is damaged: the skin file is cut short") == 0);
    CHECK(d->SkinMenuItem.get() == item);
    CHECK(d->SkinBorders[SkinBorder::Top]->Bitmap->Width() == 292);
    CHECK(scope.Events.Log.empty());   // nothing to apply
    CHECK(TQuietSkinMessages::Last.empty());
}

TEST_CASE("With nobody listening (no engine) a component that loads says so with its name and raises nothing")
{
    REQUIRE_FALSE(SkinDataListened());
    static std::vector<std::string> reports;
    reports.clear();
    TSkinHost host;
    host.ReportError = [](const std::string& text) { reports.push_back(text); };
    InstallSkinHost(host);
    {
        auto d = LightBlue();
        d->SetName("SkinData5");
        d->Loaded();
        REQUIRE(reports.size() == 1);
        CHECK(reports[0].rfind("SkinData5: ", 0) == 0);
        CHECK(reports[0].find("skin engine") != std::string::npos);
        // The stored value stays; switching reports nothing.
        CHECK(d->Active() == false);
        d->SetActive(true);
        d->SetActive(false);
        CHECK(reports.size() == 1);
        // A new skin applied later loads again: the same report.
        d->ApplyNewSkin();
        CHECK(reports.size() == 2);
        // A listener that comes later hears only what happens from then on.
        TListenerScope scope;
        d->SetActive(true);
        CHECK(scope.Events.Log == std::vector<std::string>{"active on"});
    }
    InstallSkinHost(TSkinHost{});
    CHECK_FALSE(SkinDataListened());
}

TEST_CASE("Listeners hear the events in the order they subscribed, once each, and may leave while hearing")
{
    struct TLeaving final : TSkinDataListener {
        std::vector<std::string>* log = nullptr;
        TSkinDataListener* other = nullptr;
        void SkinDataLoaded(TSkinData&) override { log->push_back("first"); }
        void SkinDataActiveChanged(TSkinData&) override
        {
            log->emplace_back("first leaves");
            UnsubscribeSkinData(other);
            UnsubscribeSkinData(this);
        }
        void SkinDataNewSkin(TSkinData&) override {}
        void SkinDataGone(TSkinData&) override {}
    };
    struct TSecond final : TSkinDataListener {
        std::vector<std::string>* log = nullptr;
        void SkinDataLoaded(TSkinData&) override { log->push_back("second"); }
        void SkinDataActiveChanged(TSkinData&) override { log->push_back("second hears it"); }
        void SkinDataNewSkin(TSkinData&) override {}
        void SkinDataGone(TSkinData&) override {}
    };
    std::vector<std::string> log;
    TLeaving first;
    TSecond second;
    first.log = second.log = &log;
    first.other = &second;
    SubscribeSkinData(&first);
    SubscribeSkinData(&second);
    SubscribeSkinData(&first);   // once only
    auto d = LightBlue();
    d->Loaded();
    d->SetActive(true);
    CHECK(log == std::vector<std::string>{"first", "second", "first leaves"});
    CHECK_FALSE(SkinDataListened());
}

TEST_CASE("AcceptWindowName")
{
    TSkinData d(nullptr);
    struct Case {
        const char* name;
        bool fastReport;
        bool expected;
    };
    const Case cases[] = {
        {"SysMonthCal32", false, false}, {"sysmonthcal32", false, true}, {"TfrDesigner", true, false},
        {"TfrDesigner", false, true},    {"TFRDesigner", true, true},    {"TForm1", true, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TSkinControlTypes set = d.SkinControls();
        c.fastReport ? set.Include(xcFastReport) : set.Exclude(xcFastReport);
        d.SetSkinControls(set);
        bool accept = true;
        d.AcceptWindowName(nullptr, c.name, accept);
        CHECK(accept == c.expected);
        bool refused = false;   // an answer already false stays false
        d.AcceptWindowName(nullptr, c.name, refused);
        CHECK(!refused);
    }

    // With OnFormSkin the handler decides, even for "SysMonthCal32".
    struct THandler : TObject {
        std::string seen;
        void FormSkin(TObject*, const std::string& name, bool& doSkin)
        {
            seen = name;
            doSkin = !doSkin;
        }
    } handler;
    d.OnFormSkin = TOnFormSkin::Of<&THandler::FormSkin>(&handler);
    bool accept = false;
    d.AcceptWindowName(nullptr, "SysMonthCal32", accept);
    CHECK(accept);
    CHECK(handler.seen == "SysMonthCal32");
}

TEST_CASE("User32 entries")
{
    CHECK(static_cast<bool>(User32Entries().GetScrollBarInfo));
    CHECK(static_cast<bool>(User32Entries().TrackMouseEvent));
    CHECK(static_cast<bool>(User32Entries().GetComboBoxInfo));
    HWND w = ::CreateWindowExA(0, "SCROLLBAR", "", WS_POPUP | SBS_HORZ, 0, 0, 100, 16, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(w);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    CHECK(QueryScrollBarInfo(w, OBJID_CLIENT, info));
    TrackMouseLeave(w);
    const TUser32Entries none{};
    OverrideUser32Entries(&none);
    CHECK(!QueryScrollBarInfo(w, OBJID_CLIENT, info));
    TrackMouseLeave(w);   // nothing happens
    OverrideUser32Entries(nullptr);
    ::DestroyWindow(w);
}

namespace {

// A small skin: a Top border of frame count 0, a side border, title, push
// button, check and radio images, and a combo button without sunken edge.
Bytes SmallSkin()
{
    const auto top = [](int x, int y) { return RGBColor(8 * x, 20 * y, 99); };
    const auto combo = [](int x, int) { return x % 2 ? kMagenta : 0x112233; };
    return SkinFile({{"top.bmp", BmpFile(30, 12, top)},
                     {"side.bmp", BmpFile(4, 9, 0x445566)},
                     {"btn.bmp", BmpFile(12, 6, 0x778899)},
                     {"combo.bmp", BmpFile(16, 5, combo)},
                     {"small.ini", Text("[Personality]\nTop=top.bmp\nTopFrame=0\nLeft=side.bmp\nRight=side.bmp\n"
                                        "TextBack=btn.bmp\n"
                                        "[Buttons]\nBitmap=btn.bmp\nCheckButton=btn.bmp\nRadioButton=btn.bmp\n"
                                        "RadioButtonFrame=-2\n"
                                        "[ComboButton]\nImage=combo.bmp\n"
                                        "[Progress.Chunk]\nImage=btn.bmp\n"
                                        "[HorzScrollThumb]\nImage=btn.bmp\nFrameCount=0\n"
                                        "[Track]\nImage=btn.bmp\nFrame=-3\n")}});
}

} // namespace

TEST_CASE("Without a sunken edge the combo button's left-hand image mirrors each frame where it stands")
{
    // Four frames of four columns, every column its own colour.
    const auto column = [](int x, int) { return RGBColor(10 * x + 5, 0, 0); };
    auto d = std::make_unique<TSkinData>(nullptr);
    ReadBlock(*d, SkinStreamBlock(SkinFile({{"combo.bmp", BmpFile(16, 5, column)},
                                            {"c.ini", Text("[ComboButton]\nImage=combo.bmp\n")}})));
    const TDataSkinBorder& button = *d->SkinComboButton;
    REQUIRE(button.Style == 0);
    REQUIRE(button.FrameCount == 4);
    REQUIRE(button.Bitmap2->Width() == 16);
    for (int x = 0; x < 16; ++x) {
        CAPTURE(x);
        CHECK(PixelAt(*button.Bitmap2, x, 2) == PixelAt(*button.Bitmap, x - x % 4 + 3 - x % 4, 2));
    }
}

TEST_CASE("A new skin keeps the identity of the objects skinners may hold, and of their bitmaps")
{
    auto d = LightBlue();
    std::vector<const void*> held;
    auto record = [&] {
        std::vector<const void*> p;
        for (const auto& b : d->SkinBorders) p.insert(p.end(), {b.get(), b->Bitmap.get(), b->Bitmap2.get()});
        p.insert(p.end(), {d->SkinTitle.get(), d->SkinTitle->Bitmap.get(), d->SkinButtons.get(),
                           d->SkinButtons->Bitmap.get(), d->SkinButtons->CheckBitmap.get(),
                           d->SkinButtons->RadioBitmap.get(), d->SkinComboArrow.get(), d->SkinComboArrow->Bitmap.get(),
                           d->SkinToolbar.get(), d->SkinToolbar->Bitmap.get(), d->FAppIcon.get(),
                           d->FMenuGlyphs.get(), &d->SkinStreamBytes()});
        return p;
    };
    held = record();
    TBitmap& top = *d->SkinBorders[SkinBorder::Top]->Bitmap;
    TBitmap& arrow = *d->SkinComboArrow->Bitmap;
    TBitmap& check = *d->SkinButtons->CheckBitmap;
    REQUIRE(top.Width() == 292);
    REQUIRE(arrow.Width() == 68);

    ReadBlock(*d, SkinStreamBlock(SmallSkin()));
    REQUIRE(!d->FNoSkin);
    CHECK(record() == held);
    // The same objects show the new skin.
    CHECK(top.Width() == 30);
    CHECK(d->SkinBorders[SkinBorder::Top]->FrameCount == 0);
    CHECK(arrow.Width() == 16);          // the combo button, magenta filled with the face colour
    CHECK(check.Width() == 12);
    CHECK(d->SkinStreamBytes().Bytes() == SmallSkin());

    // And back: the program's skin into the same objects again.
    ReadBlock(*d, LightBlueBlock());
    CHECK(record() == held);
    CHECK(top.Width() == 292);
    CHECK(arrow.Width() == 68);
    CHECK(d->SkinComboArrow->FrameCount == 4);
    CHECK(check.Width() == 70);
}

TEST_CASE("A frame count below 1 counts as one frame everywhere")
{
    auto d = std::make_unique<TSkinData>(nullptr);
    ReadBlock(*d, SkinStreamBlock(SmallSkin()));
    REQUIRE(!d->FNoSkin);
    // The counts hold what the skin says...
    const TDataSkinBorder& top = *d->SkinBorders[SkinBorder::Top];
    CHECK(top.FrameCount == 0);
    REQUIRE(d->SkinProgressChunk);
    CHECK(d->SkinProgressChunk->FrameCount == 0);   // no "Frame"
    REQUIRE(d->SkinHorzThumb);
    CHECK(d->SkinHorzThumb->FrameCount == 0);
    REQUIRE(d->SkinTrack);
    CHECK(d->SkinTrack->FrameCount == -3);
    CHECK(d->SkinButtons->RadioFrameCount == -2);
    // ...and every frame is cut as if they said 1.
    CHECK(top.FrameWidth() == 30);
    CHECK(d->SkinProgressChunk->FrameWidth() == 12);
    CHECK(d->SkinHorzThumb->FrameWidth() == 12);
    CHECK(d->SkinTrack->FrameWidth() == 12);
    CHECK(d->SkinButtons->RadioFrameWidth() == 12);
    CHECK(d->SkinButtons->CheckFrameWidth() == 12 / 4);   // computed: at least 4
    // The caption colour is sampled in the one frame: (30 / 3, 12 / 3).
    CHECK(d->FColors[SkinColor::CaptionColor] == RGBColor(80, 80, 99));
}

TEST_CASE("System colours are resolved before the combo arrow's fill and the caption colour's saturation")
{
    // Neither skin gives "ButtonFace": it stays the system colour clBtnFace.
    const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
    REQUIRE(face != (clBtnFace & 0xFFFFFF));

    auto d = std::make_unique<TSkinData>(nullptr);
    ReadBlock(*d, SkinStreamBlock(SmallSkin()));
    REQUIRE(d->FColors[SkinColor::ButtonFace] == clBtnFace);
    TBitmap& arrow = *d->SkinComboArrow->Bitmap;
    CHECK(PixelAt(arrow, 0, 2) == 0x112233);
    CHECK(PixelAt(arrow, 1, 2) == face);   // not 0x00000F, the raw low bytes

    // Without a Top image the caption colour is the face colour; its
    // saturation decides the bottom of the toolbar gradient.
    auto plain = std::make_unique<TSkinData>(nullptr);
    ReadBlock(*plain, SkinStreamBlock(SkinFile({{"plain.ini", Text("[Colours]\nWindowText=1 2 3\n")}, {"unused.bmp", BmpFile(2, 2, 0)}})));
    REQUIRE(plain->FColors[SkinColor::CaptionColor] == clBtnFace);
    auto bottomFor = [](TColor c) {
        const int saturation = ColorSaturation(c);
        return saturation > 110 ? MixColors(c, clWhite, (225 - saturation) * 25 / 140 + 50) : MixColors(clGray, c, 150);
    };
    const TColor resolved = bottomFor(face);
    REQUIRE(resolved != bottomFor(clBtnFace));   // the raw bytes would read as dark and saturated
    TBitmap& bar = *plain->SkinToolbar->Bitmap;
    CHECK(PixelAt(bar, 0, 0) == MixColors(clBtnFace, clWhite, 150));
    CHECK(PixelAt(bar, 0, 39) == resolved);
}
