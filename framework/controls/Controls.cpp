#include "Controls.h"

#include "Application.h"
#include "ControlAtom.h"
#include "WndProcThunk.h"
#include "Forms.h"
#include "Menus.h"
#include "Screen.h"
#include "WinControl.h"
#include "framework/core/Idents.h"
#include "framework/core/SysUtils.h"

namespace tf {

const TEnumInfo MouseButtonInfo{"TMouseButton", {"mbLeft", "mbRight", "mbMiddle"}};
const TEnumInfo AlignmentInfo{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
const TEnumInfo LeftRightInfo{"TLeftRight", {"taLeftJustify", "taRightJustify"}};
const TEnumInfo BiDiModeInfo{"TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"}};

DWORD BiDiExStyle(TBiDiMode mode)
{
    switch (mode) {
    case bdRightToLeft: return WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT;
    case bdRightToLeftNoAlign: return WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    case bdRightToLeftReadingOnly: return WS_EX_RTLREADING;
    default: return 0;
    }
}

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState s = 0;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData)
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (keyData & (1 << 29)) s |= ssAlt;
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
    return s;
}

void RegisterCursorIdents()
{
    static const TIdentMapEntry cursors[] = {
        {crDefault, "crDefault"},   {crNone, "crNone"},         {crArrow, "crArrow"},
        {crCross, "crCross"},       {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
        {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
        {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crNo, "crNo"},
        {crAppStart, "crAppStart"}, {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
        {crSizeAll, "crSizeAll"},
    };
    static const bool once = (RegisterIntegerIdents(cursors, static_cast<int>(std::size(cursors))), true);
    (void)once;
}

// ------------------------------------------------------------ capture

namespace {
TControl* g_captureControl = nullptr;   // a graphic control capturing through its parent
} // namespace

TControl* GetCaptureControl()
{
    TControl* c = FindControl(GetCapture());
    if (c && g_captureControl && g_captureControl->Parent() == c) return g_captureControl;
    return c;
}

void SetCaptureControl(TControl* control)
{
    g_captureControl = nullptr;
    if (GetCapture() && FindControl(GetCapture())) ReleaseCapture();
    g_captureControl = nullptr;
    if (!control) return;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (!win) {
        if (!control->Parent()) return;
        g_captureControl = control;
        win = control->Parent();
    }
    SetCapture(win->Handle());
}

TCustomForm* GetParentForm(TControl* control)
{
    if (!control) return nullptr;
    while (control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

// ------------------------------------------------------------ TControl

const TClassInfo& TControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TControl>("TControl", TComponent::StaticClass())
                                       .Int("Left", &TControl::Left, &TControl::SetLeft)
                                       .Int("Top", &TControl::Top, &TControl::SetTop)
                                       .Int("Width", &TControl::Width, &TControl::SetWidth)
                                       .Int("Height", &TControl::Height, &TControl::SetHeight)
                                       .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
                                       .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
                                       .Int("Cursor", &TControl::Cursor, &TControl::SetCursor)
                                       .String("Hint", &TControl::Hint, &TControl::SetHint)
                                       .Build();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>())
{
    WindowProc = TWndMethod::Of<&TControl::WndProc>(this);
    FFont->OnChange = TNotifyEvent::Of<&TControl::FontChanged>(this);
}

TControl::~TControl()
{
    Destroying();
    if (g_captureControl == this) {
        g_captureControl = nullptr;
        ReleaseCapture();
    }
    if (Application) Application->ControlDestroying(this);
    SetParent(nullptr);
    DestroyComponents();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc) WindowProc(m);
    else WndProc(m);
    return m.Result;
}

void TControl::MainWndProc(TMessage& m)
{
    try {
        if (WindowProc) WindowProc(m);
        else WndProc(m);
    } catch (...) {
        HandleCallbackException(this);
    }
}

void TControl::SetParent(TWinControl* parent)
{
    if (FParent == parent) return;
    if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* parent)
{
    if (auto* win = dynamic_cast<TWinControl*>(parent)) SetParent(win);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    InvalidateControl(false);
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    InvalidateControl(false);
    Resize();
}

RECT TControl::ClientRect() { return RECT{0, 0, FWidth, FHeight}; }

void TControl::SetClientWidth(int v) { SetWidth(v); }
void TControl::SetClientHeight(int v) { SetHeight(v); }

POINT TControl::ClientOrigin()
{
    if (!FParent) return POINT{FLeft, FTop};
    POINT p = FParent->ClientOrigin();
    p.x += FLeft;
    p.y += FTop;
    return p;
}

POINT TControl::ClientToScreen(POINT p)
{
    const POINT o = ClientOrigin();
    return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p)
{
    const POINT o = ClientOrigin();
    return POINT{p.x - o.x, p.y - o.y};
}

void TControl::SetVisible(bool value)
{
    if (FVisible == value) return;
    FVisible = value;
    Perform(CM_VISIBLECHANGED, value ? 1 : 0);
}

bool TControl::Showing() { return FVisible && FParent && FParent->Showing(); }

void TControl::SetEnabled(bool value)
{
    if (FEnabled == value) return;
    FEnabled = value;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor value)
{
    if (FColor == value) return;
    FColor = value;
    FParentColor = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value)
{
    if (FParentColor == value) return;
    FParentColor = value;
    if (value) UpdateParentColor();
}

void TControl::UpdateParentColor()
{
    if (!FParentColor || !FParent) return;
    if (FColor != FParent->Color()) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED);
    }
}

void TControl::SetFont(TFont* value)
{
    if (value) FFont->Assign(value);
}

void TControl::SetParentFont(bool value)
{
    if (FParentFont == value) return;
    FParentFont = value;
    if (value) UpdateParentFont();
}

void TControl::UpdateParentFont()
{
    if (!FParentFont || !FParent) return;
    FAdoptingFont = true;
    try {
        FFont->Assign(FParent->Font());
    } catch (...) {
        FAdoptingFont = false;
        throw;
    }
    FAdoptingFont = false;
}

void TControl::FontChanged(TObject*)
{
    if (!FAdoptingFont) FParentFont = false;
    Perform(CM_FONTCHANGED);
}

std::string TControl::Text()
{
    const int len = static_cast<int>(Perform(WM_GETTEXTLENGTH));
    if (len <= 0) return {};
    std::string s(static_cast<size_t>(len) + 1, '\0');
    const int n = static_cast<int>(Perform(WM_GETTEXT, static_cast<WPARAM>(len + 1), reinterpret_cast<LPARAM>(s.data())));
    s.resize(static_cast<size_t>(n < 0 ? 0 : (n > len ? len : n)));
    return s;
}

void TControl::SetText(const std::string& value)
{
    if (Text() == value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    Perform(CM_TEXTCHANGED);
}

void TControl::SetCursor(TCursor value)
{
    if (FCursor == value) return;
    FCursor = value;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetShowHint(bool value)
{
    FParentShowHint = false;
    if (FShowHint == value) return;
    FShowHint = value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value)
{
    FParentShowHint = value;
    if (value && FParent && FShowHint != FParent->ShowHint()) {
        FShowHint = FParent->ShowHint();
        Perform(CM_SHOWHINTCHANGED);
    }
}

void TControl::SetPopupMenu(TPopupMenu* value)
{
    if (FPopupMenu == value) return;
    if (FPopupMenu) {
        FPopupMenu->RemoveFreeNotification(this);
        RemoveFreeNotification(FPopupMenu);
    }
    FPopupMenu = value;
    if (value) value->FreeNotification(this);
}

void TControl::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove && c == FPopupMenu) FPopupMenu = nullptr;
}

void TControl::InvalidateControl(bool opaque)
{
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    const RECT r = BoundsRect();
    InvalidateRect(FParent->WindowHandle(), &r, opaque ? FALSE : TRUE);
}

void TControl::Invalidate() { InvalidateControl((FControlStyle & csOpaque) != 0); }

void TControl::Update()
{
    if (FParent) FParent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (!FParent) return;
    auto& list = FParent->FControls;
    std::erase(list, this);
    list.push_back(this);
    if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
        SetWindowPos(win->WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!FParent) return;
    auto& list = FParent->FControls;
    std::erase(list, this);
    list.insert(list.begin(), this);
    if (auto* win = dynamic_cast<TWinControl*>(this); win && win->HandleAllocated())
        SetWindowPos(win->WindowHandle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

bool TControl::MouseCapture() { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool value)
{
    if (MouseCapture() == value) return;
    SetCaptureControl(value ? this : nullptr);
}

void TControl::Click() { OnClick(this); }
void TControl::DblClick() { OnDblClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { OnMouseDown(this, button, shift, x, y); }
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { OnMouseUp(this, button, shift, x, y); }
void TControl::MouseMove(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

void TControl::Resize() { OnResize(this); }

void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateParentColor();
    UpdateParentFont();
}

void TControl::SendCancelMode()
{
    // A press on this control ends a mouse capture held by another control.
    TControl* capture = GetCaptureControl();
    if (capture && capture != this) capture->Perform(WM_CANCELMODE);
}

void TControl::WndProc(TMessage& m)
{
    // The window's own handling and each event below may free the control
    // (a click that closes its form): nothing of it is touched afterwards.
    const auto alive = LifeWatch();
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        SendCancelMode();
        if (FControlStyle & csCaptureMouse) SetMouseCapture(true);
        if (FControlStyle & csClickEvents) FControlState |= csClicked;
        FControlState |= csLButtonDown;
        DefaultHandler(m);
        if (!*alive) return;
        const bool dbl = m.Msg == WM_LBUTTONDBLCLK;
        if (dbl && (FControlStyle & csDoubleClicks)) DblClick();
        if (*alive) MouseDown(mbLeft, KeysToShiftState(m.WParam) | (dbl ? ssDouble : 0), m.XPos(), m.YPos());
        return;
    }
    case WM_LBUTTONUP: {
        FControlState &= ~csLButtonDown;
        DefaultHandler(m);
        if (!*alive) return;
        if (FControlStyle & csCaptureMouse) SetMouseCapture(false);
        const int x = m.XPos(), y = m.YPos();
        const TShiftState shift = KeysToShiftState(m.WParam);
        if (FControlState & csClicked) {
            FControlState &= ~csClicked;
            const RECT r = ClientRect();
            const POINT p{x, y};
            if (PtInRect(&r, p)) Click();
            if (!*alive) return;
        }
        MouseUp(mbLeft, shift, x, y);
        return;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        SendCancelMode();
        DefaultHandler(m);
        if (!*alive) return;
        const bool right = m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONDBLCLK;
        const bool dbl = m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK;
        MouseDown(right ? mbRight : mbMiddle, KeysToShiftState(m.WParam) | (dbl ? ssDouble : 0), m.XPos(), m.YPos());
        return;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        DefaultHandler(m);
        if (*alive) MouseUp(m.Msg == WM_RBUTTONUP ? mbRight : mbMiddle, KeysToShiftState(m.WParam), m.XPos(), m.YPos());
        return;
    case WM_MOUSEMOVE:
        DefaultHandler(m);
        if (*alive) MouseMove(KeysToShiftState(m.WParam), m.XPos(), m.YPos());
        return;
    case WM_CANCELMODE:
        if (GetCaptureControl() == this) SetCaptureControl(nullptr);
        FControlState &= ~(csClicked | csLButtonDown);
        DefaultHandler(m);
        return;
    case WM_SETCURSOR:
        // A graphic control: its parent asks it for the cursor over it.
        if (FCursor != crDefault && Screen) {
            ::SetCursor(Screen->Cursors(FCursor));
            m.Result = 1;
            return;
        }
        break;
    case WM_CONTEXTMENU:
        if (FPopupMenu && FPopupMenu->AutoPopup()) {
            POINT p{m.XPos(), m.YPos()};
            if (p.x == -1 && p.y == -1) p = ClientToScreen(POINT{0, 0});
            FPopupMenu->SetPopupComponent(this);
            FPopupMenu->Popup(p.x, p.y);
            m.Result = 1;
            return;
        }
        break;
    case CM_VISIBLECHANGED:
        InvalidateControl(false);
        return;
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        Invalidate();
        return;
    case CM_PARENTCOLORCHANGED:
        UpdateParentColor();
        return;
    case CM_PARENTFONTCHANGED:
        UpdateParentFont();
        return;
    case CM_SHOWHINTCHANGED:
        return;
    case CM_MOUSEENTER:
        OnMouseEnter(this);
        return;
    case CM_MOUSELEAVE:
        OnMouseLeave(this);
        return;
    default: break;
    }
    DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(m.LParam);
        const size_t room = m.WParam;
        if (!buffer || room == 0) {
            m.Result = 0;
            return;
        }
        const size_t n = FText.size() < room - 1 ? FText.size() : room - 1;
        FText.copy(buffer, n);
        buffer[n] = '\0';
        m.Result = static_cast<LRESULT>(n);
        return;
    }
    case WM_GETTEXTLENGTH: m.Result = static_cast<LRESULT>(FText.size()); return;
    case WM_SETTEXT:
        FText = m.LParam ? reinterpret_cast<const char*>(m.LParam) : "";
        m.Result = 1;
        return;
    default: m.Result = 0;
    }
}

} // namespace tf
