#include "RxTrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "framework/controls/Application.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/controls/Timer.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Icon.h"
#include "support/IconList.h"
#include "support/PathUtils.h"

namespace tf {

namespace {

// Registered once, before any tray window exists.
const UINT TheTaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

constexpr uint8_t ClickedLeft = 1u << mbLeft;
constexpr uint8_t ClickedRight = 1u << mbRight;
constexpr size_t MaxTipBytes = 63;

template <class E>
void PublishTrayEvent(TClassBuilder<TRxTrayIcon>& b, const char* name, E TRxTrayIcon::*member)
{
    b.Event<E>(
        name, [member](TRxTrayIcon* t) { return t->*member; }, [member](TRxTrayIcon* t, E e) { t->*member = e; });
}

} // namespace

UINT TaskbarCreatedMessage() { return TheTaskbarCreatedMessage; }

TShellNotifyIconProc ShellNotifyIconProc = &Shell_NotifyIconA;

std::string TrayTipText(const std::string& hint)
{
    std::string tip;
    for (size_t i = 0; i < hint.size();) {
        const auto b = static_cast<unsigned char>(hint[i]);
        const size_t len = IsAnsiLeadByte(b) && i + 1 < hint.size() ? 2 : 1;
        if (len == 1 && b == '|') break;   // a trail byte never ends the short part
        if (tip.size() + len > MaxTipBytes) break;
        tip.append(hint, i, len);
        i += len;
    }
    return tip;
}

// ------------------------------------------------------------ class table

const TClassInfo& TRxTrayIcon::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TRxTrayIcon> b("TRxTrayIcon", TComponent::StaticClass());
        b.Bool("Active", &TRxTrayIcon::Active, &TRxTrayIcon::SetActive)
            .Bool("Enabled", &TRxTrayIcon::Enabled, &TRxTrayIcon::SetEnabled)
            .String("Hint", &TRxTrayIcon::Hint, &TRxTrayIcon::SetHint)
            .Object<TIcon>("Icon", &TRxTrayIcon::Icon, &TRxTrayIcon::SetIcon)
            .Object<TIconList>("Icons", &TRxTrayIcon::Icons, &TRxTrayIcon::SetIcons)
            .Bool("Animated", &TRxTrayIcon::Animated, &TRxTrayIcon::SetAnimated)
            .Int("Interval", &TRxTrayIcon::Interval,
                 [](TRxTrayIcon* t, int32_t v) { t->SetInterval(static_cast<uint16_t>(std::clamp(v, 0, 0xFFFF))); })
            .Object<TPopupMenu>("PopupMenu", &TRxTrayIcon::PopupMenu, &TRxTrayIcon::SetPopupMenu)
            .Bool("ShowDesign", &TRxTrayIcon::ShowDesign, &TRxTrayIcon::SetShowDesign);
        PublishTrayEvent(b, "OnClick", &TRxTrayIcon::OnClick);
        PublishTrayEvent(b, "OnDblClick", &TRxTrayIcon::OnDblClick);
        PublishTrayEvent(b, "OnMouseMove", &TRxTrayIcon::OnMouseMove);
        PublishTrayEvent(b, "OnMouseDown", &TRxTrayIcon::OnMouseDown);
        PublishTrayEvent(b, "OnMouseUp", &TRxTrayIcon::OnMouseUp);
        return b.Build();
    }();
    return info;
}

void RegisterTrayClasses() { RegisterClass(TRxTrayIcon::StaticClass()); }

// ------------------------------------------------------------ life cycle

TRxTrayIcon::TRxTrayIcon(TComponent* owner)
    : TComponent(owner), FIcon(std::make_unique<TIcon>()), FIcons(std::make_unique<TIconList>())
{
    FHandle = AllocateHWnd(TWndMethod::Of<&TRxTrayIcon::WndProc>(this));
    FIcon->OnChange = TNotifyEvent::Of<&TRxTrayIcon::IconChanged>(this);
    FIcons->OnChange = TNotifyEvent::Of<&TRxTrayIcon::IconChanged>(this);
    // The record names this icon from the start, so a removal always finds it.
    FIconData.cbSize = sizeof FIconData;
    FIconData.hWnd = FHandle;
    FIconData.uID = 0;
}

TRxTrayIcon::~TRxTrayIcon()
{
    Destroying();
    FEnabled = false;
    FIcon->OnChange.Clear();
    FIcons->OnChange.Clear();
    FAnimated = false;
    FTimer.reset();
    RemoveIcon();
    DeallocateHWnd(FHandle);
    FHandle = nullptr;
}

void TRxTrayIcon::Loaded()
{
    TComponent::Loaded();
    if (HasState(csDesigning)) {
        if (FShowDesign) {
            AddIcon();
            FShowDesign = FAdded;
        }
    } else if (FActive) {
        AddIcon();
    }
}

void TRxTrayIcon::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove && c && c == FPopupMenu) FPopupMenu = nullptr;
}

// ------------------------------------------------------------ properties

