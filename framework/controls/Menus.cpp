#include "Menus.h"

#include <algorithm>
#include <unordered_set>

#include "Application.h"
#include "ControlCanvas.h"
#include "Screen.h"
#undef GetObject
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"

namespace tf {

// ------------------------------------------------------------ TMenu

const TClassInfo& TMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenu>("TMenu", TComponent::StaticClass())
            .Object<TImageList>("Images", &TMenu::Images, &TMenu::SetImages)
            .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
            .Object<TMenuItem>("Items", &TMenu::Items, nullptr)
            .Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), FItems(std::make_unique<TMenuItem>(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    Destroying();
    FItems.reset();
}

void TMenu::SetOwnerDraw(bool value)
{
    if (FOwnerDraw == value) return;
    FOwnerDraw = value;
    // Every listed entry changes its type.
    struct Rebuild {
        static void Walk(TMenuItem* item)
        {
            item->RebuildHandle();
            for (int i = 0; i < item->Count(); ++i) Walk(item->Items(i));
        }
    };
    Rebuild::Walk(FItems.get());
    MenuChanged(nullptr, true);
}

void TMenu::SetImages(TImageList* value)
{
    if (FImages == value) return;
    if (FImages) {
        FImages->RemoveFreeNotification(this);
        RemoveFreeNotification(FImages);
    }
    FImages = value;
    if (value) value->FreeNotification(this);
    MenuChanged(nullptr, false);
}

void TMenu::SetRightToLeft(bool value)
{
    if (FRightToLeft == value) return;
    FRightToLeft = value;
    FItems->RebuildHandle();
    MenuChanged(nullptr, true);
}

void TMenu::Notification(TComponent* c, TOperation op)
{
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove && c == FImages) FImages = nullptr;
}

TMenuItem* TMenu::FindItem(uintptr_t value, TFindItemKind kind) const
{
    struct Search {
        static TMenuItem* Walk(TMenuItem* item, uintptr_t value, TFindItemKind kind)
        {
            for (int i = 0; i < item->Count(); ++i) {
                TMenuItem* c = item->Items(i);
                bool match = false;
                switch (kind) {
                case fkCommand: match = c->Command() == value; break;
                case fkHandle: match = c->HandleAllocated() && reinterpret_cast<uintptr_t>(c->Handle()) == value; break;
                case fkShortCut: match = c->ShortCut() != scNone && c->ShortCut() == value; break;
                }
                if (match) return c;
                if (TMenuItem* found = Walk(c, value, kind)) return found;
            }
            return nullptr;
        }
    };
    return Search::Walk(FItems.get(), value, kind);
}

bool TMenu::DispatchCommand(WORD command)
{
    TMenuItem* item = FindItem(command, fkCommand);
    if (!item) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU submenu)
{
    TMenuItem* item = FItems->HandleAllocated() && FItems->Handle() == submenu
                          ? FItems.get()
                          : FindItem(reinterpret_cast<uintptr_t>(submenu), fkHandle);
    if (!item) return false;
    item->RebuildHandle();
    if (item != FItems.get()) item->Click();
    return true;
}

void TMenu::MenuChanged(TMenuItem*, bool) {}

// ------------------------------------------------------------ TMainMenu

const TClassInfo& TMainMenu::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMainMenu>("TMainMenu", TMenu::StaticClass()).Build();
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu()
{
    HWND window = WindowHandle();
    if (window && IsWindow(window) && Items()->HandleAllocated() && GetMenu(window) == Items()->Handle())
        ::SetMenu(window, nullptr);
}

void TMainMenu::MenuChanged(TMenuItem*, bool)
{
    if (HasState(csLoading) || HasState(csDestroying)) return;
    HWND window = WindowHandle();
    if (window && IsWindow(window)) SendMessageA(window, CM_MENUCHANGED, 0, 0);
}

} // namespace tf
