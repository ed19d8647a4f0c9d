// The pages behind a page control's tabs: closing the page a tab stands for
// (the close boxes of skinned tabs).
#pragma once

namespace tf {

class TControl;

// Frees the page whose tab is the tab-th of the page control's tabs (pages
// without a tab are passed over). Nothing for another control or a tab
// index without a page.
void ClosePageOfTab(TControl* pageControl, int tab);

} // namespace tf