void TRxTrayIcon::SetActive(bool value)
{
    if (value == FActive) return;
    FActive = value;
    // While loading only the value is kept: Loaded adds the icon once.
    if (HasState(csDesigning) || HasState(csLoading)) return;
    value ? AddIcon() : RemoveIcon();
}

void TRxTrayIcon::SetShowDesign(bool value)
{
    if (!HasState(csDesigning)) return;
    if (HasState(csLoading)) {
        FShowDesign = value;
        return;
    }
    value ? AddIcon() : RemoveIcon();
    FShowDesign = FAdded;
}

void TRxTrayIcon::SetHint(const std::string& value)
{
    if (value == FHint) return;
    FHint = value;
    RefreshIcon();
}

void TRxTrayIcon::SetIcon(TIcon* value) { FIcon->Assign(value); }

void TRxTrayIcon::SetIcons(TIconList* value) { FIcons->Assign(value); }

void TRxTrayIcon::SetAnimated(bool value)
{
    value = value && FIcons->Count() > 0;
    if (value == FAnimated) return;
    FAnimated = value;
    UpdateAnimationTimer();
    FFrameIndex = 0;
    RefreshIcon();
}

void TRxTrayIcon::SetInterval(uint16_t value)
{
    FInterval = value;
    if (FTimer) UpdateAnimationTimer();
}

void TRxTrayIcon::SetPopupMenu(TPopupMenu* value)
{
    if (value == FPopupMenu) return;
    FPopupMenu = value;
    if (value) FreeNotification(value);
}

void TRxTrayIcon::IconChanged(TObject*) { RefreshIcon(); }

// ------------------------------------------------------------ the shell

TIcon* TRxTrayIcon::CurrentIcon() const
{
    const int count = FIcons->Count();
    if (FAnimated && count > 0) return FIcons->Icons(std::clamp(FFrameIndex, 0, count - 1));
    return FIcon.get();
}

void TRxTrayIcon::FillNotifyData()
{
    FIconData.cbSize = sizeof FIconData;
    FIconData.hWnd = FHandle;
    FIconData.uID = 0;
    FIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FIconData.uCallbackMessage = WM_TRAYICONNOTIFY;
    TIcon* icon = CurrentIcon();
    FIconData.hIcon = icon ? icon->Handle() : static_cast<HICON>(INVALID_HANDLE_VALUE);
    const std::string tip = TrayTipText(FHint);
    std::fill(std::begin(FIconData.szTip), std::end(FIconData.szTip), '\0');
    std::copy(tip.begin(), tip.end(), FIconData.szTip);
}

bool TRxTrayIcon::Notify(DWORD message)
{
    return ShellNotifyIconProc && ShellNotifyIconProc(message, reinterpret_cast<PNOTIFYICONDATAA>(&FIconData));
}

bool TRxTrayIcon::ShouldShow() const
{
    if (HasState(csLoading) || HasState(csDestroying)) return false;
    return HasState(csDesigning) ? FShowDesign : FActive;
}

void TRxTrayIcon::AddIcon()
{
    RemoveIcon();
    TIcon* icon = CurrentIcon();
    if (!icon || icon->Empty()) return;
    FClicked = 0;
    FillNotifyData();
    FAdded = Notify(NIM_ADD);
    // Some shells show no icon for a record without a tip until it is modified once.
    if (FAdded && TrayTipText(FHint).empty()) Notify(NIM_MODIFY);
    UpdateAnimationTimer();
}

void TRxTrayIcon::RemoveIcon()
{
    Notify(NIM_DELETE);
    FAdded = false;
    FClicked = 0;
    UpdateAnimationTimer();
}

void TRxTrayIcon::RefreshIcon()
{
    if (FIcons->Count() == 0) SetAnimated(false);
    if (FAdded) {
        TIcon* icon = CurrentIcon();
        if (!icon || icon->Empty()) {
            RemoveIcon();
        } else {
            FillNotifyData();
            Notify(NIM_MODIFY);
        }
    } else if (ShouldShow()) {
        AddIcon();
    }
}

// ------------------------------------------------------------ animation

void TRxTrayIcon::UpdateAnimationTimer()
{
    const bool run = FAnimated && FAdded;
    if (!FTimer) {
        if (!run) return;
        FTimer = std::make_unique<TTimer>(nullptr);
        FTimer->SetEnabled(false);
        FTimer->SetOnTimer(TNotifyEvent::Of<&TRxTrayIcon::AnimationTick>(this));
    }
    FTimer->SetInterval(std::max<unsigned>(FInterval, 1));
    FTimer->SetEnabled(run);
}

void TRxTrayIcon::AnimationTick(TObject*)
{
    const int count = FIcons->Count();
    if (!FAnimated || count == 0 || (Application && Application->Terminated())) return;
    if (++FFrameIndex >= count) FFrameIndex = 0;
    RefreshIcon();
}

// ------------------------------------------------------------ mouse

