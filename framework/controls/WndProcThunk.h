// Window procedures bound to an object: MakeObjectInstance turns a TWndMethod
// ((object, member) taking a TMessage&) into a plain WNDPROC that can be put
// into a window with SetWindowLong(GWL_WNDPROC). The procedure builds the
// message record, calls the method and returns the record's Result; a C++
// exception escaping the method goes to Application->HandleException and the
// message answers 0. The code lives in executable memory until freed.
#pragma once
#include <windows.h>

#include "Messages.h"

namespace tf {

WNDPROC MakeObjectInstance(TWndMethod method);
// Releases a procedure made by MakeObjectInstance. Null, or a procedure freed
// before, is ignored.
void FreeObjectInstance(WNDPROC proc);
// For a procedure made by MakeObjectInstance that a later subclass of window
// still calls after the procedure's object is gone: from now on it hands
// every message to previous, and it is released when the window is destroyed.
void PassOnObjectInstance(WNDPROC proc, HWND window, WNDPROC previous, bool unicode);

// RAII owner of one object procedure.
class TWndProcThunk {
public:
    TWndProcThunk() = default;
    explicit TWndProcThunk(TWndMethod method) : FProc(MakeObjectInstance(method)) {}
    ~TWndProcThunk() { FreeObjectInstance(FProc); }
    TWndProcThunk(const TWndProcThunk&) = delete;
    TWndProcThunk& operator=(const TWndProcThunk&) = delete;

    WNDPROC Proc() const { return FProc; }
    explicit operator bool() const { return FProc != nullptr; }
    // Gives up the procedure without releasing it.
    WNDPROC Detach()
    {
        WNDPROC proc = FProc;
        FProc = nullptr;
        return proc;
    }
    void Reset(TWndMethod method = TWndMethod())
    {
        FreeObjectInstance(FProc);
        FProc = method ? MakeObjectInstance(method) : nullptr;
    }

private:
    WNDPROC FProc = nullptr;
};

// Reports an exception caught at a callback boundary (window procedure, hook,
// timer) to the application's handler. Call only inside a catch block.
void HandleCallbackException(TObject* sender) noexcept;

} // namespace tf
