#include "skin/controls/TabPages.h"

#include "framework/controls/PageControl.h"

namespace tf {

void ClosePageOfTab(TControl* control, int tab)
{
    // Every page of a page control has its tab, in page order.
    auto* pages = dynamic_cast<TPageControl*>(control);
    if (!pages || tab < 0 || tab >= pages->PageCount()) return;
    pages->Pages(tab)->Free();
}

} // namespace tf
