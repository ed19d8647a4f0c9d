// The form skinner's window procedures: the skinned window's own in three
// stages (every window; a skinned frame; a frame whose skin is applied), the
// framework form's message hook, and the MDI client's procedure.
#include "framework/controls/Forms.h"
#include "framework/controls/Timer.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/FormChrome.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"

namespace tf {

namespace {

constexpr UINT WM_NCUAHDRAWCAPTION = 0x00AE;

bool IsFrameMouseMessage(UINT msg)
{
    return msg == WM_NCMOUSEMOVE || msg == WM_NCLBUTTONDOWN || msg == WM_NCLBUTTONUP ||
           msg == WM_NCLBUTTONDBLCLK || msg == WM_NCRBUTTONDOWN;
}

// The system commands of the skin's own system menu, sent as WM_COMMAND.
bool IsSystemCommand(WORD id)
{
    switch (id) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE: return true;
    default: return false;
    }
}

} // namespace

bool TWinSkinForm::PassOn(TMessage& m)
{
    const auto alive = LifeWatch();
    if (!oldWndProc) {
        m.Result = unicodeWindow ? ::DefWindowProcW(window, m.Msg, m.WParam, m.LParam)
                                 : ::DefWindowProcA(window, m.Msg, m.WParam, m.LParam);
        return *alive;
    }
    m.Result = unicodeWindow ? ::CallWindowProcW(oldWndProc, window, m.Msg, m.WParam, m.LParam)
                             : ::CallWindowProcA(oldWndProc, window, m.Msg, m.WParam, m.LParam);
    return *alive;
}

void TWinSkinForm::SkinWndProc(TMessage& m)
{
    // Nothing of the skin is painted before the window was fitted to it.
    if (skinState == TFormSkinState::Attached && m.Msg == WM_NCPAINT) {
        m.Result = 0;
        return;
    }
    if (Stage1(m)) return;
    if (!frameSkinned) {
        PassOn(m);
        return;
    }
    if (Stage2(m)) return;
    Stage3(m);
}

// Every skinned window. True when the message was dealt with.
bool TWinSkinForm::Stage1(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (PassOn(m) && !form) {
            RECT r{};
            ::GetClientRect(window, &r);
            ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, skinData->FFaceBrush.Get());
            m.Result = 1;
        }
        return true;
    case WM_NCDESTROY:
        skinState = TFormSkinState::Detaching;
        DetachForShutdown();
        if (PassOn(m)) skinState = TFormSkinState::WindowDestroyed;
        return true;
    case WM_NCACTIVATE:
        if (skinState == TFormSkinState::Attached && formKind != FormKind::MDIChild) {
            m.Result = 0;
            return true;
        }
        return false;
    case WM_NCUAHDRAWCAPTION: m.Result = 0; return true;
    case WM_INITMENUPOPUP:
        if (TSkinManage* manager = SkinManage())
            manager->SetMenuKind(reinterpret_cast<HMENU>(m.WParam) == systemMenu ? MenuKind::SystemMenu
                                                                                    : MenuKind::MenuBar);
        PassOn(m);
        return true;
    case WM_CTLCOLORBTN:
        if (PassOn(m) && !form) ::SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        return true;
    case WM_CTLCOLORSTATIC:
        if (PassOn(m) && !form) {
            ::SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
            m.Result = reinterpret_cast<LRESULT>(skinData->FFaceBrush.Get());
        }
        return true;
    case SKM_FORMSKINNED:
        if (m.LParam != FormSkinnedMark) return false;
        FormSkinned();
        m.Result = 0;
        return true;
    case SKM_RESKINSCROLLBAR:
        if (const auto reskin = ControlSkinning().ReskinScrollBar) reskin(*this, reinterpret_cast<HWND>(m.WParam));
        m.Result = 0;
        return true;
    case SKM_QUERYSKINNED:
        m.Result = 1;
        ::PostMessageA(window, SKM_SKINAPPLIED, 0, SkinMessageMark);
        return true;
    default: return false;
    }
}

