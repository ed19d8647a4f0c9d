// The form skinner's geometry: fitting the window to the skin's frame, the
// non-client size and hit test, the window state, the region cut from the
// frame borders, and the system-menu style bit.
#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/FrameLayout.h"
#include "skin/window/WinSkinForm.h"

namespace tf {

void TWinSkinForm::ReadWindowState()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(window, &placement))
        windowState = static_cast<uint8_t>(frame::WindowStateOfShowCommand(placement.showCmd));
}

void TWinSkinForm::RefreshFrame()
{
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::SetSysMenuStyle(bool remove)
{
    if (buttonMask & CaptionBox::KeepSysMenu) return;
    style = ::GetWindowLongA(window, GWL_STYLE);
    LONG wanted = style;
    if (remove) wanted &= ~WS_SYSMENU;
    else if (systemMenu) wanted |= WS_SYSMENU;
    if (wanted == style) return;
    ::SetWindowLongA(window, GWL_STYLE, wanted);
    style = wanted;
}

// ---------------------------------------------------------------- fitting

void TWinSkinForm::GrowDialogForCaption(int& width)
{
    const std::wstring bare = WindowTextWide();
    TScreenDC screen;
    TSelectObject font(screen.Get(), captionFont.Get());
    RECT r{0, 0, 0, 0};
    DrawTextWide(screen.Get(), bare, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    captionTextWidth = r.right - r.left;
    const RECT& margins = skinData->SkinTitle->Margins;
    const int needed = margins.left + captionTextWidth + margins.right;
    if (width >= needed) return;
    const int shift = frame::DialogGrowthShift(width, needed);
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT c{};
        ::GetWindowRect(child, &c);
        ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&c), 2);
        // Position only: the dialog's tab order is its z-order and stays.
        ::SetWindowPos(child, nullptr, c.left + shift, c.top, 0, 0,
                       SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    width = needed;
}

void TWinSkinForm::FitWindowToSkin(bool keepCurrentClient)
{
    if (windowState == FrameWindowState::Maximized) {
        RefreshFrame();
        return;
    }
    RECT r{};
    ::GetWindowRect(window, &r);
    if (isDialog || skinState == TFormSkinState::Reapplying) ::GetClientRect(window, &clientRect);
    int width = clientRect.right - clientRect.left + borderLeft + borderRight;
    if (keepCurrentClient) {
        ::GetClientRect(window, &clientRect);
    } else if (form) {
        width = form->ClientWidth() + borderLeft + borderRight;
        const int clientHeight =
            formKind == FormKind::MDIChild ? form->ClientHeight() : form->ClientHeight() - menuBarHeight;
        clientRect.bottom = clientRect.top + clientHeight;
    } else if (menuTakenOff) {
        // The menu band comes out of the client area the window had with its
        // menu, as for a form.
        clientRect.bottom -= menuBarHeight;
    }
    const int height = clientRect.bottom - clientRect.top + borderTop + borderBottom + menuBarHeight;
    if (isDialog && !keepCurrentClient) GrowDialogForCaption(width);
    ::SetWindowPos(window, nullptr, r.left, r.top, width, height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    fitted = true;
}

// ---------------------------------------------------------------- non-client area

void TWinSkinForm::HandleNcCalcSize(TMessage& m)
{
    if (!PassOn(m)) return;
    if (!m.WParam) {
        m.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    if ((formKind == FormKind::MDIChild && windowState != FrameWindowState::Normal) ||
        frameKind == FrameKind::NoCaption) {
        params->rgrc[1] = params->rgrc[0];
        m.Result = WVR_VALIDRECTS;
        return;
    }
    const WINDOWPOS& pos = *params->lppos;
    const frame::TBox client = frame::SkinClientBox(pos.x, pos.y, pos.cx, pos.cy, borderLeft, borderTop, borderRight,
                                                    borderBottom, menuBarHeight);
    const RECT box{client.Left, client.Top, client.Right, client.Bottom};
    params->rgrc[0] = box;
    params->rgrc[1] = box;
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::HandleNcHitTest(TMessage& m)
{
    if (!PassOn(m)) return;
    POINT p{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    ::ScreenToClient(window, &p);
    const bool minimisedChild = formKind == FormKind::MDIChild && windowState == FrameWindowState::Minimized;
    const int frameY = minimisedChild ? p.y : p.y + borderTop + menuBarHeight;
    m.Result = frame::SkinHitTest(static_cast<int>(m.Result), frameY, borderTop, menuBarHeight);
}

// ---------------------------------------------------------------- region

void TWinSkinForm::RemoveRegion()
{
    ::SetWindowRgn(window, nullptr, formKind == FormKind::MDIChild);
    regionOwned = false;
    regionWidth = regionHeight = 0;
}

void TWinSkinForm::UpdateRegion()
{
    if (!frameSkinned || Destroyed()) return;
    RECT r{};
    if (!::GetWindowRect(window, &r)) return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w == 0 || h == 0) return;
    if (formKind == FormKind::MDIChild && windowState != FrameWindowState::Normal) return;
    if (regionOwned && w == regionWidth && h == regionHeight && formKind != FormKind::MDIChild &&
        skinState != TFormSkinState::Reapplying)
        return;
    // A region given to the window belongs to the system: it frees the old
    // one when the next is set, so none is deleted here.
    regionOwned = false;
    const auto& borders = skinData->SkinBorders;
    bool anyTransparent = false;
    for (const auto& b : borders) anyTransparent = anyTransparent || b->Trans != 0;
    TRegionHandle region;
    if (!anyTransparent) {
        region.Reset(::CreateRectRgn(0, 0, w, h));
    } else {
        regionWidth = w;
        regionHeight = h;
        region.Reset(::CreateRectRgn(borderLeft, borderTop, w - borderRight, h - borderBottom));
        auto add = [&region](HRGN part) {
            if (!part) return;
            ::CombineRgn(region.Get(), region.Get(), part, RGN_OR);
            ::DeleteObject(part);
        };
        // The piece of border `index` drawn at width x height, cut where it
        // is magenta, at (x, y); or its plain rectangle.
        auto piece = [&](int index, bool shaped, int x, int y, int pw, int ph) -> HRGN {
            if (pw <= 0 || ph <= 0) return nullptr;
            if (!shaped) return ::CreateRectRgn(x, y, x + pw, y + ph);
            TBitmap image(pw, ph, pf24bit);
            DrawBorderPiece(index, RECT{0, 0, pw, ph}, image.Canvas()->Handle());
            return RegionFromBitmap(image, x, y, 1, 1, 1, clSkinKey).Detach();
        };
        if (frameKind != FrameKind::NoCaption) {
            const int middle = w - borderLeft - borderRight;
            add(piece(1, borders[SkinBorder::Left]->Trans == 1 && h > 1, 0, 0, borderLeft, h));
            add(piece(2, borders[SkinBorder::Right]->Trans == 1 && h > 1, w - borderRight, 0, borderRight, h));
            add(piece(4, borders[SkinBorder::Bottom]->Trans == 1 && borderBottom > 1, borderLeft, h - borderBottom,
                      middle, borderBottom));
            add(piece(3, borders[SkinBorder::Top]->Trans == 1 && borderTop > 1 && middle > 0, borderLeft, 0, middle,
                      borderTop));
        }
    }
    if (::SetWindowRgn(window, region.Get(), TRUE)) {
        region.Detach();
        regionOwned = true;
    }
}

} // namespace tf
