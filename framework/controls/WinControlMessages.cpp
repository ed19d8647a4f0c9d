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

// ------------------------------------------------------------ messages

bool TWinControl::IsControlMouseMsg(TMessage& m)
{
    TControl* target = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture && capture != this && capture->Parent() == this && !dynamic_cast<TWinControl*>(capture))
        target = capture;
    else if (!capture || capture == this)
        target = ControlAtPos(POINT{m.XPos(), m.YPos()}, false);
    if (!target) return false;
    const int x = m.XPos() - target->Left();
    const int y = m.YPos() - target->Top();
    m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    return true;
}

void TWinControl::HandleSetCursor(TMessage& m)
{
    if (reinterpret_cast<HWND>(m.WParam) == FHandle && LOWORD(m.LParam) == HTCLIENT && Screen) {
        TCursor cursor = Screen->Cursor();
        if (cursor == crDefault) {
            POINT p;
            GetCursorPos(&p);
            if (TControl* child = ControlAtPos(ScreenToClient(p), false)) {
                if (child->Perform(WM_SETCURSOR, m.WParam, m.LParam) != 0) {
                    m.Result = 1;
                    return;
                }
            }
            cursor = Cursor();
        }
        if (cursor != crDefault) {
            ::SetCursor(Screen->Cursors(cursor));
            m.Result = 1;
            return;
        }
    }
    DefaultHandler(m);
}

void TWinControl::HandleKeyDown(TMessage& m)
{
    m.Result = 0;
    UINT mask = 0;
    switch (m.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: return;
    }
    if (Perform(WM_GETDLGCODE) & mask) return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) m.Result = 1;
}

void TWinControl::HandleChar(TMessage& m)
{
    m.Result = 0;
    if (m.Msg == CN_CHAR && (Perform(WM_GETDLGCODE) & DLGC_WANTCHARS)) return;
    TCustomForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
}

bool TWinControl::ReflectNotification(TMessage& m)
{
    HWND child = nullptr;
    switch (m.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_CHARTOITEM:
    case WM_VKEYTOITEM: child = reinterpret_cast<HWND>(m.LParam); break;
    case WM_NOTIFY:
        if (m.LParam) child = reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (d && d->CtlType != ODT_MENU) child = d->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (mi && mi->CtlType != ODT_MENU) child = GetDlgItem(FHandle, static_cast<int>(mi->CtlID));
        break;
    }
    case WM_COMPAREITEM: {
        auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam);
        if (ci && ci->CtlType != ODT_MENU) child = ci->hwndItem;
        break;
    }
    case WM_DELETEITEM: {
        auto* di = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam);
        if (di && di->CtlType != ODT_MENU) child = di->hwndItem;
        break;
    }
    default: return false;
    }
    if (!child || child == FHandle) return false;
    TControl* target = FindControl(child);
    if (!target) return false;
    m.Result = target->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
}

void TWinControl::HandleCtlColor(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(FBrush->Color()));
    m.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
}

void TWinControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (IsControlMouseMsg(m)) {
            if (m.Result == 0 && FHandle) DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
            return;
        }
        break;
    case WM_SETCURSOR: HandleSetCursor(m); return;
    case WM_CONTEXTMENU: {
        POINT p{m.XPos(), m.YPos()};
        if (!(p.x == -1 && p.y == -1))
            if (TControl* child = ControlAtPos(ScreenToClient(p), false)) {
                m.Result = child->Perform(m.Msg, m.WParam, m.LParam);
                if (m.Result) return;
            }
        break;
    }
    case WM_PAINT:
        if (!(ControlState() & csCustomPaint) && FControls.empty()) break;
        PaintHandler(m);
        return;
    case WM_PRINTCLIENT:
        // A picture of a self-painted control: the same painting into the DC given.
        if (!(ControlState() & csCustomPaint) || !m.WParam) break;
        PaintHandler(m);
        return;
    case WM_ERASEBKGND:
        if (ControlStyle() & csOpaque) {
            m.Result = 1;
            return;
        }
        if (!(ControlStyle() & csNativePaint) && FHandle) {
            RECT r;
            GetClientRect(FHandle, &r);
            FillRect(reinterpret_cast<HDC>(m.WParam), &r, FBrush->Handle());
            m.Result = 1;
            return;
        }
        break;
    case WM_GETFONT:
        if (!IsNativeWindow()) {
            m.Result = reinterpret_cast<LRESULT>(Font()->Handle());
            return;
        }
        break;
    case WM_SETFOCUS: {
        TCustomForm* form = GetParentForm(this);
        if (form && !(ControlState() & csDestroyingHandle)) form->SetFocusedControl(this);
        break;
    }
    case WM_SIZE:
    case WM_MOVE:
    case WM_WINDOWPOSCHANGED: {
        const auto alive = LifeWatch();
        DefaultHandler(m);
        if (*alive) UpdateBounds();
        return;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        // A key handler may free the control.
        const auto alive = LifeWatch();
        WORD key = static_cast<WORD>(m.WParam);
        KeyDown(key, KeyDataToShiftState(m.LParam));
        if (key == 0 || !*alive) return;
        m.WParam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const auto alive = LifeWatch();
        WORD key = static_cast<WORD>(m.WParam);
        KeyUp(key, KeyDataToShiftState(m.LParam));
        if (key == 0 || !*alive) return;
        m.WParam = key;
        break;
    }
    case WM_CHAR: {
        const auto alive = LifeWatch();
        char c = static_cast<char>(m.WParam);
        KeyPress(c);
        if (c == 0 || !*alive) return;
        m.WParam = static_cast<unsigned char>(c);
        break;
    }
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: HandleKeyDown(m); return;
    case CN_CHAR:
    case CN_SYSCHAR: HandleChar(m); return;
    case CN_KEYUP: m.Result = 0; return;
    case CN_CTLCOLORMSGBOX:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORDLG:
    case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC: HandleCtlColor(m); return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED: Broadcast(m); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    case CM_VISIBLECHANGED:
        if (Visible() && !FHandle && (FParent ? FParent->HandleAllocated() : FParentWindow != nullptr))
            CreateHandle();
        else if (FHandle)
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                             (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        return;
    case CM_ENABLEDCHANGED:
        if (FHandle) EnableWindow(FHandle, Enabled());
        Invalidate();
        return;
    case CM_COLORCHANGED:
        FBrush->SetColor(Color());
        NotifyControls(CM_PARENTCOLORCHANGED);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        if (FHandle) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
        NotifyControls(CM_PARENTFONTCHANGED);
        Invalidate();
        return;
    case CM_SHOWHINTCHANGED:
        for (TControl* c : FControls)
            if (c->ParentShowHint()) c->SetParentShowHint(true);
        return;
    case CM_RECREATEWND: DoRecreate(); return;
    case CM_TEXTCHANGED:
        // Native windows repaint their own text.
        if (!IsNativeWindow()) Invalidate();
        return;
    default:
        if (ReflectNotification(m)) return;
        break;
    }
    TControl::WndProc(m);
}

} // namespace tf
