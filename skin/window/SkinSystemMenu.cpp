// The skin's own system menu: an owner-drawn popup menu with the skin's
// "GLAZEMENU" glyphs, built from the window's system menu each time it opens.
#include "framework/controls/Menus.h"
#include "framework/graphics/ImageList.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/window/CaptionButtonRules.h"
#include "skin/window/MenuTracking.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSysButton.h"

namespace tf {

namespace {

constexpr intptr_t SystemMenuTag = 33333;

// Glyphs of the skin's menu glyph strip.
namespace glyph {
constexpr int None = -1, Restore = 0, Maximize = 1, Minimize = 2, Close = 3;
}

// Tags of the fixed items of the NT family before version 5.
namespace legacy {
constexpr intptr_t Restore = 0, Maximize = 1, Minimize = 2, Close = 3, Line = 100;
}

bool LegacySystemMenu()
{
    const DWORD version = SkinOSVersion();
    return PlatformFlags().NTFamily && !(version & 0x80000000u) && version != 0 && LOBYTE(LOWORD(version)) < 5;
}

} // namespace

bool TSkinChrome::ShowSystemMenu(POINT screen)
{
    // One menu is tracked at a time (a click reaching the window from
    // inside another menu's loop opens nothing).
    if (Tracking()) return true;
    const DWORD now = ::GetTickCount();
    if (sysMenuShown && now - lastSysMenuTick <= dblClickTime) {
        // A second opening within the double-click time closes the window.
        if (hotObject) {
            StopHover();
            ::PostMessageA(Window(), WM_CLOSE, 0, 0);
        }
        return true;
    }
    if (TSkinManage* manager = SkinManage()) manager->SetMenuKind(MenuKind::SystemMenu);
    lastSysMenuTick = now;
    sysMenuShown = true;
    BuildSystemMenuPopup();
    int clicked = -1;
    {
        TMenuTracking tracking(*this, TTrackedMenu::SystemMenu, -1, nullptr, nullptr);
        sysMenuPopup->Popup(screen.x, screen.y);
        if (tracking.ChromeGone()) return false;
        clicked = tracking.ClickedButton();
    }
    // A caption button pressed while the menu was open is pressed for real:
    // the icon opens the menu again (a second opening), the others act when
    // the button is released.
    if (clicked < 0 || clicked >= CaptionButtonCount()) return true;
    TWinSysButton* button = CaptionButton(clicked);
    button->MouseDown();
    if (caption::EffectOf(button->Action()) == caption::TCaptionEffect::SystemMenu) return ShowSystemMenu(screen);
    pressedObject = button;
    return true;
}

void TSkinChrome::FreeSystemMenu() { sysMenuPopup.reset(); }

void TSkinChrome::BuildSystemMenuPopup()
{
    sysMenuPopup.reset();
    TSkinData* data = SkinData();
    auto popup = std::make_unique<TPopupMenu>(nullptr);
    popup->SetTag(SystemMenuTag);
    popup->SetOwnerDraw(true);
    if (data) popup->SetImages(data->FMenuGlyphs.get());
    const auto add = [&](const std::string& caption, intptr_t tag, int glyphIndex, bool enabled, bool checked,
                         TNotifyEvent click) {
        auto* item = new TMenuItem(popup.get());
        item->SetCaption(caption);
        item->SetTag(tag);
        item->SetImageIndex(glyphIndex);
        item->SetEnabled(enabled);
        item->SetChecked(checked);
        item->OnClick = click;
        item->OnDrawItem = TMenuDrawItemEvent::Of<&TSkinMenuPainter::DrawMenuItemEvent>(this);
        item->OnMeasureItem = TMenuMeasureItemEvent::Of<&TSkinMenuPainter::MeasurePopupItemEvent>(this);
        popup->Items()->Add(item);
        return item;
    };
    const int state = form.WindowStateValue();
    const int mask = form.ButtonMask();
    const bool maximized = state == FrameWindowState::Maximized, minimized = state == FrameWindowState::Minimized;

    if (LegacySystemMenu()) {
        const auto click = TNotifyEvent::Of<&TSkinChrome::LegacySystemMenuClick>(this);
        add(" Restore ", legacy::Restore, glyph::Restore, true, false, click);
        if (mask & CaptionBox::Maximize) add(" Maximize ", legacy::Maximize, glyph::Maximize, true, false, click);
        if (mask & CaptionBox::Minimize) add(" Minimize ", legacy::Minimize, glyph::Minimize, true, false, click);
        add("-", legacy::Line, glyph::None, true, false, click);
        add(" Close ", legacy::Close, glyph::Close, true, false, click)->SetShortCut(TextToShortCut("ALT+F4"));
    } else if (HMENU system = form.SystemMenu() ? form.SystemMenu() : ::GetSystemMenu(Window(), FALSE)) {
        const auto click = TNotifyEvent::Of<&TSkinChrome::SystemMenuClick>(this);
        const int count = ::GetMenuItemCount(system);
        for (int i = 0; i < count; ++i) {
            char text[81] = {};
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE;
            info.dwTypeData = text;
            info.cch = 80;
            if (!::GetMenuItemInfoA(system, static_cast<UINT>(i), TRUE, &info)) continue;
            // An entry without text is a separator line.
            const std::string caption = (info.fType & MFT_SEPARATOR) || !text[0] ? std::string("-") : std::string(text);
            int glyphIndex = glyph::None;
            bool enabled = true;
            switch (info.wID) {
            case SC_SIZE:
            case SC_MOVE: enabled = !maximized; break;
            case SC_MINIMIZE:
                glyphIndex = glyph::Minimize;
                enabled = !minimized && (mask & CaptionBox::Minimize);
                break;
            case SC_MAXIMIZE:
                glyphIndex = glyph::Maximize;
                enabled = !maximized && (mask & CaptionBox::Maximize);
                break;
            case SC_CLOSE: glyphIndex = glyph::Close; break;
            case SC_RESTORE:
                glyphIndex = glyph::Restore;
                enabled = state != FrameWindowState::Normal;
                break;
            default: break;
            }
            if (info.fState == (MFS_GRAYED | MFS_DISABLED)) enabled = false;
            add(caption, static_cast<intptr_t>(info.wID), glyphIndex, enabled, (info.fState & MFS_CHECKED) != 0, click);
        }
    }
    sysMenuPopup = std::move(popup);
}

void TSkinChrome::SystemMenuClick(TObject* sender)
{
    if (auto* item = dynamic_cast<TMenuItem*>(sender))
        ::PostMessageA(Window(), WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

void TSkinChrome::LegacySystemMenuClick(TObject* sender)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item) return;
    switch (item->Tag()) {
    case legacy::Restore: RestoreWindow(); break;
    case legacy::Maximize: ToggleMaximize(); break;
    case legacy::Minimize: ToggleMinimize(); break;
    case legacy::Close:
        StopHover();
        ::PostMessageA(Window(), WM_CLOSE, 0, 0);
        break;
    default: break;
    }
}

} // namespace tf
