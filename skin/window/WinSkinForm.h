// TWinSkinForm: the skinner of one top-level window (a framework form, a
// dialog box "#32770", a message box form, an MDI frame or an MDI child),
// made, kept and freed by the skin manager (SkinManage.h).
//
// Attached, it replaces the window procedure, takes the non-client area from
// the system (size, hit testing, painting, activation), shapes the window
// with a region cut from the skin's frame borders, resizes the window so that
// its client area keeps its size inside the skin's frame, and hands the
// window's controls to the control skinners (ControlSkinnerLink.h). The frame
// is skinned only when the skin data's SkinControls holds xcMainMenu (for an
// MDI child, also only without xoMDIChildBorder); otherwise the skinner still
// subclasses the window and skins its controls, and the system keeps the
// frame. Detaching gives back exactly what was replaced: window procedure,
// form message hook, menu, colour, size and region, the form's AutoScroll,
// and what it changed in the skin data (the system-menu kind on the Windows
// 95 family, an MDI frame's MenuUpdate).
//
// Lifetime: owned by the form when there is one (else by the manager's
// list); it leaves the manager's list when destroyed. Once its window is
// destroyed it restores the procedure and waits in WindowDestroyed until the
// manager frees it. User-interface thread only.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/controls/Messages.h"
#include "framework/controls/WndProcThunk.h"
#include "framework/core/Component.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/window/ControlSkinnerLink.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WindowColours.h"

namespace tf {

class TBitmap;
class TCanvas;
class TCustomForm;
class TFormChrome;
class TSkinData;
class TTimer;

// A form skinner's state, with the engine's own numbers: attached and
// waiting for its completion, running, re-applying a skin, detaching,
// fitting the window to the skin, or its window destroyed.
enum class TFormSkinState : int { Attached = 0, Running = 1, Reapplying = 3, Detaching = 4, Fitting = 5, WindowDestroyed = 6 };
// "Attached", "Running", "Reapplying", "Detaching", "Fitting",
// "WindowDestroyed" ("Unknown" else).
const char* FormSkinStateName(TFormSkinState state);
// formKind values.
namespace FormKind {
constexpr int Ordinary = 0, MDIFrame = 1, MDIChild = 2;
}
// frameKind values.
namespace FrameKind {
constexpr int Sizeable = 0, Fixed = 1, NoCaption = 2, Dialog = 3;
}
// buttonMask bits.
namespace CaptionBox {
constexpr int Maximize = 1, Minimize = 2, ContextHelp = 4, SystemMenu = 8, KeepSysMenu = 16;
}
// windowState values.
namespace FrameWindowState {
constexpr int Normal = 0, Maximized = 1, Minimized = 2;
}

class TWinSkinForm : public TComponent {
    TF_CLASS(TWinSkinForm)
public:
    explicit TWinSkinForm(TComponent* owner);
    ~TWinSkinForm() override;

    // ------------------------------------------------------------ attaching
    // The window to skin and its class name, before attaching.
    void SetWindow(HWND window, const std::string& className);
    // Takes over a framework form's window (SetWindow first).
    void AttachToForm(TSkinData* data, TCustomForm* form);
    // Takes over any window; nothing when already attached.
    void AttachToWindow(TSkinData* data);
    // Skinning switched off while the window lives: restores everything and
    // resizes the window so that its client area keeps its size under the
    // system frame. The manager invalidates and updates the window after.
    void Detach();
    // The window is being destroyed or the manager goes: procedures and hooks
    // restored, control skinners freed, nothing resized or repainted; a form
    // that is not itself being destroyed gets its colour back.
    void DetachForShutdown();

    // ------------------------------------------------------------ skin changes
    // Border sizes from the skin's frame borders; caption buttons rebuilt.
    void ReloadFrameMetrics();
    // After a skin change: colours, control skinners, size and layout again.
    void ReapplySkin();
    void FreeCaptionButtons();
    // The manager's MDI-maximised state changed (MDI children only).
    void MDIMaximizedChanged(bool maximized);

    // ------------------------------------------------------------ geometry
    // Resizes the window so that the client area (remembered, or the current
    // one when keepCurrentClient) fits inside the skin's frame; dialog boxes
    // grow to show their caption text. A maximised window only gets
    // RefreshFrame.
    void FitWindowToSkin(bool keepCurrentClient);
    // Shapes the window with the region cut from the frame borders' images.
    void UpdateRegion();
    void RemoveRegion();
    // Recomputes the non-client area (SWP_FRAMECHANGED), nothing else.
    void RefreshFrame();
    // Takes WS_SYSMENU away (remove) or puts it back, unless the style must
    // keep it.
    void SetSysMenuStyle(bool remove);

