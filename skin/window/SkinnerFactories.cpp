// The factories through which the caption-button, menu-bar and popup-menu
// skinners plug into the window layer.
#include "skin/window/FormChrome.h"
#include "skin/window/PopupSkinnerLink.h"

namespace tf {

namespace {
TFormChromeFactory gChromeFactory = nullptr;
TPopupSkinnerFactory gPopupFactory = nullptr;
} // namespace

void SetFormChromeFactory(TFormChromeFactory factory) { gChromeFactory = factory; }
TFormChromeFactory FormChromeFactory() { return gChromeFactory; }

void SetPopupSkinnerFactory(TPopupSkinnerFactory factory) { gPopupFactory = factory; }
TPopupSkinnerFactory PopupSkinnerFactory() { return gPopupFactory; }

} // namespace tf
