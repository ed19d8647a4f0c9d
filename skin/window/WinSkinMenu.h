// TWinSkinMenu: the skinned menu bar of one frame. The form skinner takes
// the window's menu off the window and draws the band under the caption
// itself; this skinner builds one TMenuBtn per item of that menu (with the
// captions and states of the form's main menu where it has the item), lays
// them out, draws them over the band's background and finds the item under a
// point. Opening the drop-downs and the keyboard are the chrome's
// (MenuBarTracking.cpp).
//
// Lifetime: owned by the chrome, as long as the window has a menu and its
// frame is skinned. User-interface thread only.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "skin/window/FrameLayout.h"

namespace tf {

class TBitmap;
class TMainMenu;
class TMenuBtn;
class TSkinChrome;

class TWinSkinMenu final : public TComponent {
    TF_CLASS(TWinSkinMenu)
public:
    explicit TWinSkinMenu(TSkinChrome& chrome);
    ~TWinSkinMenu() override;

    // Rebuilds the items from menu (null keeps the menu shown so far). An MDI
    // frame's new frame menu takes the main menu's caption only for items
    // without text, and is laid out at once.
    void BuildItems(HMENU menu, bool mdiFrameMenu = false);
    // The items' rectangles, as PaintBar would place them, without painting.
    void LayoutItems();
    // The items over the band's background, already painted into dc at band
    // (both in frame coordinates); keeps that background for hot tracking.
    void PaintBar(HDC dc, const RECT& band);
    // The first item whose bounds hold the frame point and whose caption is
    // not empty.
    TMenuBtn* ItemAt(POINT frame) const;

    int ItemCount() const { return static_cast<int>(items.size()); }
    TMenuBtn* Item(int index) const;
    int IndexOf(const TMenuBtn* item) const;
    // The menu the bar shows.
    HMENU BarMenuHandle() const { return barMenuHandle; }
    // The form's main menu, or null (bare windows, forms without one).
    TMainMenu* Menu() const;
    // The band at the last paint, and its background without texts.
    const RECT& BandRect() const { return bandRect; }
    TBitmap& BarBackground() const { return *barBackground; }
    bool RightToLeft() const;

private:
    void BuildFromMainMenu();
    void BuildFromHandle(HMENU menu, bool mdiFrameMenu);
    // The band of the window as it is now (frame coordinates).
    RECT CurrentBand() const;
    void Place(const RECT& band, HDC measureDC, int leftLimit);

    TSkinChrome& chrome;
    std::vector<std::unique_ptr<TMenuBtn>> items;
    RECT bandRect{0, 0, 0, 0};
    std::unique_ptr<TBitmap> barBackground;
    HMENU barMenuHandle = nullptr;
};

} // namespace tf
