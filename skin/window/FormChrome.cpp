#include "skin/window/FormChrome.h"

namespace tf {

namespace {
TFormChromeFactory gChromeFactory = nullptr;
}

void SetFormChromeFactory(TFormChromeFactory factory) { gChromeFactory = factory; }

TFormChromeFactory FormChromeFactory() { return gChromeFactory; }

} // namespace tf
