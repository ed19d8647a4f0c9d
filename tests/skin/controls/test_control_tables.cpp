// The control skinners' tables and arithmetic, natively under the
// sanitizers: face and check frames, the button layout, scroll bar geometry,
// and the class tables over hand-described controls.
#include <doctest.h>

#include <map>
#include <sstream>

#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/controls/ClassTable.h"
#include "skin/controls/scrollbars/ScrollGeometry.h"

using namespace tf;

TEST_CASE("Face frames: disabled over pressed over hot over focused")
{
    struct Case {
        bool disabled, pressed, hot, focused;
        int frame;
    };
    const Case cases[] = {
        {false, false, false, false, 1}, {false, true, true, true, 2}, {true, true, true, true, 3},
        {false, false, true, true, 4},   {false, false, false, true, 5},
    };
    for (const Case& c : cases) CHECK(ButtonFaceFrame(c.disabled, c.pressed, c.hot, c.focused) == c.frame);

    // Speed buttons: down is pressed even when disabled; no focus frame.
    CHECK(SpeedButtonFaceFrame(true, false, false, false) == 1);
    CHECK(SpeedButtonFaceFrame(true, false, false, true) == 4);
    CHECK(SpeedButtonFaceFrame(true, false, true, true) == 2);
    CHECK(SpeedButtonFaceFrame(false, false, false, true) == 3);
    CHECK(SpeedButtonFaceFrame(false, true, false, false) == 2);
    CHECK(SpeedButtonGlyphImage(2, false) == 3);
    CHECK(SpeedButtonGlyphImage(3, false) == 2);
    CHECK(SpeedButtonGlyphImage(4, false) == 1);
    CHECK(SpeedButtonGlyphImage(2, true) == 4);
    CHECK(BitButtonGlyphImage(true, true) == 3);
    CHECK(BitButtonGlyphImage(true, false) == 2);
    CHECK(BitButtonGlyphImage(false, false) == 1);
}

TEST_CASE("Check box and radio button frames, 5-, 12- and 8-frame strips")
{
    CHECK(CheckFrameOfState("cbunchecked") == 1);
    CHECK(CheckFrameOfState("cbchecked") == 2);
    CHECK(CheckFrameOfState("cbgrayed") == 4);
    CHECK(CheckFrameOfState("") == 0);

    struct Case {
        int check;
        bool disabled, indeterminate;
        int five, twelve;
    };
    const Case cases[] = {
        {1, false, false, 1, 1}, {2, false, false, 2, 5},  {1, true, false, 3, 4},
        {2, true, false, 4, 8},  {4, false, true, 4, 9},   {4, true, true, 4, 12},
        {1, false, true, 4, 9},  // the window says indeterminate whatever the property said
    };
    for (const Case& c : cases) {
        CAPTURE(c.check);
        CAPTURE(c.disabled);
        CHECK(CheckBoxFrame(c.check, c.disabled, c.indeterminate, 5) == c.five);
        CHECK(CheckBoxFrame(c.check, c.disabled, c.indeterminate, 12) == c.twelve);
    }
    CHECK(RadioButtonFrame(false, false, 5) == 1);
    CHECK(RadioButtonFrame(true, false, 5) == 2);
    CHECK(RadioButtonFrame(false, true, 5) == 3);
    CHECK(RadioButtonFrame(true, true, 5) == 4);
    CHECK(RadioButtonFrame(true, false, 8) == 5);
    CHECK(RadioButtonFrame(false, true, 8) == 4);
    CHECK(RadioButtonFrame(true, true, 8) == 8);
}