// A skinned frame. True when the message was dealt with; false goes on to stage 3.
bool TWinSkinForm::Stage2(TMessage& m)
{
    if (formKind != FormKind::MDIChild && (style & WS_CHILD)) {
        PassOn(m);
        return true;
    }
    switch (m.Msg) {
    case WM_SIZE: HandleSize(m); return false;
    case WM_ACTIVATE:
    case WM_NCACTIVATE: active = LOBYTE(m.WParam) != 0; return false;
    case WM_GETMINMAXINFO:
        if (PassOn(m)) ReadWindowState();
        return true;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        PassOn(m);
        return true;
    case WM_SETICON:
        if (!PassOn(m)) return true;
        BuildIconBitmap();
        // The system has drawn its own caption over the skin's.
        if (::IsWindowVisible(window)) PaintFrame(nullptr);
        return true;
    case WM_COMMAND:
        if (IsSystemCommand(LOWORD(m.WParam))) {
            ::PostMessageA(window, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
            m.Result = 0;
        } else {
            PassOn(m);
        }
        return true;
    case WM_SYSCOMMAND:
        if ((m.WParam & 0xFFF0) == SC_KEYMENU && chrome->HandleMessage(m)) return true;
        if (m.WParam == SC_MINIMIZE) windowState = FrameWindowState::Minimized;
        else if (m.WParam == SC_MAXIMIZE) windowState = FrameWindowState::Maximized;
        else if (m.WParam == SC_RESTORE) {
            windowState = FrameWindowState::Normal;
            TSkinManage* manager = SkinManage();
            if (formKind == FormKind::MDIChild && manager && manager->MDIMaximized()) manager->SetMDIMaximized(false);
        }
        PassOn(m);
        return true;
    case SKM_MENUBARNEXT:
        if (!chrome->HandleMessage(m)) m.Result = 0;
        return true;
    case CM_MENUCHANGED: HandleMenuChanged(m); return true;
    default: return false;
    }
}

// A skinned frame whose skin is applied.
void TWinSkinForm::Stage3(TMessage& m)
{
    const bool maximisedChild = formKind == FormKind::MDIChild && windowState == FrameWindowState::Maximized;
    if (skinState == TFormSkinState::Attached || maximisedChild) {
        PassOn(m);
        return;
    }
    switch (m.Msg) {
    case WM_NCACTIVATE: HandleNcActivate(m); return;
    case WM_SIZE: HandleSize(m); return;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (!chrome->HandleMessage(m)) PassOn(m);
        return;
    case WM_NCCALCSIZE: HandleNcCalcSize(m); return;
    case WM_NCHITTEST: HandleNcHitTest(m); return;
    case WM_NCPAINT: HandleNcPaint(m); return;
    case SKM_REPAINTFRAME:
        PaintFrame(nullptr);
        m.Result = 0;
        return;
    case WM_SETTEXT:
        if (!PassOn(m)) return;
        // The system has drawn its own caption over the skin's; a form
        // repaints from its message hook.
        if (!form && ::IsWindowVisible(window)) PaintFrame(nullptr);
        return;
    default:
        if (IsFrameMouseMessage(m.Msg) && chrome->HandleMessage(m)) return;
        PassOn(m);
        return;
    }
}

void TWinSkinForm::HandleNcActivate(TMessage& m)
{
    active = LOBYTE(m.WParam) != 0;
    SetHoverTimer(active);
    if (formKind == FormKind::MDIFrame) ::SendMessageA(mdiClient, WM_NCACTIVATE, m.WParam, 0);
    if (formKind == FormKind::MDIChild || paintFailed) {
        // For a failed skin the system draws the frame.
        if (!PassOn(m) || paintFailed) return;
    }
    if (!(formKind == FormKind::MDIChild && windowState == FrameWindowState::Maximized)) PaintFrame(nullptr);
    m.Result = 1;
}

void TWinSkinForm::HandleSize(TMessage& m)
{
    if (!PassOn(m)) return;
    switch (m.WParam) {
    case SIZE_RESTORED: windowState = FrameWindowState::Normal; break;
    case SIZE_MINIMIZED: windowState = FrameWindowState::Minimized; break;
    case SIZE_MAXIMIZED: windowState = FrameWindowState::Maximized; break;
    default: break;
    }
    if (windowState == FrameWindowState::Minimized) return;
    if (formKind == FormKind::MDIChild) {
        TSkinManage* manager = SkinManage();
        if ((manager && manager->MDIMaximized()) || windowState != FrameWindowState::Normal) return;
    }
    if (skinState == TFormSkinState::Running || skinState == TFormSkinState::Reapplying) UpdateRegion();
}

void TWinSkinForm::HandleNcPaint(TMessage& m)
{
    if (paintFailed) {
        SetSysMenuStyle(false);
        PassOn(m);
        return;
    }
    SetSysMenuStyle(true);
    if (framePaint) {
        if ((formKind == FormKind::MDIChild && windowState == FrameWindowState::Maximized) ||
            frameKind == FrameKind::NoCaption) {
            PassOn(m);
            return;
        }
        PaintFrame(nullptr);
        if (paintFailed) {
            SetSysMenuStyle(false);
            PassOn(m);
            return;
        }
    }
    m.Result = 0;
}

void TWinSkinForm::HandleMenuChanged(TMessage& m)
{
    // The framework recomputes the menu meanwhile: this frame is not painted
    // until it is done (other windows of the skin paint on).
    const bool wasPainting = framePaint;
    framePaint = false;
    bool alive = false;
    try {
        alive = PassOn(m);
    } catch (...) {
        framePaint = wasPainting;
        throw;
    }
    if (!alive) return;   // the handler freed this skinner
    framePaint = wasPainting;
    // Without a caption there is no band: the system keeps drawing the menu.
    if (frameKind == FrameKind::NoCaption) return;
    HMENU menu = ::GetMenu(window);
    if (formKind == FormKind::MDIChild) {
        if (menu) ::SetMenu(window, nullptr);
        return;
    }
    if (!menu) {
        // The form lost its menu: the band goes with it.
        if (menuTakenOff && !::GetMenu(window) && form && !form->Menu()) {
            menuTakenOff = false;
            menuHandle = nullptr;
            menuBarHeight = 0;
            chrome->FreeMenuBar();
            RefreshFrame();
        }
        return;
    }
    const bool newBand = !menuTakenOff;
    menuHandle = menu;
    menuTakenOff = true;
    ::SetMenu(window, nullptr);
    if (newBand && frameKind != FrameKind::NoCaption) {
        // A form that got its first menu: the band opens under the caption.
        menuBarHeight = ::GetSystemMetrics(SM_CYMENU);
        chrome->CreateMenuBar(menu);
        RefreshFrame();
    } else if (skinData->MenuUpdate()) {
        chrome->MenuChanged(menu);
    }
}

// ---------------------------------------------------------------- completion

void TWinSkinForm::FormSkinned()
{
    systemMenu = ::GetSystemMenu(window, FALSE);
    BuildIconBitmap();
    ::GetClientRect(window, &clientRect);
    RECT r{};
    ::GetWindowRect(window, &r);
    sysNcWidth = (r.right - r.left) - (clientRect.right - clientRect.left);
    sysNcHeight = (r.bottom - r.top) - (clientRect.bottom - clientRect.top);
    if (form) SkinFormControls(form);
    else SkinChildWindows(window);
    if (skinState == TFormSkinState::Attached) {
        if (formKind == FormKind::MDIChild) {
            TSkinManage* manager = SkinManage();
            if (windowState == FrameWindowState::Maximized) {
                if (manager && manager->MDIClientWindow())
                    ::PostMessageA(manager->MDIClientWindow(), SKM_FRAMECHILDREDRAW,
                                   reinterpret_cast<WPARAM>(window), 0);
            } else if (windowState == FrameWindowState::Normal) {
                SetSkinState(TFormSkinState::Fitting);
                FitWindowToSkin(false);
                SetSkinState(TFormSkinState::Running);
                UpdateRegion();
            }
        } else if (!isChild && frameKind != FrameKind::NoCaption && windowState != FrameWindowState::Minimized) {
            SetSkinState(TFormSkinState::Fitting);
            FitWindowToSkin(false);
            SetSkinState(TFormSkinState::Running);
            if (windowState == FrameWindowState::Normal) UpdateRegion();
            else RefreshFrame();
        }
    }
    AfterSkin();
}

void TWinSkinForm::AfterSkin()
{
    if (Destroyed()) return;
    ::SendMessageA(window, SKM_SKINAPPLIED, 0, SkinMessageMark);
    if (skinData->OnAfterSkinForm) skinData->OnAfterSkinForm(form, window, className);
    if (Destroyed()) return;
    skinState = TFormSkinState::Running;
    if (hoverTimer) hoverTimer->SetEnabled(true);
}

void TWinSkinForm::SetSkinState(TFormSkinState value)
{
    // A window destroyed meanwhile (by a handler, or while it was being
    // sized) keeps its skinner dead, for the manager to free.
    if (!Destroyed()) skinState = value;
}

// ---------------------------------------------------------------- form message hook

void TWinSkinForm::FormMessageHook(TMessage& m)
{
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        if (!chrome->HandleMessage(m)) oldFormHook(m);
        return;
    case WM_SETTEXT: {
        if (!::IsWindowVisible(window)) {
            oldFormHook(m);
            return;
        }
        const auto alive = LifeWatch();
        oldFormHook(m);
        if (!*alive) return;
        if (windowState == FrameWindowState::Maximized) {
            TSkinManage* manager = SkinManage();
            if (manager && manager->MDIClientWindow())
                ::PostMessageA(manager->MDIClientWindow(), SKM_FRAMECHILDREDRAW, reinterpret_cast<WPARAM>(window), 0);
        }
        if (windowState == FrameWindowState::Minimized) PaintFrame(nullptr);
        else RefreshFrame();
        return;
    }
    case SKM_REAPPLY:
        ReapplySkin();
        m.Result = 0;
        return;
    case SKM_PAINTFRAMETO:
        if (m.LParam == SkinMessageMark) {
            if (m.WParam) PaintFrame(reinterpret_cast<HDC>(m.WParam));
            m.Result = SkinMessageMark;
        } else {
            m.Result = 0;
        }
        return;
    case SKM_PROBE: m.Result = m.LParam == SkinMessageMark ? SkinMessageMark : 1; return;
    default: oldFormHook(m); return;
    }
}

