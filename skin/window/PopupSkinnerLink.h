// The skin manager's view of a popup menu skinner, the object that paints one
// menu window (class "#32768") from the skin. The popup skinners come from
// their own part of the window layer, which installs a factory; until it
// does, menu windows keep the system look and the manager lists none.
#pragma once
#include <windows.h>

#include <memory>

namespace tf {

class TBitmap;
class TSkinData;

class TPopupSkinnerLink {
public:
    virtual ~TPopupSkinnerLink() = default;
    // Subclasses the menu window; menu is 0 until the first item of its menu
    // is drawn.
    virtual void Attach(HWND window, TSkinData* data, HMENU menu) = 0;
    // Restores the window procedure; nothing when not attached.
    virtual void Detach() = 0;
    virtual HWND PopupWindow() const = 0;
    // The component it paints with (null when not attached).
    virtual TSkinData* SkinData() const = 0;
    virtual HMENU MenuHandle() const = 0;
    virtual void SetMenuHandle(HMENU menu) = 0;
    // The composed background of the whole menu window (null or empty when
    // none has been painted yet).
    virtual TBitmap* Background() = 0;
};

using TPopupSkinnerFactory = std::unique_ptr<TPopupSkinnerLink> (*)();

// Installs the factory (nullptr: no popup skinners).
void SetPopupSkinnerFactory(TPopupSkinnerFactory factory);
TPopupSkinnerFactory PopupSkinnerFactory();

} // namespace tf