TEST_CASE("Button layout: centred, given margin, shared spacing, each side")
{
    TButtonLayoutInput in;
    in.Face = {87, 40};
    in.Glyph = {16, 16};
    in.Text = {32, 14};
    in.Margin = -1;
    in.Spacing = 4;
    // Centred with a spacing: margin (87 - 52) / 2 = 17.
    TGlyphTextLayout out = LayoutButton(in);
    CHECK(out.Margin == 17);
    CHECK(out.Glyph == TLayoutPoint{17, 12});
    CHECK(out.Text == TLayoutPoint{37, 13});
    CHECK(out.Flags == kTextWordBreak);

    // Margin and spacing both open: thirds, (87 - 48) / 3 = 13.
    in.Spacing = -1;
    out = LayoutButton(in);
    CHECK(out.Margin == 13);
    CHECK(out.Spacing == 13);
    CHECK(out.Text.X == 13 + 16 + 13);

    // A given margin shares out the spacing: (87 - 5 - 16 - 32) / 2 = 17.
    in.Margin = 5;
    out = LayoutButton(in);
    CHECK(out.Spacing == 17);
    CHECK(out.Glyph.X == 5);
    // ... unless the alignment centres the pair anyway.
    in.Centred = true;
    CHECK(LayoutButton(in).Margin == 13);
    in.Centred = false;

    // Glyph right: from the right edge, text before it, right-aligned.
    in.Place = TGlyphPlace::Right;
    in.Spacing = 4;
    out = LayoutButton(in);
    CHECK(out.Glyph.X == 87 - 5 - 16);
    CHECK(out.Text.X == 66 - 4 - 32);
    CHECK(out.Flags == (kTextWordBreak | kTextRight));

    // Glyph top and bottom run along the height, centred across.
    in.Place = TGlyphPlace::Top;
    in.Margin = -1;
    out = LayoutButton(in);
    CHECK(out.Glyph == TLayoutPoint{36, (40 - 34) / 2});
    CHECK(out.Text == TLayoutPoint{28, 3 + 16 + 4});
    CHECK(out.Flags == (kTextWordBreak | kTextCenter));
    in.Place = TGlyphPlace::Bottom;
    out = LayoutButton(in);
    CHECK(out.Glyph.Y == 40 - 3 - 16);
    CHECK(out.Text.Y == 21 - 4 - 14);

    // An empty caption: spacing 0, the glyph alone centred.
    in.Place = TGlyphPlace::Left;
    in.Text = {0, 0};
    out = LayoutButton(in);
    CHECK(out.Spacing == 0);
    CHECK(out.Glyph.X == (87 - 16) / 2);

    // Speed buttons: a given spacing centres one pixel further on.
    in.Text = {32, 14};
    in.SpeedButton = true;
    CHECK(LayoutButton(in).Margin == 18);

    CHECK(GlyphPlaceOf("blglyphbottom") == TGlyphPlace::Bottom);
    CHECK(GlyphPlaceOf("other") == TGlyphPlace::Left);
    CHECK(ButtonTextArea({0, 0, 87, 40}, TGlyphPlace::Left, {16, 16}) == TLayoutRect{2, 2, 67, 38});
    CHECK(ButtonTextArea({0, 0, 87, 40}, TGlyphPlace::Top, {16, 16}) == TLayoutRect{2, 2, 85, 20});
}

TEST_CASE("Menu button layout: glyph, caption and arrow from left to right")
{
    TMenuButtonLayout m = LayoutMenuButton({100, 24}, {16, 16}, {40, 14}, -1, -1);
    CHECK(m.Glyph == TLayoutPoint{9, 4});    // (100 - 64) / 4
    CHECK(m.Text == TLayoutPoint{34, 5});
    CHECK(m.Arrow == TLayoutPoint{34 + 40 + 18, 10});
    m = LayoutMenuButton({100, 24}, {0, 0}, {40, 14}, 4, -1);
    CHECK(m.Text.X == 4 + ((108 - 8) - 40) / 2);
    CHECK(MenuButtonTextArea({100, 24}, {16, 16}) == TLayoutRect{2, 2, 74, 22});
}