    // ------------------------------------------------------------ painting
    // Paints the whole non-client area into dc, or into the window's own
    // window DC when dc is null. Nothing before the skin was applied, for a
    // window without caption and for a maximised MDI child.
    void PaintFrame(HDC dc);
    // Border piece 1 left, 2 right, 3 top, 4 bottom drawn at rect into dc
    // (active or inactive frame by the window's state).
    void DrawBorderPiece(int index, const RECT& rect, HDC dc);
    // The window's small icon on magenta (remade after WM_SETICON).
    void BuildIconBitmap();
    // The icon of icon caption buttons: the application's icon at (8, centre
    // of the caption text), else the window icon into rect.
    void DrawCaptionIcon(HDC dc, const RECT& rect);

    // ------------------------------------------------------------ for the control skinners
    TControlSkinnerList& ControlSkinners() { return controlSkinners; }
    // The canvas lent to the control skinners for drawing.
    TCanvas* ControlCanvas() const { return controlCanvas.get(); }
    TSkinData* SkinData() const { return skinData; }
    HWND Window() const { return window; }
    // The framework form, or nullptr for a bare window.
    TCustomForm* Form() const { return form; }
    // The control class table over the form's controls, its popup menus, and
    // again over its windowed controls in tab order.
    void SkinFormControls(TCustomForm* form);
    // The window-class table over every child window with WS_CHILD.
    void SkinChildWindows(HWND window);
    void SkinChildWindow(HWND child);

    // ------------------------------------------------------------ state
    TFormSkinState SkinState() const { return skinState; }
    bool Destroyed() const { return skinState == TFormSkinState::WindowDestroyed; }
    bool FrameSkinned() const { return frameSkinned; }
    bool Attached() const { return static_cast<bool>(wndProcThunk); }
    int FormKindValue() const { return formKind; }
    int FrameKindValue() const { return frameKind; }
    int ButtonMask() const { return buttonMask; }
    int WindowStateValue() const { return windowState; }
    bool ActiveLook() const { return active; }
    bool IsDialog() const { return isDialog; }
    // Whether the skinner paints its frame now: off only while the form
    // handles a menu change.
    bool FramePaintOn() const { return framePaint; }
    bool RightToLeft() const { return rightToLeft; }
    const std::string& WindowClassName() const { return className; }
    // The skin frame: side border widths, caption band and bottom border
    // heights, and the menu band under the caption.
    int BorderLeft() const { return borderLeft; }
    int BorderTop() const { return borderTop; }
    int BorderRight() const { return borderRight; }
    int BorderBottom() const { return borderBottom; }
    int MenuBarHeight() const { return menuBarHeight; }
    // Where the caption text background and the text were drawn (frame
    // coordinates) at the last paint.
    const RECT& CaptionBackRect() const { return captionBackRect; }
    const RECT& CaptionTextRect() const { return captionTextRect; }
    int CaptionTextWidth() const { return captionTextWidth; }
    HMENU SystemMenu() const { return systemMenu; }
    HWND MDIClient() const { return mdiClient; }
    TFormChrome* Chrome() const { return chrome.get(); }

    // ------------------------------------------------------------ for the chrome
    // The window icon on magenta (BuildIconBitmap).
    TBitmap* IconBitmap() const { return iconBitmap.get(); }
    // Stops hot tracking before the window closes.
    void StopHoverTimer() { SetHoverTimer(false); }
    // The form's own handling of a message that the form message hook takes
    // first (the framework's handler); nothing for a bare window.
    void CallPreviousFormHook(TMessage& m)
    {
        if (oldFormHook) oldFormHook(m);
    }

private:
    // Window procedures (WinSkinFormProc.cpp).
    void SkinWndProc(TMessage& m);
    bool Stage1(TMessage& m);
    bool Stage2(TMessage& m);
    void Stage3(TMessage& m);
    void FormMessageHook(TMessage& m);
    void MDIClientProc(TMessage& m);
    // Hands a message to the window's previous procedure. False when a
    // handler it reached freed this skinner (a command or close that frees
    // the form): the caller returns at once and touches nothing of it.
    bool PassOn(TMessage& m);
    void FormSkinned();
    void AfterSkin();
    void SetSkinState(TFormSkinState value);
    void HandleNcActivate(TMessage& m);
    void HandleSize(TMessage& m);
    void HandleMenuChanged(TMessage& m);
    void HandleNcPaint(TMessage& m);
    void HoverTimerTick(TObject* sender);
    void SetHoverTimer(bool on);

