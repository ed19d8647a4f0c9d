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

namespace {

// The control whose window is being created: the framework procedure ties
// the first message of a window without a property to it.
thread_local TWinControl* t_creating = nullptr;

UINT NextChildId()
{
    static UINT id = 0;
    id = id % 0xFFFFu + 1;
    return id;
}

const WNDPROC DefaultProc = &DefWindowProcA;

} // namespace

// The one window procedure of every framework window.
LRESULT CALLBACK ControlWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* control = static_cast<TWinControl*>(FindControl(window));
    if (!control) {
        control = t_creating;
        if (!control) return DefWindowProcA(window, msg, wParam, lParam);
        t_creating = nullptr;
        control->AdoptWindow(window);
    }
    TMessage m{msg, wParam, lParam, 0};
    control->MainWndProc(m);
    if (msg == WM_NCDESTROY) control->WindowGone(window);
    return m.Result;
}

void RegisterControlClass(const TCreateParams& params)
{
    WNDCLASSA existing;
    if (GetClassInfoA(MainInstance(), params.WinClassName.c_str(), &existing)) return;
    WNDCLASSA wc = params.WindowClass;
    wc.lpfnWndProc = &ControlWndProc;
    wc.hInstance = MainInstance();
    wc.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassA(&wc))
        throw EOutOfResources(Format("Cannot register the window class %s", params.WinClassName.c_str()));
}

// ------------------------------------------------------------ TWinControl

const TClassInfo& TWinControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", TControl::StaticClass()).Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(std::make_unique<TBrush>())
{
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl()
{
    Destroying();
    if (TCustomForm* form = GetParentForm(this); form && form != static_cast<TControl*>(this))
        form->ControlDestroying(this);
    // The window goes first, so that whatever hooked it sees WM_NCDESTROY
    // while this control and the components it owns still exist.
    DestroyHandle();
    while (!FControls.empty()) {
        TControl* child = FControls.back();
        RemoveControl(child);
        child->Free();
    }
    DestroyComponents();
    TControl::SetParent(nullptr);
}

bool TWinControl::IsNativeWindow() const { return FDefWndProc && FDefWndProc != DefaultProc; }

HWND TWinControl::Handle()
{
    if (!FHandle) {
        if (FParent) FParent->HandleNeeded();   // makes this window too
        if (!FHandle) CreateHandle();
    }
    return FHandle;
}

void TWinControl::SetParentWindow(HWND value)
{
    if (FParentWindow == value) return;
    FParentWindow = value;
    if (!FParent && FHandle) {
        if (value) ::SetParent(FHandle, value);
        else DestroyHandle();
    }
}

void TWinControl::CreateParams(TCreateParams& p)
{
    p.Caption = FText;
    p.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle() & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
    if (Visible()) p.Style |= WS_VISIBLE;
    if (!Enabled()) p.Style |= WS_DISABLED;
    if (FTabStop) p.Style |= WS_TABSTOP;
    p.X = Left();
    p.Y = Top();
    p.Width = Width();
    p.Height = Height();
    p.WndParent = FParent ? FParent->Handle() : FParentWindow;
    p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    p.WindowClass.lpfnWndProc = DefaultProc;
    p.WindowClass.hInstance = MainInstance();
    p.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    p.WindowClass.hbrBackground = nullptr;
    p.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& p, const char* nativeClass)
{
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, nativeClass, &wc) && !GetClassInfoA(MainInstance(), nativeClass, &wc))
        throw EOutOfResources(Format("There is no window class %s", nativeClass));
    wc.hInstance = MainInstance();
    wc.style = (wc.style & ~(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS)) | CS_VREDRAW | CS_HREDRAW;
    wc.lpszClassName = nullptr;
    wc.lpszMenuName = nullptr;
    p.WindowClass = wc;
}

void TWinControl::CreateWnd()
{
    TCreateParams p;
    CreateParams(p);
    if ((p.Style & WS_CHILD) && !p.WndParent)
        throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
    FDefWndProc = p.WindowClass.lpfnWndProc ? p.WindowClass.lpfnWndProc : DefaultProc;
    RegisterControlClass(p);
    HMENU menu = p.Menu;
    if (p.Style & WS_CHILD) menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextChildId()));

    TWinControl* const saved = t_creating;
    t_creating = this;
    SetControlState(ControlState() | csCreating);
    HWND window = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                                  p.Height, p.WndParent, menu, MainInstance(), nullptr);
    SetControlState(ControlState() & ~csCreating);
    t_creating = saved;
    if (!window) throw EOSError(Format("Cannot create the window of %s (%lu)", Name().c_str(), GetLastError()));
    if (FHandle != window) AdoptWindow(window);
    Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
}

void TWinControl::AdoptWindow(HWND window)
{
    FHandle = window;
    SetPropA(window, MAKEINTATOM(ControlAtom()), static_cast<TControl*>(this));
    HandleAttached();
}