TEST_CASE("Scroll geometry: hit testing, control thumbs, dragging, frames")
{
    CHECK(MulDivRound(7, 3, 2) == 11);      // 10.5 rounds away from zero
    CHECK(MulDivRound(-7, 3, 2) == -11);
    CHECK(MulDivRound(1, 1, 0) == -1);

    // A 200-pixel bar with 17-pixel arrows and a thumb at 50..80.
    const int cases[][2] = {{0, 0}, {16, 0}, {17, 2}, {49, 2}, {50, 5}, {79, 5}, {80, 3}, {182, 3}, {183, 1}, {199, 1}};
    for (const auto& c : cases) CHECK(ScrollHitTest(c[0], 17, 50, 80, 200) == c[1]);

    // A tiny page gives the 8-pixel minimum thumb that still reaches both ends.
    CHECK(ControlBarThumb(200, 17, 0, 1000, 1, 0) == TThumbSpan{17, 25});
    CHECK(ControlBarThumb(200, 17, 0, 1000, 1, 1000) == TThumbSpan{17 + 158, 17 + 166});
    // A real page: (166 * 49 / 100) = 81.
    CHECK(ControlBarThumb(200, 17, 0, 100, 50, 0) == TThumbSpan{17, 17 + 81});
    // Without a page the thumb is an arrow long.
    CHECK(ControlBarThumb(200, 17, 0, 100, 0, 100) == TThumbSpan{17 + 149, 17 + 149 + 17});
    // Max = Min keeps the thumb first (range 9999999).
    CHECK(ControlBarThumb(200, 17, 5, 5, 0, 5) == TThumbSpan{17, 34});
    CHECK(ControlBarThumb(200, 17, 5, 5, 10, 5).Start == 17);
    // A press works from the properties, with no minimum length.
    CHECK(PressedControlThumb(200, 17, 0, 1000, 1, 0) == TThumbSpan{17, 17});

    CHECK(DragThumbStart(50, 30, 17, 200, 30) == 80);
    CHECK(DragThumbStart(50, -100, 17, 200, 30) == 17);
    CHECK(DragThumbStart(50, 500, 17, 200, 30) == 200 - 17 - 30);
    CHECK(ArrowLength(20, 17) == 10);   // too short for two arrows
    CHECK(ArrowLength(34, 17) == 17);

    CHECK(ArrowFrame(true, false, spNone, false) == 9);
    CHECK(ArrowFrame(true, true, spSecondArrow, true) == 14);
    CHECK(ArrowFrame(false, false, spFirstArrow, false) == 4);
    CHECK(ArrowFrame(false, true, spFirstArrow, true) == 5);
    CHECK(ThumbFrame(spThumb, true) == 2);
    CHECK(ThumbFrame(spThumb, false) == 3);
    CHECK(ThumbFrame(spTrackAfter, true) == 1);
    CHECK(GripFrame(true, spThumb, true) == 21);
    CHECK(GripFrame(false, spThumb, false) == 19);
    CHECK(GripFrame(false, spNone, false) == 17);
}

TEST_CASE("List thumb tracking maps the offset onto the range")
{
    // Track 100, thumb 20, range 0..99, page 10: the free 80 pixels cover 90.
    CHECK(ListThumbPosition(0, 100, 20, 0, 99, 10) == 0);
    CHECK(ListThumbPosition(40, 100, 20, 0, 99, 10) == 45);
    CHECK(ListThumbPosition(80, 100, 20, 0, 99, 10) == 89);
    CHECK(ListThumbPosition(500, 100, 20, 0, 99, 10) == 90);   // at most max - page + 1
    CHECK(ListThumbPosition(-5, 100, 20, 0, 99, 10) == 0);
    // Without a page, the track length is the scale.
    CHECK(ListThumbPosition(50, 100, 20, 0, 200, 0) == 100);
    CHECK(ListThumbPosition(500, 100, 20, 0, 200, 0) == 160);
}

// ------------------------------------------------------------------ class tables

