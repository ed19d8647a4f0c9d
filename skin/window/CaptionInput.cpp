// The mouse on a skinned frame: hot tracking and pressing of caption buttons
// and menu-bar items, what the buttons do, double clicks and the right click
// on the caption, and the hover timer's caption hint.
#include <algorithm>

#include "framework/controls/Application.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/window/CaptionButtonRules.h"
#include "skin/window/MenuBtn.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/window/WinSysButton.h"

namespace tf {

namespace {

POINT MessagePoint(const TMessage& m) { return POINT{m.XPos(), m.YPos()}; }

// The system menu offers SC_CLOSE (always assumed on the NT family before
// version 5 and on the Windows 95 family).
bool HasCloseCommand(HWND window, HMENU systemMenu)
{
    const DWORD version = SkinOSVersion();
    if ((version & 0x80000000u) || LOBYTE(LOWORD(version)) < 5) return true;
    HMENU menu = systemMenu ? systemMenu : ::GetSystemMenu(window, FALSE);
    return menu && ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

} // namespace

void TSkinChrome::PostSysCommand(UINT command) { ::PostMessageA(Window(), WM_SYSCOMMAND, command, 0); }

void TSkinChrome::StopHover() { form.StopHoverTimer(); }

bool TSkinChrome::HandleMouse(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCMOUSEMOVE: return NcMouseMove(m);
    case WM_NCLBUTTONDOWN: return NcLButtonDown(m);
    case WM_NCLBUTTONUP: return NcLButtonUp(m);
    case WM_NCLBUTTONDBLCLK: return NcLButtonDblClk(m);
    case WM_NCRBUTTONDOWN: return NcRButtonDown(m);
    default: return false;
    }
}

bool TSkinChrome::NcMouseMove(TMessage& m)
{
    if (!form.ActiveLook()) {
        m.Result = 0;   // an inactive window ignores it entirely
        return true;
    }
    const POINT p = ScreenToFrame(MessagePoint(m));
    TNCObject* object = CaptionButtonAt(p);
    if (!object && menuBar) object = menuBar->ItemAt(p);
    if (object) {
        object->MouseEnter();
        m.Result = 0;
        return true;
    }
    if (hotObject) hotObject->MouseLeave();
    hotObject = nullptr;
    return false;
}

bool TSkinChrome::NcLButtonDown(TMessage& m)
{
    HideCaptionHint();
    const POINT p = ScreenToFrame(MessagePoint(m));
    TNCObject* object = CaptionButtonAt(p);
    TMenuBtn* item = object ? nullptr : menuBar ? menuBar->ItemAt(p) : nullptr;
    if (item) object = item;
    if (object) {
        if (!form.ActiveLook() || ::GetForegroundWindow() != Window()) ::SetForegroundWindow(Window());
        object->MouseDown();
        pressedObject = object;
        m.Result = 0;
        if (item) {
            const int index = menuBar->IndexOf(item);
            if (!OpenMenuBarItem(item)) return true;
            // The bar may have been rebuilt while its drop-down was open.
            if (menuBar && menuBar->Item(index) == item) {
                hotObject = item;
                pressedObject = nullptr;
                const POINT now = CursorInFrame();
                if (item->Contains(now.x, now.y)) item->MouseUp();
                else item->MouseLeave();
            }
        }
        return true;
    }
    // A maximised window cannot be dragged by its caption.
    if (form.WindowStateValue() == FrameWindowState::Maximized && form.ActiveLook() && m.WParam == HTCAPTION)
        m.WParam = HTMENU;
    return false;
}

bool TSkinChrome::NcLButtonUp(TMessage& m)
{
    HideCaptionHint();
    const POINT screen = MessagePoint(m);
    const POINT p = ScreenToFrame(screen);
    TWinSysButton* button = CaptionButtonAt(p);
    TNCObject* pressed = std::exchange(pressedObject, nullptr);
    m.Result = 0;
    const bool swallowed = button || (menuBar && menuBar->ItemAt(p));
    // Only a release on the button that was pressed acts.
    if (button && button == hotObject && button == pressed) {
        button->MouseUp();
        CaptionButtonAction(screen);
    }
    return swallowed;
}

bool TSkinChrome::NcLButtonDblClk(TMessage& m)
{
    const POINT p = ScreenToFrame(MessagePoint(m));
    if (TWinSysButton* button = CaptionButtonAt(p)) {
        if (caption::IsIconButton(button->Action())) {
            StopHover();
            PostSysCommand(SC_CLOSE);
        }
        m.Result = 0;
        return true;
    }
    if (m.WParam != HTCAPTION) return false;
    m.Result = 0;
    if (form.WindowStateValue() != FrameWindowState::Normal) {
        RestoreWindow();
        return true;
    }
    if (form.ButtonMask() & CaptionBox::Maximize) {
        ToggleMaximize();
        return true;
    }
    return false;
}

bool TSkinChrome::NcRButtonDown(TMessage& m)
{
    HideCaptionHint();
    if (m.WParam == HTCAPTION && form.FormKindValue() != FormKind::MDIChild) {
        ShowSystemMenu(MessagePoint(m));
        m.Result = 0;
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- actions

bool TSkinChrome::CaptionButtonAction(POINT screen)
{
    auto* button = dynamic_cast<TWinSysButton*>(hotObject);
    if (!button) return true;
    const int action = button->Action();
    switch (caption::EffectOf(action)) {
    case caption::TCaptionEffect::Close:
        if (HasCloseCommand(Window(), form.SystemMenu())) {
            StopHover();
            PostSysCommand(SC_CLOSE);
        }
        break;
    case caption::TCaptionEffect::Maximize:
        if (button->enabled) ToggleMaximize();
        break;
    case caption::TCaptionEffect::Minimize:
        if (button->enabled) ToggleMinimize();
        break;
    case caption::TCaptionEffect::SystemMenu: return ShowSystemMenu(POINT{screen.x + 1, screen.y + 1});
    case caption::TCaptionEffect::ContextHelp: PostSysCommand(SC_CONTEXTHELP); break;
    case caption::TCaptionEffect::ChildMinimize: SendToActiveChild(SC_MINIMIZE); break;
    case caption::TCaptionEffect::ChildRestore: SendToActiveChild(SC_RESTORE); break;
    case caption::TCaptionEffect::ChildClose: SendToActiveChild(SC_CLOSE); break;
    case caption::TCaptionEffect::Post: ::PostMessageA(Window(), SKM_CAPTIONACTION, static_cast<WPARAM>(action), 0); break;
    }
    return true;
}

void TSkinChrome::ToggleMaximize()
{
    if (form.WindowStateValue() == FrameWindowState::Maximized) {
        RestoreWindow();
        return;
    }
    if (form.FormKindValue() == FormKind::MDIChild)
        if (TSkinManage* manager = SkinManage()) manager->SetMDIMaximized(true);
    PostSysCommand(SC_MAXIMIZE);
    hotObject = nullptr;
}

void TSkinChrome::ToggleMinimize()
{
    if (form.WindowStateValue() == FrameWindowState::Minimized) {
        RestoreWindow();
        return;
    }
    form.SetSysMenuStyle(false);
    PostSysCommand(SC_MINIMIZE);
}

void TSkinChrome::RestoreWindow() { PostSysCommand(SC_RESTORE); }

void TSkinChrome::SendToActiveChild(UINT command)
{
    if (form.FormKindValue() != FormKind::MDIFrame || !form.MDIClient()) return;
    const auto child = reinterpret_cast<HWND>(::SendMessageA(form.MDIClient(), WM_MDIGETACTIVE, 0, 0));
    if (child) ::SendMessageA(child, WM_SYSCOMMAND, command, 0);
}

// ---------------------------------------------------------------- hover

void TSkinChrome::HoverTick()
{
    if (Tracking()) return;
    TSkinData* data = SkinData();
    if (!data) return;
    // A press released outside the window is over.
    if (pressedObject && ::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) >= 0)
        pressedObject = nullptr;
    const POINT p = CursorInFrame();
    if (hotObject && !hotObject->Contains(p.x, p.y)) {
        hotObject->MouseLeave();
        hotObject = nullptr;
        HideCaptionHint();
    }
    auto* button = dynamic_cast<TWinSysButton*>(hotObject);
    if (!button) return;
    const int32_t rested = captionHint.AddRestTime(250);
    const int pause = Application ? Application->HintPause() : 500;
    const int hidePause = Application ? Application->HintHidePause() : 2500;
    switch (caption::HintStepAt(rested, pause, hidePause)) {
    case caption::THintStep::Wait: break;
    case caption::THintStep::Show: {
        const std::string text = caption::HintTextFor(button->Action());
        if (text.empty()) break;
        RECT window{};
        ::GetWindowRect(Window(), &window);
        POINT cursor{};
        ::GetCursorPos(&cursor);
        const int x = button->bounds.Left + window.left, y = cursor.y + 24;
        captionHint.Show(RECT{x, y, x, y}, text, data->Options());
        break;
    }
    case caption::THintStep::Hide: captionHint.Hide(); break;
    }
}

void TSkinChrome::HoverStopped() { HideCaptionHint(); }

} // namespace tf
