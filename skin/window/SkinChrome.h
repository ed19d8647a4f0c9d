// TSkinChrome: the caption buttons, the menu bar and the skin's own menus of
// one skinned frame, made for every form skinner through the factory that
// the skin engine installs. It owns the caption buttons (TWinSysButton)
// and the menu-bar skinner (TWinSkinMenu), runs the mouse on the frame, hot
// tracking and the caption hint, the skin's system menu, the menu bar's
// drop-downs and keyboard access, and the owner drawing of the window's menus
// (OwnerDrawMenus.h) with the skin's item events (TSkinMenuPainter). Whatever
// it changes on menus it records and gives back when skinning stops or the
// chrome goes.
//
// Lifetime: owned by its form skinner. User-interface thread only.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "skin/window/CaptionHint.h"
#include "skin/window/FormChrome.h"
#include "skin/window/FrameLayout.h"
#include "skin/window/OwnerDrawMenus.h"

namespace tf {

class TMenuBtn;
class TNCObject;
class TWinSkinForm;
class TWinSkinMenu;
class TWinSysButton;

class TSkinChrome final : public TSkinMenuPainter, public TFormChrome {
public:
    explicit TSkinChrome(TWinSkinForm& formSkinner);
    ~TSkinChrome() override;
    TSkinChrome(const TSkinChrome&) = delete;
    TSkinChrome& operator=(const TSkinChrome&) = delete;

    // ------------------------------------------------------------ TFormChrome
    void RebuildCaptionButtons() override;
    void FreeCaptionButtons() override;
    int RightButtonsExtent() override;
    void DrawCaptionButtons(HDC caption) override;
    void CreateMenuBar(HMENU menu) override;
    void MenuChanged(HMENU menu) override;
    void DrawMenuBarItems(HDC dc, const RECT& band) override;
    void FreeMenuBar() override;
    bool HandleMessage(TMessage& m) override;
    void HoverTick() override;
    void HoverStopped() override;
    void SetPopupMenusOwnerDrawn(bool on) override;
    void SetMainMenusOwnerDrawn(bool on) override;
    void FreeSystemMenu() override;
    void FramePainted() override;

    // ------------------------------------------------------------ state
    TWinSkinForm& Form() const { return form; }
    TSkinData* SkinData() const;
    HWND Window() const;
    // The caption button or menu-bar item under the mouse.
    TNCObject* HotObject() const { return hotObject; }
    void SetHotObject(TNCObject* object) { hotObject = object; }
    // Hides the caption hint and restarts its time.
    void HideCaptionHint();
    // The caption hint of this frame: its rest time and whether it shows.
    const TCaptionHint& CaptionHint() const { return captionHint; }
    // An object that goes stops being hot or pressed.
    void ForgetObject(TNCObject* object);
    TWinSkinMenu* MenuBar() const { return menuBar.get(); }
    int CaptionButtonCount() const { return static_cast<int>(sysButtons.size()); }
    TWinSysButton* CaptionButton(int index) const { return sysButtons.at(static_cast<size_t>(index)).get(); }
    TPopupMenu* SystemMenuPopup() const { return sysMenuPopup.get(); }
    // A menu-bar drop-down is being tracked (by any window).
    static bool Tracking();

    // ------------------------------------------------------------ caption buttons (SkinChrome.cpp)
    // Visibility and enabled state from the window, for every button.
    void UpdateButtonStates();
    // The first visible button with an action >= 0 and an image whose bounds
    // hold the frame point.
    TWinSysButton* CaptionButtonAt(POINT frame);
    // The cursor in frame coordinates.
    POINT CursorInFrame() const;
    POINT ScreenToFrame(POINT screen) const;
    RECT FrameToScreen(const frame::TBox& box) const;

    // Operations that run a menu's modal loop answer false when the chrome
    // went meanwhile (its window or form was freed from inside the loop):
    // the caller must then touch nothing of it.

    // ------------------------------------------------------------ mouse and actions (CaptionInput.cpp)
    bool CaptionButtonAction(POINT screen);
    void ToggleMaximize();
    void ToggleMinimize();
    void RestoreWindow();
    void SendToActiveChild(UINT command);

    // ------------------------------------------------------------ system menu (SkinSystemMenu.cpp)
    // Nothing while another menu of the skin is tracked.
    bool ShowSystemMenu(POINT screen);
    void BuildSystemMenuPopup();

    // ------------------------------------------------------------ menu bar (MenuBarTracking.cpp)
    // Moving on to other bar items while open; the item opened last shows
    // normal again when the drop-downs closed.
    bool OpenMenuBarItem(TMenuBtn* item);
    void ClickMenuBarItem(TMenuBtn* item);
    TMenuBtn* FindAccelItem(unsigned key);

protected:
    TSkinData* SkinDataForItems() const override { return SkinData(); }

private:
    bool HandleMouse(TMessage& m);
    bool NcMouseMove(TMessage& m);
    bool NcLButtonDown(TMessage& m);
    bool NcLButtonUp(TMessage& m);
    bool NcLButtonDblClk(TMessage& m);
    bool NcRButtonDown(TMessage& m);
    bool HandleKeyMenu(TMessage& m);
    bool HandleDialogChar(TMessage& m);
    bool HandleMenuBarNext(TMessage& m);
    bool HandleMeasureItem(TMessage& m);
    bool HandleDrawItem(TMessage& m);
    void SystemMenuClick(TObject* sender);
    void LegacySystemMenuClick(TObject* sender);
    TMenuItem* MainMenuItemByCommand(UINT command) const;
    void PostSysCommand(UINT command);
    void StopHover();

    TWinSkinForm& form;
    std::vector<std::unique_ptr<TWinSysButton>> sysButtons;
    std::unique_ptr<TWinSkinMenu> menuBar;
    std::unique_ptr<TPopupMenu> sysMenuPopup;
    std::unique_ptr<TOwnerDrawRecord> popupMenusDrawn;   // popup menus made owner-drawn
    std::unique_ptr<TOwnerDrawRecord> mainMenusDrawn;    // main menus made owner-drawn
    TNCObject* hotObject = nullptr;
    TNCObject* pressedObject = nullptr;   // pressed on the frame, not yet released
    DWORD lastSysMenuTick = 0;
    bool sysMenuShown = false;    // the skin's system menu was opened at least once
    DWORD dblClickTime = 0;
    TCaptionHint captionHint;
};

} // namespace tf
