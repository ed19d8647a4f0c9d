// The two overlays (horizontal and vertical) over a window's built-in scroll
// bars, as the skinners of such windows keep them: made together, moved,
// hidden, lit and freed together.
#pragma once
#include <windows.h>

namespace tf {

class TControl;
class TSkinControl;
class TWScrollbar;

class TBarPair {
public:
    TBarPair() = default;
    ~TBarPair() { Free(); }
    TBarPair(const TBarPair&) = delete;
    TBarPair& operator=(const TBarPair&) = delete;

    // Overlays owned by owner over the bars of a control (or, without one,
    // of a bare window).
    void Make(TSkinControl* owner, TControl* control, HWND window);
    void Free();
    // Both follow their bars.
    void Update();
    void Hide();
    void SetEnabled(bool enabled);
    // WM_HSCROLL / WM_VSCROLL: the part being scrolled lights up.
    void Scrolling(UINT msg, WPARAM wParam);
    void InvalidateShown();
    bool BothShown() const;

    TWScrollbar* Horz() const { return FHorz; }
    TWScrollbar* Vert() const { return FVert; }

private:
    TWScrollbar* FHorz = nullptr;
    TWScrollbar* FVert = nullptr;
};

} // namespace tf
