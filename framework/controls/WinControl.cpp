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

void TWinControl::DefaultHandler(TMessage& m)
{
    if (FHandle) {
        m.Result = CallWindowProcA(FDefWndProc ? FDefWndProc : DefaultProc, FHandle, m.Msg, m.WParam, m.LParam);
        return;
    }
    TControl::DefaultHandler(m);
}

} // namespace tf
