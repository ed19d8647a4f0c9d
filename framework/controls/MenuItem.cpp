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

// ------------------------------------------------------------ commands

namespace {

class CommandPool {
public:
    UINT Allocate(TMenuItem* item)
    {
        for (size_t n = 0; n < FItems.size(); ++n) {
            FNext = FNext % (FItems.size() - 1) + 1;   // 1 .. 0xFFFF
            if (!FItems[FNext]) {
                FItems[FNext] = item;
                FLive.insert(item);
                return static_cast<UINT>(FNext);
            }
        }
        throw EOutOfResources("Too many menu items");
    }
    void Release(UINT command, TMenuItem* item)
    {
        if (command < FItems.size() && FItems[command] == item) FItems[command] = nullptr;
        FLive.erase(item);
    }
    TMenuItem* Find(UINT command) const { return command < FItems.size() ? FItems[command] : nullptr; }
    bool Alive(const TMenuItem* item) const { return FLive.count(const_cast<TMenuItem*>(item)) != 0; }

private:
    std::vector<TMenuItem*> FItems = std::vector<TMenuItem*>(0x10000, nullptr);
    std::unordered_set<TMenuItem*> FLive;
    size_t FNext = 0;
};

CommandPool& Commands()
{
    static CommandPool* pool = new CommandPool;   // items may outlive static destruction
    return *pool;
}


} // namespace

TMenuItem* FindMenuItemByCommand(UINT command) { return Commands().Find(command); }

TMenuItem* FindMenuItemOfEntry(UINT itemID, ULONG_PTR itemData)
{
    if (TMenuItem* item = Commands().Find(itemID)) return item;
    auto* item = reinterpret_cast<TMenuItem*>(itemData);
    return item && Commands().Alive(item) ? item : nullptr;
}

// ------------------------------------------------------------ TMenuItem

const TClassInfo& TMenuItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenuItem>("TMenuItem", TComponent::StaticClass())
            .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .Int("ShortCut", &TMenuItem::ShortCut, [](TMenuItem* i, int32_t v) { i->SetShortCut(static_cast<TShortCut>(v)); })
            .String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Event<TNotifyEvent>("OnClick", [](TMenuItem* i) { return i->OnClick; },
                                 [](TMenuItem* i, TNotifyEvent e) { i->OnClick = e; })
            .Event<TMenuDrawItemEvent>("OnDrawItem", [](TMenuItem* i) { return i->OnDrawItem; },
                                       [](TMenuItem* i, TMenuDrawItemEvent e) { i->OnDrawItem = e; })
            .Event<TMenuMeasureItemEvent>("OnMeasureItem", [](TMenuItem* i) { return i->OnMeasureItem; },
                                          [](TMenuItem* i, TMenuMeasureItemEvent e) { i->OnMeasureItem = e; })
            .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { FCommand = Commands().Allocate(this); }

TMenuItem::~TMenuItem()
{
    Destroying();
    if (FParent) FParent->Remove(this);
    // Take the entries out first: destroying a menu destroys the submenus it lists.
    if (FHandle)
        while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    while (!FItems.empty()) {
        TMenuItem* child = FItems.back();
        FItems.pop_back();
        child->FParent = nullptr;
        child->Free();
    }
    if (FHandle) DestroyMenu(FHandle);
    Commands().Release(FCommand, this);
}

void TMenuItem::SetCaption(const std::string& value)
{
    if (FCaption == value) return;
    FCaption = value;
    MenuChanged(true);
}

void TMenuItem::SetChecked(bool value)
{
    if (FChecked == value) return;
    FChecked = value;
    MenuChanged(true);
}

void TMenuItem::SetEnabled(bool value)
{
    if (FEnabled == value) return;
    FEnabled = value;
    MenuChanged(true);
}

void TMenuItem::SetVisible(bool value)
{
    if (FVisible == value) return;
    FVisible = value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool value)
{
    if (FDefault == value) return;
    if (value && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this) sibling->FDefault = false;
    FDefault = value;
    MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool value)
{
    if (FRadioItem == value) return;
    FRadioItem = value;
    MenuChanged(true);
}

