// TRxTrayIcon: a non-visual component that keeps an icon in the taskbar's
// notification area while it is active, turns the shell's mouse callbacks for
// that icon into events, opens its popup menu on a right click and puts the
// icon back when the taskbar is recreated. It can animate the icon by cycling
// through Icons; the frames are stepped by a timer on the user-interface
// thread, so nothing else ever touches the component.
//
// Clicks: a press and release of the left (or right) button on the icon
// raise OnClick, except that a right click with a popup menu opens the menu
// instead. A release whose press happened elsewhere raises only OnMouseUp.
// A double click raises OnClick once (for its first click), then clicks the
// menu's enabled default item, or raises OnDblClick when there is none.
//
// Stored data: "Icon" is the bytes of an icon file and "Icons" the icon
// list's stored form (see IconList.h); both are read and written by the
// component. While the component is loading nothing is added to the
// notification area; Loaded adds the icon once.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/controls/Controls.h"
#include "framework/controls/Messages.h"
#include "framework/core/Component.h"

namespace tf {

class TIcon;
class TIconList;
class TPopupMenu;
class TStream;
class TTimer;

// The shell's notify-icon record in its original form (88 bytes in a 32-bit
// program).
struct TNotifyIconData {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    char szTip[64];
};
static_assert(sizeof(TNotifyIconData) == NOTIFYICONDATAA_V1_SIZE, "the shell expects the original record");

// The message the shell sends to the hidden window for mouse events on the icon
// (lParam: the mouse message).
constexpr UINT WM_TRAYICONNOTIFY = 0xB054;

// The message Explorer broadcasts when the taskbar has been (re)created;
// registered once, at start-up.
UINT TaskbarCreatedMessage();

// Every call of the component to the shell goes through this pointer
// (Shell_NotifyIconA by default), so tests can watch or fake the shell.
using TShellNotifyIconProc = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);
extern TShellNotifyIconProc ShellNotifyIconProc;

// The tip text of a hint: its short part (before the first '|'), cut to at
// most 63 bytes without splitting a double-byte character.
std::string TrayTipText(const std::string& hint);

class TRxTrayIcon : public TComponent {
    TF_CLASS(TRxTrayIcon)
public:
    explicit TRxTrayIcon(TComponent* owner);
    ~TRxTrayIcon() override;

    // ---- published, in stored order
    // The icon is to be shown (outside design time). Default true.
    bool Active() const { return FActive; }
    void SetActive(bool value);
    // Mouse messages are turned into events. Default true.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    // Tip text; only TrayTipText(Hint) is shown.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value);
    // The icon shown when not animated (owned; the setter copies).
    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* value);
    // The frames of the animation (owned; the setter copies).
    TIconList* Icons() const { return FIcons.get(); }
    void SetIcons(TIconList* value);
    // Cycles through Icons; stays false while Icons is empty.
    bool Animated() const { return FAnimated; }
    void SetAnimated(bool value);
    // Milliseconds between animation frames. Default 150.
    uint16_t Interval() const { return FInterval; }
    void SetInterval(uint16_t value);
    // Shown on a right click; forgotten when the menu is destroyed.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    // Design time only: shows the icon while designing.
    bool ShowDesign() const { return FShowDesign; }
    void SetShowDesign(bool value);

    TMouseEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

    // ---- state
    // The hidden window that receives the shell's callbacks.
    HWND Handle() const { return FHandle; }
    // The icon is in the notification area now.
    bool Added() const { return FAdded; }
    // The animation frame (-1 until the animation first runs).
    int FrameIndex() const { return FFrameIndex; }
    // The Icons entry at the frame (clamped) while animated with frames,
    // else Icon. May be null (a missing list entry).
    TIcon* CurrentIcon() const;
    // The record last given to the shell.
    const TNotifyIconData& IconData() const { return FIconData; }

    // ---- operations
    // Puts the icon into the notification area (removing it first) when
    // there is a non-empty current icon.
    void AddIcon();
    void RemoveIcon();
    // Brings the shown icon and tip up to date; adds the icon when it should
    // be shown and is not (never while loading).
    void RefreshIcon();
    // A completed click: a right click opens the popup menu when it can,
    // anything else raises OnClick.
    void HandleClick(TMouseButton button, TShiftState shift, int x, int y);
    // Clicks the popup menu's first enabled default item, else raises OnDblClick.
    void HandleDoubleClick();
    // Shows the popup menu at a screen point and waits until it closes;
    // false (nothing shown) at design time, when not Active, without a menu
    // or when the menu's AutoPopup is off.
    bool OpenMenu(int x, int y);

    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;
    // "Icon": icon-file bytes (none empties the icon); "Icons": the icon
    // list's stored form. Bad data raises and changes nothing.
    bool ReadBinaryProperty(const std::string& name, TStream& data) override;
    // The writing side of the same properties; false for other names.
    bool WriteBinaryProperty(const std::string& name, TStream& data) const;

protected:
    void FillNotifyData();
    void WndProc(TMessage& m);
    void MouseCallback(UINT mouseMessage);

private:
    bool Notify(DWORD message);
    bool ShouldShow() const;
    void IconChanged(TObject* sender);
    void AnimationTick(TObject* sender);
    void UpdateAnimationTimer();
    void CancelFormCapture();

    HWND FHandle = nullptr;
    bool FActive = true;
    bool FAdded = false;
    bool FAnimated = false;
    bool FEnabled = true;
    uint8_t FClicked = 0;   // bit per TMouseButton pressed on the icon, not yet released
    int FFrameIndex = -1;
    uint16_t FInterval = 150;
    TNotifyIconData FIconData{};
    std::unique_ptr<TIcon> FIcon;
    std::unique_ptr<TIconList> FIcons;
    std::unique_ptr<TTimer> FTimer;
    std::string FHint;
    bool FShowDesign = false;
    TPopupMenu* FPopupMenu = nullptr;
};

// Registers the component so stored form data can create it.
void RegisterTrayClasses();

} // namespace tf
