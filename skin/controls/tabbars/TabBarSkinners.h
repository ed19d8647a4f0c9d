// The tab, progress bar, track bar, header and media player skinners,
// registered for the class tables' kinds.
#pragma once

namespace tf {

void RegisterTabAndBarSkinners();

} // namespace tf
