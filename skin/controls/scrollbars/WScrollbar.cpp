#include "skin/controls/scrollbars/WScrollbar.h"

#include <memory>

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/ControlProperties.h"
#include "skin/controls/scrollbars/ScrollGeometry.h"
#include "skin/controls/scrollbars/ScrollbarPaint.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/User32Entries.h"
#include "skin/window/PaintFailure.h"

namespace tf {

const TClassInfo& TWScrollbar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWScrollbar>("TWScrollbar", TCustomControl::StaticClass()).Build();
    return info;
}

TWScrollbar::TWScrollbar(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(csOpaque);
    SetVisible(false);
    FArrowSize = GetSystemMetrics(SM_CXHSCROLL);
}

TWScrollbar::~TWScrollbar()
{
    Destroying();
}

void TWScrollbar::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.Style &= ~static_cast<DWORD>(WS_TABSTOP);
    p.ExStyle = WS_EX_TOOLWINDOW;
}

void TWScrollbar::Attach(TSkinControl* skinOwner, HWND window, TControl* control, int barKind)
{
    FSkinOwner = skinOwner;
    FTargetWindow = window;
    FTargetControl = control;
    FBarKind = barKind;
    if (barKind == ScrollBarKind::Control)
        FVertical = ReadEnumLower(control, "Kind") == "sbhorizontal" ? 0 : 1;
    else
        FVertical = barKind;
    SetParentWindow(GetParent(window));
    UpdatePosition();
}

void TWScrollbar::AttachToControl(TSkinControl* skinOwner, TControl* control, int barKind)
{
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) return;
    SetColor(skinOwner->ControlColor(skinOwner->FaceColor()));
    Attach(skinOwner, win->Handle(), control, barKind);
}

void TWScrollbar::AttachToWindow(TSkinControl* skinOwner, HWND window, int barKind)
{
    Attach(skinOwner, window, nullptr, barKind);
}

void TWScrollbar::HideBar()
{
    if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
    FShown = false;
    SetVisible(false);
}

bool TWScrollbar::BarInfo(SCROLLBARINFO& info)
{
    info = SCROLLBARINFO{};
    info.cbSize = sizeof info;
    if (!FTargetWindow) return false;
    if (FBarKind != ScrollBarKind::Control)
        return QueryScrollBarInfo(FTargetWindow, FBarKind == ScrollBarKind::WindowVert ? OBJID_VSCROLL : OBJID_HSCROLL, info);
    if (!GetWindowRect(FTargetWindow, &info.rcScrollBar)) return false;
    const int length = FVertical ? info.rcScrollBar.bottom - info.rcScrollBar.top : info.rcScrollBar.right - info.rcScrollBar.left;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(FTargetWindow, SB_CTL, &si)) return false;
    const TThumbSpan thumb = ControlBarThumb(length, FArrowSize, si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos);
    info.dxyLineButton = FArrowSize;
    info.xyThumbTop = thumb.Start;
    info.xyThumbBottom = thumb.End;
    // A disabled control looks disabled.
    info.rgstate[0] = IsWindowEnabled(FTargetWindow) ? 0 : STATE_SYSTEM_UNAVAILABLE;
    return true;
}

void TWScrollbar::UpdatePosition()
{
    SCROLLBARINFO info;
    if (!BarInfo(info)) return;
    if (!(GetWindowLongA(FTargetWindow, GWL_STYLE) & WS_VISIBLE) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) {
        HideBar();
        return;
    }
    RECT bar = info.rcScrollBar;
    FScreenOrigin = POINT{bar.left, bar.top};
    FBarRect = bar;
    MapWindowPoints(HWND_DESKTOP, FTargetWindow, reinterpret_cast<POINT*>(&FBarRect), 2);
    FBarLength = FVertical ? bar.bottom - bar.top : bar.right - bar.left;
    FThumbStart = info.xyThumbTop;
    FThumbEnd = info.xyThumbBottom;
    MapWindowPoints(HWND_DESKTOP, GetParent(FTargetWindow), reinterpret_cast<POINT*>(&bar), 2);
    FShown = true;
    if (!Visible()) SetVisible(true);
    HWND self = Handle();
    HWND before = GetWindow(FTargetWindow, GW_HWNDPREV);
    const int w = bar.right - bar.left, h = bar.bottom - bar.top;
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (before == self) flags |= SWP_NOZORDER;
    SetWindowPos(self, before ? before : HWND_TOP, bar.left, bar.top, w, h, flags);
    MoveWindow(self, bar.left, bar.top, w, h, TRUE);
}

int TWScrollbar::HitTest(POINT p) const
{
    return ScrollHitTest(FVertical ? p.y : p.x, FArrowSize, FThumbStart, FThumbEnd, FBarLength);
}

void TWScrollbar::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_MOUSEMOVE: {
        if (FHot.Move(WindowHandle(), HitTest(POINT{m.XPos(), m.YPos()}))) Invalidate();
        break;
    }
    case WM_MOUSELEAVE:
        if (!FPressed && FHot.Leave()) Invalidate();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: MouseDownOnBar(m); return;
    case WM_LBUTTONUP: MouseUpOnBar(m); return;
    default: break;
    }
    TCustomControl::WndProc(m);
}

