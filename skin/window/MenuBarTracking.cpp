// The skinned menu bar's drop-downs and keyboard: opening a bar item with the
// system's popup tracking, the message filter hook that moves between bar
// items while a drop-down is open, Alt and accelerators.
#include <vector>

#include "framework/controls/Application.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/MenuBarRules.h"
#include "skin/window/MenuBtn.h"
#include "skin/window/MenuTracking.h"
#include "skin/window/OwnerDrawMenus.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/window/WinSysButton.h"

namespace tf {

namespace {

// The unit's state while a menu is tracked.
struct TTrackingState {
    TMenuTracking* owner = nullptr;
    TSkinChrome* chrome = nullptr;
    TTrackedMenu kind = TTrackedMenu::MenuBar;
    HHOOK hook = nullptr;
    int openIndex = -1;
    HMENU dropDown = nullptr;
    const TDropDownConversion* conversion = nullptr;
    POINT lastMouse{-32768, -32768};
    bool firstMessage = true;
    bool switched = false;          // another bar item is being opened
    int pendingSwitch = -1;
    int clickedButton = -1;
    WPARAM reposted = 0;            // a mirrored arrow key on its way back
};

TTrackingState gTracking;

// The deepest highlighted item of a drop-down and its cascades.
struct TSelection {
    bool found = false;
    int depth = 0;
    bool hasSubItems = false;
};

TSelection SelectedItem(HMENU menu, int depth = 0)
{
    TSelection selection;
    if (!menu || depth > 25) return selection;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) || !(info.fState & MFS_HILITE)) continue;
        if (info.hSubMenu) {
            const TSelection inner = SelectedItem(info.hSubMenu, depth + 1);
            if (inner.found) return inner;
        }
        selection.found = true;
        selection.depth = depth;
        selection.hasSubItems = info.hSubMenu != nullptr && ::GetMenuItemCount(info.hSubMenu) > 0;
        return selection;
    }
    return selection;
}

// A bar item that the arrow keys, Alt and the pointer moving over the bar
// open: one with a drop-down that can show. An item that only sends its
// command is run by a click or its accelerator, never by passing over it.
bool OpensDropDown(const TMenuBtn& item) { return item.visible && item.itemEnabled && item.subMenu; }

std::vector<menubar::TBarItem> BarItems(const TWinSkinMenu& bar)
{
    std::vector<menubar::TBarItem> items;
    for (int i = 0; i < bar.ItemCount(); ++i) {
        const TMenuBtn* item = bar.Item(i);
        items.push_back(menubar::TBarItem{0, OpensDropDown(*item), item->caption.empty()});
    }
    return items;
}

// Closes the open drop-down so that the loop in OpenMenuBarItem opens index.
bool SwitchTo(int index)
{
    if (index < 0 || index == gTracking.openIndex) return false;
    gTracking.switched = true;
    gTracking.pendingSwitch = index;
    ::EndMenu();
    return true;
}

bool FilterMenuBar(MSG& msg)
{
    TSkinChrome& chrome = *gTracking.chrome;
    TWinSkinMenu* bar = chrome.MenuBar();
    if (!bar) return false;
    switch (msg.message) {
    case WM_KEYDOWN:
        switch (msg.wParam) {
        case VK_RETURN:
        case VK_ESCAPE: gTracking.switched = false; break;
        case VK_LEFT: {
            const TSelection s = SelectedItem(gTracking.dropDown);
            if (!s.found || s.depth == 0) return SwitchTo(menubar::StepItem(BarItems(*bar), gTracking.openIndex, -1));
            break;
        }
        case VK_RIGHT: {
            const TSelection s = SelectedItem(gTracking.dropDown);
            if (!s.found || !s.hasSubItems) return SwitchTo(menubar::StepItem(BarItems(*bar), gTracking.openIndex, +1));
            break;
        }
        default: break;
        }
        break;
    case WM_MOUSEMOVE:
        if (msg.pt.x != gTracking.lastMouse.x || msg.pt.y != gTracking.lastMouse.y) {
            gTracking.lastMouse = msg.pt;
            TMenuBtn* item = bar->ItemAt(chrome.ScreenToFrame(msg.pt));
            if (item && OpensDropDown(*item)) return SwitchTo(bar->IndexOf(item));
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A click on the bar: the open item closes its drop-down, another opens its own.
        if (TMenuBtn* item = bar->ItemAt(chrome.ScreenToFrame(msg.pt))) {
            const int index = bar->IndexOf(item);
            if (index == gTracking.openIndex) {
                ::EndMenu();
                return true;
            }
            return SwitchTo(index);
        }
        break;
    default: break;
    }
    return false;
}

bool FilterSystemMenu(MSG& msg)
{
    if (msg.message != WM_LBUTTONDOWN && msg.message != WM_LBUTTONDBLCLK) return false;
    TSkinChrome& chrome = *gTracking.chrome;
    TWinSysButton* button = chrome.CaptionButtonAt(chrome.ScreenToFrame(msg.pt));
    if (!button) return false;
    for (int i = 0; i < chrome.CaptionButtonCount(); ++i)
        if (chrome.CaptionButton(i) == button) gTracking.clickedButton = i;
    ::EndMenu();
    return true;
}

LRESULT CALLBACK MenuFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_MENU && msg && gTracking.chrome) {
        if (gTracking.firstMessage) {
            // The first item of the menu shows selected.
            gTracking.firstMessage = false;
            if (gTracking.kind == TTrackedMenu::MenuBar)
                ::PostMessageA(msg->hwnd ? msg->hwnd : gTracking.chrome->Window(), WM_KEYDOWN, VK_DOWN, 0);
        }
        // A right-to-left bar reads its arrow keys mirrored: the key is put
        // back in the queue the other way round, before anything else sees it.
        TWinSkinMenu* bar = gTracking.chrome->MenuBar();
        if (gTracking.kind == TTrackedMenu::MenuBar && bar && bar->RightToLeft() && msg->message == WM_KEYDOWN &&
            (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT)) {
            if (gTracking.reposted == msg->wParam) {
                gTracking.reposted = 0;
            } else {
                gTracking.reposted = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
                ::PostMessageA(msg->hwnd, WM_KEYDOWN, gTracking.reposted, msg->lParam);
                return 1;
            }
        }
    }
    const LRESULT next = ::CallNextHookEx(gTracking.hook, code, wParam, lParam);
    if (code != MSGF_MENU || next || !msg || !gTracking.chrome) return next;
    try {
        const bool consumed =
            gTracking.kind == TTrackedMenu::MenuBar ? FilterMenuBar(*msg) : FilterSystemMenu(*msg);
        return consumed ? 1 : 0;
    } catch (...) {
        HandleCallbackException(gTracking.chrome);
        return 0;
    }
}

} // namespace

