#include "PageControl.h"

#include <commctrl.h>

#include <algorithm>

#include "Publish.h"

namespace tf {

const TEnumInfo TabStyleInfo{"TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"}};
const TEnumInfo TabPositionInfo{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};

// ------------------------------------------------------------ TCustomTabControl

const TClassInfo& TCustomTabControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomTabControl>("TCustomTabControl", TNativeControl::StaticClass()).Build();
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner)
    : TNativeControl(owner, WC_TABCONTROLA, WS_CLIPCHILDREN, 0, ICC_TAB_CLASSES)
{
    SetControlStyle(csAcceptsControls | csDoubleClicks);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetParentColor(true);
}

void TCustomTabControl::CreateParams(TCreateParams& p)
{
    TNativeControl::CreateParams(p);
    if (FStyle == tsButtons) p.Style |= TCS_BUTTONS;
    if (FStyle == tsFlatButtons) p.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    // TCS_RIGHT is TCS_BOTTOM; side tabs need several rows.
    static constexpr DWORD sides[] = {0, TCS_BOTTOM, TCS_VERTICAL | TCS_MULTILINE,
                                      TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE};
    p.Style |= sides[FTabPosition];
}

void TCustomTabControl::SetTabPosition(TTabPosition value)
{
    if (FTabPosition == value) return;
    FTabPosition = value;
    RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle value)
{
    if (FStyle == value) return;
    FStyle = value;
    RecreateWnd();
}

int TCustomTabControl::TabIndex()
{
    if (HandleAllocated()) FTabIndex = static_cast<int>(SendMessageA(WindowHandle(), TCM_GETCURSEL, 0, 0));
    return FTabIndex;
}

void TCustomTabControl::SetTabIndex(int value)
{
    FTabIndex = value;
    if (HandleAllocated()) SendMessageA(WindowHandle(), TCM_SETCURSEL, static_cast<WPARAM>(value), 0);
}

RECT TCustomTabControl::DisplayRect()
{
    RECT r{0, 0, Width(), Height()};
    if (HandleAllocated()) {
        GetClientRect(WindowHandle(), &r);
        SendMessageA(WindowHandle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    }
    return r;
}

void TCustomTabControl::SetTabTexts(const std::vector<std::string>& texts)
{
    if (!HandleAllocated()) return;
    HWND w = WindowHandle();
    SendMessageA(w, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < texts.size(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(texts[i].c_str());
        SendMessageA(w, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

void TCustomTabControl::Notify(NMHDR* header, LRESULT& result)
{
    if (header->code == static_cast<UINT>(TCN_SELCHANGE)) Change();
    TNativeControl::Notify(header, result);
}

// ------------------------------------------------------------ TTabSheet

const TClassInfo& TTabSheet::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TTabSheet> b("TTabSheet", TCustomControl::StaticClass());
        PublishCaption(b);
        PublishColor(b);
        PublishFont(b);
        PublishShowHint(b);
        PublishMouseEvents(b);
        return b.Build();
    }();
    return info;
}

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetVisible(false);   // the page control shows its active page
}

TTabSheet::~TTabSheet()
{
    Destroying();
    SetPageControl(nullptr);
}

void TTabSheet::SetParent(TWinControl* parent)
{
    TCustomControl::SetParent(parent);
    SetPageControl(dynamic_cast<TPageControl*>(parent));
}

void TTabSheet::SetPageControl(TPageControl* value)
{
    if (FPageControl == value) return;
    if (FPageControl) FPageControl->RemovePage(this);
    FPageControl = value;
    if (value) value->AddPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::WndProc(TMessage& m)
{
    TCustomControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->UpdateTabs();
}

// ------------------------------------------------------------ TPageControl

const TClassInfo& TPageControl::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TPageControl> b("TPageControl", TCustomTabControl::StaticClass());
        b.Enum("Style", TabStyleInfo, &TPageControl::Style, &TPageControl::SetStyle)
            .Enum("TabPosition", TabPositionInfo, &TPageControl::TabPosition, &TPageControl::SetTabPosition)
            .Object<TTabSheet>("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
        PublishWinControlDefaults(b);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TPageControl::OnChange);
        return b.Build();
    }();
    return info;
}

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl()
{
    Destroying();
    // The pages go with the control's children; they need not tell it.
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

void TPageControl::AddPage(TTabSheet* page)
{
    FPages.push_back(page);
    if (!FActivePage) FActivePage = page;
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    FPages.erase(std::remove(FPages.begin(), FPages.end(), page), FPages.end());
    if (FActivePage == page) FActivePage = FPages.empty() ? nullptr : FPages.front();
    UpdateTabs();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index)
{
    if (index >= 0 && index < PageCount()) SetActivePage(Pages(index));
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this) return;
    FActivePage = page;
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    if (HasState(csLoading) || HasState(csDestroying)) return;
    for (TTabSheet* p : FPages) p->SetVisible(p == FActivePage);
    if (!HandleAllocated()) return;
    std::vector<std::string> texts;
    for (TTabSheet* p : FPages) texts.push_back(p->Caption());
    SetTabTexts(texts);
    SetTabIndex(ActivePageIndex());
    PlacePages();
}

void TPageControl::PlacePages()
{
    const RECT r = DisplayRect();
    for (TTabSheet* p : FPages) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::CreateWnd()
{
    TCustomTabControl::CreateWnd();
    UpdateTabs();
}

void TPageControl::Loaded()
{
    TCustomTabControl::Loaded();
    UpdateTabs();
}

void TPageControl::Change()
{
    SetActivePageIndex(TabIndex());
    TCustomTabControl::Change();
}

void TPageControl::WndProc(TMessage& m)
{
    TCustomTabControl::WndProc(m);
    if (m.Msg == WM_SIZE) PlacePages();
}

} // namespace tf
