// The pages behind a page control's tabs: closing the page a tab stands for
// (the close boxes of skinned tabs).
#pragma once

namespace tf {

class TControl;
class TTabSheet;

// The page of the tab-th of the page control's tabs, or null for another
// control or a tab index without a page.
TTabSheet* PageOfTab(TControl* pageControl, int tab);

// Frees page when it is still the tab-th page of the page control; nothing
// otherwise (a page that went, or moved, while the form was asked).
void ClosePageOfTab(TControl* pageControl, int tab, TTabSheet* page);

} // namespace tf
