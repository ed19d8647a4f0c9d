#include "skin/window/PopupSkinnerLink.h"

namespace tf {

namespace {
TPopupSkinnerFactory gPopupFactory = nullptr;
}

void SetPopupSkinnerFactory(TPopupSkinnerFactory factory) { gPopupFactory = factory; }

TPopupSkinnerFactory PopupSkinnerFactory() { return gPopupFactory; }

} // namespace tf
