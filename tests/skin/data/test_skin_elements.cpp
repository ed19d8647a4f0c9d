// The definition vocabulary, read from small hand-made skins: image values,
// colour texts, the five reading rules, caption buttons and their filter,
// MDI buttons, computed and fixed frame counts.
#include <doctest.h>

#include <windows.h>

#include "SkinTestKit.h"
#include "framework/graphics/GraphicErrors.h"
#include "skin/data/SkinElementReader.h"
#include "skin/data/WinSkinData.h"

using namespace tf;
using namespace tftest;

namespace {

constexpr TColor kTopMark = 0x3C2B1A;

const char* const kIni = R"(
[Personality]
Top=top.bmp
TopTopHeight=5
TopBotHeight=6
TopFrame=2
TopStretch=3
TopTrans=0
Left=frame.BMP
LeftTopHeight=7
LeftBotHeight=8
TextAlignment=
TextShift=20
TextShiftVert=3
TextRightClip=76
ActiveTextR=255
ActiveTextG=254
ActiveTextB=0
InActiveTextR=10
InActiveTextG=-5
InActiveTextB=10
MenuBar=tab.bmp
TileMenu=5
TileLeftMenu=6

[Colours]
ButtonText=1 2 3
ButtonFace=R:10,G:20,B:30
Hilight=255 190

[Buttons]
RadioButton=radio52.bmp
CheckButton=check96.bmp
NormalColour2=255 255 255
MouseOverColour2=
Tile=2
Trans=1

[ButtonClose]
Action=0
Align=1
Xcoord=27
ButtonImage=cap.bmp

[Button4]
Action=3

[ButtonIconImage]
Action=3
ButtonImage=cap3.bmp

[ButtonHidden]
Action=-1

[ButtonShown]
Action=-1
Visibility=0

[ButtonMax]
Action=1
Visibility=2
Xcoord=49
Ycoord=4

[ButtonFixed]
frame=2
ButtonImage=cap3.bmp

[ButtonRestore2]
Action=4
Xcoord=1
Ycoord=1

[Button.Radio]
Action=0

[MDICONTROLS]
Image=mdi.bmp

[Tab.Pane]
Image=tab.bmp
LeftWidth=9
TopHeight=4
RightWidth=5
BottomHeight=-2

[GroupBoxEdge]
Image=Combo-Arrows.bmp
Tile=2
Style=3
Frame=9
NormalColour=7
NormalColour2=255 255 255

[Progress]
Bitmap=tab.bmp
Tile=2
Style=1

[ExtraImages]
IMAGE=lightBlue\grip.bmp

[MenuItem]
Image=missing.bmp

[MenuBackground]
Style=1

[Headerbar]
Image=tab.bmp
Frame=0

[HorzScrollThumb]
Image=tab.bmp

[VertScrollThumb]
Image=tab.bmp
FrameCount=7

[Scrollbar]
Image=tab.bmp
Frame=2

[Progress.Chunk]
Image=tab.bmp
Frame=7

[Tabs]
Image=tab.bmp
Border=grip.bmp
Frame=9

[GroupBox]
Image=tab.bmp
BackgroundAlignment=2
BackgroundLeftShift=-3
)";

Bytes HandMadeSkin()
{
    return SkinFile({
        {"top.bmp", BmpFile(30, 12, [](int x, int y) { return x == 10 && y == 2 ? kTopMark : 0x808080; })},
        {"combo-arrows.bmp", BmpFile(10, 4, 0x0000FF)},
        {"grip.bmp", BmpFile(6, 6, 0x00FF00)},
        {"radio52.bmp", BmpFile(52, 13, 0x111111)},
        {"check96.bmp", BmpFile(96, 16, 0x222222)},
        {"cap.bmp", BmpFile(126, 21, 0x333333)},
        {"cap3.bmp", BmpFile(60, 20, 0x444444)},
        {"mdi.bmp", BmpFile(180, 14, [](int x, int) { return RGBColor(x, 0, 0); })},
        {"tab.bmp", BmpFile(8, 8, 0x555555)},
        {"frame.bmp", BmpFile(4, 4, 0x666666)},
        {"skin.ini", Text(kIni)},
    });
}

