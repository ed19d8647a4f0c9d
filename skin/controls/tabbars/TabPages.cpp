#include "skin/controls/tabbars/TabPages.h"

#include "framework/controls/PageControl.h"

namespace tf {

TTabSheet* PageOfTab(TControl* control, int tab)
{
    // Every page of a page control has its tab, in page order.
    auto* pages = dynamic_cast<TPageControl*>(control);
    if (!pages || tab < 0 || tab >= pages->PageCount()) return nullptr;
    return pages->Pages(tab);
}

void ClosePageOfTab(TControl* control, int tab, TTabSheet* page)
{
    if (page && PageOfTab(control, tab) == page) page->Free();
}

} // namespace tf
