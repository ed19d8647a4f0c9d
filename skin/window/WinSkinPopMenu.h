// TWinSkinPopMenu: the skinner of one menu window (class "#32768"), made by
// the skin manager when the window is created and freed when it goes. It
// paints the whole window from the skin's menu background element and keeps
// that picture (Background) so that the owner-drawn items (MenuItemPaint.h)
// can copy their part of it under themselves: items and background form one
// picture.
//
// Only menus whose items the skin draws are painted: a menu without any
// owner-drawn item (a popup menu whose Tag is the skin data's DisableTag, a
// system menu the skin does not own) keeps the system look. Where the system
// paints the menu's margins inside the client area, the skinner covers every
// part of the window outside the items with the background after the system
// painted.
//
// User-interface thread only.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/controls/Messages.h"
#include "framework/controls/WndProcThunk.h"
#include "skin/window/PopupSkinnerLink.h"

namespace tf {

class TBitmap;
class TSkinData;

class TWinSkinPopMenu final : public TObject, public TPopupSkinnerLink {
public:
    TWinSkinPopMenu();
    ~TWinSkinPopMenu() override;
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    void Attach(HWND window, TSkinData* data, HMENU menu) override;
    void Detach() override;
    HWND PopupWindow() const override { return popupWindow; }
    TSkinData* SkinData() const override { return wndProcThunk ? popupSkinData : nullptr; }
    HMENU MenuHandle() const override { return popupMenuHandle; }
    void SetMenuHandle(HMENU menu) override { popupMenuHandle = menu; }
    TBitmap* Background() override { return popupBackground.get(); }

    // Where the menu window's client area (the origin of its items'
    // rectangles) lies in Background.
    POINT ClientOffset() const;
    bool Attached() const { return static_cast<bool>(wndProcThunk); }

private:
    void WndProc(TMessage& m);
    void PassOn(TMessage& m);
    // The skin paints this menu: the skin is loaded, has a background image
    // and the menu has items the skin draws.
    bool Paints();
    // Background at the window's current size (recomposed when it changed).
    bool ComposeBackground(const RECT& windowBox);
    void HandleNcPaint(TMessage& m);
    void HandlePrint(TMessage& m);
    void HandlePaint(TMessage& m);
    void CoverOutsideItems();

    WNDPROC oldWndProc = nullptr;
    TWndProcThunk wndProcThunk;
    HWND popupWindow = nullptr;
    TSkinData* popupSkinData = nullptr;
    std::unique_ptr<TBitmap> popupBackground;
    HMENU popupMenuHandle = nullptr;
};

// The part of the background under an item of a menu (R moved by the offset
// lies in Bitmap); Bitmap is null when no skinned window shows that menu.
struct TPopupBackgroundPart {
    TBitmap* Bitmap = nullptr;
    POINT Offset{0, 0};
};
TPopupBackgroundPart PopupBackgroundFor(HMENU menu);

} // namespace tf