void TWinControl::WindowGone(HWND window)
{
    RemovePropA(window, MAKEINTATOM(ControlAtom()));
    if (FHandle == window) FHandle = nullptr;
}

void TWinControl::CreateHandle()
{
    if (FHandle) return;
    CreateWnd();
    // Windowed children get their windows with their parent's.
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children)
        if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->FHandle) w->CreateHandle();
}

void TWinControl::DestroyHandle()
{
    if (!FHandle) return;
    for (TControl* c : FControls)
        if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd()
{
    if (!HasState(csDestroying)) FText = Text();
    HWND window = FHandle;
    SetControlState(ControlState() | csDestroyingHandle);
    // An MDI child goes through its client window, which keeps the list of
    // its children and the active one.
    if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_MDICHILD) && GetParent(window))
        SendMessageA(GetParent(window), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
    else
        DestroyWindow(window);
    SetControlState(ControlState() & ~csDestroyingHandle);
    // A subclasser may have kept WM_NCDESTROY from us.
    if (FHandle == window) WindowGone(window);
}

void TWinControl::RecreateWnd()
{
    if (FHandle) Perform(CM_RECREATEWND);
}

void TWinControl::DoRecreate()
{
    const bool focused = Focused();
    SetControlState(ControlState() | csRecreating);
    try {
        DestroyHandle();
        if (!FParent || FParent->HandleAllocated()) CreateHandle();
    } catch (...) {
        SetControlState(ControlState() & ~csRecreating);
        throw;
    }
    SetControlState(ControlState() & ~csRecreating);
    if (focused && FHandle) ::SetFocus(FHandle);
}

// ------------------------------------------------------------ children

void TWinControl::InsertControl(TControl* control)
{
    if (std::find(FControls.begin(), FControls.end(), control) != FControls.end()) return;
    FControls.push_back(control);
    control->FParent = this;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win) FTabList.push_back(win);
    control->UpdateParentColor();
    control->UpdateParentFont();
    if (control->FParentShowHint) control->FShowHint = ShowHint();
    if (win) {
        if (FHandle) win->CreateHandle();
    } else {
        control->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end()) return;
    // Compared by address only: the control may be half destroyed.
    std::erase_if(FTabList, [control](TWinControl* w) { return static_cast<TControl*>(w) == control; });
    if (!control->HasState(csDestroying)) {
        if (auto* win = dynamic_cast<TWinControl*>(control)) win->DestroyHandle();
        else control->InvalidateControl(false);
    }
    it = std::find(FControls.begin(), FControls.end(), control);
    if (it != FControls.end()) FControls.erase(it);
    control->FParent = nullptr;
}

bool TWinControl::ContainsControl(TControl* control) const
{
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls)
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, p)) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& m)
{
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
        c->WindowProc ? c->WindowProc(m) : c->WndProc(m);
        if (m.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg)
{
    TMessage m{msg, 0, 0, 0};
    Broadcast(m);
}

// ------------------------------------------------------------ tab order

int TWinControl::TabOrder() const
{
    if (!FParent) return -1;
    const auto& list = FParent->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (HasState(csLoading)) FLoadedTabOrder = value;
    MoveInTabList(value);
}

void TWinControl::MoveInTabList(int index)
{
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (index < 0 || index > static_cast<int>(list.size())) index = static_cast<int>(list.size());
    list.insert(list.begin() + index, this);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    std::vector<TWinControl*> stored;
    for (TWinControl* w : FTabList)
        if (w->FLoadedTabOrder >= 0) stored.push_back(w);
    std::stable_sort(stored.begin(), stored.end(),
                     [](TWinControl* a, TWinControl* b) { return a->FLoadedTabOrder < b->FLoadedTabOrder; });
    for (TWinControl* w : stored) {
        const int v = w->FLoadedTabOrder;
        w->FLoadedTabOrder = -1;
        w->MoveInTabList(v);
    }
}

void TWinControl::SetTabStop(bool value)
{
    if (FTabStop == value) return;
    FTabStop = value;
    if (FHandle) {
        LONG style = GetWindowLongA(FHandle, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongA(FHandle, GWL_STYLE, style);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list)
{
    for (TWinControl* w : FTabList) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int n = static_cast<int>(list.size());
    if (n == 0) return nullptr;
    const auto it = std::find(list.begin(), list.end(), current);
    int i = it == list.end() ? (goForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    for (int k = 0; k < n; ++k) {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current) break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

// ------------------------------------------------------------ focus

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    for (TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
        if (c == form) break;
    }
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != static_cast<TControl*>(this)) {
        form->FocusControl(this);
        return;
    }
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::KeyDown(WORD& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(WORD& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }

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

void TWinControl::DefaultHandler(TMessage& m)
{
    if (FHandle) {
        m.Result = CallWindowProcA(FDefWndProc ? FDefWndProc : DefaultProc, FHandle, m.Msg, m.WParam, m.LParam);
        return;
    }
    TControl::DefaultHandler(m);
}

} // namespace tf
