// Registers the skinner classes of the edit family (edits, combo boxes,
// up-down and date-time controls) and of the container family (panels,
// dialogs, group boxes, status bars, size grips, tab sheets and the
// stand-ins for other vendors' controls) with the skinner registry.
#pragma once

namespace tf {

void RegisterEditSkinners();
void RegisterContainerSkinners();

} // namespace tf