std::unique_ptr<TSkinData> Loaded(const Bytes& skinFile)
{
    auto data = std::make_unique<TSkinData>(nullptr);
    TMemoryStream block(SkinStreamBlock(skinFile));
    data->ReadSkinStream(block);
    REQUIRE(!data->FNoSkin);
    return data;
}

} // namespace

TEST_CASE("Image values and the plain rule")
{
    const auto d = Loaded(HandMadeSkin());
    // "Combo-Arrows.bmp" finds "combo-arrows.bmp".
    REQUIRE(d->SkinGroupBoxEdge);
    CHECK(d->SkinGroupBoxEdge->Bitmap->Width() == 10);
    CHECK(d->SkinGroupBoxEdge->Name == "GroupBoxEdge");
    // "IMAGE=lightBlue\grip.bmp" looks for "grip.bmp".
    REQUIRE(d->SkinExtraImages);
    CHECK(d->SkinExtraImages->Bitmap->Width() == 6);
    // A name that is not in the container: the element exists, empty.
    REQUIRE(d->SkinMenuItem);
    CHECK(d->SkinMenuItem->Empty());
    // No image key: no element.
    CHECK(!d->SkinMenuBackground);
    CHECK(!d->SkinToolBars);
    // Capitals in the extension: empty even though "frame.bmp" exists.
    CHECK(d->SkinBorders[SkinBorder::Left]->Empty());
    CHECK(d->SkinBorders[SkinBorder::Left]->Margins.top == 7);
}

TEST_CASE("Generic keys, switches and colours")
{
    const auto d = Loaded(HandMadeSkin());
    const TDataSkinObject& edge = *d->SkinGroupBoxEdge;
    CHECK(edge.Tile == 0);                    // "Tile" 2 on a plain element
    CHECK(edge.Style == 3);
    CHECK(edge.FrameCount == 2);              // fixed, whatever "Frame" says
    CHECK(edge.NormalColour == 7);
    CHECK(edge.MouseOverColour == -1);
    CHECK(edge.NormalColour2 == 0xFFFFFF);    // 255 255 255
    CHECK(edge.PressedColour2 == RGBColor(1, 2, 3));   // absent: the ButtonText colour
    REQUIRE(d->SkinProgress);
    CHECK(d->SkinProgress->Tile == 1);        // "Tile" 2 on the progress bar
    CHECK(d->SkinProgress->FrameCount == 1);  // Style 1
    CHECK(d->SkinProgress->NormalColour2 == 0);   // the progress rule reads no colours

    const TDataSkinObject& pane = *d->SkinTabPane;
    CHECK(pane.Margins.left == 4);            // 9 becomes 4
    CHECK(pane.Margins.top == 4);
    CHECK(pane.Margins.right == 4);
    CHECK(pane.Margins.bottom == -2);

    CHECK(d->FColors[SkinColor::ButtonText] == RGBColor(1, 2, 3));
    CHECK(d->FColors[SkinColor::ButtonFace] == RGBColor(10, 20, 30));   // "R:1,G:2,B:3" style
    CHECK(d->FColors[SkinColor::Menubar] == RGBColor(10, 20, 30));      // defaults to ButtonFace as read
    CHECK(!d->FColorSet[SkinColor::Menubar]);
    CHECK(d->FColors[SkinColor::Hilight] == RGBColor(255, 0, 0));       // "255 190"
    CHECK(d->FColorSet[SkinColor::Hilight]);
    CHECK(d->FColors[SkinColor::WindowText] == clWindowText);
    CHECK(!d->FColorSet[SkinColor::WindowText]);
    CHECK(d->FColors[SkinColor::Buttonlight] == clBtnHighlight);
    CHECK(d->FColors[9] == 0);
}

