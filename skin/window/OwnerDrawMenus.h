// What the skin changes on menus to draw their items, recorded so that it can
// be given back exactly: a menu never keeps a skin-owned item after its
// skinner is gone.
//
// TSkinMenuPainter holds the framework item events that draw with the skin.
// TOwnerDrawRecord covers the framework menus of a form: popup menus (except
// those whose Tag is the skin data's DisableTag) and main menus are made
// owner-drawn and their items get the chrome's draw and measure events. It
// hears of every menu it changed being freed, and on going it gives back the
// owner-draw switch and the events it set that are still the painter's.
//
// TDropDownConversion covers a drop-down of the skinned menu bar while it is
// open: every item at every depth that the system draws becomes owner-drawn,
// and returns to its type when the conversion goes (the drop-down closed),
// found by identifier and drop-down should the menu have changed meanwhile.
#pragma once
#include <windows.h>

#include <set>
#include <vector>

#include "framework/controls/Menus.h"

namespace tf {

class TCanvas;
class TCustomForm;
class TSkinData;

// The framework item events that draw and measure items with a skin. The
// skin comes from SkinDataForItems at each call; without a usable one the
// items are drawn and measured as the framework does by default.
class TSkinMenuPainter : public TObject {
public:
    void DrawMenuItemEvent(TObject* sender, TCanvas* canvas, RECT rect, bool selected);
    void MeasureMainMenuItemEvent(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MeasurePopupItemEvent(TObject* sender, TCanvas* canvas, int& width, int& height);

protected:
    virtual TSkinData* SkinDataForItems() const = 0;

private:
    using TMeasure = void (*)(TSkinData&, TMenuItem&, TCanvas&, int&, int&);
    void MeasureWith(TMeasure measure, TObject* sender, TCanvas* canvas, int& width, int& height);
};

class TOwnerDrawRecord final : public TComponent {
    TF_CLASS(TOwnerDrawRecord)
public:
    explicit TOwnerDrawRecord(TSkinMenuPainter& painter);
    ~TOwnerDrawRecord() override;

    // Every popup menu of root (forms and frames among its components
    // visited too) whose Tag is not disableTag: OwnerDraw on, every item at
    // every depth drawn by the skin and measured by it unless it has a
    // measure event of its own. Menus done before are done again only for
    // items added since.
    void MakePopupMenusOwnerDrawn(TComponent* root, intptr_t disableTag);
    // Every main menu of the form: OwnerDraw on; the items below the top
    // level without a draw event of their own drawn and measured by the skin.
    void MakeMainMenusOwnerDrawn(TCustomForm* form);
    // Gives everything back.
    void RestoreAll();

    int MenuCount() const { return static_cast<int>(menus.size()); }
    void Notification(TComponent* c, TOperation op) override;

private:
    struct TSavedItem {
        TMenuItem* item;
        TMenuDrawItemEvent draw;
        TMenuMeasureItemEvent measure;
    };
    struct TSavedMenu {
        TMenu* menu;
        bool ownerDraw;                 // before the skin
        std::vector<TSavedItem> items;
    };
    TSavedMenu& Record(TMenu* menu);
    void TakePopupItems(TSavedMenu& saved, TMenuItem* parent);
    void TakeMainItems(TSavedMenu& saved, TMenuItem* parent, int depth);
    bool Saved(const TSavedMenu& saved, const TMenuItem* item) const;
    void Restore(TSavedMenu& saved);

    TSkinMenuPainter& painter;
    std::vector<TSavedMenu> menus;
};

class TDropDownConversion {
public:
    explicit TDropDownConversion(HMENU dropDown);
    ~TDropDownConversion();
    TDropDownConversion(const TDropDownConversion&) = delete;
    TDropDownConversion& operator=(const TDropDownConversion&) = delete;

    // The identifier belongs to an item this conversion made owner-drawn.
    bool Converted(UINT command) const { return commands.count(command) != 0; }
    int Count() const { return static_cast<int>(changed.size()); }

private:
    void Convert(HMENU menu, int depth);

    struct TChanged {
        HMENU menu;
        UINT position;
        UINT id;
        HMENU subMenu;
    };
    std::vector<TChanged> changed;
    std::set<UINT> commands;
};

} // namespace tf
