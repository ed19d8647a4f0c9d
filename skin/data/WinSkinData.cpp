#include "skin/data/WinSkinData.h"

#include <algorithm>
#include <initializer_list>
#include <type_traits>

#include "framework/core/SysUtils.h"
#include "skin/data/Skin3rd.h"
#include "skin/data/SkinElementReader.h"
#include "skin/data/SkinDataEvents.h"
#include "skin/data/SkinLimits.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinVocabulary.h"
#include "skin/data/WinSkinIni.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

namespace {

const char* const kSides[4] = {"Left", "Right", "Top", "Bottom"};

// What one parse produces; it replaces the component's skin only when the
// whole parse succeeded.
struct TParsedSkin {
    TSkinElementSlots Slots;
    std::array<std::unique_ptr<TDataSkinBorder>, 4> Borders;
    std::unique_ptr<TDataSkinTitle> Title = std::make_unique<TDataSkinTitle>("Title");
    std::unique_ptr<TDataSkinButton> Buttons = std::make_unique<TDataSkinButton>("Buttons");
    std::array<TColor, SkinColor::Count> Colors{};
    std::array<bool, SkinColor::Count> ColorSet{};
};

// The frame the parsed skin gives a window, as a form skinner measures it.
TFrameSides FrameSidesOf(const TParsedSkin& p)
{
    auto side = [&p](int index, bool leftOrRight) {
        return FrameSideSize(*p.Borders[static_cast<size_t>(index)], leftOrRight);
    };
    return {side(SkinBorder::Left, true), side(SkinBorder::Top, false), side(SkinBorder::Right, true),
            side(SkinBorder::Bottom, false)};
}

// The "Colours" keys in reading order, with their slots and defaults.
struct TColourKey {
    const char* Key;
    int Slot;
    TColor Default;   // clNone: the value of slot 3 as just read
};
const TColourKey kColourKeys[] = {
    {"WindowText", SkinColor::WindowText, clWindowText},
    {"ButtonFace", SkinColor::ButtonFace, clBtnFace},
    {"Scrollbar", SkinColor::Scrollbar, clScrollBar},
    {"HilightText", SkinColor::HilightText, clHighlightText},
    {"Hilight", SkinColor::Hilight, clHighlight},
    {"Menubar", SkinColor::Menubar, clNone},
    {"Menu", SkinColor::Menu, clMenu},
    {"MenuText", SkinColor::MenuText, clMenuText},
    {"ButtonText", SkinColor::ButtonText, clBtnText},
    {"ButtonHilight", SkinColor::ButtonHilight, clBtnHighlight},
    {"Buttonlight", SkinColor::Buttonlight, clBtnHighlight},
    {"ButtonShadow", SkinColor::ButtonShadow, clBtnShadow},
    {"ButtonDkShadow", SkinColor::ButtonDkShadow, cl3DDkShadow},
    {"MenuBarText", SkinColor::MenuBarText, clMenuText},
    {"TitleTextActive", SkinColor::TitleTextActive, clCaptionText},
    {"TitleTextNoActive", SkinColor::TitleTextNoActive, clInactiveCaptionText},
    // The background of edits, lists, grids, tree and list views; only a
    // skin that gives it changes them.
    {"Window", SkinColor::Window, clWindow},
};

void ReadColourTable(const TQuickIni& ini, TParsedSkin& p)
{
    for (const TColourKey& k : kColourKeys) {
        const std::string text = ini.ReadString("Colours", k.Key, "");
        const TColor def = k.Default == clNone ? p.Colors[SkinColor::ButtonFace] : k.Default;
        p.Colors[static_cast<size_t>(k.Slot)] = ParseSkinColour(text, def);
        p.ColorSet[static_cast<size_t>(k.Slot)] = !text.empty();
    }
}

// The program's built-in channel image when the skin has none.
std::unique_ptr<TDataSkinObject> BuiltinTrack(const char* resource, const char* name)
{
    auto e = std::make_unique<TDataSkinObject>(name);
    try {
        e->Bitmap->LoadFromResourceName(::GetModuleHandleA(nullptr), resource);
    } catch (const Exception&) {
        return nullptr;   // a program without the resource has no channel element
    }
    e->Margins = RECT{3, 3, 3, 3};
    e->Tile = 0;
    e->FrameCount = 1;
    return e;
}

// Moves a freshly parsed element into one that skinners may hold: `into`
// and its bitmaps keep their identity; their pixels are replaced.
template <class E>
void Refill(E& into, E& from, std::initializer_list<std::unique_ptr<TBitmap> std::type_identity_t<E>::*> images)
{
    for (auto image : images) {
        (into.*image)->Assign((from.*image).get());
        from.*image = std::move(into.*image);
    }
    into = std::move(from);
}

void SetFrames(TDataSkinObject* e, int32_t count)
{
    if (e) e->FrameCount = count;
}

// The combo box composites: the sunken edge with the drop-down button drawn
// into its right end, 50 x 21 per frame; the edge becomes its mirror image
// (button on the left), frame by frame.
void MakeComboComposites(TSkinElementSlots& s)
{
    TDataSkinObject& edge = *s.SkinSunkEdge;
    TDataSkinBorder& button = *s.SkinComboButton;
    const int w = ::GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int n = edge.FrameCount;
    auto strip = std::make_unique<TBitmap>(0, 0, pf24bit);
    strip->Canvas()->Brush()->SetColor(clSkinKey);
    strip->SetSize(50 * n, 21);
    TBitmap cell(0, 0, pf24bit);
    cell.Canvas()->Brush()->SetColor(clSkinKey);
    cell.SetSize(50, 21);
    HDC dc = cell.Canvas()->Handle();
    const RECT buttonBox{50 - w, 0, 50, 21};
    const RECT textBox{2, 2, 49 - w, 18};
    for (int f = 1; f <= n; ++f) {
        DrawElement(dc, RECT{0, 0, 50, 21}, *edge.Bitmap, edge.Margins, f, edge.FrameCount, edge.Trans != 0, false,
                    false);
        DrawElement(dc, buttonBox, *button.Bitmap, button.Margins, f, button.FrameCount, true, false, false);
        if (s.SkinExtraImages)
            DrawElementCentered(dc, buttonBox, *s.SkinExtraImages->Bitmap, true, s.SkinExtraImages->FrameCount, f);
        cell.Canvas()->FillRect(textBox);
        ::BitBlt(strip->Canvas()->Handle(), 50 * (f - 1), 0, 50, 21, dc, 0, 0, SRCCOPY);
    }
    button.Style = 2;
    button.Margins = edge.Margins;
    button.Margins.left = 2;
    button.Margins.right = w + 2;
    auto mirrored = std::make_unique<TBitmap>();
    mirrored->Assign(strip.get());
    button.Bitmap = std::move(strip);
    MirrorFrames(*mirrored, n);
    edge.Bitmap = std::move(mirrored);
    edge.Margins.left = w + 2;
    edge.Margins.right = 2;
}

} // namespace

