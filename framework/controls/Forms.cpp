#include "Forms.h"

#include "Application.h"
#include "Menus.h"
#include "Publish.h"
#include "Screen.h"
#include "WndProcThunk.h"
#include "framework/core/SysUtils.h"

namespace tf {

const TEnumInfo FormStyleInfo{"TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
const TEnumInfo FormBorderStyleInfo{"TFormBorderStyle",
                                    {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
const TEnumInfo BorderStyleInfo{"TBorderStyle", {"bsNone", "bsSingle"}};
const TEnumInfo BorderIconInfo{"TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
const TEnumInfo WindowStateInfo{"TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"}};
const TEnumInfo PositionInfo{"TPosition", {"poDesigned", "poDefault", "poScreenCenter"}};

const TClassInfo& TCustomForm::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TCustomForm> b("TCustomForm", TWinControl::StaticClass());
        b.String("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
        PublishColor(b);
        PublishFont(b);
        PublishShowHint(b);
        b.Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
            .Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
            .Enum("FormStyle", FormStyleInfo, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
            .Enum("BorderStyle", FormBorderStyleInfo, &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
            .Set("BorderIcons", BorderIconInfo, &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
            .Enum("WindowState", WindowStateInfo, &TCustomForm::WindowState, &TCustomForm::SetWindowState)
            .Enum("Position", PositionInfo, &TCustomForm::Position, &TCustomForm::SetPosition)
            .Bool("AutoScroll", &TCustomForm::AutoScroll, &TCustomForm::SetAutoScroll)
            .Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
            .Object<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Object<TWinControl>("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl)
            .Object<TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
        PublishEvent<TNotifyEvent>(b, "OnCreate", &TCustomForm::OnCreate);
        PublishEvent<TNotifyEvent>(b, "OnDestroy", &TCustomForm::OnDestroy);
        PublishEvent<TCloseEvent>(b, "OnClose", &TCustomForm::OnClose);
        PublishEvent<TCloseQueryEvent>(b, "OnCloseQuery", &TCustomForm::OnCloseQuery);
        PublishEvent<TNotifyEvent>(b, "OnShow", &TCustomForm::OnShow);
        PublishEvent<TNotifyEvent>(b, "OnHide", &TCustomForm::OnHide);
        PublishEvent<TNotifyEvent>(b, "OnActivate", &TCustomForm::OnActivate);
        PublishEvent<TNotifyEvent>(b, "OnDeactivate", &TCustomForm::OnDeactivate);
        PublishEvent<TNotifyEvent>(b, "OnPaint", &TCustomForm::OnPaint);
        PublishMouseEvents(b);
        PublishKeyEvents(b);
        PublishEvent<TNotifyEvent>(b, "OnResize", &TControl::OnResize);
        return b.Build();
    }();
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), FCanvas(std::make_unique<TControlCanvas>(this))
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetControlState(ControlState() | csCustomPaint);
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    SetParentFont(false);
    if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (Application) Application->ControlDestroying(this);
    if (FMenu) {
        FMenu->RemoveFreeNotification(this);
        RemoveFreeNotification(FMenu);
        FMenu->SetWindowHandle(nullptr);
        FMenu = nullptr;
    }
    if (Screen) Screen->RemoveForm(this);
    FCanvas->FreeHandle();
}

// ------------------------------------------------------------ window

void TCustomForm::WindowStyles(DWORD& style, DWORD& exStyle) const
{
    style = WS_CLIPCHILDREN;
    exStyle = 0;
    const bool sysMenu = (FBorderIcons & (1u << biSystemMenu)) != 0;
    const bool minBox = (FBorderIcons & (1u << biMinimize)) != 0;
    const bool maxBox = (FBorderIcons & (1u << biMaximize)) != 0;
    switch (FBorderStyle) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: style |= WS_OVERLAPPED | WS_CAPTION; break;
    case bsSizeable: style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        style |= WS_OVERLAPPED | WS_CAPTION;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (FBorderStyle != bsNone && sysMenu) {
        style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if (minBox) style |= WS_MINIMIZEBOX;
            if (maxBox) style |= WS_MAXIMIZEBOX;
        }
    }
    if (FFormStyle == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
    if (FFormStyle == fsMDIChild) {
        style = (style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        exStyle |= WS_EX_MDICHILD;
    }
}

void TCustomForm::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    WindowStyles(p.Style, p.ExStyle);
    if (!Enabled()) p.Style |= WS_DISABLED;
    if (FWindowState == wsMinimized) p.Style |= WS_MINIMIZE;
    if (FWindowState == wsMaximized) p.Style |= WS_MAXIMIZE;
    p.WndParent = Application ? Application->Handle() : nullptr;
    if (FFormStyle == fsMDIChild) p.WndParent = MDIParentClient();
    p.Menu = FMenu ? FMenu->Handle() : nullptr;
    if (FPosition == poDefault) {
        p.X = static_cast<int>(CW_USEDEFAULT);
        p.Y = static_cast<int>(CW_USEDEFAULT);
    } else if (FPosition == poScreenCenter) {
        p.X = (GetSystemMetrics(SM_CXSCREEN) - p.Width) / 2;
        p.Y = (GetSystemMetrics(SM_CYSCREEN) - p.Height) / 2;
    }
    p.WindowClass.style = CS_DBLCLKS;
    p.WindowClass.hIcon = Application ? Application->Icon() : nullptr;
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FMenu) FMenu->SetWindowHandle(WindowHandle());
    if (FFormStyle == fsMDIForm) CreateMDIClient();
}

RECT TCustomForm::ClientRect()
{
    if (HandleAllocated()) return TWinControl::ClientRect();
    DWORD style, exStyle;
    WindowStyles(style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FMenu != nullptr, exStyle);
    const int w = Width() - (frame.right - frame.left);
    const int h = Height() - (frame.bottom - frame.top);
    return RECT{0, 0, w < 0 ? 0 : w, h < 0 ? 0 : h};
}

void TCustomForm::SetClientWidth(int value) { SetWidth(Width() - ClientRect().right + value); }

void TCustomForm::SetClientHeight(int value) { SetHeight(Height() - ClientRect().bottom + value); }

void TCustomForm::PaintWindow(HDC dc)
{
    if (!OnPaint) return;
    TCanvasPaintScope scope(*FCanvas, dc);
    OnPaint(this);
}

// ------------------------------------------------------------ showing

void TCustomForm::Show()
{
    SetVisible(true);
    // The window may have been hidden behind the framework's back.
    UpdateShowing();
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::Hide()
{
    SetVisible(false);
    UpdateShowing();
}

void TCustomForm::UpdateShowing()
{
    if (HasState(csLoading) || HasState(csDestroying)) return;
    if (Visible()) {
        HWND window = Handle();
        if (IsWindowVisible(window)) return;
        OnShow(this);
        int cmd = SW_SHOWNORMAL;
        if (FWindowState == wsMinimized) cmd = SW_SHOWMINIMIZED;
        else if (FWindowState == wsMaximized) cmd = SW_SHOWMAXIMIZED;
        ShowWindow(window, cmd);
    } else if (HandleAllocated() && IsWindowVisible(WindowHandle())) {
        OnHide(this);
        ShowWindow(WindowHandle(), SW_HIDE);
    }
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (FFormStyle == value) return;
    const bool topmostChanged = value == fsStayOnTop || FFormStyle == fsStayOnTop;
    FFormStyle = value;
    if (HandleAllocated() && topmostChanged)
        SetWindowPos(WindowHandle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (FBorderStyle == value) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (FBorderIcons == value) return;
    FBorderIcons = value;
    RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (FWindowState == value) return;
    FWindowState = value;
    if (HandleAllocated() && IsWindowVisible(WindowHandle()))
        ShowWindow(WindowHandle(), value == wsMinimized ? SW_MINIMIZE : value == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TCustomForm::SetMenu(TMainMenu* value)
{
    if (FMenu == value) return;
    if (FMenu) {
        FMenu->RemoveFreeNotification(this);
        RemoveFreeNotification(FMenu);
        FMenu->SetWindowHandle(nullptr);
    }
    FMenu = value;
    if (value) value->FreeNotification(this);
    if (HandleAllocated()) {
        if (value) value->SetWindowHandle(WindowHandle());
        SendMessageA(WindowHandle(), CM_MENUCHANGED, 0, 0);
    }
}

void TCustomForm::Notification(TComponent* c, TOperation op)
{
    TWinControl::Notification(c, op);
    if (op != TOperation::opRemove) return;
    if (c == FMenu) {
        FMenu = nullptr;
        if (HandleAllocated() && !HasState(csDestroying)) SendMessageA(WindowHandle(), CM_MENUCHANGED, 0, 0);
    }
}

// ------------------------------------------------------------ closing

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) { OnClose(this, action); }

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    // The close handlers may free the form: nothing of it is touched then.
    const auto alive = LifeWatch();
    if (!CloseQuery() || !*alive) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone || !*alive) return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::FireDestroy()
{
    if (FDestroyFired) return;
    FDestroyFired = true;
    try {
        OnDestroy(this);
    } catch (...) {
        HandleCallbackException(this);
    }
}

void TCustomForm::DestroyNow()
{
    FireDestroy();
    Free();
}

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND w, LPARAM list)
{
    if (IsWindowVisible(w) && IsWindowEnabled(w)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}
} // namespace

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    // Every other top-level window of this thread is disabled while the form runs.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    for (HWND w : disabled) EnableWindow(w, FALSE);
    FModal = true;
    FModalResult = mrNone;
    TModalResult result = mrNone;
    try {
        Show();
        while (FModalResult == mrNone && !(Application && Application->Terminated())) {
            Application->HandleMessage();
            if (FModalResult != mrNone) {
                // A close request on a modal form: ask its handlers.
                TCloseAction action = caHide;
                if (!CloseQuery()) FModalResult = mrNone;
                else {
                    DoClose(action);
                    if (action == caNone) FModalResult = mrNone;
                }
            }
        }
        result = FModalResult;
    } catch (...) {
        for (HWND w : disabled)
            if (IsWindow(w)) EnableWindow(w, TRUE);
        FModal = false;
        Hide();
        throw;
    }
    for (HWND w : disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    FModal = false;
    Hide();
    return result;
}

// ------------------------------------------------------------ focus

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == static_cast<TWinControl*>(this)) control = nullptr;
    if (control) {
        if (GetParentForm(control) != this) throw EInvalidOperation("The control is not on this form");
        if (!HasState(csLoading))
            for (TControl* c = control; c && c != this; c = c->Parent())
                if (!c->Visible() || !c->Enabled())
                    throw EInvalidOperation("Cannot focus a disabled or invisible window");
    }
    FActiveControl = control;
    if (!HasState(csLoading) && HandleAllocated() && IsWindowVisible(WindowHandle()) && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control)
{
    SetActiveControl(control);
    if (!HasState(csLoading) && HandleAllocated() && IsWindowVisible(WindowHandle()) && !FActive) SetWindowFocus();
}

void TCustomForm::SetWindowFocus()
{
    HWND target = FActiveControl ? FActiveControl->Handle() : Handle();
    if (target && GetFocus() != target) ::SetFocus(target);
}

bool TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (FFocusedControl == control) return true;
    TWinControl* old = FFocusedControl;
    FFocusedControl = control;
    if (control != static_cast<TWinControl*>(this)) FActiveControl = control;
    for (TWinControl* o = old; o && o != static_cast<TWinControl*>(this); o = o->Parent()) {
        if (control && o->ContainsControl(control)) break;
        o->Perform(CM_EXIT);
        if (FFocusedControl != control) return false;   // a handler moved the focus
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
    std::vector<TWinControl*> entering;
    for (TWinControl* c = control; c && c != static_cast<TWinControl*>(this); c = c->Parent()) {
        if (old && c->ContainsControl(old)) break;
        entering.push_back(c);
    }
    for (auto it = entering.rbegin(); it != entering.rend(); ++it) (*it)->Perform(CM_ENTER);
    return true;
}

void TCustomForm::ControlDestroying(TWinControl* control)
{
    if (FActiveControl && control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
    if (FFocusedControl && control->ContainsControl(FFocusedControl)) FFocusedControl = nullptr;
}

void TCustomForm::SetActive(bool value)
{
    FActive = value;
    if (value) {
        if (Screen) Screen->SetActiveForm(this);
        if (!FActiveControl || !FActiveControl->CanFocus()) FActiveControl = FindNextControl(nullptr, true, true, false);
        SetWindowFocus();
        OnActivate(this);
    } else {
        OnDeactivate(this);
    }
}

void TCustomForm::HandleDialogKey(TMessage& m)
{
    // Every control may take the key first (a default button takes Enter);
    // Tab and the arrows nobody took move the focus.
    Broadcast(m);
    if (m.Result != 0 || GetKeyState(VK_MENU) < 0) return;
    switch (m.WParam) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
            m.Result = 1;
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
            FActiveControl->Parent()->SelectNext(FActiveControl, m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
            m.Result = 1;
        }
        break;
    default: break;
    }
}

// ------------------------------------------------------------ messages

void TCustomForm::WMSysCommand(TMessage& m)
{
    if ((m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam != 0 && m.LParam != ' ' && m.LParam != '-' && !GetCapture()) {
        if (Perform(CM_DIALOGCHAR, static_cast<WPARAM>(m.LParam), 0) != 0) {
            m.Result = 0;
            return;
        }
    }
    DefaultHandler(m);
}

bool TCustomForm::HandleMenuMessage(TMessage& m)
{
    if (!FMenu) return false;
    switch (m.Msg) {
    case WM_COMMAND:
        if (m.LParam == 0 && HIWORD(m.WParam) == 0) return FMenu->DispatchCommand(LOWORD(m.WParam));
        return false;
    case WM_INITMENUPOPUP: return FMenu->DispatchPopup(reinterpret_cast<HMENU>(m.WParam));
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        if (!d || d->CtlType != ODT_MENU) return false;
        TMenuItem* item = FMenu->FindItem(d->itemID, fkCommand);
        if (!item) return false;
        DrawMenuItemStruct(item, *d);
        m.Result = 1;
        return true;
    }
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        if (!mi || mi->CtlType != ODT_MENU) return false;
        TMenuItem* item = FMenu->FindItem(mi->itemID, fkCommand);
        if (!item) return false;
        MeasureMenuItemStruct(item, *mi);
        m.Result = 1;
        return true;
    }
    default: return false;
    }
}

void TCustomForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_SYSCOMMAND: WMSysCommand(m); return;
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE && HIWORD(m.WParam) == 0) SetActive(true);
        else if (LOWORD(m.WParam) == WA_INACTIVE) SetActive(false);
        else DefaultHandler(m);
        return;
    case WM_COMMAND:
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (HandleMenuMessage(m)) return;
        break;
    case CM_MENUCHANGED:
        if (HandleAllocated()) {
            ::SetMenu(WindowHandle(), FMenu ? FMenu->Handle() : nullptr);
            DrawMenuBar(WindowHandle());
        }
        return;
    case CM_DIALOGKEY: HandleDialogKey(m); return;
    case CM_RELEASE: DestroyNow(); return;   // nothing of this form may be touched after
    case CM_VISIBLECHANGED: UpdateShowing(); return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ------------------------------------------------------------ creation

void TCustomForm::DoCreate()
{
    try {
        OnCreate(this);
    } catch (...) {
        HandleCallbackException(this);
    }
}

void TCustomForm::ReadingFinished()
{
    DoCreate();
    if (Visible()) UpdateShowing();
}

// ------------------------------------------------------------ TForm

const TClassInfo& TForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm>("TForm", TCustomForm::StaticClass()).Build();
    return info;
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

} // namespace tf
