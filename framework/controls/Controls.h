// TControl: the base of every visual control. A control has a parent (a
// TWinControl), bounds in its parent's client coordinates, visibility,
// enabled state, colour, font, text and cursor, and one replaceable message
// handler, WindowProc, through which every message reaches it.
//
// Message path: the window procedure (windowed controls) or Perform calls
// WindowProc afresh for each message; WindowProc defaults to the virtual
// WndProc, which handles what the class knows and hands the rest down to
// DefaultHandler (for a window: the native or default window procedure via
// CallWindowProcA). WindowProc can be saved, replaced and restored by plain
// assignment at any time, also while the window lives.
//
// A control belongs to its parent: destroying a windowed control destroys its
// window first (so everything hooked on it sees WM_NCDESTROY), then its child
// controls, then the components it owns.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Component.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "Messages.h"

namespace tf {

class TWinControl;
class TCustomForm;
class TPopupMenu;

// ------------------------------------------------------------ shared types

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
extern const TEnumInfo MouseButtonInfo;

// Keyboard and mouse-button state of an input event.
using TShiftState = uint32_t;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;
TShiftState KeysToShiftState(WPARAM keys);          // MK_* flags of a mouse message
TShiftState KeyDataToShiftState(LPARAM keyData);    // key data of a key message
TShiftState KeyboardShiftState();                   // the keys held now

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;
using TKeyEvent = TEvent<TObject*, WORD&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char&>;

// Cursors: the standard ones are negative, crDefault lets the parent decide.
using TCursor = int32_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
// Registers the cursor names ("crHandPoint") for stored data; idempotent.
void RegisterCursorIdents();

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentInfo;
extern const TEnumInfo LeftRightInfo;   // taLeftJustify, taRightJustify

// Reading order of a control that supports right-to-left languages.
enum TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
extern const TEnumInfo BiDiModeInfo;
// The extended window styles of a mode: right-to-left reading, the scroll
// bar (or drop-down button) on the left, and right alignment.
DWORD BiDiExStyle(TBiDiMode mode);

// What a control class does (fixed per class).
using TControlStyle = uint32_t;
constexpr TControlStyle csAcceptsControls = 1u << 0;   // may parent other controls
constexpr TControlStyle csCaptureMouse = 1u << 1;      // captures the mouse while a button is down
constexpr TControlStyle csClickEvents = 1u << 2;       // a left press and release inside is a click
constexpr TControlStyle csOpaque = 1u << 3;            // paints all of itself
constexpr TControlStyle csDoubleClicks = 1u << 4;      // double clicks are reported
constexpr TControlStyle csNativePaint = 1u << 5;       // a native window that paints itself

// What a control is doing now.
using TControlState = uint32_t;
constexpr TControlState csLButtonDown = 1u << 0;
constexpr TControlState csClicked = 1u << 1;
constexpr TControlState csCreating = 1u << 2;
constexpr TControlState csRecreating = 1u << 3;
constexpr TControlState csCustomPaint = 1u << 4;
constexpr TControlState csFocusing = 1u << 5;
constexpr TControlState csDestroyingHandle = 1u << 6;

// ------------------------------------------------------------ TControl

class TControl : public TComponent {
    TF_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The replaceable handler; defaults to WndProc of this control.
    TWndMethod WindowProc;
    // Calls WindowProc directly and answers the message's result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Calls WindowProc with a C++ exception boundary (the default error box).
    void MainWndProc(TMessage& m);

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
    void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
    void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
    void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    virtual RECT ClientRect();
    int ClientWidth() { return ClientRect().right; }
    int ClientHeight() { return ClientRect().bottom; }
    virtual void SetClientWidth(int v);
    virtual void SetClientHeight(int v);
    // Screen position of the client area's top-left corner.
    virtual POINT ClientOrigin();
    POINT ClientToScreen(POINT p);
    POINT ScreenToClient(POINT p);

    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a top-level window visible too.
    virtual bool Showing();
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);

    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* value);   // copies value
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    // The control's text (a caption or an edit's contents); a window holds
    // it while it exists.
    std::string Text();
    void SetText(const std::string& value);
    std::string Caption() { return Text(); }
    void SetCaption(const std::string& value) { SetText(value); }

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor value);
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle value) { FControlStyle = value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState value) { FControlState = value; }

    virtual void Invalidate();
    virtual void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    bool MouseCapture();
    void SetMouseCapture(bool value);

    // Input, as the messages are turned into events; the skin engine calls
    // Click and MouseDown on controls directly.
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    void Loaded() override;
    void Notification(TComponent* c, TOperation op) override;

    // The message handler of this class and its ancestors.
    virtual void WndProc(TMessage& m);
    // What happens to a message no handler took.
    virtual void DefaultHandler(TMessage& m);

protected:
    virtual void Resize();
    // Invalidates the control's area in its parent's window.
    void InvalidateControl(bool opaque);
    // The text of a control without a window.
    std::string FText;

private:
    void FontChanged(TObject* sender);
    void UpdateParentFont();
    void UpdateParentColor();
    void SendCancelMode();

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    bool FAdoptingFont = false;
    TCursor FCursor = crDefault;
    std::string FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TPopupMenu* FPopupMenu = nullptr;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
    TControlState FControlState = 0;

    friend class TWinControl;
};

// The control holding the mouse capture (a graphic control captures through
// its parent's window), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The form a control sits on (the control itself when it is a form), or null.
TCustomForm* GetParentForm(TControl* control);

} // namespace tf