// ---------------------------------------------------------------- class table

const TClassInfo& TSkinData::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TSkinData>("TSkinData", TComponent::StaticClass())
            .Bool("Active", &TSkinData::Active, &TSkinData::SetActive)
            .Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag)
            .Set("SkinControls", SkinControlTypeInfo, [](TSkinData* d) { return d->SkinControls().Bits(); },
                 [](TSkinData* d, uint32_t v) { d->SetSkinControls(TSkinControlTypes::FromBits(v)); })
            .Set("Options", SkinOptionInfo, [](TSkinData* d) { return d->Options().Bits(); },
                 [](TSkinData* d, uint32_t v) { d->SetOptions(TSkinOptions::FromBits(v)); })
            .Object<TStrings>("Skin3rd", [](TSkinData* d) { return d->Skin3rd(); },
                              [](TSkinData* d, TStrings* s) { d->SetSkin3rd(s); })
            .String("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .String("SkinStore", &TSkinData::SkinStore, [](TSkinData*, const std::string&) {})
            .Enum("SkinFormtype", SkinFormTypeInfo, &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype)
            .String("Version", &TSkinData::Version, [](TSkinData*, const std::string&) {})
            .Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate)
            .Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge)
            .Event<TOnFormSkin>("OnFormSkin", [](TSkinData* d) { return d->OnFormSkin; },
                                [](TSkinData* d, TOnFormSkin e) { d->OnFormSkin = e; })
            .Event<TNotifyEvent>("OnSkinChanged", [](TSkinData* d) { return d->OnSkinChanged; },
                                 [](TSkinData* d, TNotifyEvent e) { d->OnSkinChanged = e; })
            .Event<TOnSkinControl>("OnSkinControl", [](TSkinData* d) { return d->OnSkinControl; },
                                   [](TSkinData* d, TOnSkinControl e) { d->OnSkinControl = e; })
            .Event<TOnSkinForm>("OnBeforeSkinForm", [](TSkinData* d) { return d->OnBeforeSkinForm; },
                                [](TSkinData* d, TOnSkinForm e) { d->OnBeforeSkinForm = e; })
            .Event<TOnSkinForm>("OnAfterSkinForm", [](TSkinData* d) { return d->OnAfterSkinForm; },
                                [](TSkinData* d, TOnSkinForm e) { d->OnAfterSkinForm = e; })
            .Build();
    return info;
}