namespace {

// A control described by a chain of class names (its class first) and its
// property values ("Style=tsbuttons NumButtons=1").
class FakeControl : public TControlFacts {
public:
    FakeControl(const std::string& chain, const std::string& props, bool windowed, bool scrollStyle, bool border)
        : FWindowed(windowed), FScroll(scrollStyle), FBorder(border)
    {
        std::stringstream names(chain);
        for (std::string n; std::getline(names, n, '>');) FChain.push_back(n);
        std::stringstream values(props);
        for (std::string kv; values >> kv;) FProps[kv.substr(0, kv.find('='))] = kv.substr(kv.find('=') + 1);
    }
    std::string ClassName() const override { return FChain.front(); }
    bool InheritsFrom(std::string_view cls) const override
    {
        for (const std::string& n : FChain)
            if (n.size() == cls.size() && std::equal(n.begin(), n.end(), cls.begin(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                }))
                return true;
        return false;
    }
    std::string ReadEnum(std::string_view name) const override
    {
        const auto it = FProps.find(std::string(name));
        return it == FProps.end() ? std::string() : it->second;
    }
    int64_t ReadInt(std::string_view name) const override
    {
        const auto it = FProps.find(std::string(name));
        return it == FProps.end() ? -1 : std::stoll(it->second);
    }
    bool Windowed() const override { return FWindowed; }
    bool HasScrollStyle() const override { return FScroll; }
    bool HasBorder() const override { return FBorder; }

private:
    std::vector<std::string> FChain;
    std::map<std::string, std::string> FProps;
    bool FWindowed, FScroll, FBorder;
};

TSkinControlTypes Without(std::initializer_list<TSkinControlType> members)
{
    TSkinControlTypes s = AllSkinControls;
    for (TSkinControlType m : members) s.Exclude(m);
    return s;
}

std::string Describe(const TClassSelection& s)
{
    std::string d;
    const auto add = [&d](const std::string& part) { d += (d.empty() ? "" : " ") + part; };
    if (s.Skinner) add(SkinnerClassName(s.Skinner.Kind));
    if (s.Skinner.Mode) add("mode " + std::to_string(s.Skinner.Mode));
    if (s.Skinner.SetColor) add("color");
    if (!s.Skinner.GlyphProperty.empty()) add("glyph " + s.Skinner.GlyphProperty);
    if (s.Skinner.ObjImageKind) add("kind " + std::to_string(s.Skinner.ObjImageKind));
    if (s.Skinner.ExtendedCombo) add("extended");
    static const char* const passes[] = {"", "select", "radio", "radiogroup", "checkgroup", "embedded", "components"};
    if (s.Before != TChildPass::None) add(std::string("before ") + passes[static_cast<int>(s.Before)]);
    if (s.After != TChildPass::None) add(std::string("after ") + passes[static_cast<int>(s.After)]);
    if (s.Effects & seCoolBandColors) add("bands");
    if (s.Effects & seToolButtonMenuItem) add("menuitem");
    if (s.Effects & seToolBarSetup) add("toolbar");
    if (s.Effects & seSetTransparent) add("transparent");
    return d.empty() ? "none" : d;
}

} // namespace

