#include "skin/controls/scrollbars/ComboxScrollBar.h"

#include "framework/graphics/Bitmap.h"
#include "skin/controls/scrollbars/ScrollGeometry.h"
#include "skin/controls/scrollbars/ScrollbarPaint.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/User32Entries.h"

namespace tf {

// The list box's message that starts its own tracking of the mouse.
constexpr UINT LB_TRACKMOUSE = 0x01AE;

const TClassInfo& TComboxScrollBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TComboxScrollBar>("TComboxScrollBar", TSkinControl::StaticClass()).Build();
    return info;
}

TComboxScrollBar::TComboxScrollBar(TComponent* owner) : TSkinControl(owner), FArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {}

bool TComboxScrollBar::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCPAINT: return true;
    case WM_NCMOUSEMOVE:
        // The system would light its own parts over the skin.
        if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) return false;
        return true;
    case WM_NCLBUTTONDOWN: return !TrackListThumb(m);
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TComboxScrollBar::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case LB_TRACKMOUSE: PaintControl(nullptr); return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TComboxScrollBar::DrawControl(HDC dc, const RECT&)
{
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!SkinHasScrollBar(FSkinData) || !QueryScrollBarInfo(FHandle, OBJID_VSCROLL, info)) return;
    if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) return;
    RECT window;
    GetWindowRect(FHandle, &window);
    const int width = info.rcScrollBar.right - info.rcScrollBar.left;
    const int length = info.rcScrollBar.bottom - info.rcScrollBar.top;
    if (width <= 0 || length <= 0) return;
    const int thickness = ScrollBarThickness(*FSkinData, FArrowSize);
    TBitmap work(thickness, length, pf24bit);
    HDC wdc = work.Canvas()->Handle();
    SetStretchBltMode(wdc, COLORONCOLOR);
    const RECT rect{0, 0, thickness, length};
    FillFace(wdc, rect);
    TScrollBarLook look;
    look.Vertical = true;
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.ArrowSize = FArrowSize;
    look.ThumbStart = info.xyThumbTop;
    look.ThumbEnd = info.xyThumbBottom;
    PaintScrollBarParts(wdc, rect, look, *FSkinData, length);
    BitBlt(dc, info.rcScrollBar.left - window.left, info.rcScrollBar.top - window.top, std::min(width, thickness), length,
           wdc, 0, 0, SRCCOPY);
}

bool TComboxScrollBar::TrackListThumb(const TMessage& m)
{
    if (m.WParam != HTVSCROLL) return false;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!QueryScrollBarInfo(FHandle, OBJID_VSCROLL, info)) return false;
    const int y = m.YPos() - info.rcScrollBar.top;
    if (y < info.xyThumbTop || y > info.xyThumbBottom) return false;

    // A message handled in the loop may free the combo, this skinner or the
    // list, switch skinning off or close the list: the loop then leaves
    // without touching any of them.
    const auto alive = LifeWatch();
    HWND list = FHandle;
    SetCapture(list);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS, 0, 0, 0, 0, 0};
    GetScrollInfo(list, SB_VERT, &si);
    const int pressY = m.YPos();
    const int barLength = info.rcScrollBar.bottom - info.rcScrollBar.top;
    const int track = barLength - 2 * FArrowSize;
    const int thumb = info.xyThumbBottom - info.xyThumbTop;
    int pos = si.nPos;
    const auto over = [&] { return !*alive || !FActive || !IsWindow(list) || !IsWindowVisible(list); };
    for (;;) {
        if (over()) break;
        MSG msg;
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // Someone took the mouse away: the drag is over.
            if (GetCapture() != list) break;
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (over()) break;
        if (msg.message == WM_NCMOUSEMOVE || msg.message == WM_MOUSEMOVE) {
            POINT cursor;
            GetCursorPos(&cursor);
            const int offset = info.xyThumbTop - FArrowSize + (cursor.y - pressY);
            const int next = ListThumbPosition(offset, track, thumb, si.nMin, si.nMax, static_cast<int>(si.nPage));
            if (next != pos) {
                pos = next;
                SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
            }
        } else if (msg.message == WM_NCLBUTTONUP || msg.message == WM_LBUTTONUP) {
            SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
            PostMessageA(list, WM_VSCROLL, SB_ENDSCROLL, 0);
            break;
        }
    }
    // Only the list's own capture: another window may hold the mouse by now.
    if (GetCapture() == list) ReleaseCapture();
    return true;
}

} // namespace tf
