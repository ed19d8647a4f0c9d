// The class tables: which skinner, if any, a control or a bare child window
// receives. These are plain decisions over what a control tells about itself
// (TControlFacts), free of the Windows API; ControlSkinning.h carries them
// out on real controls. Class names are matched without regard to case; a
// class test includes descendants.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinTypes.h"

namespace tf {

// The skinner classes the tables choose between.
enum class TSkinnerKind : uint8_t {
    None,
    Button, BitButton, MenuButton, SpeedButton, CheckBox, RadioButton,          // buttons
    Scrollbar, ListView, ScrollbarH, ScControl,                                  // scroll bars
    Edit, ComBox, UpDown, DateTime,                                              // edits and combos
    Box, BoxH, GroupBox, ObjImage, StatusBar, TabSheet, AdvPage, Sizer,          // containers
    Tab, TabBtn, Tab31, Header, Progress, TrackBar, MediaPlayer,                 // tabs and bars
    Count
};
// "TSkinButton" and so on; "" for None.
const char* SkinnerClassName(TSkinnerKind kind);

// How a chosen skinner is attached.
enum class TAttachHow : uint8_t { Attach, AttachScroll, AttachScrollControl, AttachGraphic, AttachWindow };

struct TSkinnerChoice {
    TSkinnerKind Kind = TSkinnerKind::None;
    int Mode = 0;
    bool SetColor = false;
    TAttachHow How = TAttachHow::Attach;
    std::string GlyphProperty;   // a graphic property that supplies the glyph ("PngImage")
    int ObjImageKind = 0;        // TSkinObjImage: 1 check box, 2 radio button, 3 other check box
    bool ExtendedCombo = false;  // TSkinComBox of an extended combo box
    explicit operator bool() const { return Kind != TSkinnerKind::None; }
};

TSkinnerChoice MakeChoice(TSkinnerKind kind, bool setColor = false, TAttachHow how = TAttachHow::Attach, int mode = 0);
// TSkinObjImage of a kind (1 check box, 2 radio button, 3 other check box), SetColor on.
TSkinnerChoice ObjImageChoice(int kind);

// What happens to a control's children, before or after its own skinner.
enum class TChildPass : uint8_t {
    None,
    Select,             // the selection for each child control
    RadioButtons,       // each child gets TSkinRadioButton
    RadioGroupItems,    // each child: TSkinObjImage kind 2 when its class has "TRZ", else TSkinRadioButton
    CheckGroupItems,    // each child: TSkinObjImage kind 1 when its class has "TRZ", else TSkinCheckBox
    EmbeddedScrollBars, // TScrollBar children get TSkinScControl, other scrollable ones TSkinScrollbar
    Components,         // the selection for every component the control owns (frames, forms)
};

// Changes the selection makes to the control itself.
enum TSelectionEffect : uint32_t {
    seCoolBandColors = 1u << 0,      // every band's Color := the skin's ButtonFace
    seToolButtonMenuItem = 1u << 1,  // the button's MenuItem goes to the form skinner's menu-item drawing
    seToolBarSetup = 1u << 2,        // Flat := True, the custom-draw handlers, the menu's items
    seSetTransparent = 1u << 3,      // published Transparent := True
};

struct TClassSelection {
    uint32_t Effects = 0;
    TChildPass Before = TChildPass::None;
    TSkinnerChoice Skinner;
    TChildPass After = TChildPass::None;
    // An entry of Skin3rd decided (also when it chose nothing).
    bool BySkin3rd = false;
};

// What the table asks of a control.
class TControlFacts {
public:
    virtual ~TControlFacts() = default;
    virtual std::string ClassName() const = 0;
    virtual bool InheritsFrom(std::string_view className) const = 0;
    // An enumeration property's identifier in lower case; "" when missing.
    virtual std::string ReadEnum(std::string_view name) const = 0;
    // An integer property; -1 when missing.
    virtual int64_t ReadInt(std::string_view name) const = 0;
    // A windowed control (a TWinControl).
    virtual bool Windowed() const = 0;
    // The window style has WS_HSCROLL or WS_VSCROLL.
    virtual bool HasScrollStyle() const = 0;
    // The window rectangle and the client rectangle differ in size.
    virtual bool HasBorder() const = 0;
};

struct TSkinSettings {
    TSkinControlTypes Controls;
    bool HasTabs = false;                // the skin has the "Tabs" element
    std::vector<std::string> Skin3rd;    // "class=kind" lines
};

// The kind Skin3rd gives a class: the lower-case text after the first "="
// of the first line that begins with "<class>=" (at most 50 characters);
// false when no line matches.
bool FindSkin3rdKind(const std::vector<std::string>& lines, std::string_view className, std::string& kind);

// Row 36's test: scroll style, or a list box, memo, tree view or scroll box.
bool IsScrollable(const TControlFacts& control);

// A control tagged DisableTag passes the tag to its children when it is a
// windowed radio or check group.
bool SpreadsDisableTag(const TControlFacts& control);

// Steps 5 to 7: Skin3rd, the refused names, then the table's 41 rows.
TClassSelection SelectForControl(const TControlFacts& control, const TSkinSettings& skin);

// The window-class table for a bare child window (dialogs and windows
// without control objects): lower-case class name and GWL_STYLE.
struct TWindowSelection {
    TSkinnerChoice Skinner;       // attached with AttachWindow
    bool SelectChildren = false;  // the selection for each child window first
    bool FaceColor = false;       // a control object's Color := ButtonFace
    bool OnFirstChild = false;    // the skinner goes to the first child window
};
TWindowSelection SelectForWindow(std::string_view classLower, uint32_t style, TSkinControlTypes controls);

} // namespace tf