TEST_CASE("Control class table: Skin3rd, refused names and every row in order")
{
    const std::vector<std::string> skin3rd = {
        "TComboboxex=combobox", "TMyCombo=nil", "TRzRadioGroup=radiogroup", "TRzCheckGroup=checkgroup",
        "TPngBitBtn=pngbitbtn", "TPngSpeedbutton=pngspeedbutton", "TcxButton=bitbtn", "TRzMenuButton=menubtn",
        "TAdvMemo=scrollbar", "TLMDTrackbar=Trackbar", "TLMDEDIT=edit", "TCatPanel=embedscrollbar",
        "TBox=container", "TSingle=singlescrollbar", "TOdd=unknownkind", "TcxGroupbox=groupbox",
        "TAdvPageControl=advpagecontrol", "TComboboxex32=comboboxex", "TTabby=tab", "TSpin=speedbutton",
        "TLMDRadiobutton=radiobutton", "TDBCheckboxEh=checkbox", "TMP=mediaplayer", "TDT=datetimepicker",
        "TPr=progress", "TRzButton=button", "TLMDGROUPBOX=panel",
    };
    struct Case {
        const char* chain;
        const char* props;
        TSkinControlTypes controls;
        bool tabs;
        const char* expected;
        bool windowed = true, scrollStyle = false, border = false;
    };
    const TSkinControlTypes all = AllSkinControls;
    const Case cases[] = {
        // Skin3rd decides first, whatever the class would match; lines name
        // whole classes only.
        {"TMyCombo>TCustomComboBox>TWinControl", "", all, true, "none"},
        {"TMyComboDescendant>TMyCombo>TCustomComboBox>TWinControl", "", all, true, "TSkinComBox"},
        {"TComboboxex>TWinControl", "", all, true, "TSkinComBox"},
        {"TComboboxex32>TWinControl", "", all, true, "TSkinComBox extended"},
        {"TComboboxex>TWinControl", "", Without({xcCombo}), true, "none"},
        {"TRzRadioGroup>TWinControl", "", all, true, "TSkinGroupBox color before radiogroup"},
        {"TRzRadioGroup>TWinControl", "", Without({xcRadioButton}), true, "TSkinGroupBox color"},
        {"TRzCheckGroup>TWinControl", "", Without({xcGroupBox}), true, "before checkgroup"},
        {"TPngBitBtn>TWinControl", "", all, true, "TSkinBitButton glyph PngImage"},
        {"TPngSpeedbutton>TGraphicControl", "", all, true, "TSkinSpeedButton glyph PngImage"},
        {"TcxButton>TWinControl", "Kind=cxbkdropdownbutton", all, true, "TSkinMenuButton"},
        {"TcxButton>TWinControl", "Kind=cxbkstandard", all, true, "TSkinBitButton"},
        {"TRzMenuButton>TWinControl", "", all, true, "TSkinMenuButton"},
        {"TAdvMemo>TWinControl", "", all, true, "TSkinScrollbar after select"},
        {"TLMDTrackbar>TWinControl", "", all, true, "TSkinTrackBar transparent"},
        {"TLMDEDIT>TWinControl", "", all, true, "TSkinEdit", true, false, true},
        {"TLMDEDIT>TWinControl", "", all, true, "none", true, false, false},
        {"TCatPanel>TWinControl", "", all, true, "after embedded"},
        {"TBox>TWinControl", "", Without({xcPanel}), true, "after select"},
        {"TSingle>TWinControl", "", all, true, "TSkinScrollbar mode 1"},
        {"TOdd>TButton>TWinControl", "", all, true, "none"},
        {"TcxGroupbox>TWinControl", "", all, true, "TSkinGroupBox color"},
        {"TAdvPageControl>TWinControl", "", all, true, "TSkinAdvPage mode 4 color"},
        {"TTabby>TWinControl", "", all, false, "none"},
        {"TTabby>TWinControl", "", all, true, "TSkinTab"},
        {"TSpin>TGraphicControl", "", all, true, "TSkinSpeedButton"},
        {"TLMDRadiobutton>TWinControl", "", all, true, "TSkinRadioButton"},
        {"TDBCheckboxEh>TWinControl", "", all, true, "TSkinCheckBox"},
        {"TMP>TWinControl", "", all, true, "TSkinMP"},
        {"TDT>TWinControl", "", all, true, "TSkinDateTime"},
        {"TPr>TWinControl", "", all, true, "TSkinProgress"},
        {"TRzButton>TWinControl", "", all, true, "TSkinButton"},
        {"TLMDGROUPBOX>TWinControl", "", all, true, "TSkinBox color transparent"},
        // Step 6.
        {"TDBComboBoxEh>TCustomComboBox>TWinControl", "", all, true, "none"},
        {"TfrDesignerPage>TCustomPanel>TWinControl", "", all, true, "none"},
        // The table, rows 1 to 41.
        {"TTabControl>TCustomTabControl>TWinControl", "", all, true, "TSkinTab mode 2"},
        {"TPageControl>TCustomTabControl>TWinControl", "Style=tsbuttons", all, true, "TSkinTabBtn"},
        {"TPageControl>TCustomTabControl>TWinControl", "Style=tstabs", all, true, "TSkinTab"},
        {"TPageControl>TCustomTabControl>TWinControl", "Style=tstabs", all, false, "none"},
        {"TToolButton>TGraphicControl", "", all, true, "menuitem", false},
        {"TToolButton>TGraphicControl", "", Without({xcMainMenu}), true, "none", false},
        {"TCoolBar>TCustomControl>TWinControl", "", all, true, "bands"},
        {"TTabSet>TWinControl", "", all, true, "TSkinTab31"},
        {"TTabSheet>TWinControl", "", all, true, "TSkinTabSheet"},
        {"TTabbedNotebook>TWinControl", "", all, true, "TSkinTab"},
        {"TMVCPanel>TWinControl", "", Without({xcPanel}), true, "after select"},
        {"THeaderControl>TWinControl", "", all, true, "TSkinHeader"},
        {"TCheckBox>TCustomCheckBox>TWinControl", "", all, true, "TSkinCheckBox"},
        {"TCheckBox>TCustomCheckBox>TWinControl", "", Without({xcCheckBox}), true, "none"},
        {"TTrackBar>TWinControl", "", all, true, "TSkinTrackBar"},
        {"TUpDown>TWinControl", "", all, true, "TSkinUpDown"},
        {"TSpinButton>TWinControl", "", Without({xcSpin}), true, "none"},
        {"TMediaPlayer>TWinControl", "", all, true, "TSkinMP"},
        {"TRadioGroup>TCustomRadioGroup>TCustomGroupBox>TWinControl", "", all, true, "TSkinGroupBox color before radio"},
        {"TRadioGroup>TCustomRadioGroup>TCustomGroupBox>TWinControl", "", Without({xcRadioButton}), true,
         "TSkinGroupBox before select"},
        {"TDBNavigator>TCustomPanel>TWinControl", "", all, true, "TSkinBox color after select"},
        {"TRzCheckBox>TWinControl", "", all, true, "TSkinObjImage color kind 1"},
        {"TRzDBRadioButton>TWinControl", "", all, true, "TSkinObjImage color kind 2"},
        {"TcxCheckBox>TWinControl", "", all, true, "TSkinObjImage color kind 3"},
        {"TGroupBox>TCustomGroupBox>TWinControl", "", all, true, "TSkinGroupBox before select"},
        {"TRadioButton>TButtonControl>TWinControl", "", all, true, "TSkinRadioButton"},
        {"TToolBar>TWinControl", "", all, true, "TSkinBox toolbar"},
        {"TStatusBar>TCustomStatusBar>TWinControl", "", all, true, "TSkinStatusBar"},
        {"TProgressBar>TWinControl", "", all, true, "TSkinProgress"},
        {"TScrollBar>TWinControl", "", all, true, "TSkinScControl"},
        {"TTntComboBox>TWinControl", "", all, true, "TSkinComBox"},
        {"TComboBox>TCustomComboBox>TWinControl", "", all, true, "TSkinComBox"},
        {"TDateTimePicker>TWinControl", "DateMode=dmupdown", all, true, "TSkinEdit"},
        {"TDateTimePicker>TWinControl", "Kind=dtktime", all, true, "TSkinEdit"},
        {"TDateTimePicker>TWinControl", "Kind=dtkdate", all, true, "TSkinDateTime"},
        {"TRichEdit>TWinControl", "", all, true, "TSkinScrollbar"},
        {"TwwDBRichEdit>TWinControl", "", all, true, "TSkinScrollbar"},
        {"TBitBtn>TButton>TWinControl", "", all, true, "TSkinBitButton"},
        // Without xcBitBtn a bit button stays unskinned, xcButton or not.
        {"TBitBtn>TButton>TWinControl", "", Without({xcBitBtn}), true, "none"},
        {"TSpeedButton>TGraphicControl", "", all, true, "TSkinSpeedButton", false},
        {"TPanel>TCustomPanel>TWinControl", "", all, true, "TSkinBox color before select"},
        {"TdxDBGrid>TWinControl", "", all, true, "TSkinScrollbar"},
        {"TListView>TCustomListView>TWinControl", "", all, true, "TSkinListView"},
        {"TMemo>TCustomMemo>TCustomEdit>TWinControl", "", all, true, "TSkinScrollbar"},
        // A memo without xcScrollbar falls through to the edit row.
        {"TMemo>TCustomMemo>TCustomEdit>TWinControl", "", Without({xcScrollbar}), true, "TSkinEdit"},
        {"TStringGrid>TCustomGrid>TWinControl", "", all, true, "TSkinScrollbar"},
        {"Tzorlistbox>TCustomListBox>TWinControl", "", all, true, "TSkinScrollbar"},
        {"TTreeView>TCustomTreeView>TWinControl", "", all, true, "TSkinScrollbar"},
        {"TScrollBox>TWinControl", "", all, true, "TSkinScrollbar"},
        {"TAnyScroller>TWinControl", "", all, true, "TSkinScrollbar", true, true},
        {"TAnyScroller>TGraphicControl", "", all, true, "none", false, true},
        {"TButton>TButtonControl>TWinControl", "", all, true, "TSkinButton"},
        {"TEdit>TCustomEdit>TWinControl", "", all, true, "TSkinEdit"},
        {"TDCEdit>TWinControl", "NumButtons=1", all, true, "TSkinComBox"},
        {"TDCEdit>TWinControl", "NumButtons=0", all, true, "TSkinEdit"},
        {"TDCEdit>TWinControl", "NumButtons=0", Without({xcEdit}), true, "none"},
        {"TFrame1>TCustomFrame>TWinControl", "", all, true, "after components"},
        {"TForm2>TCustomForm>TWinControl", "", all, true, "TSkinBox color after components"},
        {"TLabel>TGraphicControl", "", all, true, "none", false},
    };
    for (const Case& c : cases) {
        FakeControl control(c.chain, c.props, c.windowed, c.scrollStyle, c.border);
        TSkinSettings skin{c.controls, c.tabs, skin3rd};
        CAPTURE(c.chain);
        CAPTURE(c.props);
        CHECK(Describe(SelectForControl(control, skin)) == c.expected);
    }
    // Row 39 attaches the edit to the window; rows 23, 30 and the scroll rows
    // use their families' own attach.
    FakeControl dc("TDCEdit>TWinControl", "NumButtons=0", true, false, false);
    CHECK(SelectForControl(dc, {all, true, skin3rd}).Skinner.How == TAttachHow::AttachWindow);
    FakeControl bar("TScrollBar>TWinControl", "", true, false, false);
    CHECK(SelectForControl(bar, {all, true, skin3rd}).Skinner.How == TAttachHow::AttachScrollControl);
    FakeControl memo("TMemo>TCustomMemo>TWinControl", "", true, false, false);
    CHECK(SelectForControl(memo, {all, true, skin3rd}).Skinner.How == TAttachHow::AttachScroll);
    FakeControl speed("TSpeedButton>TGraphicControl", "", false, false, false);
    CHECK(SelectForControl(speed, {all, true, skin3rd}).Skinner.How == TAttachHow::AttachGraphic);
}