void TRxTrayIcon::WndProc(TMessage& m)
{
    try {
        if (m.Msg == WM_TRAYICONNOTIFY && FEnabled) {
            MouseCallback(static_cast<UINT>(m.LParam));
            m.Result = 0;
            return;
        }
        // The shell was restarted and has forgotten the icon. An inactive
        // icon stays away.
        if (m.Msg == TaskbarCreatedMessage() && m.Msg != 0 && FActive) {
            SetActive(false);
            SetActive(true);
        }
        m.Result = DefWindowProcA(FHandle, m.Msg, m.WParam, m.LParam);
    } catch (...) {
        if (Application) Application->HandleException(this);
    }
}

void TRxTrayIcon::MouseCallback(UINT mouseMessage)
{
    POINT pt{};
    GetCursorPos(&pt);
    const int x = pt.x, y = pt.y;
    const TShiftState keys = KeyboardShiftState() & (ssShift | ssAlt | ssCtrl);
    switch (mouseMessage) {
    case WM_MOUSEMOVE: OnMouseMove(this, keys, x, y); break;
    case WM_LBUTTONDOWN:
        OnMouseDown(this, mbLeft, keys | ssLeft, x, y);
        FClicked |= ClickedLeft;
        break;
    case WM_LBUTTONUP:
        if (FClicked & ClickedLeft) {
            FClicked &= static_cast<uint8_t>(~ClickedLeft);
            HandleClick(mbLeft, keys | ssLeft, x, y);
        }
        OnMouseUp(this, mbLeft, keys | ssLeft, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        HandleDoubleClick();
        OnMouseDown(this, mbLeft, keys | ssDouble, x, y);
        break;
    case WM_RBUTTONDOWN:
        OnMouseDown(this, mbRight, keys | ssRight, x, y);
        FClicked |= ClickedRight;
        break;
    case WM_RBUTTONUP:
        if (FClicked & ClickedRight) {
            FClicked &= static_cast<uint8_t>(~ClickedRight);
            HandleClick(mbRight, keys | ssRight, x, y);
        }
        OnMouseUp(this, mbRight, keys | ssRight, x, y);
        break;
    case WM_RBUTTONDBLCLK: OnMouseDown(this, mbRight, keys | ssDouble, x, y); break;
    case WM_MBUTTONDOWN: OnMouseDown(this, mbMiddle, keys | ssMiddle, x, y); break;
    case WM_MBUTTONUP: OnMouseUp(this, mbMiddle, keys | ssMiddle, x, y); break;
    case WM_MBUTTONDBLCLK: OnMouseDown(this, mbMiddle, keys | ssDouble, x, y); break;
    default: break;
    }
}

void TRxTrayIcon::HandleClick(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbRight && OpenMenu(x, y)) return;
    OnClick(this, button, shift, x, y);
}

void TRxTrayIcon::HandleDoubleClick()
{
    if (!HasState(csDesigning) && FActive && FPopupMenu) {
        TMenuItem* items = FPopupMenu->Items();
        for (int i = 0; i < items->Count(); ++i) {
            TMenuItem* item = items->Items(i);
            if (item->Default() && item->Enabled()) {
                item->Click();
                return;
            }
        }
    }
    OnDblClick(this);
}

void TRxTrayIcon::CancelFormCapture()
{
    TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr;
    if (!form && Application) form = Application->MainForm();
    if (!form || !form->HandleAllocated()) return;
    HWND window = form->Handle();
    HWND capture = GetCapture();
    // The default handling of WM_CANCELMODE releases the capture.
    if (capture && (capture == window || IsChild(window, capture))) SendMessageA(capture, WM_CANCELMODE, 0, 0);
}

bool TRxTrayIcon::OpenMenu(int x, int y)
{
    if (HasState(csDesigning) || !FActive || !FPopupMenu || !FPopupMenu->AutoPopup()) return false;
    FPopupMenu->SetPopupComponent(this);
    CancelFormCapture();
    // The menu closes on a click elsewhere only when this thread is in the foreground.
    auto toFront = [this] {
        if (FHandle && IsWindowEnabled(FHandle)) SetForegroundWindow(FHandle);
    };
    toFront();
    try {
        if (Application) Application->ProcessMessages();
        // A message just handled may have destroyed the menu.
        if (FPopupMenu) FPopupMenu->Popup(x, y);
    } catch (...) {
        toFront();
        throw;
    }
    toFront();
    return true;
}

// ------------------------------------------------------------ stored data

bool TRxTrayIcon::ReadBinaryProperty(const std::string& name, TStream& data)
{
    if (SameTextAscii(name, "Icon")) {
        if (data.Size() - data.Position() <= 0) FIcon->Assign(nullptr);
        else FIcon->LoadFromStream(data);
        return true;
    }
    if (SameTextAscii(name, "Icons")) {
        FIcons->ReadData(data);
        return true;
    }
    return TComponent::ReadBinaryProperty(name, data);
}

bool TRxTrayIcon::WriteBinaryProperty(const std::string& name, TStream& data) const
{
    if (SameTextAscii(name, "Icon")) {
        if (!FIcon->Empty()) FIcon->SaveToStream(data);
        return true;
    }
    if (SameTextAscii(name, "Icons")) {
        FIcons->WriteData(data);
        return true;
    }
    return false;
}

} // namespace tf