// ---------------------------------------------------------------- MDI client

void TWinSkinForm::MDIClientProc(TMessage& m)
{
    auto passOn = [this, &m] {
        m.Result = ::CallWindowProcA(mdiClientOldProc, mdiClient, m.Msg, m.WParam, m.LParam);
    };
    TSkinManage* manager = SkinManage();
    switch (m.Msg) {
    case WM_NCDESTROY: {
        passOn();
        RestoreMDIClientProc();
        if (manager && manager->MDIClientWindow() == mdiClient) manager->SetMDIClientWindow(nullptr);
        return;
    }
    case WM_NCCALCSIZE:
        if (frameSkinned && !skinData->Options().Contains(xoMDIScrollbar)) {
            const LONG clientStyle = ::GetWindowLongA(mdiClient, GWL_STYLE);
            ::SetWindowLongA(mdiClient, GWL_STYLE, clientStyle & ~(WS_HSCROLL | WS_VSCROLL));
        }
        passOn();
        return;
    case WM_MDICREATE:
        if (skinData->MenuUpdate()) menuUpdateTaken = true;
        skinData->SetMenuUpdate(false);
        passOn();
        return;
    case WM_MDIDESTROY: {
        passOn();
        if (!frameSkinned) return;
        BOOL maximized = FALSE;
        HWND activeChild =
            reinterpret_cast<HWND>(::SendMessageA(mdiClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
        if (manager) manager->SetMDIMaximized(activeChild && maximized);
        if (!activeChild && menuTakenOff) {
            skinData->SetMenuUpdate(savedMenuUpdate);
            if (menuHandle) chrome->MenuChanged(menuHandle);
        }
        return;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (frameSkinned && manager && manager->MDIMaximized()) manager->SetMDIMaximized(false);
        passOn();
        return;
    case WM_MDISETMENU:
        passOn();
        if (frameSkinned) {
            if (m.WParam && menuTakenOff) {
                menuHandle = reinterpret_cast<HMENU>(m.WParam);
                chrome->MenuChanged(menuHandle);
            }
            ::SetMenu(window, nullptr);
        }
        return;
    case SKM_FRAMECHILDREDRAW:
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        m.Result = 0;
        return;
    default: passOn(); return;
    }
}

} // namespace tf
