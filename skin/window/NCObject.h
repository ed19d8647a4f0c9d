// TNCObject: a hit object of a skinned frame's non-client area, a caption
// button (WinSysButton.h) or a menu-bar item (MenuBtn.h). It owns the hot
// tracking and pressing shared by both: the chrome keeps which object is hot
// (under the mouse), and each object keeps its draw state and repaints
// itself when it changes.
#pragma once
#include "framework/core/Object.h"
#include "skin/window/FrameLayout.h"

namespace tf {

class TSkinChrome;

namespace NCState {
constexpr int Normal = 1, Pressed = 2, Hot = 3;
}

class TNCObject : public TObject {
public:
    explicit TNCObject(TSkinChrome& chrome) : chrome(chrome) {}
    // Stops being the chrome's hot or pressed object.
    ~TNCObject() override;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    // Another hot object leaves first; a visible object becomes hot and pressed.
    virtual void MouseDown();
    // A visible object shows hot again.
    virtual void MouseUp();
    // Nothing when already hot; another hot object leaves first; a visible
    // object becomes hot.
    virtual void MouseEnter();
    // A visible object stops being hot, shows normal and hides the caption hint.
    virtual void MouseLeave();
    // Repaints the object on the window in its draw state.
    virtual void Draw() {}

    bool Contains(int x, int y) const
    {
        return x >= bounds.Left && x < bounds.Right && y >= bounds.Top && y < bounds.Bottom;
    }

    frame::TBox bounds;   // frame coordinates
    bool visible = true;
    int drawState = NCState::Normal;
    bool enabled = true;

protected:
    TSkinChrome& chrome;
};

} // namespace tf
