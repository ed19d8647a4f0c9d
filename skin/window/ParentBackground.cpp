#include "skin/window/ParentBackground.h"

namespace tf {

namespace {

// Restores a DC's saved state for a scope.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc) : FDC(dc), FState(::SaveDC(dc)) {}
    ~TSavedDC()
    {
        if (FState) ::RestoreDC(FDC, FState);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC FDC;
    int FState;
};

} // namespace

void PaintParentBackground(HWND parent, POINT position, const RECT& clientRect, HDC dc, bool designing)
{
    if (!parent || !dc) return;
    RECT r = clientRect;
    ::OffsetRect(&r, position.x, position.y);
    TSavedDC saved(dc);
    ::OffsetViewportOrgEx(dc, -position.x, -position.y, nullptr);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    const WPARAM w = reinterpret_cast<WPARAM>(dc);
    if (!designing) {
        ::SendMessageA(parent, WM_ERASEBKGND, w, 0);
        ::SendMessageA(parent, WM_PAINT, w, 0);
        return;
    }
    try {
        ::SendMessageA(parent, WM_ERASEBKGND, w, 0);
        ::SendMessageA(parent, WM_PAINT, w, 0);
    } catch (...) {
        // At design time a parent that cannot paint leaves the background as it is.
    }
}

void PaintParentBackground(HWND control, HDC dc)
{
    HWND parent = ::GetParent(control);
    if (!parent) return;
    RECT window{}, client{};
    ::GetWindowRect(control, &window);
    ::GetClientRect(control, &client);
    POINT position{window.left, window.top};
    ::ScreenToClient(parent, &position);
    PaintParentBackground(parent, position, client, dc, false);
}

} // namespace tf
