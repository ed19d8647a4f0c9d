#include "ToolBar.h"

#include <commctrl.h>

#include <algorithm>

#include "Menus.h"
#include "Publish.h"
#include "framework/graphics/ImageList.h"

namespace tf {

const TEnumInfo ToolButtonStyleInfo{"TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}};

TCustomDrawState CustomDrawStateOf(UINT itemState)
{
    static constexpr std::pair<UINT, TCustomDrawStateMember> map[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed},   {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused},   {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked},   {CDIS_INDETERMINATE, cdsIndeterminate},
    };
    TCustomDrawState state = 0;
    for (const auto& [flag, member] : map)
        if (itemState & flag) state |= 1u << member;
    return state;
}

// ------------------------------------------------------------ TToolButton

const TClassInfo& TToolButton::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TToolButton> b("TToolButton", TGraphicControl::StaticClass());
        PublishCaption(b);
        b.Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
            .Enum("Style", ToolButtonStyleInfo, &TToolButton::Style, &TToolButton::SetStyle)
            .Bool("Down", &TToolButton::Down, &TToolButton::SetDown)
            .Bool("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped)
            .Object<TMenuItem>("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
        PublishShowHint(b);
        PublishEvent<TNotifyEvent>(b, "OnClick", &TControl::OnClick);
        return b.Build();
    }();
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

TToolButton::~TToolButton()
{
    Destroying();
    if (TToolBar* bar = ToolBar()) bar->RemoveButton(this);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* parent)
{
    if (TToolBar* old = ToolBar(); old && old != parent) old->RemoveButton(this);
    TGraphicControl::SetParent(parent);
    if (TToolBar* bar = ToolBar()) bar->AddButton(this);
}

void TToolButton::Changed()
{
    if (TToolBar* bar = ToolBar()) bar->RebuildButtons();
}

void TToolButton::SetImageIndex(int value)
{
    if (FImageIndex == value) return;
    FImageIndex = value;
    Changed();
}

void TToolButton::SetStyle(TToolButtonStyle value)
{
    if (FStyle == value) return;
    FStyle = value;
    Changed();
}

bool TToolButton::Down()
{
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated() && FCommand)
        FDown = SendMessageA(bar->WindowHandle(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(FCommand), 0) != 0;
    return FDown;
}

void TToolButton::SetDown(bool value)
{
    FDown = value;
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated() && FCommand)
        SendMessageA(bar->WindowHandle(), TB_CHECKBUTTON, static_cast<WPARAM>(FCommand), MAKELPARAM(value, 0));
}

void TToolButton::SetGrouped(bool value)
{
    if (FGrouped == value) return;
    FGrouped = value;
    Changed();
}

void TToolButton::SetMenuItem(TMenuItem* value)
{
    if (FMenuItem == value) return;
    if (FMenuItem) FMenuItem->RemoveFreeNotification(this);
    FMenuItem = value;
    if (value) {
        value->FreeNotification(this);
        if (Caption().empty()) SetCaption(value->Caption());
    }
    Changed();
}

void TToolButton::Notification(TComponent* c, TOperation op)
{
    TGraphicControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FMenuItem) FMenuItem = nullptr;
}

void TToolButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED: Changed(); return;
    case WM_PAINT: return;   // the bar's window draws the button
    default: break;
    }
    TGraphicControl::WndProc(m);
}

// ------------------------------------------------------------ TToolBar

const TClassInfo& TToolBar::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TToolBar> b("TToolBar", TNativeControl::StaticClass());
        b.Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
            .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
            .Bool("List", &TToolBar::List, &TToolBar::SetList)
            .Int("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
            .Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
            .Object<TImageList>("Images", &TToolBar::Images, &TToolBar::SetImages)
            .Object<TMainMenu>("Menu", &TToolBar::Menu, &TToolBar::SetMenu);
        PublishEvent<TToolBarCustomDrawEvent>(b, "OnCustomDraw", &TToolBar::OnCustomDraw);
        PublishEvent<TToolBarCustomDrawButtonEvent>(b, "OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
        PublishColor(b);
        PublishFont(b);
        PublishShowHint(b);
        return b.Build();
    }();
    return info;
}

TToolBar::TToolBar(TComponent* owner)
    : TNativeControl(owner, TOOLBARCLASSNAMEA, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS, 0,
                     ICC_BAR_CLASSES),
      FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetControlStyle(csAcceptsControls | csDoubleClicks);
    SetBounds(0, 0, 150, 29);
    SetColor(clBtnFace);
}