TEST_CASE("Skin3rd lines: whole class names, first line wins, kind cut at 50")
{
    std::string kind;
    CHECK(FindSkin3rdKind({"TA=Nil", "ta=button"}, "TA", kind));
    CHECK(kind == "nil");
    CHECK_FALSE(FindSkin3rdKind({"TAB=button"}, "TA", kind));
    CHECK_FALSE(FindSkin3rdKind({"TA button"}, "TA", kind));
    CHECK(FindSkin3rdKind({"TA=" + std::string(60, 'x')}, "ta", kind));
    CHECK(kind.size() == 50);
    CHECK(FindSkin3rdKind({"TA=x=y"}, "TA", kind));
    CHECK(kind == "x=y");

    FakeControl group("TRzRadioGroup>TWinControl", "", true, false, false);
    FakeControl check("TLMDCheckGroup>TWinControl", "", true, false, false);
    FakeControl plain("TGroupBox>TWinControl", "", true, false, false);
    FakeControl graphic("TFakeRadioGroup>TGraphicControl", "", false, false, false);
    CHECK(SpreadsDisableTag(group));
    CHECK(SpreadsDisableTag(check));
    CHECK_FALSE(SpreadsDisableTag(plain));
    CHECK_FALSE(SpreadsDisableTag(graphic));
}

