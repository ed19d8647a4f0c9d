#include "skin/controls/ControlSkinning.h"

#include <cctype>
#include <string>
#include <vector>

#include "framework/controls/ControlAtom.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ToolBar.h"
#include "framework/controls/WinControl.h"
#include "framework/core/Collections.h"
#include "framework/core/SysUtils.h"
#include "skin/EngineParts.h"
#include "skin/controls/ClassTable.h"
#include "skin/controls/EditContainerRegistry.h"
#include "skin/controls/buttons/SkinBitButton.h"
#include "skin/controls/buttons/SkinButton.h"
#include "skin/controls/buttons/SkinCheckBox.h"
#include "skin/controls/scrollbars/SkinListView.h"
#include "skin/controls/buttons/SkinMenuButton.h"
#include "skin/controls/buttons/SkinRadioButton.h"
#include "skin/controls/scrollbars/SkinScControl.h"
#include "skin/controls/scrollbars/SkinScrollbar.h"
#include "skin/controls/scrollbars/SkinScrollbarH.h"
#include "skin/controls/buttons/SkinSpeedButton.h"
#include "skin/controls/SkinnerRegistry.h"
#include "skin/controls/tabbars/TabBarSkinners.h"
#include "skin/controls/tabbars/ToolbarDraw.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/WinSkinForm.h"

