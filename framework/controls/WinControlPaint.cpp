#include "WinControl.h"

#include <algorithm>

#include "Application.h"
#include "ControlAtom.h"
#include "Forms.h"
#include "Screen.h"
#include "WndProcThunk.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

// ------------------------------------------------------------ geometry

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    if (FHandle && !IsIconic(FHandle)) {
        SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        // The window may refuse a size; UpdateBounds took what it has.
        return;
    }
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Resize();
}

void TWinControl::UpdateBounds()
{
    if (!FHandle || IsIconic(FHandle)) return;
    RECT r;
    if (!GetWindowRect(FHandle, &r)) return;
    if (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)
        if (HWND parent = GetParent(FHandle)) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    const bool resized = (r.right - r.left) != FWidth || (r.bottom - r.top) != FHeight;
    FLeft = r.left;
    FTop = r.top;
    FWidth = r.right - r.left;
    FHeight = r.bottom - r.top;
    if (resized) Resize();
}

RECT TWinControl::ClientRect()
{
    RECT r{0, 0, Width(), Height()};
    if (FHandle) GetClientRect(FHandle, &r);
    return r;
}

POINT TWinControl::ClientOrigin()
{
    if (!FHandle) return TControl::ClientOrigin();
    POINT p{0, 0};
    ::ClientToScreen(FHandle, &p);
    return p;
}

bool TWinControl::Showing() { return FHandle && IsWindowVisible(FHandle); }

void TWinControl::Invalidate()
{
    if (FHandle) InvalidateRect(FHandle, nullptr, (ControlStyle() & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update()
{
    if (FHandle) UpdateWindow(FHandle);
}

// ------------------------------------------------------------ painting

void TWinControl::PaintWindow(HDC dc)
{
    TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
    DefaultHandler(m);
}

void TWinControl::PaintHandler(TMessage& m)
{
    TPaintDCScope paint(FHandle, reinterpret_cast<HDC>(m.WParam));
    PaintWindow(paint.Get());
    PaintControls(paint.Get(), nullptr);
}

void TWinControl::PaintControls(HDC dc, TControl* first)
{
    const std::vector<TControl*> children = FControls;
    bool started = first == nullptr;
    for (TControl* c : children) {
        if (!started) {
            if (c != first) continue;
            started = true;
        }
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        const RECT r = c->BoundsRect();
        if (!RectVisible(dc, &r)) continue;
        const int saved = SaveDC(dc);
        POINT origin{0, 0};
        GetViewportOrgEx(dc, &origin);
        SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

} // namespace tf
