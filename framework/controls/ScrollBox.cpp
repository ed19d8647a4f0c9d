#include "ScrollBox.h"

#include <algorithm>

#include "Publish.h"

namespace tf {

const TClassInfo& TScrollBox::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TScrollBox> b("TScrollBox", TWinControl::StaticClass());
        b.Enum("BorderStyle", BorderStyleInfo, &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle);
        PublishWinControlDefaults(b);
        return b.Build();
    }();
    return info;
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetBounds(0, 0, 185, 41);
    SetParentColor(true);
}

void TScrollBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    if (FBorderStyle == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollRange();
}

void TScrollBox::SetBorderStyle(TBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

SIZE TScrollBox::ContentSize() const
{
    SIZE size{0, 0};
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        size.cx = std::max<LONG>(size.cx, c->Left() + c->Width() + FScroll.x);
        size.cy = std::max<LONG>(size.cy, c->Top() + c->Height() + FScroll.y);
    }
    return size;
}

void TScrollBox::UpdateScrollRange()
{
    if (!HandleAllocated() || FUpdating || HasState(csLoading)) return;
    FUpdating = true;
    // Showing one bar narrows the client area, which may need the other.
    for (int pass = 0; pass < 2; ++pass) {
        const SIZE content = ContentSize();
        RECT client;
        GetClientRect(WindowHandle(), &client);
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        si.nMax = content.cx > client.right ? content.cx - 1 : 0;
        si.nPage = static_cast<UINT>(client.right + 1);
        si.nPos = FScroll.x;
        SetScrollInfo(WindowHandle(), SB_HORZ, &si, TRUE);
        si.nMax = content.cy > client.bottom ? content.cy - 1 : 0;
        si.nPage = static_cast<UINT>(client.bottom + 1);
        si.nPos = FScroll.y;
        SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
    }
    FUpdating = false;
    // A bigger client area may leave nothing to scroll.
    const SIZE content = ContentSize();
    RECT client;
    GetClientRect(WindowHandle(), &client);
    ScrollTo(std::min<int>(FScroll.x, std::max<int>(0, content.cx - client.right)),
             std::min<int>(FScroll.y, std::max<int>(0, content.cy - client.bottom)));
}

void TScrollBox::ScrollTo(int x, int y)
{
    x = std::max(0, x);
    y = std::max(0, y);
    const int dx = FScroll.x - x, dy = FScroll.y - y;
    if (dx == 0 && dy == 0) return;
    FScroll = POINT{x, y};
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    if (!HandleAllocated()) return;
    SetScrollPos(WindowHandle(), SB_HORZ, x, TRUE);
    SetScrollPos(WindowHandle(), SB_VERT, y, TRUE);
    InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TScrollBox::ScrollMessage(TMessage& m, bool vertical)
{
    const int bar = vertical ? SB_VERT : SB_HORZ;
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(WindowHandle(), bar, &si);
    int pos = si.nPos;
    const int line = 16, page = std::max(1, static_cast<int>(si.nPage) - line);
    switch (LOWORD(m.WParam)) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: break;
    }
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1));
    vertical ? ScrollTo(FScroll.x, pos) : ScrollTo(pos, FScroll.y);
    m.Result = 0;
}

void TScrollBox::Loaded()
{
    TWinControl::Loaded();
    UpdateScrollRange();
}

void TScrollBox::Resize()
{
    TWinControl::Resize();
    UpdateScrollRange();
}

void TScrollBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_VSCROLL:
        if (m.LParam == 0) return ScrollMessage(m, true);
        break;
    case WM_HSCROLL:
        if (m.LParam == 0) return ScrollMessage(m, false);
        break;
    case WM_MOUSEWHEEL:
        ScrollTo(FScroll.x, FScroll.y - 3 * 16 * static_cast<short>(HIWORD(m.WParam)) / WHEEL_DELTA);
        UpdateScrollRange();
        m.Result = 0;
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

} // namespace tf