namespace tf {

namespace {

// ------------------------------------------------------------ the form skinner as host

class TFormSkinnerHost : public TComponent, public TSkinnerHost {
    TF_CLASS(TFormSkinnerHost)
public:
    explicit TFormSkinnerHost(TWinSkinForm* form) : TComponent(form), FForm(*form) {}
    TControlSkinnerList& Skinners() override { return FForm.ControlSkinners(); }
    TCanvas* Canvas() override { return FForm.ControlCanvas(); }
    TSkinData* SkinData() override { return FForm.SkinData(); }
    HWND Window() override { return FForm.Window(); }
    bool FormRunning() override { return FForm.SkinState() == TFormSkinState::Running; }
    TComponent* Sender() override { return &FForm; }

private:
    TWinSkinForm& FForm;
};

const TClassInfo& TFormSkinnerHost::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TFormSkinnerHost>("TFormSkinnerHost", TComponent::StaticClass()).Build();
    return info;
}

// ------------------------------------------------------------ a control as the table sees it

class TLiveControlFacts : public TControlFacts {
public:
    explicit TLiveControlFacts(TControl* control)
        : FControl(control), FWindow(dynamic_cast<TWinControl*>(control) ? static_cast<TWinControl*>(control)->WindowHandle() : nullptr)
    {
    }
    std::string ClassName() const override { return FControl->ClassName(); }
    bool InheritsFrom(std::string_view cls) const override { return FControl->InheritsFrom(std::string(cls)); }
    std::string ReadEnum(std::string_view name) const override { return ReadEnumLower(FControl, std::string(name)); }
    int64_t ReadInt(std::string_view name) const override { return ReadIntProperty(FControl, std::string(name)); }
    bool Windowed() const override { return dynamic_cast<TWinControl*>(FControl) != nullptr; }
    bool HasScrollStyle() const override
    {
        return FWindow && (GetWindowLongA(FWindow, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    }
    bool HasBorder() const override
    {
        RECT w, c;
        if (!FWindow || !GetWindowRect(FWindow, &w) || !GetClientRect(FWindow, &c)) return false;
        return w.right - w.left != c.right || w.bottom - w.top != c.bottom;
    }

private:
    TControl* FControl;
    HWND FWindow;
};

std::string Upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

TSkinSettings SettingsOf(TSkinData& data)
{
    TSkinSettings s;
    s.Controls = data.SkinControls();
    s.HasTabs = data.SkinTabs != nullptr;
    for (int i = 0; i < data.Skin3rd()->Count(); ++i) s.Skin3rd.push_back(data.Skin3rd()->Get(i));
    return s;
}

std::vector<TControl*> ChildrenOf(TControl* control)
{
    std::vector<TControl*> children;
    if (auto* win = dynamic_cast<TWinControl*>(control))
        for (int i = 0; i < win->ControlCount(); ++i) children.push_back(win->Controls(i));
    return children;
}

// Makes the chosen skinner (owned by the control) and attaches it the way
// its row says.
TSkinControl* AttachChoice(TSkinnerHost& host, TControl* control, const TSkinnerChoice& choice)
{
    if (!choice || !SkinnerRegistered(choice.Kind)) return nullptr;
    TSkinData* data = host.SkinData();
    TSkinControl* skinner = CreateSkinner(choice.Kind, control, choice);
    if (!skinner) return nullptr;
    switch (choice.How) {
    case TAttachHow::AttachScroll:
        if (auto* s = dynamic_cast<TSkinScrollbar*>(skinner)) {
            s->AttachScroll(control, data, &host, host.Canvas());
            return skinner;
        }
        break;
    case TAttachHow::AttachScrollControl:
        if (auto* s = dynamic_cast<TSkinScControl*>(skinner)) {
            s->AttachScrollControl(control, data, &host, host.Canvas());
            return skinner;
        }
        break;
    case TAttachHow::AttachGraphic:
        if (auto* s = dynamic_cast<TSkinSpeedButton*>(skinner)) {
            s->AttachGraphic(&host, data, host.Canvas());
            return skinner;
        }
        break;
    case TAttachHow::AttachWindow:
        if (auto* win = dynamic_cast<TWinControl*>(control)) {
            skinner->AttachWindow(win->Handle(), data, &host, host.Canvas());
            return skinner;
        }
        break;
    case TAttachHow::Attach: break;
    }
    skinner->Attach(&host, data, choice.SetColor, host.Canvas());
    return skinner;
}


void RunPass(TSkinnerHost& host, TControl* control, TChildPass pass)
{
    switch (pass) {
    case TChildPass::None: return;
    case TChildPass::Select:
        for (TControl* child : ChildrenOf(control)) SkinControl(host, child, control);
        return;
    case TChildPass::Components: {
        std::vector<TComponent*> owned;
        for (int i = 0; i < control->ComponentCount(); ++i) owned.push_back(control->Components(i));
        for (TComponent* c : owned) SkinControl(host, c, control);
        return;
    }
    default: break;
    }
    // The passes that give each child a skinner of their own choosing.
    for (TControl* child : ChildrenOf(control)) {
        if (ControlSkinned(host, child)) continue;
        const bool rz = Upper(child->ClassName()).find("TRZ") != std::string::npos;
        TSkinnerChoice choice;
        switch (pass) {
        case TChildPass::RadioButtons: choice = MakeChoice(TSkinnerKind::RadioButton); break;
        case TChildPass::RadioGroupItems:
            choice = rz ? ObjImageChoice(2) : MakeChoice(TSkinnerKind::RadioButton);
            break;
        case TChildPass::CheckGroupItems:
            choice = rz ? ObjImageChoice(1) : MakeChoice(TSkinnerKind::CheckBox);
            break;
        case TChildPass::EmbeddedScrollBars: {
            const TLiveControlFacts facts(child);
            if (child->InheritsFrom("TScrollBar"))
                choice = MakeChoice(TSkinnerKind::ScControl, false, TAttachHow::AttachScrollControl);
            else if (IsScrollable(facts))
                choice = MakeChoice(TSkinnerKind::Scrollbar, false, TAttachHow::AttachScroll);
            break;
        }
        default: break;
        }
        AttachChoice(host, child, choice);
    }
}

// Every item of a menu, at every depth, to the form's menu-item drawing.
void SkinMenuItems(TSkinnerHost& host, TMenuItem* item)
{
    if (!item) return;
    for (int i = 0; i < item->Count(); ++i) {
        host.SkinMenuItem(item->Items(i));
        SkinMenuItems(host, item->Items(i));
    }
}

void ApplyEffects(TSkinnerHost& host, TControl* control, uint32_t effects)
{
    TSkinData& data = *host.SkinData();
    const std::string face = IntToStr(data.FColors[SkinColor::ButtonFace]);
    if (effects & seCoolBandColors) {
        // The bar too: what its bands leave free (below a band lower than
        // the bar) would show the system's face inside the skin's.
        WriteProperty(control, "Color", face);
        if (auto* bands = dynamic_cast<TCollection*>(ReadObjectProperty(control, "Bands")))
            for (int i = 0; i < bands->Count(); ++i) WriteProperty(bands->Items(i), "Color", face);
    }
    if (effects & seToolButtonMenuItem)
        if (auto* item = dynamic_cast<TMenuItem*>(ReadObjectProperty(control, "MenuItem"))) host.SkinMenuItem(item);
    if (effects & seToolBarSetup) {
        // The handlers record the framework tool bar's Flat to give it back.
        if (auto* toolbar = dynamic_cast<TToolBar*>(control)) (new TToolbarSkinHandlers(toolbar))->Attach(toolbar, &host);
        else WriteProperty(control, "Flat", "True");
        if (auto* menu = dynamic_cast<TMenu*>(ReadObjectProperty(control, "Menu"))) SkinMenuItems(host, menu->Items());
    }
    if (effects & seSetTransparent) WriteProperty(control, "Transparent", "True");
}

// ------------------------------------------------------------ installed entries

void SkinControlEntry(TWinSkinForm& formSkinner, TComponent* component, TComponent* parent)
{
    SkinControl(HostOf(formSkinner), component, parent);
}

void SkinChildWindowEntry(TWinSkinForm& formSkinner, HWND child) { SkinChildWindow(HostOf(formSkinner), child); }

void ReskinScrollBarEntry(TWinSkinForm& formSkinner, HWND control) { ReskinScrollBar(HostOf(formSkinner), control); }

TSkinControl* MakeBitButton(TComponent* owner, const TSkinnerChoice& choice)
{
    auto* s = new TSkinBitButton(owner);
    s->SetGlyphProperty(choice.GlyphProperty);
    return s;
}

TSkinControl* MakeSpeedButton(TComponent* owner, const TSkinnerChoice& choice)
{
    auto* s = new TSkinSpeedButton(owner);
    s->SetGlyphProperty(choice.GlyphProperty);
    return s;
}

} // namespace

// ------------------------------------------------------------ the selection

bool ControlSkinned(TSkinnerHost& host, TControl* control)
{
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win && win->HandleAllocated()) {
        if (SendMessageA(win->WindowHandle(), SKM_QUERYSKINNED, 0, 0) == 1) return true;
    } else if (!win && control->Perform(SKM_QUERYSKINNED) == 1) {
        return true;
    }
    const TControlSkinnerList& list = host.Skinners();
    for (int i = 0; i < list.Count(); ++i)
        if (auto* s = dynamic_cast<TSkinControl*>(list.Item(i)); s && s->Control() == control) return true;
    return false;
}

void SkinControl(TSkinnerHost& host, TComponent* component, TComponent* parent)
{
    auto* control = dynamic_cast<TControl*>(component);
    TSkinData* data = host.SkinData();
    if (!control || !data) return;

    // 1. Exempt by its tag; a radio or check group passes the tag on.
    if (control->Tag() == data->DisableTag()) {
        const TLiveControlFacts facts(control);
        if (SpreadsDisableTag(facts))
            for (TControl* child : ChildrenOf(control)) child->SetTag(data->DisableTag());
        return;
    }
    // 2. No parent, or skinned already.
    if (!control->Parent() || ControlSkinned(host, control)) return;
    // 3. A window for a windowed control.
    const std::string name = Upper(control->ClassName());
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        try {
            win->HandleNeeded();
        } catch (...) {
            return;
        }
    }
    // 4. The program may skin it itself.
    if (data->OnSkinControl) {
        TComponent* skinned = nullptr;
        data->OnSkinControl(host.Sender(), data, dynamic_cast<TControl*>(parent), control, name, skinned);
        if (skinned) {
            if (auto* s = dynamic_cast<TSkinControl*>(skinned)) {
                bool listed = false;
                for (int i = 0; i < host.Skinners().Count() && !listed; ++i) listed = host.Skinners().Item(i) == s;
                host.Skinners().Add(s);
                if (!listed) s->Attach(&host, data, s->SetsColor(), host.Canvas());
            }
            if (control->InheritsFrom("TCustomPanel"))
                for (TControl* child : ChildrenOf(control)) SkinControl(host, child, control);
            return;
        }
    }
    // 5 to 7. Skin3rd, the refused names and the table.
    const TLiveControlFacts facts(control);
    const TClassSelection s = SelectForControl(facts, SettingsOf(*data));
    ApplyEffects(host, control, s.Effects);
    RunPass(host, control, s.Before);
    AttachChoice(host, control, s.Skinner);
    RunPass(host, control, s.After);
}