void TMenuItem::SetImageIndex(int value)
{
    if (FImageIndex == value) return;
    FImageIndex = value;
    MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (FShortCut == value) return;
    FShortCut = value;
    MenuChanged(true);
}

HMENU TMenuItem::Handle()
{
    if (!FHandle) {
        FHandle = (FMenu && !FMenu->IsPopup()) ? CreateMenu() : CreatePopupMenu();
        if (!FHandle) throw EOutOfResources("Cannot create a menu");
        RebuildHandle();
    }
    return FHandle;
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= Count()) throw EListError(Format(SListIndexError, index));
    return FItems[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

int TMenuItem::MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this) return;
    if (item->FParent) throw EInvalidOperation("The menu item is already in a menu");
    if (index < 0 || index > Count()) throw EListError(Format(SListIndexError, index));
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    if (FHandle) RebuildHandle();
    MenuChanged(true);
}

void TMenuItem::Remove(TMenuItem* item)
{
    const auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end()) return;
    FItems.erase(it);
    item->FParent = nullptr;
    if (HasState(csDestroying)) return;
    if (FHandle) RebuildHandle();
    MenuChanged(true);
}

void TMenuItem::Delete(int index)
{
    TMenuItem* item = Items(index);
    Remove(item);
    item->Free();
}

void TMenuItem::Clear()
{
    while (!FItems.empty()) Delete(Count() - 1);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->FParent) root = root->FParent;
    return root->FMenu;
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

void TMenuItem::Click()
{
    if (FEnabled) OnClick(this);
}

bool TMenuItem::IsOwnerDrawn() const
{
    TMenu* menu = GetParentMenu();
    if (!menu) return static_cast<bool>(OnDrawItem);
    // The items of a menu bar are drawn by the system.
    if (!menu->IsPopup() && FParent == menu->Items()) return false;
    return menu->OwnerDraw() || static_cast<bool>(OnDrawItem);
}

void TMenuItem::AppendTo(HMENU menu)
{
    std::string text = FCaption;
    if (FShortCut != scNone) {
        const std::string keys = ShortCutToText(FShortCut);
        if (!keys.empty()) text += "\t" + keys;
    }
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_TYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
    mii.fType = IsLine() ? MFT_SEPARATOR : MFT_STRING;
    if (IsOwnerDrawn()) mii.fType |= MFT_OWNERDRAW;
    if (FRadioItem) mii.fType |= MFT_RADIOCHECK;
    if (TMenu* m = GetParentMenu(); m && m->RightToLeft()) mii.fType |= MFT_RIGHTORDER;
    mii.fState = (FChecked ? MFS_CHECKED : 0) | (FEnabled ? 0 : (MFS_DISABLED | MFS_GRAYED)) |
                 (FDefault ? MFS_DEFAULT : 0);
    mii.wID = FCommand;
    mii.hSubMenu = FItems.empty() ? nullptr : Handle();
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    if (!(mii.fType & MFT_OWNERDRAW)) {
        mii.dwTypeData = text.data();
        mii.cch = static_cast<UINT>(text.size());
    }
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
}

void TMenuItem::RebuildHandle()
{
    if (!FHandle || FRebuilding) return;
    FRebuilding = true;
    while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    for (TMenuItem* child : FItems)
        if (child->FVisible) child->AppendTo(FHandle);
    FRebuilding = false;
}

void TMenuItem::MenuChanged(bool rebuild)
{
    if (HasState(csDestroying)) return;
    if (rebuild && FParent && FParent->FHandle) FParent->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, rebuild);
}

void TMenuItem::DrawItem(TCanvas* canvas, const RECT& rect, bool selected)
{
    if (OnDrawItem) OnDrawItem(this, canvas, rect, selected);
    else DefaultDrawItem(canvas, rect, selected);
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height)
{
    if (OnMeasureItem) OnMeasureItem(this, canvas, width, height);
    else DefaultMeasureItem(canvas, width, height);
}

