#include "skin/window/WinSkinPopMenu.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"

namespace tf {

namespace {

// Asks a menu window for the menu it shows.
constexpr UINT MN_GETHMENU_MESSAGE = 0x01E1;

bool Windows95Family() { return (SkinOSVersion() & 0x80000000u) != 0; }

// Whether any item of the menu is drawn by its owner.
bool HasOwnerDrawnItem(HMENU menu)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_TYPE;
        if (::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info) && (info.fType & MFT_OWNERDRAW)) return true;
    }
    return false;
}

} // namespace

TWinSkinPopMenu::TWinSkinPopMenu() : popupBackground(std::make_unique<TBitmap>()) {}

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData* data, HMENU menu)
{
    if (wndProcThunk) return;
    popupWindow = window;
    popupSkinData = data;
    popupMenuHandle = menu;
    wndProcThunk.Reset(TWndMethod::Of<&TWinSkinPopMenu::WndProc>(this));
    oldWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wndProcThunk.Proc())));
}

void TWinSkinPopMenu::Detach()
{
    if (!wndProcThunk) return;
    if (::IsWindow(popupWindow))
        ::SetWindowLongPtrA(popupWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc));
    wndProcThunk.Reset();
    popupBackground->SetSize(0, 0);
}

POINT TWinSkinPopMenu::ClientOffset() const
{
    RECT window{};
    POINT client{0, 0};
    if (!::GetWindowRect(popupWindow, &window) || !::ClientToScreen(popupWindow, &client)) return POINT{3, 3};
    return POINT{client.x - window.left, client.y - window.top};
}

void TWinSkinPopMenu::PassOn(TMessage& m)
{
    m.Result = ::CallWindowProcA(oldWndProc, popupWindow, m.Msg, m.WParam, m.LParam);
}

bool TWinSkinPopMenu::Paints()
{
    if (!popupSkinData || popupSkinData->FNoSkin) return false;
    const TDataSkinObject* back = popupSkinData->SkinMenuBackground.get();
    if (!back || back->Empty()) return false;
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(popupWindow, MN_GETHMENU_MESSAGE, 0, 0));
    return menu && HasOwnerDrawnItem(menu);
}

bool TWinSkinPopMenu::ComposeBackground(const RECT& box)
{
    const int w = box.right - box.left, h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return false;
    if (popupBackground->Width() == w && popupBackground->Height() == h) return true;
    const TDataSkinObject& back = *popupSkinData->SkinMenuBackground;
    popupBackground = ComposeElement(RECT{0, 0, w, h}, *back.Bitmap, back.Margins, 1, 1, back.Tile != 0, false);
    return !popupBackground->Empty();
}

void TWinSkinPopMenu::WndProc(TMessage& m)
{
    if (m.Msg == SKM_QUERYSKINNED) {
        m.Result = 1;
        return;
    }
    TSkinManage* manager = SkinManage();
    if (!manager || !manager->Enabled()) {
        PassOn(m);
        return;
    }
    switch (m.Msg) {
    case WM_DESTROY: {
        const WNDPROC previous = oldWndProc;
        const HWND window = popupWindow;
        Detach();
        m.Result = ::CallWindowProcA(previous, window, m.Msg, m.WParam, m.LParam);
        return;
    }
    case WM_ERASEBKGND:
        if (Windows95Family()) {
            m.Result = 0;
            return;
        }
        if (!(popupSkinData && popupSkinData->Options().Contains(xoMenuBG))) PassOn(m);
        m.Result = 1;
        return;
    case WM_NCPAINT: HandleNcPaint(m); return;
    case WM_PRINT: HandlePrint(m); return;
    case WM_PAINT: HandlePaint(m); return;
    default: PassOn(m); return;
    }
}

void TWinSkinPopMenu::HandleNcPaint(TMessage& m)
{
    if (m.WParam != 1 || !Paints()) {
        PassOn(m);
        return;
    }
    RECT r{};
    ::GetWindowRect(popupWindow, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    // The whole window: its frame and its item area.
    TWindowDC dc(popupWindow);
    if (dc.Get() && ComposeBackground(r))
        ::BitBlt(dc.Get(), 0, 0, r.right, r.bottom, popupBackground->Canvas()->Handle(), 0, 0, SRCCOPY);
    m.Result = 0;
}

void TWinSkinPopMenu::HandlePrint(TMessage& m)
{
    RECT r{};
    auto dc = reinterpret_cast<HDC>(m.WParam);
    if (!dc || !Paints() || !::GetWindowRect(popupWindow, &r)) {
        PassOn(m);
        return;
    }
    ::OffsetRect(&r, -r.left, -r.top);
    if (!ComposeBackground(r)) {
        PassOn(m);
        return;
    }
    ::BitBlt(dc, 0, 0, r.right, r.bottom, popupBackground->Canvas()->Handle(), 0, 0, SRCCOPY);
    // The system draws the items inside, over the background.
    TSavedDC saved(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::IntersectClipRect(dc, 3, 3, r.right - 3, r.bottom - 3);
    PassOn(m);
}

void TWinSkinPopMenu::HandlePaint(TMessage& m)
{
    PassOn(m);
    if (Paints()) CoverOutsideItems();
}

void TWinSkinPopMenu::CoverOutsideItems()
{
    RECT window{};
    if (!::GetWindowRect(popupWindow, &window)) return;
    RECT box = window;
    ::OffsetRect(&box, -window.left, -window.top);
    if (!ComposeBackground(box)) return;
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(popupWindow, MN_GETHMENU_MESSAGE, 0, 0));
    TWindowDC dc(popupWindow);
    if (!dc.Get()) return;
    TSavedDC saved(dc.Get());
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!::GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item)) continue;
        ::OffsetRect(&item, -window.left, -window.top);
        ::ExcludeClipRect(dc.Get(), item.left, item.top, item.right, item.bottom);
    }
    ::BitBlt(dc.Get(), 0, 0, box.right, box.bottom, popupBackground->Canvas()->Handle(), 0, 0, SRCCOPY);
}

TPopupBackgroundPart PopupBackgroundFor(HMENU menu)
{
    TPopupBackgroundPart part;
    TSkinManage* manager = SkinManage();
    if (!manager || !menu) return part;
    for (int i = 0; i < manager->PopupSkinnerCount(); ++i) {
        TPopupSkinnerLink* skinner = manager->PopupSkinner(i);
        if (skinner->MenuHandle() != menu) continue;
        part.Bitmap = skinner->Background();
        auto* own = dynamic_cast<TWinSkinPopMenu*>(skinner);
        part.Offset = own ? own->ClientOffset() : POINT{3, 3};
        return part;
    }
    return part;
}

} // namespace tf
