#include "Menus.h"

#include <algorithm>
#include <unordered_set>

#include "Application.h"
#include "ControlCanvas.h"
#include "Screen.h"
#undef GetObject
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"

namespace tf {

const TEnumInfo PopupAlignmentInfo{"TPopupAlignment", {"paLeft", "paRight", "paCenter"}};

// ------------------------------------------------------------ popup list

namespace {

// The hidden window owning every shown popup menu, and the menus it serves.
class PopupList : public TObject {
public:
    void Add(TPopupMenu* menu)
    {
        if (std::find(FMenus.begin(), FMenus.end(), menu) == FMenus.end()) FMenus.push_back(menu);
    }
    void Remove(TPopupMenu* menu) { std::erase(FMenus, menu); }

    HWND Window()
    {
        if (!FWindow) FWindow = AllocateHWnd(TWndMethod::Of<&PopupList::WndProc>(this));
        return FWindow;
    }

    void WndProc(TMessage& m)
    {
        const std::vector<TPopupMenu*> menus = FMenus;
        switch (m.Msg) {
        case WM_COMMAND:
            for (TPopupMenu* menu : menus)
                if (menu->DispatchCommand(LOWORD(m.WParam))) return;
            break;
        case WM_INITMENUPOPUP:
            for (TPopupMenu* menu : menus)
                if (menu->DispatchPopup(reinterpret_cast<HMENU>(m.WParam))) return;
            break;
        case WM_MENUSELECT: return;
        case WM_DRAWITEM: {
            auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
            if (d && d->CtlType == ODT_MENU)
                if (TMenuItem* item = FindMenuItemOfEntry(d->itemID, d->itemData)) {
                    DrawMenuItemStruct(item, *d);
                    m.Result = 1;
                    return;
                }
            break;
        }
        case WM_MEASUREITEM: {
            auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            if (mi && mi->CtlType == ODT_MENU)
                if (TMenuItem* item = FindMenuItemOfEntry(mi->itemID, mi->itemData)) {
                    MeasureMenuItemStruct(item, *mi);
                    m.Result = 1;
                    return;
                }
            break;
        }
        default: break;
        }
        m.Result = DefWindowProcA(FWindow, m.Msg, m.WParam, m.LParam);
    }

private:
    HWND FWindow = nullptr;
    std::vector<TPopupMenu*> FMenus;
};

PopupList& ThePopupList()
{
    static PopupList* list = new PopupList;   // its window lives as long as the process
    return *list;
}

} // namespace

HWND PopupListWindow() { return ThePopupList().Window(); }

// ------------------------------------------------------------ TPopupMenu

const TClassInfo& TPopupMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPopupMenu>("TPopupMenu", TMenu::StaticClass())
            .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .Enum("Alignment", PopupAlignmentInfo, &TPopupMenu::Alignment, &TPopupMenu::SetAlignment)
            .Event<TNotifyEvent>("OnPopup", [](TPopupMenu* p) { return p->OnPopup; },
                                 [](TPopupMenu* p, TNotifyEvent e) { p->OnPopup = e; })
            .Build();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) { ThePopupList().Add(this); }

TPopupMenu::~TPopupMenu() { ThePopupList().Remove(this); }

void TPopupMenu::Popup(int x, int y)
{
    OnPopup(this);
    HMENU menu = Handle();
    Items()->RebuildHandle();
    UINT flags = TPM_RIGHTBUTTON;
    switch (FAlignment) {
    case paLeft: flags |= TPM_LEFTALIGN; break;
    case paRight: flags |= TPM_RIGHTALIGN; break;
    case paCenter: flags |= TPM_CENTERALIGN; break;
    }
    HWND owner = PopupListWindow();
    SetWindowHandle(owner);
    TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr);
    // Lets a menu shown for a background window close properly next time.
    PostMessageA(owner, WM_NULL, 0, 0);
}

} // namespace tf
