#include "skin/window/OwnerDrawMenus.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/MenuItemPaint.h"

namespace tf {

namespace {

void CollectItems(TMenuItem* parent, std::vector<TMenuItem*>& out)
{
    for (int i = 0; i < parent->Count(); ++i) {
        out.push_back(parent->Items(i));
        CollectItems(parent->Items(i), out);
    }
}

} // namespace

// ---------------------------------------------------------------- TSkinMenuPainter

namespace {
bool SkinUsable(TSkinData* data) { return data && !data->FNoSkin; }
} // namespace

void TSkinMenuPainter::DrawMenuItemEvent(TObject* sender, TCanvas* canvas, RECT rect, bool selected)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas) return;
    TSkinData* data = SkinDataForItems();
    if (SkinUsable(data)) DrawMenuItem(*data, *item, *canvas, rect, selected);
    else item->DefaultDrawItem(canvas, rect, selected);
}

void TSkinMenuPainter::MeasureWith(TMeasure measure, TObject* sender, TCanvas* canvas, int& width, int& height)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas) return;
    TSkinData* data = SkinDataForItems();
    if (SkinUsable(data)) measure(*data, *item, *canvas, width, height);
    else item->DefaultMeasureItem(canvas, width, height);
}

void TSkinMenuPainter::MeasureMainMenuItemEvent(TObject* sender, TCanvas* canvas, int& width, int& height)
{
    MeasureWith(&MeasureMainMenuItem, sender, canvas, width, height);
}

void TSkinMenuPainter::MeasurePopupItemEvent(TObject* sender, TCanvas* canvas, int& width, int& height)
{
    MeasureWith(&MeasurePopupItem, sender, canvas, width, height);
}

// ---------------------------------------------------------------- TOwnerDrawRecord

const TClassInfo& TOwnerDrawRecord::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TOwnerDrawRecord>("TOwnerDrawRecord", TComponent::StaticClass()).Build();
    return info;
}

TOwnerDrawRecord::TOwnerDrawRecord(TSkinMenuPainter& owner) : TComponent(nullptr), painter(owner) {}

TOwnerDrawRecord::~TOwnerDrawRecord()
{
    RestoreAll();
    Destroying();
}

TOwnerDrawRecord::TSavedMenu& TOwnerDrawRecord::Record(TMenu* menu)
{
    for (TSavedMenu& saved : menus)
        if (saved.menu == menu) return saved;
    menu->FreeNotification(this);
    menus.push_back(TSavedMenu{menu, menu->OwnerDraw(), {}});
    return menus.back();
}

bool TOwnerDrawRecord::Saved(const TSavedMenu& saved, const TMenuItem* item) const
{
    return std::any_of(saved.items.begin(), saved.items.end(), [item](const TSavedItem& s) { return s.item == item; });
}

void TOwnerDrawRecord::TakePopupItems(TSavedMenu& saved, TMenuItem* parent)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!Saved(saved, item)) {
            saved.items.push_back(TSavedItem{item, item->OnDrawItem, item->OnMeasureItem});
            item->OnDrawItem = TMenuDrawItemEvent::Of<&TSkinMenuPainter::DrawMenuItemEvent>(&painter);
            if (!item->OnMeasureItem)
                item->OnMeasureItem = TMenuMeasureItemEvent::Of<&TSkinMenuPainter::MeasurePopupItemEvent>(&painter);
        }
        TakePopupItems(saved, item);
    }
}

void TOwnerDrawRecord::TakeMainItems(TSavedMenu& saved, TMenuItem* parent, int depth)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (depth > 0 && !Saved(saved, item) && !item->OnDrawItem) {
            saved.items.push_back(TSavedItem{item, item->OnDrawItem, item->OnMeasureItem});
            item->OnDrawItem = TMenuDrawItemEvent::Of<&TSkinMenuPainter::DrawMenuItemEvent>(&painter);
            item->OnMeasureItem = TMenuMeasureItemEvent::Of<&TSkinMenuPainter::MeasureMainMenuItemEvent>(&painter);
        }
        TakeMainItems(saved, item, depth + 1);
    }
}

void TOwnerDrawRecord::MakePopupMenusOwnerDrawn(TComponent* root, intptr_t disableTag)
{
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* c = root->Components(i);
        if (dynamic_cast<TCustomForm*>(c) || c->InheritsFrom("TCustomFrame")) {
            MakePopupMenusOwnerDrawn(c, disableTag);
        } else if (auto* popup = dynamic_cast<TPopupMenu*>(c); popup && popup->Tag() != disableTag) {
            TSavedMenu& saved = Record(popup);
            TakePopupItems(saved, popup->Items());
            popup->SetOwnerDraw(true);
        }
    }
}

