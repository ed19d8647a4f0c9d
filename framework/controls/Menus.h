// Menus. A TMenuItem is a component with a caption, state and child items;
// an item with children owns a system menu (Handle) that lists them. Each
// item has a process-unique command identifier, the wID of its menu entry.
// TMenu holds a root item: a TMainMenu's handle is a menu bar, a
// TPopupMenu's a popup menu.
//
// Owner-drawn menus (TMenu::OwnerDraw) are measured and drawn through the
// items' OnMeasureItem/OnDrawItem events, or by the default measuring and
// drawing (MeasureItem/DrawItem with the event cleared). Popup menus send
// their notifications to a hidden popup-list window, which turns WM_COMMAND
// into the item's OnClick after the menu closed, and serves WM_DRAWITEM and
// WM_MEASUREITEM for ODT_MENU, WM_INITMENUPOPUP and WM_MENUSELECT.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"

namespace tf {

class TCanvas;
class TImageList;
class TMenu;

// A key with modifiers: scShift/scCtrl/scAlt plus the virtual key code.
using TShortCut = uint16_t;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
TShortCut ShortCut(WORD key, TShiftState shift);
// "ALT+F4", "CTRL+S", "SHIFT+DEL"; empty for scNone or an unnamed key.
std::string ShortCutToText(TShortCut shortCut);
// The reverse, ignoring letter case; scNone when the text names no key.
TShortCut TextToShortCut(const std::string& text);

using TMenuDrawItemEvent = TEvent<TObject*, TCanvas*, RECT, bool>;          // sender, canvas, rect, selected
using TMenuMeasureItemEvent = TEvent<TObject*, TCanvas*, int&, int&>;       // sender, canvas, width, height

enum TFindItemKind : uint8_t { fkCommand, fkHandle, fkShortCut };

class TMenuItem : public TComponent {
    TF_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    // The identifier of this item's menu entry.
    UINT Command() const { return FCommand; }
    bool IsLine() const { return FCaption == "-"; }

    // The system menu listing the children (made on first use).
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* operator[](int index) const { return Items(index); }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Detaches the item (it is not freed).
    void Remove(TMenuItem* item);
    // Frees the child at index / all children.
    void Delete(int index);
    void Clear();
    // The menu this item belongs to, through its parents; null for a
    // standalone item.
    TMenu* GetParentMenu() const;

    // Fires OnClick when enabled.
    virtual void Click();
    // Owner drawing: the events when assigned, else the default look.
    void DrawItem(TCanvas* canvas, const RECT& rect, bool selected);
    void MeasureItem(TCanvas* canvas, int& width, int& height);
    void DefaultDrawItem(TCanvas* canvas, const RECT& rect, bool selected);
    void DefaultMeasureItem(TCanvas* canvas, int& width, int& height);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    // Stored data nests items in menus and items.
    void SetParentComponent(TComponent* parent) override;
    // Re-lists the children in the system menu.
    void RebuildHandle();

private:
    friend class TMenu;
    void MenuChanged(bool rebuild);
    void AppendTo(HMENU menu);
    bool IsOwnerDrawn() const;

    std::string FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    bool FRadioItem = false;
    int FImageIndex = -1;
    TShortCut FShortCut = scNone;
    std::string FHint;
    UINT FCommand = 0;
    HMENU FHandle = nullptr;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;   // set on a menu's root item
    std::vector<TMenuItem*> FItems;
    bool FRebuilding = false;
};

class TMenu : public TComponent {
    TF_CLASS(TMenu)
public:
    ~TMenu() override;

    TMenuItem* Items() const { return FItems.get(); }
    HMENU Handle() { return FItems->Handle(); }
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool value);
    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* value);
    bool RightToLeft() const { return FRightToLeft; }
    void SetRightToLeft(bool value);
    // The window whose menu (or popup owner) this is.
    HWND WindowHandle() const { return FWindowHandle; }
    void SetWindowHandle(HWND value) { FWindowHandle = value; }

    // Searches every item at every depth; null when none matches.
    TMenuItem* FindItem(uintptr_t value, TFindItemKind kind) const;
    // WM_COMMAND: clicks the item with that command; answers whether there was one.
    bool DispatchCommand(WORD command);
    // WM_INITMENUPOPUP: clicks the item owning that submenu.
    bool DispatchPopup(HMENU submenu);

    void Notification(TComponent* c, TOperation op) override;

protected:
    explicit TMenu(TComponent* owner);
    // An item (null: many) changed; rebuild tells whether entries changed.
    virtual void MenuChanged(TMenuItem* source, bool rebuild);
    virtual bool IsPopup() const = 0;

private:
    friend class TMenuItem;
    std::unique_ptr<TMenuItem> FItems;
    bool FOwnerDraw = false;
    TImageList* FImages = nullptr;
    bool FRightToLeft = false;
    HWND FWindowHandle = nullptr;
};

// A form's menu bar: its changes are sent to the form's window as
// CM_MENUCHANGED (the form's default handler calls SetMenu and DrawMenuBar).
class TMainMenu : public TMenu {
    TF_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

protected:
    void MenuChanged(TMenuItem* source, bool rebuild) override;
    bool IsPopup() const override { return false; }
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };
extern const TEnumInfo PopupAlignmentInfo;

class TPopupMenu : public TMenu {
    TF_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // Shown on a right click of a control that has this menu.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool value) { FAutoPopup = value; }
    // The control or component the menu was last shown for.
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* value) { FPopupComponent = value; }
    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment value) { FAlignment = value; }

    // Shows the menu at a screen point and returns when it closed. The chosen
    // item's OnClick runs when the popup list receives the command, after the
    // menu has closed.
    virtual void Popup(int x, int y);

    TNotifyEvent OnPopup;

protected:
    bool IsPopup() const override { return true; }

private:
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    TPopupAlignment FAlignment = paLeft;
};

// The hidden window that owns every shown popup menu.
HWND PopupListWindow();

// Owner drawing of an item from the system's structures (menus, popup list).
void DrawMenuItemStruct(TMenuItem* item, const DRAWITEMSTRUCT& dis);
void MeasureMenuItemStruct(TMenuItem* item, MEASUREITEMSTRUCT& mis);

// The item with a command identifier, in any menu of the process; null if none.
TMenuItem* FindMenuItemByCommand(UINT command);

// The item an owner-drawn entry stands for: by its command, else by the item
// pointer in its data while that item lives; null if neither.
TMenuItem* FindMenuItemOfEntry(UINT itemID, ULONG_PTR itemData);

} // namespace tf
