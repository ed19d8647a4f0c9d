#include "skin/draw/ParentBackground.h"

#include "framework/controls/Controls.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

namespace {

// send(msg, wParam) has the parent handle a message.
template <class Send>
void PaintUnder(Send send, POINT position, const RECT& clientRect, HDC dc, bool designing)
{
    RECT r = clientRect;
    ::OffsetRect(&r, position.x, position.y);
    TSavedDC saved(dc);
    ::OffsetViewportOrgEx(dc, -position.x, -position.y, nullptr);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    const WPARAM w = reinterpret_cast<WPARAM>(dc);
    if (!designing) {
        send(WM_ERASEBKGND, w);
        send(WM_PAINT, w);
        return;
    }
    try {
        send(WM_ERASEBKGND, w);
        send(WM_PAINT, w);
    } catch (...) {
        // At design time a parent that cannot paint leaves the background as it is.
    }
}

} // namespace

void PaintParentBackground(TControl* control, HDC dc)
{
    if (!control || !dc) return;
    TWinControl* parent = control->Parent();
    if (!parent) return;
    PaintUnder([parent](UINT msg, WPARAM w) { parent->Perform(msg, w, 0); }, POINT{control->Left(), control->Top()},
               control->ClientRect(), dc, control->HasState(csDesigning));
}

void PaintParentBackground(HWND control, HDC dc)
{
    HWND parent = ::GetParent(control);
    if (!parent || !dc) return;
    RECT window{}, client{};
    ::GetWindowRect(control, &window);
    ::GetClientRect(control, &client);
    POINT position{window.left, window.top};
    ::ScreenToClient(parent, &position);
    PaintUnder([parent](UINT msg, WPARAM w) { ::SendMessageA(parent, msg, w, 0); }, position, client, dc, false);
}

} // namespace tf