namespace {

TImageList* ImagesOf(const TMenuItem* item)
{
    TMenu* menu = item->GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

SIZE MenuTextSize(TCanvas* canvas, const std::string& text)
{
    RECT r{0, 0, 0, 0};
    DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

void TMenuItem::DefaultMeasureItem(TCanvas* canvas, int& width, int& height)
{
    TImageList* images = ImagesOf(this);
    const int glyphW = images ? images->Width() : 16;
    const int glyphH = images ? images->Height() : 16;
    if (IsLine()) {
        width = glyphW;
        height = 8;
        return;
    }
    const SIZE text = MenuTextSize(canvas, FCaption.empty() ? std::string(" ") : FCaption);
    width = glyphW + 10 + text.cx;
    const std::string keys = ShortCutToText(FShortCut);
    if (!keys.empty()) width += MenuTextSize(canvas, keys).cx + 16;
    height = std::max<int>(text.cy + 6, glyphH + 4);
}

void TMenuItem::DefaultDrawItem(TCanvas* canvas, const RECT& rect, bool selected)
{
    TImageList* images = ImagesOf(this);
    const int glyphW = images ? images->Width() : 16;
    canvas->Brush()->SetColor(selected && !IsLine() ? clHighlight : clMenu);
    canvas->FillRect(rect);
    if (IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    RECT box{rect.left + 2, rect.top, rect.left + 2 + glyphW, rect.bottom};
    if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
        images->Draw(*canvas, box.left, rect.top + (rect.bottom - rect.top - images->Height()) / 2, FImageIndex, FEnabled);
    } else if (FChecked) {
        RECT check{box.left, rect.top + (rect.bottom - rect.top - 16) / 2, box.left + 16, 0};
        check.bottom = check.top + 16;
        DrawFrameControl(canvas->Handle(), &check, DFC_MENU, FRadioItem ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    TColor textColor = selected ? clHighlightText : clMenuText;
    if (!FEnabled) textColor = clGrayText;
    canvas->Font()->SetColor(textColor);
    if (FDefault) canvas->Font()->SetStyle(canvas->Font()->Style().Include(fsBold));
    canvas->SetBkMode(TRANSPARENT);
    HDC dc = canvas->Handle();
    SetTextColor(dc, ColorToRGB(textColor));
    RECT textRect{box.right + 6, rect.top, rect.right - 4, rect.bottom};
    DrawTextA(dc, FCaption.c_str(), static_cast<int>(FCaption.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_LEFT);
    const std::string keys = ShortCutToText(FShortCut);
    if (!keys.empty()) {
        RECT keyRect{textRect.left, rect.top, rect.right - 10, rect.bottom};
        DrawTextA(dc, keys.c_str(), static_cast<int>(keys.size()), &keyRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
}

void DrawMenuItemStruct(TMenuItem* item, const DRAWITEMSTRUCT& dis)
{
    TCanvas canvas;
    TCanvasPaintScope scope(canvas, dis.hDC);
    if (Screen) canvas.Font()->Assign(Screen->MenuFont());
    if (item->Default()) canvas.Font()->SetStyle(canvas.Font()->Style().Include(fsBold));
    item->DrawItem(&canvas, dis.rcItem, (dis.itemState & ODS_SELECTED) != 0);
}

void MeasureMenuItemStruct(TMenuItem* item, MEASUREITEMSTRUCT& mis)
{
    TScreenDC screen;
    TCanvas canvas;
    TCanvasPaintScope scope(canvas, screen.Get());
    if (Screen) canvas.Font()->Assign(Screen->MenuFont());
    if (item->Default()) canvas.Font()->SetStyle(canvas.Font()->Style().Include(fsBold));
    int width = static_cast<int>(mis.itemWidth);
    int height = static_cast<int>(mis.itemHeight);
    item->MeasureItem(&canvas, width, height);
    mis.itemWidth = static_cast<UINT>(width < 0 ? 0 : width);
    mis.itemHeight = static_cast<UINT>(height < 0 ? 0 : height);
}

} // namespace tf