void TOwnerDrawRecord::MakeMainMenusOwnerDrawn(TCustomForm* form)
{
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TMainMenu*>(form->Components(i));
        if (!menu) continue;
        TSavedMenu& saved = Record(menu);
        TakeMainItems(saved, menu->Items(), 0);
        menu->SetOwnerDraw(true);
    }
}

void TOwnerDrawRecord::Restore(TSavedMenu& saved)
{
    const auto draw = TMenuDrawItemEvent::Of<&TSkinMenuPainter::DrawMenuItemEvent>(&painter);
    const auto popupMeasure = TMenuMeasureItemEvent::Of<&TSkinMenuPainter::MeasurePopupItemEvent>(&painter);
    const auto mainMeasure = TMenuMeasureItemEvent::Of<&TSkinMenuPainter::MeasureMainMenuItemEvent>(&painter);
    // Only items still in the menu, and only what is still the skin's.
    std::vector<TMenuItem*> live;
    CollectItems(saved.menu->Items(), live);
    for (const TSavedItem& s : saved.items) {
        if (std::find(live.begin(), live.end(), s.item) == live.end()) continue;
        if (s.item->OnDrawItem == draw) s.item->OnDrawItem = s.draw;
        if (s.item->OnMeasureItem == popupMeasure || s.item->OnMeasureItem == mainMeasure)
            s.item->OnMeasureItem = s.measure;
    }
    if (saved.menu->OwnerDraw() != saved.ownerDraw && !saved.menu->HasState(csDestroying))
        saved.menu->SetOwnerDraw(saved.ownerDraw);
    saved.menu->RemoveFreeNotification(this);
    RemoveFreeNotification(saved.menu);
}

void TOwnerDrawRecord::RestoreAll()
{
    std::vector<TSavedMenu> all;
    all.swap(menus);
    for (TSavedMenu& saved : all) Restore(saved);
}

void TOwnerDrawRecord::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove)
        menus.erase(std::remove_if(menus.begin(), menus.end(), [c](const TSavedMenu& s) { return s.menu == c; }),
                    menus.end());
}

// ---------------------------------------------------------------- TDropDownConversion

TDropDownConversion::TDropDownConversion(HMENU dropDown) { Convert(dropDown, 0); }

namespace {

// The entry of a menu at position, when it is still the one converted: drawn
// by its owner, with the identifier and drop-down it had.
bool IsConvertedEntry(HMENU menu, UINT position, UINT id, HMENU subMenu, UINT& type)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoA(menu, position, TRUE, &info) || !(info.fType & MFT_OWNERDRAW) || info.wID != id ||
        info.hSubMenu != subMenu)
        return false;
    type = info.fType;
    return true;
}

} // namespace

TDropDownConversion::~TDropDownConversion()
{
    // The menu may have changed while it was open (a framework menu rebuilds
    // its entries when an item changes): each entry is found again by what it
    // is, not where it was, and entries made since are left alone.
    for (const TChanged& c : changed) {
        if (!::IsMenu(c.menu)) continue;
        const int count = ::GetMenuItemCount(c.menu);
        int position = -1;
        UINT type = 0;
        if (static_cast<int>(c.position) < count && IsConvertedEntry(c.menu, c.position, c.id, c.subMenu, type))
            position = static_cast<int>(c.position);
        for (int i = 0; i < count && position < 0; ++i)
            if (IsConvertedEntry(c.menu, static_cast<UINT>(i), c.id, c.subMenu, type)) position = i;
        if (position < 0) continue;
        // Only the skin's flag goes; whatever else changed meanwhile stays.
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        info.fType = type & ~static_cast<UINT>(MFT_OWNERDRAW);
        ::SetMenuItemInfoA(c.menu, static_cast<UINT>(position), TRUE, &info);
    }
}

void TDropDownConversion::Convert(HMENU menu, int depth)
{
    if (!menu || depth > 25) return;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (!(info.fType & (MFT_OWNERDRAW | MFT_BITMAP))) {
            changed.push_back(TChanged{menu, static_cast<UINT>(i), info.wID, info.hSubMenu});
            commands.insert(info.wID);
            MENUITEMINFOA set{};
            set.cbSize = sizeof set;
            set.fMask = MIIM_FTYPE;
            set.fType = info.fType | MFT_OWNERDRAW;
            ::SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &set);
        }
        if (info.hSubMenu) Convert(info.hSubMenu, depth + 1);
    }
}

} // namespace tf
