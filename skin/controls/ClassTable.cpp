#include "skin/controls/ClassTable.h"

#include <array>
#include <cctype>

namespace tf {

namespace {

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string Upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

TClassSelection Skinner(TSkinnerChoice choice, TChildPass before = TChildPass::None,
                        TChildPass after = TChildPass::None, uint32_t effects = 0)
{
    TClassSelection s;
    s.Skinner = std::move(choice);
    s.Before = before;
    s.After = after;
    s.Effects = effects;
    return s;
}

TClassSelection Nothing() { return TClassSelection{}; }

TClassSelection FromSkin3rd(const std::string& kind, const TControlFacts& control, const TSkinSettings& skin)
{
    const auto has = [&](TSkinControlType t) { return skin.Controls.Contains(t); };
    using K = TSkinnerKind;
    TClassSelection s;
    if (kind == "combobox" && has(xcCombo)) s = Skinner(MakeChoice(K::ComBox));
    else if (kind == "comboboxex" && has(xcCombo)) {
        s = Skinner(MakeChoice(K::ComBox));
        s.Skinner.ExtendedCombo = true;
    } else if (kind == "edit" && has(xcEdit)) {
        if (control.HasBorder()) s = Skinner(MakeChoice(K::Edit));
    } else if (kind == "radiobutton" && has(xcRadioButton)) s = Skinner(MakeChoice(K::RadioButton));
    else if (kind == "panel" && has(xcPanel)) s = Skinner(MakeChoice(K::Box, true), {}, {}, seSetTransparent);
    else if (kind == "trackbar" && has(xcButton)) s = Skinner(MakeChoice(K::TrackBar), {}, {}, seSetTransparent);
    else if (kind == "button" && has(xcButton)) s = Skinner(MakeChoice(K::Button));
    else if (kind == "datetimepicker" && has(xcCombo)) s = Skinner(MakeChoice(K::DateTime));
    else if (kind == "mediaplayer" && has(xcButton)) s = Skinner(MakeChoice(K::MediaPlayer));
    else if (kind == "bitbtn" && has(xcButton)) {
        const bool dropDown = Lower(control.ClassName()) == "tcxbutton" && control.ReadEnum("Kind") == "cxbkdropdownbutton";
        s = Skinner(MakeChoice(dropDown ? K::MenuButton : K::BitButton));
    } else if (kind == "pngbitbtn" && has(xcButton)) {
        s = Skinner(MakeChoice(K::BitButton));
        s.Skinner.GlyphProperty = "PngImage";
    } else if (kind == "pngspeedbutton" && has(xcButton)) {
        s = Skinner(MakeChoice(K::SpeedButton, false, TAttachHow::AttachGraphic));
        s.Skinner.GlyphProperty = "PngImage";
    } else if (kind == "menubtn" && has(xcButton)) s = Skinner(MakeChoice(K::MenuButton));
    else if (kind == "speedbutton" && has(xcSpeedButton)) s = Skinner(MakeChoice(K::SpeedButton, false, TAttachHow::AttachGraphic));
    else if (kind == "tab" && has(xcTab) && skin.HasTabs) s = Skinner(MakeChoice(K::Tab));
    else if (kind == "progress" && has(xcProgress)) s = Skinner(MakeChoice(K::Progress));
    else if (kind == "scrollbar" && has(xcScrollbar))
        s = Skinner(MakeChoice(K::Scrollbar, false, TAttachHow::AttachScroll), {}, TChildPass::Select);
    else if (kind == "singlescrollbar" && has(xcScrollbar))
        s = Skinner(MakeChoice(K::Scrollbar, false, TAttachHow::AttachScroll, 1));
    else if (kind == "embedscrollbar" && has(xcScrollbar)) s.After = TChildPass::EmbeddedScrollBars;
    else if (kind == "container") s.After = TChildPass::Select;
    else if (kind == "groupbox" && has(xcGroupBox)) s = Skinner(MakeChoice(K::GroupBox, true));
    else if (kind == "advpagecontrol" && has(xcTab)) s = Skinner(MakeChoice(K::AdvPage, true, TAttachHow::Attach, 4));
    else if (kind == "radiogroup" && has(xcGroupBox))
        s = Skinner(MakeChoice(K::GroupBox, true), has(xcRadioButton) ? TChildPass::RadioGroupItems : TChildPass::None);
    else if (kind == "checkgroup" && has(xcPanel)) {
        s.Before = has(xcRadioButton) ? TChildPass::CheckGroupItems : TChildPass::None;
        if (has(xcGroupBox)) s.Skinner = MakeChoice(K::GroupBox, true);
    } else if (kind == "checkbox" && has(xcCheckBox)) s = Skinner(MakeChoice(K::CheckBox));
    // "nil", an unknown kind, or a kind whose member is not set: nothing.
    s.BySkin3rd = true;
    return s;
}

} // namespace

TSkinnerChoice MakeChoice(TSkinnerKind kind, bool setColor, TAttachHow how, int mode)
{
    TSkinnerChoice c;
    c.Kind = kind;
    c.SetColor = setColor;
    c.How = how;
    c.Mode = mode;
    return c;
}

TSkinnerChoice ObjImageChoice(int kind)
{
    TSkinnerChoice c = MakeChoice(TSkinnerKind::ObjImage, true);
    c.ObjImageKind = kind;
    return c;
}

const char* SkinnerClassName(TSkinnerKind kind)
{
    static constexpr std::array<const char*, static_cast<size_t>(TSkinnerKind::Count)> names = {
        "",
        "TSkinButton", "TSkinBitButton", "TSkinMenuButton", "TSkinSpeedButton", "TSkinCheckBox", "TSkinRadioButton",
        "TSkinScrollbar", "TSkinListView", "TSkinScrollbarH", "TSkinScControl",
        "TSkinEdit", "TSkinComBox", "TSkinUpDown", "TSkinDateTime",
        "TSkinBox", "TSkinBoxH", "TSkinGroupBox", "TSkinObjImage", "TSkinStatusBar", "TSkinTabSheet", "TSkinAdvPage", "TSkinSizer",
        "TSkinTab", "TSkinTabBtn", "TSkinTab31", "TSkinHeader", "TSkinProgress", "TSkinTrackBar", "TSkinMP",
    };
    const auto i = static_cast<size_t>(kind);
    return i < names.size() ? names[i] : "";
}

bool FindSkin3rdKind(const std::vector<std::string>& lines, std::string_view className, std::string& kind)
{
    const std::string prefix = Lower(className) + "=";
    for (const std::string& line : lines) {
        const std::string lower = Lower(line);
        if (lower.compare(0, prefix.size(), prefix) != 0) continue;
        kind = lower.substr(prefix.size(), 50);
        return true;
    }
    return false;
}

bool IsScrollable(const TControlFacts& c)
{
    if (!c.Windowed()) return false;
    return c.HasScrollStyle() || c.InheritsFrom("TListBox") || c.InheritsFrom("TMemo") ||
           c.InheritsFrom("TCustomListBox") || c.InheritsFrom("TCustomTreeView") || c.InheritsFrom("TScrollBox");
}

bool SpreadsDisableTag(const TControlFacts& c)
{
    if (!c.Windowed()) return false;
    const std::string name = Lower(c.ClassName());
    return name.find("radiogroup") != std::string::npos || name.find("checkgroup") != std::string::npos;
}

TClassSelection SelectForControl(const TControlFacts& c, const TSkinSettings& skin)
{
    using K = TSkinnerKind;
    std::string kind;
    if (FindSkin3rdKind(skin.Skin3rd, c.ClassName(), kind)) return FromSkin3rd(kind, c, skin);

    const std::string name = Upper(c.ClassName());
    if (name == "TDBCOMBOBOXEH" || name == "TFRDESIGNERPAGE" || name == "TFRPBOX") return Nothing();

    const auto has = [&](TSkinControlType t) { return skin.Controls.Contains(t); };
    const auto is = [&](std::string_view cls) { return c.InheritsFrom(cls); };
    const bool tabs = skin.HasTabs && has(xcTab);

    if (tabs && is("TCustomTabControl")) {                                                         // 1
        if (!is("TPageControl")) return Skinner(MakeChoice(K::Tab, false, TAttachHow::Attach, 2));
        return Skinner(MakeChoice(c.ReadEnum("Style") != "tstabs" ? K::TabBtn : K::Tab));
    }
    if (is("TToolButton") && has(xcMainMenu)) return Skinner({}, {}, {}, seToolButtonMenuItem);    // 2
    if (is("TCoolBar") && has(xcToolbar)) return Skinner({}, {}, {}, seCoolBandColors);            // 3
    if (name == "TTABSET" && tabs) return Skinner(MakeChoice(K::Tab31));                               // 4
    if (is("TTabSheet") && tabs) return Skinner(MakeChoice(K::TabSheet));                              // 5
    if (name == "TTABBEDNOTEBOOK" && tabs) return Skinner(MakeChoice(K::Tab));                         // 6
    if (name == "TMVCPANEL") return Skinner({}, {}, TChildPass::Select);                           // 7
    if (is("THeaderControl") && has(xcPanel)) return Skinner(MakeChoice(K::Header));                   // 8
    if (is("TCustomCheckBox") && has(xcCheckBox)) return Skinner(MakeChoice(K::CheckBox));             // 9
    if (is("TTrackBar") && has(xcTrackBar)) return Skinner(MakeChoice(K::TrackBar));                   // 10
    if ((name == "TUPDOWN" || name == "TSPINBUTTON") && has(xcSpin)) return Skinner(MakeChoice(K::UpDown));   // 11
    if (name == "TMEDIAPLAYER" && has(xcButton)) return Skinner(MakeChoice(K::MediaPlayer));           // 12
    if (is("TCustomRadioGroup") && has(xcRadioButton))                                             // 13
        return Skinner(MakeChoice(K::GroupBox, true), TChildPass::RadioButtons);
    if (name == "TDBNAVIGATOR" && has(xcPanel)) return Skinner(MakeChoice(K::Box, true), {}, TChildPass::Select);   // 14
    const auto objImage = [](int objKind) { return Skinner(ObjImageChoice(objKind)); };
    if ((name == "TRZDBCHECKBOX" || name == "TRZCHECKBOX") && has(xcCheckBox)) return objImage(1);            // 15
    if ((name == "TRZRADIOBUTTON" || name == "TRZDBRADIOBUTTON") && has(xcRadioButton)) return objImage(2);   // 16
    if ((name == "TCXDBCHECKBOX" || name == "TCXCHECKBOX") && has(xcCheckBox)) return objImage(3);            // 17
    if (is("TCustomGroupBox") && has(xcPanel)) return Skinner(MakeChoice(K::GroupBox), TChildPass::Select);       // 18
    if (is("TRadioButton") && has(xcRadioButton)) return Skinner(MakeChoice(K::RadioButton));                     // 19
    if (is("TToolBar") && has(xcToolbar)) return Skinner(MakeChoice(K::Box), {}, {}, seToolBarSetup);            // 20
    if (is("TCustomStatusBar") && has(xcStatusBar)) return Skinner(MakeChoice(K::StatusBar));                     // 21
    if (is("TProgressBar") && has(xcProgress)) return Skinner(MakeChoice(K::Progress));                           // 22
    if (is("TScrollBar") && has(xcScrollbar))                                                                  // 23
        return Skinner(MakeChoice(K::ScControl, false, TAttachHow::AttachScrollControl));
    if (name == "TTNTCOMBOBOX" && has(xcCombo)) return Skinner(MakeChoice(K::ComBox));                            // 24
    if (is("TCustomComboBox") && has(xcCombo)) return Skinner(MakeChoice(K::ComBox));                             // 25
    if (is("TDateTimePicker") && has(xcEdit)) {                                                               // 26
        const bool plain = c.ReadEnum("DateMode") == "dmupdown" || c.ReadEnum("Kind") == "dtktime";
        return Skinner(MakeChoice(plain ? K::Edit : K::DateTime));
    }
    const TClassSelection scroll = Skinner(MakeChoice(K::Scrollbar, false, TAttachHow::AttachScroll));
    if (name == "TRICHEDIT" && has(xcScrollbar)) return scroll;                                               // 27
    if ((name == "TWWDBRICHEDIT" || name == "TDXDBMEMO") && has(xcScrollbar)) return scroll;                  // 28
    if (is("TBitBtn")) return has(xcBitBtn) ? Skinner(MakeChoice(K::BitButton)) : Nothing();                     // 29
    if (is("TSpeedButton") && has(xcSpeedButton))                                                              // 30
        return Skinner(MakeChoice(K::SpeedButton, false, TAttachHow::AttachGraphic));
    if (is("TCustomPanel") && has(xcPanel)) return Skinner(MakeChoice(K::Box, true), TChildPass::Select);         // 31
    if ((name == "TDXTREELIST" || name == "TDXDBTREELIST" || name == "TDXDBGRID") && has(xcScrollbar)) return scroll;   // 32
    if (is("TCustomListView") && has(xcScrollbar))                                                             // 33
        return Skinner(MakeChoice(K::ListView, false, TAttachHow::AttachScroll));
    if (is("TCustomMemo") && has(xcScrollbar)) return scroll;                                                 // 34
    if (is("TCustomGrid") && has(xcScrollbar)) return scroll;                                                 // 35
    if (IsScrollable(c) && has(xcScrollbar)) return scroll;                                                   // 36
    if (is("TButton") && has(xcButton)) return Skinner(MakeChoice(K::Button));                                    // 37
    if (is("TCustomEdit") && has(xcEdit)) return Skinner(MakeChoice(K::Edit));                                    // 38
    if (name == "TDCEDIT" || name == "TDCDBEDIT") {                                                           // 39
        const int64_t buttons = c.ReadInt("NumButtons");
        if (buttons == 1 && has(xcCombo)) return Skinner(MakeChoice(K::ComBox));
        if (buttons == 0 && has(xcEdit)) return Skinner(MakeChoice(K::Edit, false, TAttachHow::AttachWindow));
        return Nothing();
    }
    if (is("TCustomFrame")) return Skinner({}, {}, TChildPass::Components);                                   // 40
    if (is("TCustomForm")) return Skinner(MakeChoice(K::Box, true), {}, TChildPass::Components);                  // 41
    return Nothing();
}

TWindowSelection SelectForWindow(std::string_view cls, uint32_t style, TSkinControlTypes controls)
{
    using K = TSkinnerKind;
    TWindowSelection s;
    const auto skin = [&](TSkinControlType member, K kind) {
        if (controls.Contains(member)) s.Skinner = MakeChoice(kind, false, TAttachHow::AttachWindow);
    };
    if (cls == "button") {
        if ((style & 0xB) == 0xB) return s;                         // owner-drawn
        if ((style & 7) == 7 || (style & 0x80)) return s;           // group box, bitmap
        if ((style & 3) == 3 || (style & 2) || (style & 5) == 5) skin(xcCheckBox, K::CheckBox);
        else if ((style & 9) == 9 || (style & 4)) skin(xcRadioButton, K::RadioButton);
        else skin(xcButton, K::Button);
    } else if (cls == "combobox") {
        if ((style & 3) != 1) skin(xcCombo, K::ComBox);
    } else if (cls == "comboboxex32") {
        skin(xcCombo, K::ComBox);
        s.OnFirstChild = true;
    } else if (cls == "scrollbar") {
        if (!(style & 0x10000)) s.Skinner = MakeChoice(K::Sizer, false, TAttachHow::AttachWindow);
    } else if (cls == "#32770") {
        if (!(style & 0x10000)) {
            s.SelectChildren = true;
            s.Skinner = MakeChoice(K::BoxH, false, TAttachHow::AttachWindow);
        }
    } else if (cls == "tpanel" || cls == "ttntpanel.unicodeclass" || cls == "ttntsilentpaintpanel.unicodeclass") {
        s.SelectChildren = true;
        s.FaceColor = true;
    } else if (cls == "tcheckbox") {
        skin(xcCheckBox, K::CheckBox);
    } else if (cls == "tcombobox") {
        skin(xcCombo, K::ComBox);
    } else if (cls == "tbutton") {
        skin(xcButton, K::Button);
    } else if (cls == "tprogressbar") {
        s.Skinner = MakeChoice(K::Progress, false, TAttachHow::AttachWindow);
    } else if (cls == "tsilentpaintpanel") {
        s.FaceColor = true;
    } else if (cls == "systabcontrol32") {
        if (!(style & 0x2000)) skin(xcTab, K::Tab);
    } else if (cls == "toolbarwindow32") {
        s.Skinner = MakeChoice(K::BoxH, false, TAttachHow::AttachWindow);
    } else if (cls == "edit") {
        skin(xcEdit, K::Edit);
    } else if (cls == "listbox") {
        // A dialog's list: its scroll bars (vertical 0x200000, horizontal
        // 0x100000) as every other list's.
        if (style & 0x300000) skin(xcScrollbar, K::ScrollbarH);
    }
    return s;
}

} // namespace tf