// ---------------------------------------------------------------- TMenuTracking

TMenuTracking::TMenuTracking(TSkinChrome& chrome, TTrackedMenu kind, int openIndex, HMENU dropDown,
                             const TDropDownConversion* conversion)
{
    gTracking = TTrackingState{};
    gTracking.owner = this;
    gTracking.chrome = &chrome;
    gTracking.kind = kind;
    gTracking.openIndex = openIndex;
    gTracking.dropDown = dropDown;
    gTracking.conversion = conversion;
    ::GetCursorPos(&gTracking.lastMouse);
    gTracking.hook = ::SetWindowsHookExA(WH_MSGFILTER, &MenuFilterHook, nullptr, ::GetCurrentThreadId());
}

TMenuTracking::~TMenuTracking()
{
    if (gTracking.hook) ::UnhookWindowsHookEx(gTracking.hook);
    gTracking = TTrackingState{};
}

int TMenuTracking::PendingSwitch() const { return gTracking.pendingSwitch; }

int TMenuTracking::ClickedButton() const { return gTracking.clickedButton; }

TMenuTracking* TMenuTracking::Current() { return gTracking.owner; }

bool TMenuTracking::ConvertedBySkin(UINT command)
{
    return gTracking.conversion && gTracking.conversion->Converted(command);
}

HMENU TMenuTracking::DropDown() { return gTracking.dropDown; }

void TMenuTracking::ForgetChrome(const TSkinChrome* chrome)
{
    if (!gTracking.owner || gTracking.chrome != chrome) return;
    gTracking.owner->chromeGone = true;
    gTracking.chrome = nullptr;
    ::EndMenu();
}

bool TSkinChrome::Tracking() { return gTracking.owner != nullptr; }

// ---------------------------------------------------------------- opening

bool TSkinChrome::OpenMenuBarItem(TMenuBtn* item)
{
    if (!menuBar || Tracking()) return true;
    const int first = menuBar->IndexOf(item);
    int index = first;
    while (menuBar && index >= 0) {
        item = menuBar->Item(index);
        if (!item) break;
        // A parent item of the form's main menu hears of the opening as a
        // click; other drop-downs post nothing (their identifier is no
        // command), and a disabled item sends nothing at all.
        if (item->itemEnabled && (!item->subMenu || MainMenuItemByCommand(item->command)))
            ::PostMessageA(Window(), WM_COMMAND, item->command, 0);
        if (!item->subMenu) break;

        int next = -1;
        {
            const HMENU dropDown = item->subMenu;
            const DWORD version = SkinOSVersion();
            const bool nt4 = !(version & 0x80000000u) && LOBYTE(LOWORD(version)) == 4;
            std::unique_ptr<TDropDownConversion> conversion;
            if (!nt4) conversion = std::make_unique<TDropDownConversion>(dropDown);
            if (TSkinManage* manager = SkinManage()) manager->SetMenuKind(MenuKind::MenuBar);
            TMenuTracking tracking(*this, TTrackedMenu::MenuBar, index, dropDown, conversion.get());
            if (item->itemEnabled) {
                const RECT r = FrameToScreen(item->bounds);
                const bool rtl = menuBar->RightToLeft();
                const UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON | (rtl ? TPM_RIGHTALIGN : 0);
                ::TrackPopupMenu(dropDown, flags, rtl ? r.right : r.left, r.bottom, 0, Window(), nullptr);
            }
            if (tracking.ChromeGone()) return false;
            next = tracking.PendingSwitch();
        }
        // The bar may be gone: the window closed while its drop-down was open.
        if (!menuBar || next < 0 || !::IsWindow(Window())) break;
        if (TMenuBtn* previous = menuBar->Item(index); previous && previous->drawState != NCState::Normal)
            previous->MouseLeave();
        index = next;
        if (TMenuBtn* following = menuBar->Item(index)) following->MouseDown();
    }
    // The caller settles the item it opened; one switched to since shows normal.
    if (menuBar && index != first)
        if (TMenuBtn* last = menuBar->Item(index); last && last->drawState != NCState::Normal) last->MouseLeave();
    return true;
}