    // Geometry (WinSkinFormGeometry.cpp).
    void HandleNcCalcSize(TMessage& m);
    void HandleNcHitTest(TMessage& m);
    void ReadWindowState();
    void GrowDialogForCaption(int& width);

    // Painting (FramePaint.cpp).
    void PaintCaption(HDC dc, int width, int height);
    void DrawTitleText(TCanvas& canvas, const RECT& area);
    void PaintMenuBand(HDC dc, const RECT& band);
    std::wstring WindowTextWide() const;
    std::wstring CaptionText() const { return captionPrefix + WindowTextWide() + captionSuffix; }
    void ReportPaintFailure(const char* what);

    // Attach and detach helpers (WinSkinForm.cpp).
    void ReadWindowFacts();
    void RestoreFormColor();
    // Gives back what attaching changed on the form and the skin data: the
    // form's AutoScroll, the system-menu kind and MenuUpdate.
    void RestoreSettings();
    void RestoreWindowProcs();
    void RestoreMDIClientProc();
    void PutMenuBack();
    void RestoreNormalSize();
    void DetachUnskinnedFrame(bool destroying);

    TWndMethod oldFormHook;
    WNDPROC oldWndProc = nullptr;
    TWndProcThunk wndProcThunk;
    WNDPROC mdiClientOldProc = nullptr;
    TWndProcThunk mdiClientThunk;
    TFontHandle captionFont;
    std::unique_ptr<TTimer> hoverTimer;
    std::wstring captionPrefix = L"  ";
    std::wstring captionSuffix = L" ";
    std::string className;
    RECT clientRect{0, 0, 0, 0};
    int captionTextWidth = 0;
    HWND ownerWindow = nullptr;
    int borderLeft = 0, borderTop = 0, borderRight = 0, borderBottom = 0;
    RECT windowRect{0, 0, 0, 0};
    int sysNcWidth = 0, sysNcHeight = 0;
    int menuBarHeight = 0;
    bool active = true;
    bool rightToLeft = false;
    bool resizable = false;
    bool unicodeWindow = false;
    bool isDialog = false;
    bool isChild = false;
    HWND mdiClient = nullptr;
    HMENU menuHandle = nullptr;   // the window's menu at attach; the one the menu band shows
    bool menuTakenOff = false;    // the skinner took menuHandle off the window
    bool savedMenuUpdate = true;  // MDI frame: the skin data's MenuUpdate at attach
    bool menuUpdateTaken = false; // MDI frame: the skinner switched MenuUpdate off
    bool systemMenuKindTaken = false;   // the skinner took xcSystemMenu out of SkinControls
    int64_t savedAutoScroll = 0;  // the form's AutoScroll before skinning
    bool autoScrollReplaced = false;
    HMENU systemMenu = nullptr;
    TColor savedColor = 0;
    bool colorReplaced = false;
    TWindowColours windowColours;   // the skin's window colour on edits, lists and views
    LONG style = 0;
    bool regionOwned = false;     // the window wears a region the skinner set
    TCustomForm* form = nullptr;
    HWND window = nullptr;
    std::unique_ptr<TCanvas> captionCanvas;
    std::unique_ptr<TCanvas> controlCanvas;
    TSkinData* skinData = nullptr;
    std::unique_ptr<TFormChrome> chrome;   // caption buttons, menu bar, menus
    std::unique_ptr<TBitmap> iconBitmap;
    std::unique_ptr<TBitmap> captionBuffer;
    TControlSkinnerList controlSkinners;
    int regionWidth = 0, regionHeight = 0;
    bool fitted = false;          // the skin resized the window (detaching gives the system size back)
    bool frameSkinned = false;
    uint8_t formKind = FormKind::Ordinary;
    uint8_t frameKind = FrameKind::Sizeable;
    uint8_t buttonMask = 0;
    uint8_t windowState = FrameWindowState::Normal;
    TFormSkinState skinState = TFormSkinState::Attached;

    // Frame painting.
    int lastPaintWidth = 0, lastPaintHeight = 0;
    int rightButtonsExtent = 0;
    RECT captionBackRect{0, 0, 0, 0};
    RECT captionTextRect{0, 0, 0, 0};
    int iconSize = 0;
    bool paintFailed = false;   // painting threw: the system paints the frame from then on
    bool framePaint = true;     // muted while the form handles a menu change
};

} // namespace tf
