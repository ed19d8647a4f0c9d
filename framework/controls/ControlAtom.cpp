#include "ControlAtom.h"

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

struct ControlAtomHolder {
    std::string name;
    ATOM atom = 0;
    ControlAtomHolder()
    {
        name = Format("ControlOfs%.8X%.8X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(MainInstance())),
                      static_cast<unsigned>(GetCurrentThreadId()));
        atom = GlobalAddAtomA(name.c_str());
    }
    ~ControlAtomHolder()
    {
        if (atom) GlobalDeleteAtom(atom);
    }
};

ControlAtomHolder& Holder()
{
    static ControlAtomHolder holder;
    return holder;
}

// Made during start-up, on the thread that runs static initialisation: the
// user-interface thread.
[[maybe_unused]] const bool atomReady = (Holder(), true);

} // namespace

HINSTANCE MainInstance()
{
    static const HINSTANCE instance = GetModuleHandleA(nullptr);
    return instance;
}

ATOM ControlAtom() { return Holder().atom; }

const std::string& ControlAtomName() { return Holder().name; }

TControl* FindControl(HWND window)
{
    if (!window) return nullptr;
    return static_cast<TControl*>(GetPropA(window, MAKEINTATOM(ControlAtom())));
}

} // namespace tf
