// TSkinControl: the base of every control skinner, the small companion that
// intercepts one control's messages, lets the control do its own work where
// that is harmless, and paints the control's face, frame or parts from the
// skin. The families derive from it (SkinButton.h, SkinScrollbar.h, ...);
// the class tables (ControlSkinning.h) choose and attach them.
//
// A skinner is attached either to a control object (Attach: it replaces the
// control's WindowProc and is owned by the control) or to a bare window
// (AttachWindow: it replaces GWL_WNDPROC through a thunk and is owned by the
// form skinner). From attach until destruction it is in its form skinner's
// list. SKM_SKINENABLE switches it off and on without detaching; while off,
// every message goes straight to the previous handler. Destruction puts back
// exactly what attaching replaced. Skinners read the skin's elements when
// they paint and never keep them across a skin change.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/controls/Messages.h"
#include "framework/controls/WndProcThunk.h"
#include "framework/core/Component.h"
#include "framework/graphics/Color.h"
#include "skin/controls/ControlProperties.h"
#include "skin/controls/HotItem.h"
#include "skin/controls/SkinnerHost.h"
#include "skin/window/ControlSkinnerLink.h"
#include "skin/window/SkinMessages.h"

namespace tf {

class TBitmap;
class TCanvas;
class TControl;
class TSkinData;

// MouseFlags bits.
constexpr uint8_t mfHot = 1, mfPressed = 2;

// What a family paints, and so how the base routes WM_PAINT, WM_PRINTCLIENT,
// WM_PRINT and WM_ERASEBKGND for it: each once, through an off-screen buffer
// over the area to paint, copied to the window in one step.
enum class TPaintKind {
    // The family routes its paint messages itself.
    Custom,
    // The whole control: its own painting and erasing never run.
    Whole,
    // Over the control's own painting: the control erases and paints into
    // the buffer, the skin goes on top there.
    Over,
};
// "Custom", "Whole", "Over".
const char* PaintKindName(TPaintKind kind);

class TSkinControl : public TComponent, public TControlSkinnerLink {
    TF_CLASS(TSkinControl)
public:
    explicit TSkinControl(TComponent* owner);
    // Puts back the control's WindowProc or the window's procedure, and
    // leaves the form skinner's list.
    ~TSkinControl() override;

    // ------------------------------------------------------------ virtual operations
    // Skins the owner control: its WindowProc is replaced and, with setColor,
    // its Color becomes the skin's face colour. Nothing when attached already.
    virtual void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas);
    // Skins a bare window by replacing its window procedure.
    virtual void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas);
    // Skinning off: messages pass straight on, the control's colour returns.
    // The handler stays installed until the skinner is destroyed.
    virtual void Unskin();
    // First look at a message; true passes it on and then calls AfterMessage.
    virtual bool BeforeMessage(TMessage& m);
    virtual void AfterMessage(TMessage& m);
    // Paints now into dc, or into the window's whole-window DC when dc is 0.
    virtual void PaintControl(HDC dc);
    // Draws into dc at rect (the window rectangle at the origin).
    virtual void DrawControl(HDC dc, const RECT& rect);
    // What the family paints now (a family may paint only while the skin
    // has its element, and leave the control its own look otherwise).
    virtual TPaintKind PaintKind() const { return TPaintKind::Custom; }
    // The skin was replaced: colours again, repaint.
    void SkinChanged() override;

    // ------------------------------------------------------------ the link
    TSkinnerState SkinnerState() const override { return FState; }
    HWND SkinnedWindow() const override { return FHandle; }
    // False when the control was subclassed again after the skinner: it
    // unskins, leaves its list and passes every message on. A bare window
    // subclassed again is unskinned and may be freed: its procedure stays
    // behind passing messages on.
    bool Release() override;

    // ------------------------------------------------------------ routing and helpers
    // The replacement message handler.
    void SkinWndProc(TMessage& m);
    // Hands a message to the previous handler. False when a handler it
    // reached freed the skinner (a click's handler freeing the form): the
    // caller returns at once and touches nothing of the skinner. The base
    // routing never calls AfterMessage then.
    bool CallDefault(TMessage& m);
    // Invalidates the repaint target, or the whole window (erased) and
    // updates it. Inside a message that the skinner's window got while
    // handling another one (WM_ENABLE inside the framework's enabled
    // change), the update waits for the outer message: one paint for both.
    void Refresh();
    void FillFace(HDC dc, const RECT& rect);
    void FillControlColor(HDC dc, const RECT& rect);
    static void FillSolid(HDC dc, const RECT& rect, TColor color);
    // The control's published integer Color, or def.
    TColor ControlColor(TColor def);
    LONG WindowLong(HWND window, int index) const;
    // A focus rectangle around WindowText as laid out with format in rect.
    void DrawTextFocus(HDC dc, UINT format, const RECT& rect);
    // Runs the control's own left-button mouse-down handling for m.
    void ForwardMouseDown(const TMessage& m);
    // The skin's face colour (ButtonFace).
    TColor FaceColor() const;
    // A failure while painting: the skinner switches itself off so that the
    // control paints itself from then on, and the failure is reported once.
    void ReportFailure(const char* what);

    // ------------------------------------------------------------ state
    // The item the mouse is over (0: the control), -1 for none.
    int HotItem() const { return FHover.Index(); }
    // Passes through the paint path so far (tests count them).
    int PaintPasses() const { return FPaintPasses; }
    bool Active() const { return FActive; }
    bool Attached() const { return FAttached; }
    // Whether attaching replaced the control's Color.
    bool SetsColor() const { return FSetColor; }
    int Mode() const { return FMode; }
    void SetMode(int mode) { FMode = mode; }
    uint8_t MouseFlags() const { return FMouseFlags; }
    const std::wstring& WindowText() const { return FWindowText; }
    void SetWindowText(const std::wstring& text) { FWindowText = text; }
    HWND Handle() const { return FHandle; }
    TControl* Control() const { return FControl; }
    TSkinnerHost* Form() const { return FForm; }
    TSkinData* SkinData() const { return FSkinData; }