void TWScrollbar::MouseDownOnBar(TMessage& m)
{
    GetCursorPos(&FDragCursor);
    POINT p{m.XPos(), m.YPos()};
    if (FBarKind == ScrollBarKind::Control) {
        RECT r;
        GetClientRect(FTargetWindow, &r);
        const int length = FVertical ? r.bottom : r.right;
        const TThumbSpan thumb = PressedControlThumb(
            length, FArrowSize, static_cast<int>(ReadIntProperty(FTargetControl, "Min")),
            static_cast<int>(ReadIntProperty(FTargetControl, "Max")), static_cast<int>(ReadIntProperty(FTargetControl, "PageSize")),
            static_cast<int>(ReadIntProperty(FTargetControl, "Position")));
        FDragThumbStart = thumb.Start;
    } else {
        SCROLLBARINFO info;
        if (BarInfo(info)) {
            FDragThumbStart = info.xyThumbTop;
            FScreenOrigin = POINT{info.rcScrollBar.left, info.rcScrollBar.top};
        }
    }
    FHot.Set(HitTest(p));
    POINT sent = p;
    if (FBarKind != ScrollBarKind::Control) sent = POINT{p.x + FScreenOrigin.x, p.y + FScreenOrigin.y};
    FPressed = true;
    Invalidate();
    FHot.Set(HitTest(p));
    ReleaseCapture();
    // The system tracks the press (and auto-repeats) until the release.
    const auto alive = LifeWatch();
    if (FBarKind == ScrollBarKind::Control)
        SendMessageA(FTargetWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(sent.x, sent.y));
    else
        SendMessageA(FTargetWindow, WM_NCLBUTTONDOWN, FBarKind == ScrollBarKind::WindowHorz ? HTHSCROLL : HTVSCROLL,
                     MAKELPARAM(sent.x, sent.y));
    if (!*alive) return;   // the skinner went while the system tracked
    FPressed = false;
    ReleaseCapture();
    Invalidate();
}

void TWScrollbar::MouseUpOnBar(TMessage& m)
{
    FPressed = false;
    ReleaseCapture();
    if (FBarKind == ScrollBarKind::Control) {
        PostMessageA(FTargetWindow, WM_LBUTTONUP, MK_LBUTTON, m.LParam);
        Invalidate();
    } else {
        PostMessageA(FTargetWindow, WM_NCLBUTTONUP, FBarKind == ScrollBarKind::WindowHorz ? HTHSCROLL : HTVSCROLL,
                     MAKELPARAM(m.XPos() + FScreenOrigin.x, m.YPos() + FScreenOrigin.y));
    }
}

void TWScrollbar::PaintWindow(HDC dc)
{
    try {
        Paint(dc);
    } catch (const std::exception& e) {
        ReportPaintFailure(std::string("TWScrollbar: ") + e.what());
    }
}

void TWScrollbar::Paint(HDC dc)
{
    TSkinData* data = FSkinOwner ? FSkinOwner->SkinData() : nullptr;
    SCROLLBARINFO info;
    if (!SkinHasScrollBar(data) || !BarInfo(info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    const bool enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    RECT client;
    GetClientRect(WindowHandle(), &client);
    RECT rect{0, 0, info.rcScrollBar.right - info.rcScrollBar.left, info.rcScrollBar.bottom - info.rcScrollBar.top};
    if (rect.right < 0 || rect.bottom < 0 || rect.right > client.right || rect.bottom > client.bottom) return;
    FBarLength = FVertical ? rect.bottom : rect.right;

    const int thickness = ScrollBarThickness(*data, FArrowSize);
    const bool control = FBarKind == ScrollBarKind::Control;
    RECT drawing = rect;
    if (control) (FVertical ? drawing.right : drawing.bottom) = thickness;
    TBitmap work(drawing.right, drawing.bottom, pf24bit);
    HDC wdc = work.Canvas()->Handle();
    SetStretchBltMode(wdc, COLORONCOLOR);
    TSkinControl::FillSolid(wdc, drawing, FSkinOwner->FaceColor());
    if (!control) (FVertical ? drawing.right : drawing.bottom) = thickness;

    if (FPressed && FHot.Index() == spThumb && !control) {
        POINT cursor;
        GetCursorPos(&cursor);
        const int delta = FVertical ? cursor.y - FDragCursor.y : cursor.x - FDragCursor.x;
        const int length = info.xyThumbBottom - info.xyThumbTop;
        FThumbStart = DragThumbStart(FDragThumbStart, delta, FArrowSize, FBarLength, length);
        FThumbEnd = FThumbStart + length;
    } else {
        FThumbStart = info.xyThumbTop;
        FThumbEnd = info.xyThumbBottom;
    }
    TScrollBarLook look;
    look.Vertical = FVertical != 0;
    look.Enabled = enabled;
    look.ArrowSize = FArrowSize;
    look.HotPart = FHot.Index();
    look.Pressed = FPressed;
    look.ThumbStart = FThumbStart;
    look.ThumbEnd = FThumbEnd;
    PaintScrollBarParts(wdc, drawing, look, *data, FVertical ? client.bottom : client.right);

    if (control) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, client.right, client.bottom, wdc, 0, 0, work.Width(), work.Height(), SRCCOPY);
    } else {
        BitBlt(dc, 0, 0, work.Width(), work.Height(), wdc, 0, 0, SRCCOPY);
    }
}

} // namespace tf
