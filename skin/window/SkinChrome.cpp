// The chrome's life, its caption buttons and the menu bar it keeps.
#include "skin/window/SkinChrome.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/graphics/Bitmap.h"
#include "skin/EngineParts.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/CaptionButtonRules.h"
#include "skin/window/FormPopupMenus.h"
#include "skin/window/MenuBtn.h"
#include "skin/window/MenuTracking.h"
#include "skin/window/OwnerDrawMenus.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSkinMenu.h"
#include "skin/window/WinSkinPopMenu.h"
#include "skin/window/WinSysButton.h"

namespace tf {

TSkinChrome::TSkinChrome(TWinSkinForm& formSkinner) : form(formSkinner), dblClickTime(::GetDoubleClickTime()) {}

TSkinChrome::~TSkinChrome()
{
    TMenuTracking::ForgetChrome(this);
    // Nothing of the skin stays on the form's menus once the chrome is gone.
    popupMenusDrawn.reset();
    mainMenusDrawn.reset();
    sysMenuPopup.reset();
    menuBar.reset();
    sysButtons.clear();
}

TSkinData* TSkinChrome::SkinData() const { return form.SkinData(); }

HWND TSkinChrome::Window() const { return form.Window(); }

void TSkinChrome::ForgetObject(TNCObject* object)
{
    if (hotObject == object) hotObject = nullptr;
    if (pressedObject == object) pressedObject = nullptr;
}

void TSkinChrome::HideCaptionHint() { captionHint.Reset(); }

// ---------------------------------------------------------------- coordinates

POINT TSkinChrome::ScreenToFrame(POINT screen) const
{
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return POINT{screen.x - r.left, screen.y - r.top};
}

POINT TSkinChrome::CursorInFrame() const
{
    POINT p{};
    ::GetCursorPos(&p);
    return ScreenToFrame(p);
}

RECT TSkinChrome::FrameToScreen(const frame::TBox& box) const
{
    RECT r{};
    ::GetWindowRect(Window(), &r);
    return RECT{box.Left + r.left, box.Top + r.top, box.Right + r.left, box.Bottom + r.top};
}

// ---------------------------------------------------------------- caption buttons

void TSkinChrome::RebuildCaptionButtons()
{
    FreeCaptionButtons();
    TSkinData* data = SkinData();
    if (!data) return;
    for (size_t i = 0; i < data->SkinSysButtons.size(); ++i) {
        auto button = std::make_unique<TWinSysButton>(*this, static_cast<int>(i));
        button->enabled = true;
        TDataSkinSysButton* e = button->Element();
        if (e && caption::IsIconButton(e->Action)) {
            // An icon button without an image of its own shows the window icon.
            form.BuildIconBitmap();
            TBitmap* icon = form.IconBitmap();
            if (icon && e->Empty()) e->Bitmap->Assign(icon);
            if (icon && data->FAppIcon && data->FAppIcon->Empty()) data->FAppIcon->Assign(icon);
            e->FrameCount = 1;
        }
        sysButtons.push_back(std::move(button));
    }
}

void TSkinChrome::FreeCaptionButtons() { sysButtons.clear(); }

void TSkinChrome::UpdateButtonStates()
{
    caption::TWindowFacts facts;
    const int mask = form.ButtonMask();
    facts.Maximized = form.WindowStateValue() == FrameWindowState::Maximized;
    facts.Active = form.ActiveLook();
    facts.MinimizeBox = (mask & CaptionBox::Minimize) != 0;
    facts.MaximizeBox = (mask & CaptionBox::Maximize) != 0;
    facts.SystemMenu = (mask & CaptionBox::SystemMenu) != 0;
    facts.ContextHelp = (mask & CaptionBox::ContextHelp) != 0;
    facts.DialogClass = form.IsDialog();
    facts.FrameKind = form.FrameKindValue();
    if (form.FormKindValue() == FormKind::MDIFrame && menuBar && form.MDIClient()) {
        BOOL maximized = FALSE;
        const auto child = reinterpret_cast<HWND>(
            ::SendMessageA(form.MDIClient(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
        facts.MDIChildMaximizedOnMenuBar = child && maximized;
    }
    const HWND window = Window();
    for (auto& button : sysButtons) {
        const TDataSkinSysButton* e = button->Element();
        if (!e) {
            button->visible = false;
            continue;
        }
        const int action = e->Action;
        const caption::TQueryButton query = [window, action](int code) {
            return static_cast<int>(::SendMessageA(window, SKM_QUERYBUTTON, static_cast<WPARAM>(code), action));
        };
        const caption::TButtonState state =
            caption::ButtonState(action, e->Visibility, e->Visibility1, facts, query);
        button->visible = state.Visible;
        if (action == caption::action::Maximize || action == caption::action::Minimize) button->enabled = state.Enabled;
    }
}

int TSkinChrome::RightButtonsExtent()
{
    UpdateButtonStates();
    int extent = 0;
    for (const auto& button : sysButtons) {
        const TDataSkinSysButton* e = button->Element();
        if (e && e->Align == 1 && button->visible && !e->Empty()) extent = std::max(extent, e->Xcoord);
    }
    return extent;
}

void TSkinChrome::DrawCaptionButtons(HDC captionDC)
{
    TSkinData* data = SkinData();
    if (!data) return;
    UpdateButtonStates();
    RECT r{};
    ::GetWindowRect(Window(), &r);
    caption::TLayoutFacts facts;
    facts.WindowWidth = r.right - r.left;
    const RECT& back = form.CaptionBackRect();
    facts.CaptionBack = frame::TBox{back.left, back.top, back.right, back.bottom};
    facts.BorderRight = form.BorderRight();
    facts.BorderTop = form.BorderTop();
    facts.MenuBarHeight = form.MenuBarHeight();
    const TDataSkinObject* bar = data->SkinMenuBar.get();
    facts.MenuBarLeftMargin = bar && !bar->Empty() ? bar->Margins.left : 0;
    for (auto& button : sysButtons) {
        const TDataSkinSysButton* e = button->Element();
        if (!e || !button->visible || e->Empty()) continue;
        const SIZE size = button->FrameSize();
        button->bounds = caption::ButtonBounds(e->Align, e->Xcoord, e->Ycoord, size.cx, size.cy, facts);
        button->drawState = NCState::Normal;
        if (e->Visibility == caption::MenuBandVisibility) continue;   // drawn on the menu band
        button->DrawInto(captionDC,
                         caption::CaptionImageFrame(form.ActiveLook(), button->enabled, std::max(e->FrameCount, 1)));
    }
}

TWinSysButton* TSkinChrome::CaptionButtonAt(POINT p)
{
    for (auto& button : sysButtons)
        if (button->visible && button->Action() >= 0 && button->HasImage() && button->Contains(p.x, p.y))
            return button.get();
    return nullptr;
}

void TSkinChrome::FramePainted()
{
    if (hotObject) hotObject->drawState = NCState::Normal;
    hotObject = nullptr;
}

// ---------------------------------------------------------------- menu bar

void TSkinChrome::CreateMenuBar(HMENU menu)
{
    menuBar = std::make_unique<TWinSkinMenu>(*this);
    menuBar->BuildItems(menu);
}

void TSkinChrome::MenuChanged(HMENU menu)
{
    if (!menuBar) {
        CreateMenuBar(menu);
    } else {
        menuBar->BuildItems(menu, form.FormKindValue() == FormKind::MDIFrame);
    }
    form.PaintFrame(nullptr);
}

void TSkinChrome::DrawMenuBarItems(HDC dc, const RECT& band)
{
    if (menuBar) menuBar->PaintBar(dc, band);
}

void TSkinChrome::FreeMenuBar() { menuBar.reset(); }

// ---------------------------------------------------------------- messages

bool TSkinChrome::HandleMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: return HandleMouse(m);
    case WM_SYSCOMMAND: return HandleKeyMenu(m);
    case CM_DIALOGCHAR: return HandleDialogChar(m);
    case SKM_MENUBARNEXT: return HandleMenuBarNext(m);
    case WM_MEASUREITEM: return HandleMeasureItem(m);
    case WM_DRAWITEM: return HandleDrawItem(m);
    default: return false;
    }
}

// ---------------------------------------------------------------- owner drawing

void TSkinChrome::SetPopupMenusOwnerDrawn(bool on)
{
    TCustomForm* target = form.Form();
    TSkinData* data = SkinData();
    if (!on) {
        popupMenusDrawn.reset();
        return;
    }
    if (!target || !data || !data->SkinControls().Contains(xcPopupMenu)) return;
    if (form.WindowClassName() == "TwwRichEditForm") return;
    // The skin drawn on the menus before the form was skinned steps aside.
    GiveBackEarlyPopupMenus(*target);
    if (!popupMenusDrawn) popupMenusDrawn = std::make_unique<TOwnerDrawRecord>(*this);
    popupMenusDrawn->MakePopupMenusOwnerDrawn(target, data->DisableTag());
}

void TSkinChrome::SetMainMenusOwnerDrawn(bool on)
{
    TCustomForm* target = form.Form();
    if (!on) {
        mainMenusDrawn.reset();
        return;
    }
    if (!target) return;
    if (!mainMenusDrawn) mainMenusDrawn = std::make_unique<TOwnerDrawRecord>(*this);
    mainMenusDrawn->MakeMainMenusOwnerDrawn(target);
}

// ---------------------------------------------------------------- installing

// Every form skinner's chrome is a TSkinChrome and every menu window's
// skinner a TWinSkinPopMenu.
void engine::InstallWindowChrome()
{
    SetFormChromeFactory([](TWinSkinForm& formSkinner) -> std::unique_ptr<TFormChrome> {
        return std::make_unique<TSkinChrome>(formSkinner);
    });
    SetPopupSkinnerFactory([]() -> std::unique_ptr<TPopupSkinnerLink> { return std::make_unique<TWinSkinPopMenu>(); });
}

void engine::RemoveWindowChrome()
{
    SetPopupSkinnerFactory(nullptr);
    SetFormChromeFactory(nullptr);
}

} // namespace tf