protected:
    // Active changed through SKM_SKINENABLE (families with windows of their
    // own hide or show them).
    virtual void ActiveChanged() {}
    void SetHot(bool on) { on ? FMouseFlags |= mfHot : FMouseFlags &= static_cast<uint8_t>(~mfHot); }
    void SetPressed(bool on) { on ? FMouseFlags |= mfPressed : FMouseFlags &= static_cast<uint8_t>(~mfPressed); }
    bool Hot() const { return FMouseFlags & mfHot; }
    bool Pressed() const { return FMouseFlags & mfPressed; }
    // Enabled and Focused from the window, as the families refresh them.
    void ReadWindowState();

    // Hover. A family that shows a hot look says so (TracksHover) and which
    // of its items a point is over (0: the control itself, -1: none); the
    // base follows the mouse (moves with a leave request, the leave, and the
    // framework's enter and leave notifications for controls without a
    // window of their own), keeps the hot bit of MouseFlags, and calls
    // HotChanged once per change, before the family's AfterMessage.
    virtual bool TracksHover() const { return false; }
    virtual int HotItemAt(POINT) const { return 0; }
    // The hot item changed: repaint.
    virtual void HotChanged() { Refresh(); }
    // Forget the hot item without repainting (a skin change, a new window).
    void ResetHover();
    void Register();
    // Saves the control's Color and gives it the skin's face colour.
    void ReplaceColor();
    // Puts back the control's Color that attaching replaced (SetColor).
    void RestoreColor();
    // Active on a control or window that is not being destroyed. The form
    // skinner frees its skinners without Unskin: a skinner that changed its
    // control switches off in its destructor while this holds.
    bool SkinsLivingControl() const;

    uint8_t FMouseFlags = 0;
    TCanvas* FCanvas = nullptr;
    bool FEnabled = false;
    bool FFocused = false;
    std::wstring FWindowText;
    TWndProcThunk FWndProcThunk;
    WNDPROC FOldWndProc = nullptr;
    bool FActive = true;
    bool FPaintFailed = false;   // off after a failed paint, until a new skin
    bool FIsUnicode = false;
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    TWndMethod FOldWindowProc;
    TControl* FControl = nullptr;
    RECT FWindowRect{0, 0, 0, 0};
    TControl* FRepaintTarget = nullptr;
    bool FSetColor = false;
    TColor FSavedColor = 0;
    bool FSavedParentColor = false;
    bool FAttached = false;
    TSkinnerState FState = TSkinnerState::Created;
    TSkinnerHost* FForm = nullptr;
    int FMode = 0;

private:
    // Whether the skinner's handler is still the one the control or window calls first.
    bool HandlerOnTop() const;
    // The paint messages of a family that is not Custom; true when m was one.
    bool RoutePaint(TMessage& m);
    // One paint pass: area of target through an off-screen buffer; whole is
    // the window rectangle at the origin. False when a handler the control's
    // own painting reached freed the skinner.
    bool PaintPass(HDC target, const RECT& area, const RECT& whole);
    // WM_PRINT: the whole window, then its child windows when asked.
    void PrintWindowTo(HDC dc, LPARAM flags);
    // The mouse messages of a family that tracks hover.
    void TrackHover(const TMessage& m);
    // SkinWndProc's routing of one message.
    void RouteMessage(TMessage& m);
    // The window now, or at the end of the outermost message being handled.
    void UpdateNow();
    int FMessageDepth = 0;
    bool FUpdatePending = false;

    THotItem FHover;
    int FPaintPasses = 0;
    bool FReleased = false;
};

// ------------------------------------------------------------ shared routines

// The window's text as wide text (the wide call on the NT family).
std::wstring GetWindowTextWide(HWND window);
// Dest takes source's size and pixel format and a copy of its pixels.
void CopyBitmap(TBitmap& source, TBitmap& dest);
// The glyph embossed as disabled: its black pixels in the button highlight
// colour one pixel down and right, then in the button shadow colour, on the
// button face colour. The same size and pixel format as the glyph.
std::unique_ptr<TBitmap> MakeDisabledGlyph(TBitmap& glyph);
// A pop-up window or a child of the desktop's special parent (drop-down lists).
bool IsPopupOrDesktopChild(HWND window);
// A window's class name (at most 100 characters) in lower case.
std::string WindowClassLower(HWND window);

} // namespace tf