TToolBar::~TToolBar()
{
    Destroying();
    // The buttons go with the bar's children; they must not rebuild it.
    FRebuilding = true;
    SetMenu(nullptr);
}

void TToolBar::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FFlat) p.Style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
    if (FList) p.Style |= TBSTYLE_LIST;
}

void TToolBar::CreateWnd()
{
    TNativeControl::CreateWnd();
    HWND w = WindowHandle();
    SendMessageA(w, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (FImages) {
        SendMessageA(w, TB_SETBITMAPSIZE, 0, MAKELPARAM(FImages->Width(), FImages->Height()));
        SendMessageA(w, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->Handle()));
    } else {
        SendMessageA(w, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    }
    RebuildButtons();
}

void TToolBar::DestroyWnd()
{
    FCanvas->FreeHandle();
    TNativeControl::DestroyWnd();
}

void TToolBar::SetFlat(bool value)
{
    if (FFlat == value) return;
    FFlat = value;
    RecreateWnd();
}

void TToolBar::SetShowCaptions(bool value)
{
    if (FShowCaptions == value) return;
    FShowCaptions = value;
    RebuildButtons();
}

void TToolBar::SetList(bool value)
{
    if (FList == value) return;
    FList = value;
    RecreateWnd();
}

void TToolBar::SetButtonWidth(int value)
{
    FButtonWidth = value;
    RebuildButtons();
}

void TToolBar::SetButtonHeight(int value)
{
    FButtonHeight = value;
    RebuildButtons();
}

void TToolBar::SetImages(TImageList* value)
{
    if (FImages == value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (value) value->FreeNotification(this);
    RecreateWnd();
}

void TToolBar::SetMenu(TMainMenu* value)
{
    if (FMenu == value) return;
    if (FMenu) FMenu->RemoveFreeNotification(this);
    FMenu = value;
    if (value) value->FreeNotification(this);
    MenuButtons();
}

void TToolBar::MenuButtons()
{
    const bool rebuilding = FRebuilding;
    FRebuilding = true;
    while (!FMenuButtons.empty()) {
        TToolButton* b = FMenuButtons.back();
        FMenuButtons.pop_back();
        b->Free();
    }
    if (FMenu && !HasState(csDestroying))
        for (int i = 0; i < FMenu->Items()->Count(); ++i) {
            auto* b = new TToolButton(this);
            b->SetMenuItem(FMenu->Items()->Items(i));
            b->SetParent(this);
            FMenuButtons.push_back(b);
        }
    FRebuilding = rebuilding;
    if (!FMenuButtons.empty()) SetShowCaptions(true);
    RebuildButtons();
}

void TToolBar::Notification(TComponent* c, TOperation op)
{
    TNativeControl::Notification(c, op);
    if (op != TOperation::opRemove) return;
    if (c == FImages) FImages = nullptr;
    if (c == FMenu) {
        FMenu = nullptr;
        MenuButtons();
    }
    std::erase(FMenuButtons, c);
}

void TToolBar::AddButton(TToolButton* button)
{
    if (std::find(FButtons.begin(), FButtons.end(), button) != FButtons.end()) return;
    button->FCommand = FNextCommand++;
    FButtons.push_back(button);
    RebuildButtons();
}

void TToolBar::RemoveButton(TToolButton* button)
{
    std::erase(FButtons, button);
    std::erase(FMenuButtons, button);
    RebuildButtons();
}

TToolButton* TToolBar::ButtonByCommand(int command) const
{
    for (TToolButton* b : FButtons)
        if (b->FCommand == command) return b;
    return nullptr;
}

void TToolBar::Loaded()
{
    TNativeControl::Loaded();
    RebuildButtons();
}

void TToolBar::RebuildButtons()
{
    if (!HandleAllocated() || FRebuilding || HasState(csLoading) || HasState(csDestroying)) return;
    FRebuilding = true;
    HWND w = WindowHandle();
    SendMessageA(w, WM_SETREDRAW, FALSE, 0);
    while (SendMessageA(w, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(w, TB_DELETEBUTTON, 0, 0);
    std::vector<std::string> texts;
    texts.reserve(FButtons.size());
    for (TToolButton* b : FButtons) {
        if (!b->Visible()) continue;
        TBBUTTON tb{};
        tb.iBitmap = b->FImageIndex >= 0 && FImages ? b->FImageIndex : I_IMAGENONE;
        tb.idCommand = b->FCommand;
        tb.fsState = static_cast<BYTE>((b->Enabled() ? TBSTATE_ENABLED : 0) | (b->FDown ? TBSTATE_CHECKED : 0));
        switch (b->FStyle) {
        case tbsButton: tb.fsStyle = BTNS_BUTTON; break;
        case tbsCheck: tb.fsStyle = BTNS_CHECK | (b->FGrouped ? BTNS_GROUP : 0); break;
        case tbsDropDown: tb.fsStyle = BTNS_DROPDOWN; break;
        case tbsSeparator:
        case tbsDivider: tb.fsStyle = BTNS_SEP; break;
        }
        texts.push_back(b->Caption());
        tb.iString = FShowCaptions ? reinterpret_cast<INT_PTR>(texts.back().c_str()) : -1;
        SendMessageA(w, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
    }
    SendMessageA(w, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
    SendMessageA(w, TB_AUTOSIZE, 0, 0);
    SendMessageA(w, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w, nullptr, TRUE);
    PlaceButtons();
    FRebuilding = false;
}

RECT TToolBar::ButtonRect(TToolButton* button)
{
    RECT r{0, 0, 0, 0};
    if (!HandleAllocated() || !button) return r;
    const auto index = SendMessageA(WindowHandle(), TB_COMMANDTOINDEX, static_cast<WPARAM>(button->FCommand), 0);
    if (index >= 0) SendMessageA(WindowHandle(), TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TToolBar::PlaceButtons()
{
    for (TToolButton* b : FButtons) {
        const RECT r = ButtonRect(b);
        b->TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void TToolBar::ButtonClicked(int command)
{
    TToolButton* b = ButtonByCommand(command);
    if (!b) return;
    b->Down();   // the bar toggled a check button already
    if (TMenuItem* item = b->FMenuItem; item && item->Count() > 0) {
        RECT r = ButtonRect(b);
        MapWindowPoints(WindowHandle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
        const UINT cmd = TrackPopupMenu(item->Handle(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom,
                                        0, WindowHandle(), nullptr);
        if (cmd)
            if (TMenuItem* chosen = FindMenuItemByCommand(cmd)) chosen->Click();
        return;
    }
    b->Click();
}

void TToolBar::Notify(NMHDR* header, LRESULT& result)
{
    if (header->code == NM_CUSTOMDRAW) {
        auto* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(header);
        bool defaultDraw = true;
        switch (cd->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            if (OnCustomDraw) {
                TCanvasPaintScope scope(*FCanvas, cd->nmcd.hdc);
                OnCustomDraw(this, ClientRect(), defaultDraw);
            }
            result = defaultDraw ? (OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT) : CDRF_SKIPDEFAULT;
            return;
        case CDDS_ITEMPREPAINT:
            FFaceDrawn = false;
            if (TToolButton* b = ButtonByCommand(static_cast<int>(cd->nmcd.dwItemSpec)); b && OnCustomDrawButton) {
                TCanvasPaintScope scope(*FCanvas, cd->nmcd.hdc);
                OnCustomDrawButton(this, b, CustomDrawStateOf(cd->nmcd.uItemState), defaultDraw);
                // The text colour the handler chose is the bar's for this button.
                cd->clrText = static_cast<COLORREF>(ColorToRGB(FCanvas->Font()->Color()));
            }
            if (!defaultDraw) {
                result = CDRF_SKIPDEFAULT;
                return;
            }
            result = CDRF_DODEFAULT;
            if (FFaceDrawn) result |= TBCDRF_NOEDGES | TBCDRF_NOBACKGROUND;
            // The etched look of a disabled caption is a light copy under a
            // grey one: on a bar of another colour than the system's face the
            // light copy glares, so the caption is only grey (where the flag
            // is not honoured, the copy takes the bar's own colour).
            if (Color() != clBtnFace) {
                result |= TBCDRF_NOETCHEDEFFECT;
                cd->clrBtnHighlight = static_cast<COLORREF>(ColorToRGB(Color()));
            }
            return;
        default: result = CDRF_DODEFAULT; return;
        }
    }
    TNativeControl::Notify(header, result);
}

void TToolBar::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        ButtonClicked(LOWORD(m.WParam));
        m.Result = 0;
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        // The bar's window handles its buttons; they are not separate targets.
        TControl::WndProc(m);
        return;
    case WM_SIZE:
        TNativeControl::WndProc(m);
        PlaceButtons();
        return;
    default: break;
    }
    TNativeControl::WndProc(m);
}

} // namespace tf
