// TWScrollbar: the bar overlay, a small window laid exactly over one visible
// scroll bar (a window's built-in horizontal or vertical bar, or a scroll bar
// control) that paints the skin there and hands every press to the real bar,
// so that the system's own scrolling (tracking, auto-repeat) runs. The part
// the system is scrolling lights up through HotPart, which the skinners copy
// from the scroll requests the target receives.
//
// The overlay is a sibling of the target, directly above it in z-order; it
// is owned by the skinner that made it and freed with it.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/controls/GraphicControl.h"
#include "skin/controls/HotItem.h"

namespace tf {

class TSkinControl;

// BarKind values.
namespace ScrollBarKind {
constexpr int WindowHorz = 0, WindowVert = 1, Control = 2;
}

class TWScrollbar : public TCustomControl {
    TF_CLASS(TWScrollbar)
public:
    explicit TWScrollbar(TComponent* owner);
    ~TWScrollbar() override;

    // Lays the overlay over a control's bar (kind 0 or 1), or over a scroll
    // bar control (kind 2: its "Kind" property tells the direction).
    void AttachToControl(TSkinControl* skinOwner, TControl* control, int barKind);
    // The same for a window without control object.
    void AttachToWindow(TSkinControl* skinOwner, HWND window, int barKind);
    void HideBar();
    // Follows the real bar: hidden when it is, else placed over it.
    void UpdatePosition();
    // The bar as the system (or, for kind 2, the control) reports it, in
    // screen coordinates with the thumb relative to the bar's start.
    bool BarInfo(SCROLLBARINFO& info);
    // The part at a point of the overlay.
    int HitTest(POINT p) const;

    bool Vertical() const { return FVertical != 0; }
    bool Pressed() const { return FPressed; }
    bool Shown() const { return FShown; }
    int HotPart() const { return FHot.Index(); }
    void SetHotPart(int part) { FHot.Set(part); }
    int BarKind() const { return FBarKind; }
    int ArrowSize() const { return FArrowSize; }
    int BarLength() const { return FBarLength; }
    int ThumbStart() const { return FThumbStart; }
    int ThumbEnd() const { return FThumbEnd; }
    const RECT& BarRect() const { return FBarRect; }
    HWND TargetWindow() const { return FTargetWindow; }

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;

private:
    void Attach(TSkinControl* skinOwner, HWND window, TControl* control, int barKind);
    void MouseDownOnBar(TMessage& m);
    void MouseUpOnBar(TMessage& m);
    void Paint(HDC dc);

    int FVertical = 1;
    bool FPressed = false;
    int FBarLength = 0;
    int FThumbStart = 0;
    int FThumbEnd = 0;
    POINT FScreenOrigin{0, 0};
    POINT FDragCursor{0, 0};
    int FDragThumbStart = 0;
    THotItem FHot;   // the part the mouse is over
    int FArrowSize = 0;
    HWND FTargetWindow = nullptr;
    TControl* FTargetControl = nullptr;
    TSkinControl* FSkinOwner = nullptr;
    int FBarKind = ScrollBarKind::WindowVert;
    RECT FBarRect{0, 0, 0, 0};
    bool FShown = false;
};

} // namespace tf