TEST_CASE("Bare child window table: button styles in order and the other classes")
{
    struct Case {
        const char* cls;
        uint32_t style;
        TSkinControlTypes controls;
        const char* expected;
        bool children = false, face = false, first = false;
    };
    const TSkinControlTypes all = AllSkinControls;
    const Case cases[] = {
        {"button", 0x0B, all, ""},                        // owner-drawn
        {"button", 0x07, all, ""},                        // group box
        {"button", 0x80, all, ""},                        // bitmap
        {"button", 0x03, all, "TSkinCheckBox"},           // auto check box
        {"button", 0x02, all, "TSkinCheckBox"},           // check box
        {"button", 0x05, all, "TSkinCheckBox"},           // three-state
        {"button", 0x06, all, "TSkinCheckBox"},           // has 2: check wins over radio
        {"button", 0x09, all, "TSkinRadioButton"},        // auto radio
        {"button", 0x04, all, "TSkinRadioButton"},        // radio
        {"button", 0x04, Without({xcRadioButton}), ""},
        {"button", 0x01, all, "TSkinButton"},             // default push button
        {"button", 0x00, Without({xcButton}), ""},
        {"combobox", 0x02, all, "TSkinComBox"},
        {"combobox", 0x01, all, ""},                      // simple combo
        {"comboboxex32", 0, all, "TSkinComBox", false, false, true},
        {"scrollbar", 0x10, all, "TSkinSizer"},
        {"scrollbar", 0x10000, all, ""},
        {"systreeview32", 0, all, ""},
        {"#32770", 0, all, "TSkinBoxH", true},
        {"tpanel", 0, all, "", true, true},
        {"tsilentpaintpanel", 0, all, "", false, true},
        {"tcheckbox", 0, all, "TSkinCheckBox"},
        {"tcombobox", 0, all, "TSkinComBox"},
        {"tbutton", 0, all, "TSkinButton"},
        {"tprogressbar", 0, Without({xcProgress}), "TSkinProgress"},
        {"systabcontrol32", 0, all, "TSkinTab"},
        {"systabcontrol32", 0x2000, all, ""},
        {"toolbarwindow32", 0, all, "TSkinBoxH"},
        {"edit", 0, all, "TSkinEdit"},
        {"listbox", 0x200000, all, "TSkinScrollbarH"},    // vertical bar
        {"listbox", 0x100000, all, "TSkinScrollbarH"},    // horizontal bar
        {"listbox", 0, all, ""},                          // no bar to skin
        {"listbox", 0x200000, Without({xcScrollbar}), ""},
        {"static", 0, all, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.cls);
        CAPTURE(c.style);
        const TWindowSelection s = SelectForWindow(c.cls, c.style, c.controls);
        CHECK(std::string(SkinnerClassName(s.Skinner.Kind)) == c.expected);
        CHECK(s.SelectChildren == c.children);
        CHECK(s.FaceColor == c.face);
        CHECK(s.OnFirstChild == c.first);
        if (s.Skinner) CHECK(s.Skinner.How == TAttachHow::AttachWindow);
    }
}