TEST_CASE("Frame borders, title and menu bar from Personality")
{
    const auto d = Loaded(HandMadeSkin());
    const TDataSkinBorder& top = *d->SkinBorders[SkinBorder::Top];
    CHECK(top.Bitmap->Width() == 30);
    CHECK(top.Margins.left == 5);
    CHECK(top.Margins.right == 6);
    CHECK(top.Margins.top == 0);
    CHECK(top.FrameCount == 2);
    CHECK(top.Tile == 1);    // "TopStretch" 3 becomes 1
    CHECK(top.Trans == 0);
    const TDataSkinBorder& left = *d->SkinBorders[SkinBorder::Left];
    CHECK(left.Margins.bottom == 8);
    CHECK(left.Margins.left == 0);
    const TDataSkinBorder& right = *d->SkinBorders[SkinBorder::Right];
    CHECK(right.FrameCount == 1);   // defaults
    CHECK(right.Tile == 1);
    CHECK(right.Trans == 1);
    CHECK(right.Name == "Right");

    const TDataSkinTitle& t = *d->SkinTitle;
    CHECK(t.TextAlignment == 0);    // "TextAlignment=" (empty)
    CHECK(t.Margins.left == 20);
    CHECK(t.Margins.top == 3);
    CHECK(t.Margins.right == 76);
    CHECK(t.ActiveText == RGBColor(255, 254, 0));
    CHECK(t.InActiveText == clNone);   // a negative component
    CHECK(t.FontHeight == 14);
    CHECK(t.FrameCount == 2);
    CHECK(t.Empty());

    REQUIRE(d->SkinMenuBar);
    CHECK(d->SkinMenuBar->Tile == 1);
    CHECK(d->SkinMenuBar->Margins.left == 6);
    CHECK(d->SkinMenuBar->Margins.right == 1);
    CHECK(d->SkinMenuBar->FrameCount == 2);

    // The caption sample: pixel (width / 3, (height / frames) / 3) of Top.
    CHECK(d->FColors[SkinColor::CaptionColor] == kTopMark);
}

TEST_CASE("Buttons: computed check and radio frames, colour presence")
{
    const auto d = Loaded(HandMadeSkin());
    const TDataSkinButton& b = *d->SkinButtons;
    CHECK(b.RadioFrameCount == 4);   // 52 x 13
    CHECK(b.CheckFrameCount == 6);   // 96 x 16
    CHECK(b.Tile == 0);
    CHECK(b.Trans == 1);
    CHECK(b.FrameCount == 5);
    CHECK(b.Empty());
    CHECK(b.HasNormalColour2);
    CHECK(!b.HasMouseOverColour2);   // empty value
    CHECK(!b.HasPressedColour2);     // absent
    CHECK(b.NormalColour2 == 0xFFFFFF);
    CHECK(b.MouseOverColour2 == RGBColor(1, 2, 3));
    CHECK(b.NormalColour == -1);
}