void SkinChildWindow(TSkinnerHost& host, HWND child)
{
    TSkinData* data = host.SkinData();
    if (!data || !child || host.Skinners().FindByWindow(child)) return;
    const std::string cls = WindowClassLower(child);
    const auto style = static_cast<uint32_t>(GetWindowLongA(child, GWL_STYLE));
    const TWindowSelection s = SelectForWindow(cls, style, data->SkinControls());
    if (s.SelectChildren)
        for (HWND w = GetWindow(child, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) SkinChildWindow(host, w);
    if (s.FaceColor)
        if (TControl* control = FindControl(child)) control->SetColor(data->FColors[SkinColor::ButtonFace]);
    if (!s.Skinner || !SkinnerRegistered(s.Skinner.Kind)) return;
    HWND target = s.OnFirstChild ? GetWindow(child, GW_CHILD) : child;
    if (!target) return;
    if (TSkinControl* skinner = CreateSkinner(s.Skinner.Kind, host.Sender(), s.Skinner))
        skinner->AttachWindow(target, data, &host, host.Canvas());
}

void ReskinScrollBar(TSkinnerHost& host, HWND window)
{
    TControlSkinnerList& list = host.Skinners();
    for (int i = 0; i < list.Count(); ++i) {
        auto* old = dynamic_cast<TSkinScrollbar*>(list.Item(i));
        if (!old || old->Handle() != window || !old->Control()) continue;
        TControl* control = old->Control();
        const bool listView = dynamic_cast<TSkinListView*>(old) != nullptr;
        const int mode = old->Mode();
        list.Remove(old);
        delete old;
        const TSkinnerChoice choice =
            MakeChoice(listView ? TSkinnerKind::ListView : TSkinnerKind::Scrollbar, false, TAttachHow::AttachScroll, mode);
        AttachChoice(host, control, choice);
        return;
    }
}

TSkinnerHost& HostOf(TWinSkinForm& formSkinner)
{
    for (int i = 0; i < formSkinner.ComponentCount(); ++i)
        if (auto* host = dynamic_cast<TFormSkinnerHost*>(formSkinner.Components(i))) return *host;
    return *new TFormSkinnerHost(&formSkinner);
}

// The skinner families registered and the class tables installed as the
// form skinners' entries.
void engine::InstallControlSkinners()
{
    RegisterSkinner(TSkinnerKind::Button, &MakeSkinner<TSkinButton>);
    RegisterSkinner(TSkinnerKind::BitButton, &MakeBitButton);
    RegisterSkinner(TSkinnerKind::MenuButton, &MakeSkinner<TSkinMenuButton>);
    RegisterSkinner(TSkinnerKind::SpeedButton, &MakeSpeedButton);
    RegisterSkinner(TSkinnerKind::CheckBox, &MakeSkinner<TSkinCheckBox>);
    RegisterSkinner(TSkinnerKind::RadioButton, &MakeSkinner<TSkinRadioButton>);
    RegisterSkinner(TSkinnerKind::Scrollbar, &MakeSkinner<TSkinScrollbar>);
    RegisterSkinner(TSkinnerKind::ListView, &MakeSkinner<TSkinListView>);
    RegisterSkinner(TSkinnerKind::ScrollbarH, &MakeSkinner<TSkinScrollbarH>);
    RegisterSkinner(TSkinnerKind::ScControl, &MakeSkinner<TSkinScControl>);
    RegisterEditSkinners();
    RegisterContainerSkinners();
    RegisterTabAndBarSkinners();
    InstallControlSkinning(TControlSkinningEntries{&SkinControlEntry, &SkinChildWindowEntry, &ReskinScrollBarEntry});
}

void engine::RemoveControlSkinners()
{
    InstallControlSkinning(TControlSkinningEntries{});
    ClearSkinners();
}

} // namespace tf