void TSkinChrome::ClickMenuBarItem(TMenuBtn* item)
{
    const RECT r = FrameToScreen(item->bounds);
    ::PostMessageA(Window(), WM_NCLBUTTONDOWN, HTCLIENT, MAKELPARAM(r.left + 1, r.top + 1));
}

TMenuBtn* TSkinChrome::FindAccelItem(unsigned key)
{
    if (!menuBar) return nullptr;
    std::vector<menubar::TAccelItem> items;
    for (int i = 0; i < menuBar->ItemCount(); ++i) {
        const TMenuBtn* item = menuBar->Item(i);
        items.push_back(menubar::TAccelItem{item->caption, item->itemEnabled, item->visible});
    }
    return menuBar->Item(menubar::FindAccelItem(items, key));
}

TMenuItem* TSkinChrome::MainMenuItemByCommand(UINT command) const
{
    if (!menuBar || !form.Form()) return nullptr;
    TMainMenu* menu = form.Form()->Menu();
    return menu ? menu->FindItem(command, fkCommand) : nullptr;
}

// ---------------------------------------------------------------- keyboard

bool TSkinChrome::HandleKeyMenu(TMessage& m)
{
    if ((m.WParam & 0xFFF0) != SC_KEYMENU || Tracking() || ::GetCapture()) return false;
    const auto key = static_cast<unsigned>(m.LParam & 0xFFFF);
    if (key == ' ') {
        // Alt+Space: the skin's system menu at the client area's corner; the
        // message still goes on, unless the skinner went while the menu was
        // open (there is nothing left to pass it on).
        POINT origin{0, 0};
        ::ClientToScreen(Window(), &origin);
        if (ShowSystemMenu(origin)) return false;
        m.Result = 0;
        return true;
    }
    if (key == '-') return false;
    TMenuBtn* item = nullptr;
    if (key == 0) {
        // Alt alone: the first drop-down.
        if (menuBar) item = menuBar->Item(menubar::StepItem(BarItems(*menuBar), -1, +1));
    } else {
        item = FindAccelItem(key);
    }
    if (key != 0 && !item) return false;
    m.Result = 1;
    // An Alt press alone on a window without a menu bar is swallowed too.
    if (item) {
        item->MouseDown();
        if (!OpenMenuBarItem(item)) return true;
        if (menuBar && menuBar->IndexOf(item) >= 0) item->MouseLeave();
    }
    return true;
}

bool TSkinChrome::HandleDialogChar(TMessage& m)
{
    form.CallPreviousFormHook(m);
    if (m.Result != 0) return true;
    const bool onlyAlt = ::GetKeyState(VK_MENU) < 0 && ::GetKeyState(VK_CONTROL) >= 0 && ::GetKeyState(VK_SHIFT) >= 0;
    if (onlyAlt)
        if (TMenuBtn* item = FindAccelItem(static_cast<unsigned>(m.WParam))) {
            ClickMenuBarItem(item);
            m.Result = 1;
            return true;
        }
    if (form.FormKindValue() == FormKind::MDIChild) {
        TSkinManage* manager = SkinManage();
        if (manager && manager->MDIFrameForm()) manager->MDIFrameForm()->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    } else if (Application && Application->MainForm() && form.Form() && form.Form() != Application->MainForm() &&
               !form.Form()->Modal()) {
        Application->MainForm()->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    }
    m.Result = 0;
    return true;
}

bool TSkinChrome::HandleMenuBarNext(TMessage& m)
{
    m.Result = 0;
    if (!menuBar) return true;
    const POINT screen{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
    if (TMenuBtn* item = menuBar->ItemAt(ScreenToFrame(screen))) OpenMenuBarItem(item);
    return true;
}

} // namespace tf
