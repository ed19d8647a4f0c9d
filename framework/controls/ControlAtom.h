// The window-to-control mapping. Every window the framework creates for a
// control carries a window property named by the global atom
// "ControlOfs%.8X%.8X" (module instance, user-interface thread id, upper-case
// hex) whose value is the owning control as a TControl*. The property is set
// at the window's first message and removed after WM_NCDESTROY was routed.
#pragma once
#include <windows.h>

#include <string>

namespace tf {

class TControl;

// The program's module instance.
HINSTANCE MainInstance();
// The global atom; made on first use by the user-interface thread.
ATOM ControlAtom();
const std::string& ControlAtomName();

// The control owning a window, or null (null window, foreign window, or a
// window whose control has gone).
TControl* FindControl(HWND window);

} // namespace tf
