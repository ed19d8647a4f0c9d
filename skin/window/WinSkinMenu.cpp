#include "skin/window/WinSkinMenu.h"

#include <algorithm>
#include <climits>

#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/data/SkinText.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/window/CaptionButtonRules.h"
#include "skin/window/MenuBarRules.h"
#include "skin/window/MenuBtn.h"
#include "skin/window/SkinChrome.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"
#include "skin/window/WinSysButton.h"

namespace tf {

namespace {

constexpr UINT MeasureFormat = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;   // 0x560
constexpr UINT DrawFormat = DT_EXPANDTABS | DT_SINGLELINE;                                 // 0x60

// Systems whose menu bar is read from the form's main menu object: the NT
// family before version 5 and Windows 95 (4.0).
bool ItemsFromMainMenu()
{
    const DWORD version = SkinOSVersion();
    const int major = LOBYTE(LOWORD(version)), minor = HIBYTE(LOWORD(version));
    if (version & 0x80000000u) return major == 4 && minor == 0;
    return PlatformFlags().NTFamily && major < 5 && version != 0;
}

RECT Rect(const frame::TBox& b) { return RECT{b.Left, b.Top, b.Right, b.Bottom}; }

// The screen's menu font for a scope.
class TMenuFontScope {
public:
    explicit TMenuFontScope(HDC dc) : FSelect(dc, MenuFont().Handle()) {}

private:
    static TFont& MenuFont()
    {
        static TFont font;
        if (Screen) font.Assign(Screen->MenuFont());
        return font;
    }
    TSelectObject FSelect;
};

} // namespace

void DrawCentredText(HDC dc, const RECT& rect, const std::wstring& text, int alignment, bool enabled, TColor color)
{
    const UINT align = alignment == 2 ? DT_RIGHT : alignment == 1 ? DT_CENTER : 0;
    TBkModeScope mode(dc, TRANSPARENT);
    RECT measured = rect;
    DrawTextWide(dc, text, measured, align | MeasureFormat);
    const frame::TBox box = menubar::CentredText(frame::TBox{rect.left, rect.top, rect.right, rect.bottom},
                                                 measured.right - measured.left, measured.bottom - measured.top);
    RECT target = Rect(box);
    const COLORREF previous = ::SetTextColor(dc, ColorToRGB(enabled ? color : clBtnShadow));
    DrawTextWide(dc, text, target, align | DrawFormat);
    ::SetTextColor(dc, previous);
}

// ---------------------------------------------------------------- TMenuBtn

void TMenuBtn::Draw()
{
    const int w = bounds.Width(), h = bounds.Height();
    TSkinData* data = chrome.SkinData();
    if (!visible || w <= 0 || h <= 0 || !data) return;
    TWindowDC window(chrome.Window());
    if (!window.Get()) return;
    TBitmap image(w, h, pf24bit);
    HDC dc = image.Canvas()->Handle();
    const RECT& band = bar.BandRect();
    ::BitBlt(dc, 0, 0, w, h, bar.BarBackground().Canvas()->Handle(), bounds.Left - band.left, bounds.Top - band.top,
             SRCCOPY);
    const RECT local{0, 0, w, h};
    if (drawState == NCState::Pressed || drawState == NCState::Hot) {
        TBrushHandle frame(::CreateSolidBrush(ColorToRGB(data->FColors[SkinColor::ButtonHilight])));
        ::FrameRect(dc, &local, frame.Get());
    }
    TMenuFontScope font(dc);
    DrawCentredText(dc, local, caption, 1, itemEnabled, data->FColors[SkinColor::MenuBarText]);
    ::BitBlt(window.Get(), bounds.Left, bounds.Top, w, h, dc, 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------- TWinSkinMenu

const TClassInfo& TWinSkinMenu::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TWinSkinMenu>("TWinSkinMenu", TComponent::StaticClass()).Build();
    return info;
}

TWinSkinMenu::TWinSkinMenu(TSkinChrome& owner)
    : TComponent(nullptr), chrome(owner), barBackground(std::make_unique<TBitmap>())
{
}

TWinSkinMenu::~TWinSkinMenu()
{
    Destroying();
    items.clear();
}

TMenuBtn* TWinSkinMenu::Item(int index) const
{
    return index >= 0 && index < ItemCount() ? items[static_cast<size_t>(index)].get() : nullptr;
}

int TWinSkinMenu::IndexOf(const TMenuBtn* item) const
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == item) return static_cast<int>(i);
    return -1;
}

TMainMenu* TWinSkinMenu::Menu() const
{
    TCustomForm* form = chrome.Form().Form();
    return form ? form->Menu() : nullptr;
}

bool TWinSkinMenu::RightToLeft() const
{
    TMainMenu* menu = Menu();
    return chrome.Form().RightToLeft() || (menu && menu->RightToLeft());
}

void TWinSkinMenu::BuildItems(HMENU menu, bool mdiFrameMenu)
{
    if (ItemsFromMainMenu()) BuildFromMainMenu();
    else BuildFromHandle(menu, mdiFrameMenu);
    if (mdiFrameMenu) LayoutItems();
}

void TWinSkinMenu::BuildFromMainMenu()
{
    TMainMenu* menu = Menu();
    if (!menu) return;
    items.clear();
    TMenuItem* root = menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* source = root->Items(i);
        auto item = std::make_unique<TMenuBtn>(chrome, *this);
        item->skinData = chrome.SkinData();
        item->itemIndex = i;
        item->menuItem = source;
        item->caption = AnsiToWide(source->Caption());
        item->visible = source->Visible();
        item->itemEnabled = source->Enabled();
        item->command = source->Command();
        item->subMenu = source->Count() > 0 ? source->Handle() : nullptr;
        items.push_back(std::move(item));
    }
}

