#include "StatusBar.h"

#include <commctrl.h>

#include <vector>

#include "Publish.h"

namespace tf {

const TEnumInfo StatusPanelStyleInfo{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};
const TEnumInfo StatusPanelBevelInfo{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};

// ------------------------------------------------------------ TStatusPanel

const TClassInfo& TStatusPanel::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStatusPanel>("TStatusPanel", TCollectionItem::StaticClass())
            .String("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
            .Int("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
            .Enum("Alignment", AlignmentInfo, &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
            .Enum("Bevel", StatusPanelBevelInfo, &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
            .Enum("Style", StatusPanelStyleInfo, &TStatusPanel::Style, &TStatusPanel::SetStyle)
            .Enum("BiDiMode", BiDiModeInfo, &TStatusPanel::BiDiMode, &TStatusPanel::SetBiDiMode)
            .Build();
    return info;
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::SetText(const std::string& value)
{
    FText = value;
    Changed(false);
}

void TStatusPanel::SetWidth(int value)
{
    FWidth = value;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value)
{
    FAlignment = value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    FBevel = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    FStyle = value;
    Changed(false);
}

void TStatusPanel::SetBiDiMode(TBiDiMode value)
{
    FBiDiMode = value;
    Changed(false);
}

// ------------------------------------------------------------ TStatusPanels

const TClassInfo& TStatusPanels::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TStatusPanels>("TStatusPanels", TCollection::StaticClass()).Build();
    return info;
}

TStatusPanels::TStatusPanels(TCustomStatusBar* statusBar)
    : TCollection(statusBar, &MakeCollectionItem<TStatusPanel>), FStatusBar(statusBar)
{
}

void TStatusPanels::Update(TCollectionItem*)
{
    if (FStatusBar) FStatusBar->UpdatePanels();
}

// ------------------------------------------------------------ TCustomStatusBar

const TClassInfo& TCustomStatusBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCustomStatusBar>("TCustomStatusBar", TNativeControl::StaticClass()).Build();
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TNativeControl(owner, STATUSCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE, 0, ICC_BAR_CLASSES),
      FPanels(std::make_unique<TStatusPanels>(this)), FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetBounds(0, 0, 200, 19);
    SetColor(clBtnFace);
}

TCustomStatusBar::~TCustomStatusBar()
{
    Destroying();
    FCanvas->FreeHandle();
    FPanels.reset();
}

void TCustomStatusBar::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FSizeGrip) p.Style |= SBARS_SIZEGRIP;
    p.ExStyle |= BiDiExStyle(FBiDiMode);
}

void TCustomStatusBar::CreateWnd()
{
    TNativeControl::CreateWnd();
    UpdatePanels();
}

void TCustomStatusBar::DestroyWnd()
{
    FCanvas->FreeHandle();
    TNativeControl::DestroyWnd();
}

void TCustomStatusBar::UpdatePanels()
{
    if (!HandleAllocated() || !FPanels) return;
    HWND w = WindowHandle();
    SendMessageA(w, SB_SIMPLE, FSimplePanel ? TRUE : FALSE, 0);
    if (FSimplePanel) {
        SendMessageA(w, SB_SETTEXTA, SB_SIMPLEID | SBT_NOBORDERS, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
        return;
    }
    const int count = FPanels->Count();
    std::vector<int> edges;
    int right = 0;
    for (int i = 0; i < count; ++i) {
        right += FPanels->Items(i)->Width();
        edges.push_back(i + 1 == count ? -1 : right);
    }
    if (edges.empty()) edges.push_back(-1);
    SendMessageA(w, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) {
        const TStatusPanel* panel = FPanels->Items(i);
        WPARAM how = static_cast<WPARAM>(i);
        if (panel->Style() == psOwnerDraw) how |= SBT_OWNERDRAW;
        if (panel->Bevel() == pbNone) how |= SBT_NOBORDERS;
        if (panel->Bevel() == pbRaised) how |= SBT_POPOUT;
        if (panel->BiDiMode() != bdLeftToRight) how |= SBT_RTLREADING;
        // The bar centres text after one tab and right-aligns it after two.
        const std::string text =
            (panel->Alignment() == taCenter ? "\t" : panel->Alignment() == taRightJustify ? "\t\t" : "") + panel->Text();
        SendMessageA(w, SB_SETTEXTA, how, reinterpret_cast<LPARAM>(panel->Style() == psOwnerDraw ? nullptr : text.c_str()));
    }
}

void TCustomStatusBar::SetPanels(TStatusPanels* value)
{
    if (value) FPanels->Assign(value);
}

void TCustomStatusBar::SetSimplePanel(bool value)
{
    FSimplePanel = value;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::string& value)
{
    FSimpleText = value;
    UpdatePanels();
}

void TCustomStatusBar::SetSizeGrip(bool value)
{
    if (FSizeGrip == value) return;
    FSizeGrip = value;
    RecreateWnd();
}

void TCustomStatusBar::SetBiDiMode(TBiDiMode value)
{
    if (FBiDiMode == value) return;
    FBiDiMode = value;
    RecreateWnd();
}

void TCustomStatusBar::DrawPanel(TStatusPanel* panel, const RECT& rect) { OnDrawPanel(this, panel, rect); }

void TCustomStatusBar::WndProc(TMessage& m)
{
    if (m.Msg == CN_DRAWITEM) {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        const int index = static_cast<int>(d->itemID);
        if (index >= 0 && index < FPanels->Count()) {
            TCanvasPaintScope scope(*FCanvas, d->hDC);
            DrawPanel(FPanels->Items(index), d->rcItem);
        }
        m.Result = TRUE;
        return;
    }
    TNativeControl::WndProc(m);
}

const TClassInfo& TStatusBar::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TStatusBar> b("TStatusBar", TCustomStatusBar::StaticClass());
        b.Object<TStatusPanels>("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels)
            .Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
            .String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
            .Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip)
            .Enum("BiDiMode", BiDiModeInfo, &TStatusBar::BiDiMode, &TStatusBar::SetBiDiMode);
        PublishColor(b);
        PublishFont(b);
        PublishShowHint(b);
        PublishMouseEvents(b);
        PublishEvent<TDrawPanelEvent>(b, "OnDrawPanel", &TStatusBar::OnDrawPanel);
        return b.Build();
    }();
    return info;
}

TStatusBar::TStatusBar(TComponent* owner) : TCustomStatusBar(owner) {}

} // namespace tf
