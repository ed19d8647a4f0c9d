// The caption buttons, the menu bar and the skin's own menus of one skinned
// frame. They live in their own part of the window layer; the form skinner
// calls them at fixed points through this interface. Until that part installs
// its factory the form skinner runs without them: no caption buttons, the
// menu band shows the skin's menu-bar background without items, and the
// messages below go to the window as usual.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/controls/Messages.h"

namespace tf {

class TWinSkinForm;

class TFormChrome {
public:
    virtual ~TFormChrome() = default;

    // ---- caption buttons
    // Rebuilds the buttons from the skin's caption-button elements (the form
    // skinner's ReloadFrameMetrics) / frees them.
    virtual void RebuildCaptionButtons() {}
    virtual void FreeCaptionButtons() {}
    // The largest Xcoord among the right-aligned buttons that have an image
    // and are visible now; 0 when there is none.
    virtual int RightButtonsExtent() { return 0; }
    // Lays the buttons out against the window width and draws them into the
    // caption image (frame coordinates), after the caption text was placed.
    virtual void DrawCaptionButtons(HDC caption) {}

    // ---- menu bar (not for MDI children)
    // The window had a menu when it was skinned: make the menu-bar skinner
    // for it (the form skinner has taken the menu off the window).
    virtual void CreateMenuBar(HMENU menu) {}
    // The window's menu changed (menu changed notification with MenuUpdate,
    // a new MDI frame menu, the last MDI child closed).
    virtual void MenuChanged(HMENU menu) {}
    // Draws the items over the band's background, already painted into dc
    // at band (frame coordinates).
    virtual void DrawMenuBarItems(HDC dc, const RECT& band) {}
    virtual void FreeMenuBar() {}

    // ---- input and menus
    // Non-client mouse messages, WM_SYSCOMMAND with SC_KEYMENU, CM_DIALOGCHAR,
    // SKM_MENUBARNEXT, WM_MEASUREITEM and WM_DRAWITEM of menus. True when the
    // message was handled (its Result set); false passes it on.
    virtual bool HandleMessage(TMessage& m) { return false; }
    // Every 250 ms while the window is active.
    virtual void HoverTick() {}
    // The hover timer stopped: drop any pending caption-button hint.
    virtual void HoverStopped() {}
    // The form's popup menus (with xcPopupMenu) and main menus (with
    // xcMenuItem) drawn by the skin (on) or given back (off).
    virtual void SetPopupMenusOwnerDrawn(bool on) {}
    virtual void SetMainMenusOwnerDrawn(bool on) {}
    // Frees the skin's own system menu.
    virtual void FreeSystemMenu() {}
    // A frame paint ended: no caption object is hot any more.
    virtual void FramePainted() {}
};

using TFormChromeFactory = std::unique_ptr<TFormChrome> (*)(TWinSkinForm& formSkinner);

// Installs the factory (nullptr: form skinners run without chrome).
void SetFormChromeFactory(TFormChromeFactory factory);
TFormChromeFactory FormChromeFactory();

} // namespace tf