TEST_CASE("Caption buttons: filter, frames, action 4, MDI buttons")
{
    const auto d = Loaded(HandMadeSkin());
    std::vector<std::string> names;
    for (const auto& b : d->SkinSysButtons) names.push_back(b->Name);
    CHECK(names == std::vector<std::string>{"BUTTONCLOSE", "BUTTON4", "BUTTONICONIMAGE", "BUTTONSHOWN", "BUTTONMAX",
                                            "BUTTONFIXED", "BUTTONRESTORE2", "MDIMINIMIZE", "MDIRESTORE",
                                            "MDICLOSE"});
    auto button = [&](const std::string& name) -> TDataSkinSysButton& {
        for (const auto& b : d->SkinSysButtons)
            if (b->Name == name) return *b;
        FAIL("no button " << name);
        throw 0;
    };
    CHECK(button("BUTTONCLOSE").FrameCount == 6);   // 126 / 21 = 6 > 3.8
    CHECK(button("BUTTONCLOSE").Align == 1);
    CHECK(button("BUTTONCLOSE").CombineOp == -1);
    CHECK(button("BUTTONCLOSE").Visibility1 == 0);
    CHECK(button("BUTTON4").FrameCount == 6);       // action 3, no image
    CHECK(button("BUTTON4").Empty());
    CHECK(button("BUTTONICONIMAGE").FrameCount == 3);   // 60 / 20 = 3
    CHECK(button("BUTTONICONIMAGE").Empty());           // icon buttons lose their image
    CHECK(button("BUTTONSHOWN").FrameCount == 6);       // negative action
    CHECK(button("BUTTONSHOWN").Visibility1 == -1);
    CHECK(button("BUTTONFIXED").FrameCount == 2);       // given
    CHECK(button("BUTTONFIXED").Bitmap->Width() == 60);
    CHECK(button("BUTTONRESTORE2").Xcoord == 49);       // from ButtonMax
    CHECK(button("BUTTONRESTORE2").Ycoord == 4);

    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& m = *d->SkinSysButtons[d->SkinSysButtons.size() - 3 + static_cast<size_t>(i)];
        CAPTURE(i);
        CHECK(m.Action == 7 + i);
        CHECK(m.Align == 100);
        CHECK(m.Visibility == 100);
        CHECK(m.Visibility1 == 100);
        CHECK(m.FrameCount == 4);
        CHECK(m.Bitmap->Width() == 60);
        CHECK(m.Bitmap->Height() == 14);
        CHECK(m.Xcoord == 19 * (3 - i));
        // Cut from x = 60 * i of the strip (red = x there).
        CHECK(PixelAt(*m.Bitmap, 0, 0) == RGBColor(60 * i, 0, 0));
        CHECK(PixelAt(*m.Bitmap, 59, 13) == RGBColor(60 * i + 59, 0, 0));
    }
}

TEST_CASE("Fixed and computed element frame counts; the two-image and box label rules")
{
    const auto d = Loaded(HandMadeSkin());
    CHECK(d->SkinHeader->FrameCount == 5);          // "Frame" 0
    CHECK(d->SkinHorzThumb->FrameCount == 3);       // no "FrameCount"
    CHECK(d->SkinVertThumb->FrameCount == 7);
    CHECK(d->SkinScrollbar->FrameCount == 23);
    CHECK(d->SkinProgressChunk->FrameCount == 7);   // from "Frame"
    REQUIRE(d->SkinTabs);
    CHECK(d->SkinTabs->FrameCount == 5);
    CHECK(d->SkinTabs->Bitmap2->Width() == 6);      // "Border"
    REQUIRE(d->SkinGroupBox);
    CHECK(d->SkinGroupBox->FrameCount == 1);
    CHECK(d->SkinGroupBox->BackgroundAlignment == 2);
    CHECK(d->SkinGroupBox->BackgroundLeftShift == -3);
    CHECK(d->SkinGroupBox->BackgroundRightShift == 0);
    // No skin here has "Track": without the program's "TRACK" resource
    // (not linked into this test) there is no channel element.
    CHECK(!d->SkinTrack);
}

TEST_CASE("Reading an image: a refused or missing entry empties the bitmap, a bad one raises")
{
    const Bytes file = SkinFile({{"good.bmp", BmpFile(3, 2, 0x010203)}, {"bad.bmp", Text("BM not really")},
                                 {"empty.bmp", Bytes{}}});
    TSkinReader reader;
    TMemoryStream s(file);
    REQUIRE(reader.Load(s));
    TBitmap b;
    LoadSkinImage(reader, "dir\\GOOD.bmp", b);
    CHECK(b.Width() == 3);
    LoadSkinImage(reader, "good.BMP", b);
    CHECK(b.Empty());
    LoadSkinImage(reader, "good.bmp", b);
    LoadSkinImage(reader, "empty.bmp", b);
    CHECK(b.Empty());
    LoadSkinImage(reader, "good.bmp", b);
    CHECK_THROWS_AS(LoadSkinImage(reader, "bad.bmp", b), EInvalidGraphic);
}