void RegisterSkinDataClasses() { RegisterClass(TSkinData::StaticClass()); }

// ---------------------------------------------------------------- life

TSkinData::TSkinData(TComponent* owner) : TComponent(owner)
{
    FSkinFormtype = sfMainform;
    FSkinStream = std::make_unique<TMemoryStream>();
    FNoSkin = true;
    FAppIcon = std::make_unique<TBitmap>(0, 0, pf24bit);
    FSkin3rd = std::make_unique<TStringList>();
    FillBuiltinSkin3rd(*FSkin3rd);
    SkinButtons = std::make_unique<TDataSkinButton>("Buttons");
    for (int i = 0; i < 4; ++i) SkinBorders[static_cast<size_t>(i)] = std::make_unique<TDataSkinBorder>(kSides[i]);
    SkinTitle = std::make_unique<TDataSkinTitle>("Title");
    FMenuUpdate = true;
    FMenuMerge = false;
    FOptions = DefaultSkinOptions;
    FDisableTag = 99;
    FSkinControls = DefaultSkinControls;
    FMenuGlyphs = std::make_unique<TImageList>(nullptr);
    try {
        FMenuGlyphs->LoadFromResourceName(::GetModuleHandleA(nullptr), "GLAZEMENU", 16, clWhite);
    } catch (const Exception&) {
        // A module without the glyphs gets menus without them.
    }
    FVersion = "5.40.07.15";
}

TSkinData::~TSkinData()
{
    FMenuGlyphs.reset();
    FSkin3rd.reset();
    RaiseSkinDataGone(*this);
    FSkinStream.reset();
    FAppIcon.reset();
    for (auto& border : SkinBorders) border.reset();
    SkinSysButtons.clear();
    SkinButtons.reset();
    SkinTitle.reset();
    FFaceBrush.Reset();
}

// ---------------------------------------------------------------- properties

void TSkinData::SetSkin3rd(TStrings* lines)
{
    if (lines) FSkin3rd->Assign(lines);
    else FSkin3rd->Clear();
}

std::string TSkinData::SkinStore() const
{
    return Designing() && FSkinStream->Size() > 0 ? "(Good)" : "(none)";
}

void TSkinData::SetActive(bool value)
{
    if (value == FActive) return;
    FActive = value;
    if (Designing() || HasState(csLoading)) return;
    RaiseSkinDataActiveChanged(*this);
}

