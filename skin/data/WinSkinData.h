// TSkinData: the component a form carries to be skinned. It keeps the bytes
// of one skin (the stored "SkinStream" block or the file named by SkinFile),
// turns them into elements and colours when they arrive, derives a few extra
// images and holds the settings the skinners consult. It is the model of the
// skin engine: it raises events (SkinDataEvents.h) when it has loaded, when
// Active changes and when a new skin arrives, and the engine acts on them.
//
// Skinners read the public element slots and state below; they never change
// elements. State of a window (caption hints, frame painting) is the
// skinner's own, never kept here.
//
// Across a skin load (parsed skin, SkinFile, "SkinStream") these objects keep
// their identity, and so do the bitmaps inside them; only their contents are
// replaced: SkinBorders, SkinTitle, SkinButtons, SkinComboArrow and
// SkinToolbar (once made), FAppIcon, FMenuGlyphs and the held
// skin bytes (SkinStreamBytes). Everything else is made anew at each load and
// must be read again at each use (SkinChanged), never kept: the element slots
// of TSkinElementSlots (an element may also disappear) with SkinSysButtons,
// and FFaceBrush. FColors and FColorSet are overwritten in place.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/ImageList.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/SkinElements.h"
#include "skin/data/SkinHost.h"
#include "skin/data/SkinText.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/User32Entries.h"