void TWinSkinMenu::BuildFromHandle(HMENU menu, bool mdiFrameMenu)
{
    if (menu) barMenuHandle = menu;
    if (!barMenuHandle || !::IsMenu(barMenuHandle)) return;
    TMainMenu* main = Menu();
    if (chrome.Form().Form() && !main) return;
    items.clear();
    const int count = ::GetMenuItemCount(barMenuHandle);
    for (int i = 0; i < count; ++i) {
        wchar_t text[81] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = 80;
        if (!::GetMenuItemInfoW(barMenuHandle, static_cast<UINT>(i), TRUE, &info)) continue;
        auto item = std::make_unique<TMenuBtn>(chrome, *this);
        item->skinData = chrome.SkinData();
        item->itemIndex = i;
        item->subMenu = info.hSubMenu;
        item->itemEnabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        item->visible = true;
        item->command = info.wID;
        if (!(info.fType & (MFT_BITMAP | MFT_SEPARATOR))) item->caption = text;
        TMenuItem* source = main && (!mdiFrameMenu || item->caption.empty()) ? main->FindItem(info.wID, fkCommand) : nullptr;
        if (source) {
            item->caption = AnsiToWide(source->Caption());
            item->itemEnabled = source->Enabled();
            item->menuItem = source;
            item->subMenu = source->Count() > 0 ? source->Handle() : nullptr;
            if (mdiFrameMenu) item->command = source->Command();
        }
        items.push_back(std::move(item));
    }
    HWND window = chrome.Window();
    if (::GetMenu(window)) ::SetMenu(window, nullptr);
}

RECT TWinSkinMenu::CurrentBand() const
{
    const TWinSkinForm& form = chrome.Form();
    RECT r{};
    ::GetWindowRect(chrome.Window(), &r);
    const int w = r.right - r.left;
    return RECT{form.BorderLeft(), form.BorderTop(), w - form.BorderRight(), form.BorderTop() + form.MenuBarHeight()};
}

void TWinSkinMenu::Place(const RECT& band, HDC measureDC, int leftLimit)
{
    const int bandWidth = band.right - band.left, bandHeight = band.bottom - band.top;
    TSkinData* data = chrome.SkinData();
    const TDataSkinObject* element = data ? data->SkinMenuBar.get() : nullptr;
    const bool hasElement = element && !element->Empty();
    const bool rtl = RightToLeft();
    const int x0 = menubar::StartX(hasElement, hasElement ? element->Margins.left : 0,
                                   hasElement ? element->Margins.right : 0, rtl, bandWidth);
    std::vector<menubar::TBarItem> measured;
    for (const auto& item : items) {
        RECT r{0, 0, 0, 0};
        if (!item->caption.empty()) DrawTextWide(measureDC, item->caption, r, DT_CALCRECT | DT_NOCLIP);
        measured.push_back(menubar::TBarItem{r.right - r.left, item->visible, item->caption.empty()});
    }
    const auto boxes = menubar::LayoutItems(measured, x0, bandWidth, bandHeight, rtl, leftLimit);
    for (size_t i = 0; i < items.size(); ++i) {
        frame::TBox b = boxes[i];
        if (items[i]->visible) b = frame::TBox{b.Left + band.left, b.Top + band.top, b.Right + band.left, b.Bottom + band.top};
        items[i]->bounds = b;
    }
}

void TWinSkinMenu::LayoutItems()
{
    const RECT band = CurrentBand();
    TScreenDC screen;
    TMenuFontScope font(screen.Get());
    Place(band, screen.Get(), INT_MAX);
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& band)
{
    TSkinData* data = chrome.SkinData();
    const int w = band.right - band.left, h = band.bottom - band.top;
    if (!data || w <= 0 || h <= 0) return;
    bandRect = band;
    barBackground->SetSize(w, h);
    ::BitBlt(barBackground->Canvas()->Handle(), 0, 0, w, h, dc, band.left, band.top, SRCCOPY);

    // An MDI frame whose active child is maximised shows the child's buttons on the band.
    std::vector<TWinSysButton*> bandButtons;
    for (int i = 0; i < chrome.CaptionButtonCount(); ++i) {
        TWinSysButton* button = chrome.CaptionButton(i);
        const TDataSkinSysButton* e = button->Element();
        if (e && e->Visibility == caption::MenuBandVisibility && button->visible && button->HasImage())
            bandButtons.push_back(button);
    }
    int leftLimit = INT_MAX;
    for (TWinSysButton* button : bandButtons) leftLimit = std::min<int>(leftLimit, button->bounds.Left - band.left - 5);

    TMenuFontScope font(dc);
    Place(band, dc, leftLimit);
    for (const auto& item : items) {
        if (!item->visible || item->bounds.Width() <= 0) continue;
        const TColor color = data->FColors[item->itemEnabled ? SkinColor::MenuBarText : SkinColor::ButtonShadow];
        DrawCentredText(dc, Rect(item->bounds), item->caption, 1, item->itemEnabled, color);
    }
    if (!bandButtons.empty()) {
        for (TWinSysButton* button : bandButtons) button->DrawInto(dc, 1);
        TSkinManage* manager = SkinManage();
        if (manager && !manager->MDIMaximized()) manager->SetMDIMaximized(true);
    }
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT p) const
{
    for (const auto& item : items)
        if (!item->caption.empty() && item->Contains(p.x, p.y)) return item.get();
    return nullptr;
}

} // namespace tf