void TSkinData::SetSkinFile(const std::string& fileName)
{
    FNoSkin = true;
    FSkinFile = fileName;
    FHeldFrom = fileName;
    if (Designing()) {
        if (!fileName.empty() && FSkinStream->Size() > 0) FSkinStream->Clear();
        return;
    }
    const DWORD attributes = ::GetFileAttributesA(fileName.c_str());
    if (fileName.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    {
        TFileStream file(fileName, fmOpenRead);
        TMemoryStream bytes;
        bytes.LoadFromStream(file);
        FSkinStream->Clear();
        FSkinStream->LoadFromStream(bytes);
    }
    LoadSkin();
    ApplyNewSkin();
}

// ---------------------------------------------------------------- stored skin

bool TSkinData::ReadBinaryProperty(const std::string& name, TStream& data)
{
    if (!SameTextAscii(name, "SkinStream")) return TComponent::ReadBinaryProperty(name, data);
    ReadSkinStream(data);
    return true;
}

bool TSkinData::WriteBinaryProperty(const std::string& name, TStream& data) const
{
    if (!SameTextAscii(name, "SkinStream")) return false;
    WriteSkinStream(data);
    return true;
}

void TSkinData::ReadSkinStream(TStream& data)
{
    const int32_t n = data.ReadInt32();
    if (n <= 0) return;
    if (data.Size() - data.Position() < n)
        throw EReadError(Format("SkinStream holds %d bytes of a skin file of %d bytes",
                                static_cast<int>(data.Size() - data.Position()), static_cast<int>(n)));
    std::vector<uint8_t> bytes(static_cast<size_t>(n));
    data.ReadBuffer(bytes.data(), n);
    FSkinStream->Clear();
    FSkinStream->WriteBuffer(bytes.data(), n);
    FHeldFrom.clear();
    if (!Designing()) LoadSkin();
}

void TSkinData::WriteSkinStream(TStream& data) const
{
    const int32_t n = static_cast<int32_t>(FSkinStream->Size());
    data.WriteInt32(n);
    if (n > 0) data.WriteBuffer(FSkinStream->Memory(), n);
}

bool TSkinData::LoadSkin()
{
    if (Designing()) return false;
    FNoSkin = true;
    TSkinReader reader;
    TMemoryStream entry;
    FSkinStream->SetPosition(0);
    if (!reader.Load(*FSkinStream)) {
        if (reader.VersionRefused()) return false;   // the reader has told the user
        throw EInvalidSkin(Format("Cannot load %s, it is damaged: %s.", HeldSkinName().c_str(),
                                  reader.LoadError().c_str()));
    }
    // Without its definition text or without a bitmap a skin would draw
    // nothing of its own: it is refused, not half applied.
    std::string name;
    reader.FindEntry(".ini", entry, name);
    if (entry.Size() == 0)
        throw EInvalidSkin(Format("Cannot load %s: it has no definition text.", HeldSkinName().c_str()));
    if (!reader.HasEntry(".bmp"))
        throw EInvalidSkin(Format("Cannot load %s: it holds no bitmaps.", HeldSkinName().c_str()));
    TQuickIni ini;
    entry.SetPosition(0);
    ini.LoadFromStream(&entry);
    ParseSkin(reader, ini);
    return true;
}

std::string TSkinData::HeldSkinName() const
{
    if (!FHeldFrom.empty()) return Format("the skin file \"%s\"", FHeldFrom.c_str());
    return Format("the skin stored in %s", Name().empty() ? "TSkinData" : Name().c_str());
}

// ---------------------------------------------------------------- parsing

void TSkinData::ParseSkin(const TSkinReader& reader, const TQuickIni& ini)
{
    TParsedSkin p;
    TStringList sections;
    ini.ReadSections(&sections);
    TSkinSource src{ini, reader, 0};

    for (int i = 0; i < 4; ++i) {
        auto& border = p.Borders[static_cast<size_t>(i)];
        border = std::make_unique<TDataSkinBorder>(kSides[i]);
        ReadFrameBorder(src, kSides[i], *border);
    }
    ReadColourTable(ini, p);
    src.ButtonText = p.Colors[SkinColor::ButtonText];
    TSkinElementSlots& s = p.Slots;
    s.SkinSysButtons = ReadCaptionButtons(src, sections);
    AppendMdiButtons(src, s.SkinSysButtons);
    ReadButtons(src, *p.Buttons);
    ReadTitle(src, *p.Title);

    s.SkinProgress = ReadProgressElement(src, "Progress");
    s.SkinProgressChunk = ReadPlainElement(src, "Progress.Chunk");
    s.SkinMenuBar = ReadMenuBarElement(src);
    s.SkinGroupBoxEdge = ReadPlainElement(src, "GroupBoxEdge");
    s.SkinGroupBox = ReadBoxLabelElement(src, "GroupBox");
    s.SkinTabs = ReadTwoImageElement(src, "Tabs", "Border");
    s.SkinStatusBar = ReadPlainElement(src, "StatusBarEdges");
    s.SkinTabPane = ReadPlainElement(src, "Tab.Pane");
    if (s.SkinTabPane) {
        RECT& m = s.SkinTabPane->Margins;
        for (LONG* v : {&m.left, &m.top, &m.right, &m.bottom}) *v = std::min<LONG>(*v, 4);
    }
    s.SkinToolBars = ReadPlainElement(src, "ToolBars");
    s.SkinComboButton = ReadTwoImageElement(src, "ComboButton", "****");
    s.SkinSunkEdge = ReadPlainElement(src, "SunkEdge");
    s.SkinExtraImages = ReadPlainElement(src, "ExtraImages");
    s.SkinHeader = ReadPlainElement(src, "Headerbar");
    s.SkinMenuItem = ReadPlainElement(src, "MenuItem");
    s.SkinMenuBackground = ReadPlainElement(src, "MenuBackground");
    s.SkinScrollbar = ReadPlainElement(src, "Scrollbar");
    s.SkinHorzScroll = ReadPlainElement(src, "HorzScroll");
    s.SkinVertScroll = ReadPlainElement(src, "VertScroll");
    s.SkinHorzThumb = ReadPlainElement(src, "HorzScrollThumb");
    s.SkinVertThumb = ReadPlainElement(src, "VertScrollThumb");
    s.SkinTrackThumbHorz = ReadPlainElement(src, "Trackbar.ThumbHorz");
    s.SkinTrackThumbVert = ReadPlainElement(src, "Trackbar.ThumbVert");
    s.SkinTrackThumbLeft = ReadPlainElement(src, "Trackbar.ThumbLeft");
    s.SkinTrackThumbRight = ReadPlainElement(src, "Trackbar.ThumbRight");
    s.SkinTrackThumbUp = ReadPlainElement(src, "Trackbar.ThumbUp");
    s.SkinTrackThumbDown = ReadPlainElement(src, "Trackbar.ThumbDown");
    s.SkinUpDownHorz = ReadTwoImageElement(src, "UpDown.Horz", "GlyphImage");
    s.SkinUpDownVert = ReadTwoImageElement(src, "UpDown.Vert", "GlyphImage");
    s.SkinTrack = ReadPlainElement(src, "Track");
    s.SkinTrackVert = ReadPlainElement(src, "TRACKVERT");
    if (!s.SkinTrack) s.SkinTrack = BuiltinTrack("TRACK", "Track");
    if (!s.SkinTrackVert) s.SkinTrackVert = BuiltinTrack("TRACKVERT", "TRACKVERT");

    // Frame counts fixed by the engine.
    p.Title->FrameCount = 2;
    p.Buttons->FrameCount = 5;
    SetFrames(s.SkinMenuBar.get(), 2);
    if (s.SkinProgress) s.SkinProgress->FrameCount = s.SkinProgress->Style == 0 ? 2 : 1;
    SetFrames(s.SkinGroupBoxEdge.get(), 2);
    SetFrames(s.SkinGroupBox.get(), 1);
    SetFrames(s.SkinTabs.get(), 5);
    SetFrames(s.SkinStatusBar.get(), 3);
    SetFrames(s.SkinTabPane.get(), 1);
    SetFrames(s.SkinToolBars.get(), 5);
    SetFrames(s.SkinComboButton.get(), 4);
    SetFrames(s.SkinSunkEdge.get(), 4);
    SetFrames(s.SkinExtraImages.get(), 5);
    if (s.SkinHeader && s.SkinHeader->FrameCount == 0) s.SkinHeader->FrameCount = 5;
    SetFrames(s.SkinMenuItem.get(), 5);
    SetFrames(s.SkinMenuBackground.get(), 1);
    SetFrames(s.SkinScrollbar.get(), 23);
    SetFrames(s.SkinHorzScroll.get(), 4);
    SetFrames(s.SkinVertScroll.get(), 4);
    SetFrames(s.SkinHorzThumb.get(), ini.ReadInteger("HorzScrollThumb", "FrameCount", 3));
    SetFrames(s.SkinVertThumb.get(), ini.ReadInteger("VertScrollThumb", "FrameCount", 3));
    for (auto* thumb : {s.SkinTrackThumbHorz.get(), s.SkinTrackThumbVert.get(), s.SkinTrackThumbLeft.get(),
                        s.SkinTrackThumbRight.get(), s.SkinTrackThumbUp.get(), s.SkinTrackThumbDown.get()})
        SetFrames(thumb, 5);
    SetFrames(s.SkinUpDownHorz.get(), 8);
    SetFrames(s.SkinUpDownVert.get(), 8);

    // The button for the left side: each frame mirrored where it stands.
    if (s.SkinComboButton && !s.SkinComboButton->Empty()) {
        s.SkinComboButton->Bitmap2->Assign(s.SkinComboButton->Bitmap.get());
        s.SkinComboButton->Bitmap2->SetPixelFormat(pf24bit);
        MirrorFrames(*s.SkinComboButton->Bitmap2, s.SkinComboButton->FrameCount);
    }
    if (s.SkinSunkEdge && s.SkinComboButton) MakeComboComposites(s);

    const std::string tooLarge =
        FrameBeyondScreen(FrameSidesOf(p), ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (!tooLarge.empty())
        throw EInvalidSkin(Format("Cannot load %s: %s.", HeldSkinName().c_str(), tooLarge.c_str()));

    // The parse succeeded: the new skin replaces the old one. Borders, title
    // and buttons keep their identity, their bitmaps too.
    for (size_t i = 0; i < 4; ++i)
        Refill(*SkinBorders[i], *p.Borders[i], {&TDataSkinBorder::Bitmap, &TDataSkinBorder::Bitmap2});
    Refill(*SkinTitle, *p.Title, {&TDataSkinTitle::Bitmap});
    Refill(*SkinButtons, *p.Buttons,
           {&TDataSkinButton::Bitmap, &TDataSkinButton::CheckBitmap, &TDataSkinButton::RadioBitmap});
    FColors = p.Colors;
    FColorSet = p.ColorSet;
    static_cast<TSkinElementSlots&>(*this) = std::move(p.Slots);

    MakeComboArrow();
    const TColor caption = CaptionSample();
    MakeToolbarGradient(caption);
    FColors[SkinColor::CaptionColor] = caption;
    FFaceBrush.Reset(::CreateSolidBrush(ColorToRGB(FColors[SkinColor::ButtonFace])));
    FNoSkin = false;
}

void TSkinData::MakeComboArrow()
{
    if (!SkinComboArrow) SkinComboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *SkinComboArrow;
    if (!SkinSunkEdge && SkinComboButton) {
        arrow.Bitmap->Assign(SkinComboButton->Bitmap.get());
        // Resolved first: the raw value of a system colour would paint the background almost black.
        ReplaceMagenta(*arrow.Bitmap, static_cast<TColor>(ColorToRGB(FColors[SkinColor::ButtonFace])));
        arrow.FrameCount = SkinComboButton->FrameCount;
    } else if (SkinSunkEdge && SkinComboButton && SkinComboButton->Style == 2) {
        const int n = SkinSunkEdge->FrameCount;
        TBitmap image(17 * n, 17, pf24bit);
        HDC src = SkinComboButton->Bitmap->Canvas()->Handle();
        for (int i = 0; i < n; ++i)
            ::BitBlt(image.Canvas()->Handle(), 17 * i, 0, 17, 17, src, 50 * (i + 1) - 19, 2, SRCCOPY);
        arrow.Bitmap->Assign(&image);
        arrow.FrameCount = n;
    }
}

TColor TSkinData::CaptionSample()
{
    TDataSkinBorder& top = *SkinBorders[SkinBorder::Top];
    if (top.Empty()) return FColors[SkinColor::ButtonFace];
    TBitmap& b = *top.Bitmap;
    return b.Canvas()->Pixel(b.Width() / 3, (b.Height() / UsableFrameCount(top.FrameCount)) / 3);
}

void TSkinData::MakeToolbarGradient(TColor captionSample)
{
    if (!SkinToolbar) SkinToolbar = std::make_unique<TDataSkinObject>("Toolbar");
    // Resolved first: the raw bytes of a system colour would read as a dark, saturated colour.
    const TColor c = static_cast<TColor>(ColorToRGB(captionSample));
    const TColor top = MixColors(FColors[SkinColor::ButtonFace], clWhite, 150);
    TColor bottom = MixColors(clGray, c, 150);
    const int saturation = ColorSaturation(c);
    if (saturation > 110) bottom = MixColors(c, clWhite, (225 - saturation) * 25 / 140 + 50);
    TBitmap& image = *SkinToolbar->Bitmap;   // refilled in place: it keeps its identity
    image.SetPixelFormat(pf24bit);
    image.SetSize(10, 40);
    FillGradient(image.Canvas()->Handle(), RECT{0, 0, 10, 40}, top, bottom, true);
    SkinToolbar->FrameCount = 1;
}

// ---------------------------------------------------------------- loading

void TSkinData::Loaded()
{
    TComponent::Loaded();
    if (Designing()) return;
    if (!User32Entries().GetScrollBarInfo) FSkinControls.Exclude(xcScrollbar);
    if (!SkinDataListened()) {
        // No engine: the windows keep the system look, and the user is told.
        SkinHostReportError(Format("%s: there is no skin engine, the windows are not skinned. "
                                   "A program makes its TSkinEngine before its first form loads.",
                                   Name().empty() ? ClassName().c_str() : Name().c_str()));
        if (FSkinFormtype == sfMainform) ExcludeUnusedMenuKinds();
        return;
    }
    // Without a parsed skin there is nothing to switch on: the stored value
    // goes, nothing is asked to switch off.
    if (FSkinFormtype == sfMainform && FActive && FNoSkin) FActive = false;
    RaiseSkinDataLoaded(*this);
    if (FSkinFormtype != sfMainform) return;
    ExcludeUnusedMenuKinds();
    FillAppIcon();
}

void TSkinData::ExcludeUnusedMenuKinds()
{
    if (FSkinControls.Contains(xcMainMenu)) FSkinControls.Exclude(xcMenuItem);
    else FSkinControls.Exclude(xcSystemMenu);
}

void TSkinData::FillAppIcon()
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    auto image = std::make_unique<TBitmap>(0, 0, pf24bit);
    image->Canvas()->Brush()->SetColor(clSkinKey);
    image->SetSize(cx, cy);
    HWND app = SkinHostApplicationWindow();
    HICON icon = nullptr;
    if (app) {
        icon = reinterpret_cast<HICON>(::SendMessageA(app, WM_GETICON, ICON_SMALL, 0));
        if (!icon) icon = reinterpret_cast<HICON>(::SendMessageA(app, WM_GETICON, ICON_BIG, 0));
    }
    if (!icon) return;
    TIconHandle copy(static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, cx, cy, 0)));
    if (!copy) return;
    ::DrawIconEx(image->Canvas()->Handle(), 0, 0, copy.Get(), cx, cy, 0, nullptr, DI_NORMAL);
    copy.Reset();
    image->SetTransparentColor(clSkinKey);
    image->SetTransparent(true);
    FAppIcon->Assign(image.get());
}

void TSkinData::ApplyNewSkin()
{
    if (Designing() || HasState(csLoading)) return;
    if (!SkinDataListened()) {
        Loaded();   // says that there is no engine
        return;
    }
    RaiseSkinDataNewSkin(*this);
}

// ---------------------------------------------------------------- services

void TSkinData::AcceptWindowName(HWND, const std::string& name, bool& accept)
{
    if (OnFormSkin) {
        OnFormSkin(this, name, accept);
        return;
    }
    if (name == "SysMonthCal32") accept = false;
    else if (FSkinControls.Contains(xcFastReport) && name.rfind("Tfr", 0) == 0) accept = false;
}

void TSkinData::FireSkinChanged() { OnSkinChanged(this); }

} // namespace tf