namespace tf {

class TControl;   // of the controls layer: only passed through events here
class TQuickIni;
class TSkinReader;

// Slots of the colour table FColors (9 and 10 are not loaded).
namespace SkinColor {
constexpr int WindowText = 0, TitleTextActive = 1, TitleTextNoActive = 2, ButtonFace = 3, ButtonText = 4,
              ButtonHilight = 5, Buttonlight = 6, ButtonShadow = 7, ButtonDkShadow = 8, HilightText = 11,
              Hilight = 12, Menubar = 13, MenuBarText = 14, MenuText = 15, Menu = 16, CaptionColor = 17,
              Scrollbar = 18, Window = 19, Count = 20;
}

// Indices of SkinBorders.
namespace SkinBorder {
constexpr int Left = 0, Right = 1, Top = 2, Bottom = 3;
}

class TSkinData;

// A skin file the reader refuses as damaged: the message names the file (or
// the component holding the stored skin) and why.
class EInvalidSkin : public Exception {
public:
    using Exception::Exception;
};

// (Sender, aName, var DoSkin): is a window of class aName skinned?
using TOnFormSkin = TEvent<TObject*, const std::string&, bool&>;
// (Sender, SkinData, Form, Control, ControlClass, var SkinnedControl)
using TOnSkinControl = TEvent<TComponent*, TSkinData*, TControl*, TControl*, const std::string&, TComponent*&>;
// (Sender, ahwnd, aName)
using TOnSkinForm = TEvent<TObject*, HWND, const std::string&>;

// The elements replaced as a whole at every skin load: a slot is null when
// the skin lacks its section.
struct TSkinElementSlots {
    // The caption buttons in file order, then the three MDI child buttons
    // (actions 7, 8, 9).
    std::vector<std::unique_ptr<TDataSkinSysButton>> SkinSysButtons;
    std::unique_ptr<TDataSkinBorder> SkinProgress;          // "Progress": trough and fill
    std::unique_ptr<TDataSkinObject> SkinProgressChunk;     // "Progress.Chunk"
    std::unique_ptr<TDataSkinObject> SkinMenuBar;           // "Personality" / "MenuBar"
    std::unique_ptr<TDataSkinObject> SkinGroupBoxEdge;      // "GroupBoxEdge"
    std::unique_ptr<TDataSkinBoxLabel> SkinGroupBox;        // "GroupBox"
    std::unique_ptr<TDataSkinBorder> SkinTabs;              // "Tabs", Bitmap2 = "Border"
    std::unique_ptr<TDataSkinObject> SkinStatusBar;         // "StatusBarEdges"
    std::unique_ptr<TDataSkinObject> SkinTabPane;           // "Tab.Pane"
    std::unique_ptr<TDataSkinObject> SkinToolBars;          // "ToolBars"
    // "ComboButton"; with SkinSunkEdge it becomes the composite strip (Style
    // 2) and Bitmap2 is the button mirrored.
    std::unique_ptr<TDataSkinBorder> SkinComboButton;
    std::unique_ptr<TDataSkinObject> SkinSunkEdge;          // "SunkEdge" (the mirrored composite)
    std::unique_ptr<TDataSkinObject> SkinExtraImages;       // "ExtraImages"
    std::unique_ptr<TDataSkinObject> SkinHeader;            // "Headerbar"
    std::unique_ptr<TDataSkinObject> SkinMenuItem;          // "MenuItem"
    std::unique_ptr<TDataSkinObject> SkinMenuBackground;    // "MenuBackground"
    std::unique_ptr<TDataSkinObject> SkinScrollbar;         // "Scrollbar"
    std::unique_ptr<TDataSkinObject> SkinHorzScroll;        // "HorzScroll"
    std::unique_ptr<TDataSkinObject> SkinVertScroll;        // "VertScroll"
    std::unique_ptr<TDataSkinObject> SkinHorzThumb;         // "HorzScrollThumb"
    std::unique_ptr<TDataSkinObject> SkinVertThumb;         // "VertScrollThumb"
    std::unique_ptr<TDataSkinObject> SkinTrackThumbHorz;    // "Trackbar.ThumbHorz"
    std::unique_ptr<TDataSkinObject> SkinTrackThumbVert;    // "Trackbar.ThumbVert"
    std::unique_ptr<TDataSkinObject> SkinTrackThumbLeft;    // "Trackbar.ThumbLeft"
    std::unique_ptr<TDataSkinObject> SkinTrackThumbRight;   // "Trackbar.ThumbRight"
    std::unique_ptr<TDataSkinObject> SkinTrackThumbUp;      // "Trackbar.ThumbUp"
    std::unique_ptr<TDataSkinObject> SkinTrackThumbDown;    // "Trackbar.ThumbDown"
    std::unique_ptr<TDataSkinBorder> SkinUpDownHorz;        // "UpDown.Horz", Bitmap2 = "GlyphImage"
    std::unique_ptr<TDataSkinBorder> SkinUpDownVert;        // "UpDown.Vert", Bitmap2 = "GlyphImage"
    std::unique_ptr<TDataSkinObject> SkinTrack;             // "Track", else the program's "TRACK"
    std::unique_ptr<TDataSkinObject> SkinTrackVert;         // "TRACKVERT", else the program's "TRACKVERT"
};

class TSkinData : public TComponent, public TSkinElementSlots {
    TF_CLASS(TSkinData)
public:
    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // ------------------------------------------------------------ published
    bool Active() const { return FActive; }
    void SetActive(bool value);
    int32_t DisableTag() const { return FDisableTag; }   // a control with this Tag is not skinned
    void SetDisableTag(int32_t value) { FDisableTag = value; }
    TSkinControlTypes SkinControls() const { return FSkinControls; }
    void SetSkinControls(TSkinControlTypes value) { FSkinControls = value; }
    TSkinOptions Options() const { return FOptions; }
    void SetOptions(TSkinOptions value) { FOptions = value; }
    // Lines "class=kind" mapping control classes to skinner kinds; setting copies.
    TStrings* Skin3rd() const { return FSkin3rd.get(); }
    void SetSkin3rd(TStrings* lines);
    const std::string& SkinFile() const { return FSkinFile; }
    void SetSkinFile(const std::string& fileName);
    // "(none)" at run time; "(Good)" at design time while skin bytes are held.
    std::string SkinStore() const;
    TSkinFormType SkinFormtype() const { return FSkinFormtype; }
    void SetSkinFormtype(TSkinFormType value) { FSkinFormtype = value; }
    const std::string& Version() const { return FVersion; }   // writes are ignored
    bool MenuUpdate() const { return FMenuUpdate; }
    void SetMenuUpdate(bool value) { FMenuUpdate = value; }
    bool MenuMerge() const { return FMenuMerge; }
    void SetMenuMerge(bool value) { FMenuMerge = value; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;   // after the manager ran a deferred action for this component
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // ------------------------------------------------------------ stored skin
    // "SkinStream": a signed 32-bit length n, then n bytes of a skin file
    // when n > 0. Reading n > 0 bytes stores them and, unless at design time,
    // runs LoadSkin at once; a block shorter than n raises EReadError and
    // changes nothing. Other names answer false.
    bool ReadBinaryProperty(const std::string& name, TStream& data) override;
    bool WriteBinaryProperty(const std::string& name, TStream& data) const;
    void ReadSkinStream(TStream& data);
    void WriteSkinStream(TStream& data) const;
    const TMemoryStream& SkinStreamBytes() const { return *FSkinStream; }

    // Unpacks and parses the held skin. False at design time and for an
    // unknown container version (the reader has shown its message). A damaged
    // skin file (cut short, impossible lengths, a container too short for
    // what it claims) raises EInvalidSkin naming the file and why. Errors of
    // the decompressor or the bitmap loader escape after the clean-up. On
    // every failure FNoSkin stays true and the previous elements and colours
    // stay.
    bool LoadSkin();

    // After the form data has been read (run time): a main-form component
    // without a parsed skin turns Active off; the loaded event is raised;
    // then a main-form component drops the menu kinds its frame makes moot
    // and fills FAppIcon. With nobody listening (no engine) the component
    // reports that through the host's error path and raises nothing.
    void Loaded() override;
    // Raises the new-skin event (run time, not while reading); with nobody
    // listening, Loaded runs and reports.
    void ApplyNewSkin();
    // Whether a window of class name is skinned: OnFormSkin decides when set;
    // else "SysMonthCal32" and, with xcFastReport, names starting "Tfr" are refused.
    void AcceptWindowName(HWND window, const std::string& name, bool& accept);
    void FireSkinChanged();

    // ------------------------------------------------------------ state
    bool FNoSkin = true;                          // no parsed skin: cannot be switched on
    std::array<TColor, SkinColor::Count> FColors{};
    std::array<bool, SkinColor::Count> FColorSet{};   // slot given by the skin's "Colours"
    std::unique_ptr<TBitmap> FAppIcon;            // the application's small icon on magenta
    std::unique_ptr<TDataSkinTitle> SkinTitle;    // always present
    std::unique_ptr<TDataSkinButton> SkinButtons; // always present
    std::array<std::unique_ptr<TDataSkinBorder>, 4> SkinBorders;   // always present; SkinBorder::Left...
    std::unique_ptr<TDataSkinObject> SkinComboArrow;   // "ComboxArrow": null until a skin made one
    std::unique_ptr<TDataSkinObject> SkinToolbar;      // "Toolbar" gradient: null before the first parse
    TBrushHandle FFaceBrush;                      // solid ButtonFace brush
    std::unique_ptr<TImageList> FMenuGlyphs;      // "GLAZEMENU": restore, maximise, minimise, close

private:
    void ParseSkin(const TSkinReader& reader, const TQuickIni& ini);
    void MakeComboArrow();
    void MakeToolbarGradient(TColor captionSample);
    TColor CaptionSample();
    void FillAppIcon();
    // The menu kinds that the skinned frame makes moot (after loading).
    void ExcludeUnusedMenuKinds();
    bool Designing() const { return HasState(csDesigning); }
    // The held skin as a message names it: the file it came from, or the
    // component whose stored "SkinStream" it is.
    std::string HeldSkinName() const;

    bool FActive = false;
    int32_t FDisableTag = 99;
    TSkinControlTypes FSkinControls = DefaultSkinControls;
    TSkinOptions FOptions = DefaultSkinOptions;
    std::unique_ptr<TStringList> FSkin3rd;
    std::string FSkinFile;
    TSkinFormType FSkinFormtype = sfMainform;
    std::string FVersion;
    bool FMenuUpdate = true;
    bool FMenuMerge = false;
    std::unique_ptr<TMemoryStream> FSkinStream;
    std::string FHeldFrom;   // the file FSkinStream came from; empty: the stored "SkinStream"
};

// Registers TSkinData so that stored form data can create it by name.
void RegisterSkinDataClasses();

} // namespace tf
