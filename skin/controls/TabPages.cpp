#include "skin/controls/TabPages.h"

namespace tf {

void ClosePageOfTab(TControl*, int) {}

} // namespace tf
