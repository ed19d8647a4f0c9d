// Menu items of a skinned window drawn by the skin: WM_MEASUREITEM and
// WM_DRAWITEM of the window's menu-bar drop-downs.
#include "framework/controls/ControlCanvas.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/MenuItemPaint.h"
#include "skin/window/MenuTracking.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"

namespace tf {

namespace {

bool SkinUsable(TSkinData* data) { return data && !data->FNoSkin; }

std::string MenuText(HMENU menu, UINT command)
{
    char text[81] = {};
    if (!menu) return {};
    ::GetMenuStringA(menu, command, text, 80, MF_BYCOMMAND);
    return text;
}

// Identifiers the framework and the window may draw themselves.
bool WindowOwnIdentifier(UINT id) { return id >= 1 && id <= 4095 && !TMenuTracking::ConvertedBySkin(id); }

} // namespace

// ---------------------------------------------------------------- the window's menus

bool TSkinChrome::HandleMeasureItem(TMessage& m)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    TSkinData* data = SkinData();
    // Only for the menus of a window that had a menu when it was skinned.
    if (!mis || mis->CtlType != ODT_MENU || !menuBar || !SkinUsable(data)) return false;
    int width = static_cast<int>(mis->itemWidth), height = static_cast<int>(mis->itemHeight);
    if (TMenuItem* item = form.Form() ? MainMenuItemByCommand(mis->itemID) : nullptr) {
        TWindowDC dc(Window());
        TCanvas canvas;
        TCanvasPaintScope scope(canvas, dc.Get());
        if (Screen) canvas.Font()->Assign(Screen->MenuFont());
        MeasureMainMenuItem(*data, *item, canvas, width, height);
    } else {
        if (form.Form() && WindowOwnIdentifier(mis->itemID)) return false;
        MeasureMenuText(*data, MenuText(TMenuTracking::DropDown(), mis->itemID), width, height);
    }
    mis->itemWidth = static_cast<UINT>(std::max(width, 0));
    mis->itemHeight = static_cast<UINT>(std::max(height, 0));
    m.Result = 1;
    return true;
}

bool TSkinChrome::HandleDrawItem(TMessage& m)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    TSkinData* data = SkinData();
    if (!dis || dis->CtlType != ODT_MENU || !menuBar || !SkinUsable(data)) return false;
    const auto menu = reinterpret_cast<HMENU>(dis->hwndItem);
    if (TSkinManage* manager = SkinManage()) manager->BindPopupMenuHandle(menu);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    TCanvas canvas;
    TCanvasPaintScope scope(canvas, dis->hDC);
    if (TMenuItem* item = form.Form() ? MainMenuItemByCommand(dis->itemID) : nullptr) {
        if (data->SkinMenuItem && !data->SkinMenuItem->Empty()) DrawMenuItem(*data, *item, canvas, dis->rcItem, selected);
        else DrawPlainMenuItem(*data, *item, canvas, dis->rcItem, selected);
    } else {
        if (form.Form() && WindowOwnIdentifier(dis->itemID)) return false;
        // A framework item standing in for the entry, for this drawing only.
        TMenuItem entry(nullptr);
        std::string caption = MenuText(menu, dis->itemID);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_FTYPE;
        const bool known = ::GetMenuItemInfoA(menu, dis->itemID, FALSE, &info) != FALSE;
        if (known && (info.fType & MFT_SEPARATOR)) caption.clear();
        entry.SetCaption(caption.empty() ? "-" : caption);
        entry.SetEnabled(!known || (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
        entry.SetChecked(known && (info.fState & MFS_CHECKED) != 0);
        DrawMenuHandleItem(*data, menu, entry, selected, dis->rcItem, canvas);
    }
    m.Result = 1;
    return true;
}

} // namespace tf
