#include "WndProcThunk.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

// One procedure: a few bytes of code, then the method it calls. The code puts
// the block in front of the message in place of the window:
//   x86:    pop eax; push block; push eax; jmp ThunkEntry
//           (the block becomes a first argument before hwnd, msg, ...)
//   x86-64: mov rcx, block; mov rax, ThunkEntry; jmp rax
//           (the block replaces hwnd in the first argument register)
#if defined(__i386__)
constexpr size_t ThunkCodeSize = 12;
#elif defined(__x86_64__)
constexpr size_t ThunkCodeSize = 24;
#else
static_assert(false, "window procedure thunks are written for x86 and x86-64 only");
#endif

struct ThunkBlock {
    uint8_t code[ThunkCodeSize];
    bool inUse;
    TWndMethod method;
};

LRESULT RunMethod(ThunkBlock* block, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    try {
        block->method(m);
    } catch (...) {
        HandleCallbackException(block->method.Data());
        return 0;
    }
    return m.Result;
}

#if defined(__i386__)
LRESULT __stdcall ThunkEntry(ThunkBlock* block, HWND, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunMethod(block, msg, wParam, lParam);
}

void WriteThunkCode(ThunkBlock* b)
{
    uint8_t* c = b->code;
    c[0] = 0x58;                                   // pop eax
    c[1] = 0x68;                                   // push imm32
    const uint32_t self = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(b));
    std::memcpy(c + 2, &self, 4);
    c[6] = 0x50;                                   // push eax
    c[7] = 0xE9;                                   // jmp rel32
    const int32_t rel = static_cast<int32_t>(reinterpret_cast<intptr_t>(&ThunkEntry) -
                                             reinterpret_cast<intptr_t>(c + 12));
    std::memcpy(c + 8, &rel, 4);
}
#else
LRESULT ThunkEntry(ThunkBlock* block, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return RunMethod(block, msg, wParam, lParam);
}

void WriteThunkCode(ThunkBlock* b)
{
    uint8_t* c = b->code;
    c[0] = 0x48;                                   // mov rcx, imm64
    c[1] = 0xB9;
    const uint64_t self = reinterpret_cast<uintptr_t>(b);
    std::memcpy(c + 2, &self, 8);
    c[10] = 0x48;                                  // mov rax, imm64
    c[11] = 0xB8;
    const uint64_t entry = reinterpret_cast<uintptr_t>(&ThunkEntry);
    std::memcpy(c + 12, &entry, 8);
    c[20] = 0xFF;                                  // jmp rax
    c[21] = 0xE0;
}
#endif

constexpr size_t PageSize = 4096;

class ThunkPool {
public:
    ThunkBlock* Allocate(TWndMethod method)
    {
        std::lock_guard<std::mutex> g(FLock);
        if (FFree.empty()) Grow();
        ThunkBlock* b = FFree.back();
        FFree.pop_back();
        b->inUse = true;
        b->method = method;
        WriteThunkCode(b);
        FlushInstructionCache(GetCurrentProcess(), b->code, sizeof(b->code));
        return b;
    }

    void Release(ThunkBlock* b)
    {
        std::lock_guard<std::mutex> g(FLock);
        if (!Owns(b) || !b->inUse) return;
        b->inUse = false;
        b->method = TWndMethod();
        FFree.push_back(b);
    }

    void Rebind(ThunkBlock* b, TWndMethod method)
    {
        std::lock_guard<std::mutex> g(FLock);
        if (Owns(b) && b->inUse) b->method = method;
    }

private:
    void Grow()
    {
        void* page = VirtualAlloc(nullptr, PageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
        if (!page) throw EOutOfResources("Cannot allocate a window procedure");
        FPages.push_back(static_cast<uint8_t*>(page));
        auto* blocks = static_cast<ThunkBlock*>(page);
        const size_t n = PageSize / sizeof(ThunkBlock);
        for (size_t i = n; i-- > 0;) {
            new (&blocks[i]) ThunkBlock{{}, false, TWndMethod()};
            FFree.push_back(&blocks[i]);
        }
    }
    bool Owns(ThunkBlock* b) const
    {
        const auto* p = reinterpret_cast<const uint8_t*>(b);
        for (const uint8_t* page : FPages)
            if (p >= page && p < page + PageSize &&
                (static_cast<size_t>(p - page) % sizeof(ThunkBlock)) == 0)
                return true;
        return false;
    }

    std::mutex FLock;
    std::vector<uint8_t*> FPages;   // never released: a late call must not jump into freed memory
    std::vector<ThunkBlock*> FFree;
};

ThunkPool& Pool()
{
    static ThunkPool* pool = new ThunkPool;   // outlives every window
    return *pool;
}

} // namespace

WNDPROC MakeObjectInstance(TWndMethod method)
{
    return reinterpret_cast<WNDPROC>(Pool().Allocate(method)->code);
}

void FreeObjectInstance(WNDPROC proc)
{
    if (!proc) return;
    // code is the first member: the procedure's address is the block's.
    Pool().Release(reinterpret_cast<ThunkBlock*>(reinterpret_cast<void*>(proc)));
}

namespace {

// Stands in for a procedure's object for the rest of its window's life.
class TPassOn : public TObject {
public:
    TPassOn(WNDPROC proc, HWND window, WNDPROC previous, bool unicode)
        : FProc(proc), FWindow(window), FPrevious(previous), FUnicode(unicode)
    {
    }

    void Pass(TMessage& m)
    {
        m.Result = FUnicode ? CallWindowProcW(FPrevious, FWindow, m.Msg, m.WParam, m.LParam)
                            : CallWindowProcA(FPrevious, FWindow, m.Msg, m.WParam, m.LParam);
        if (m.Msg != WM_NCDESTROY) return;
        // The entry reads nothing of the block after the call returns.
        FreeObjectInstance(FProc);
        delete this;
    }

private:
    WNDPROC FProc;
    HWND FWindow;
    WNDPROC FPrevious;
    bool FUnicode;
};

} // namespace

void PassOnObjectInstance(WNDPROC proc, HWND window, WNDPROC previous, bool unicode)
{
    if (!proc) return;
    auto* pass = new TPassOn(proc, window, previous, unicode);
    Pool().Rebind(reinterpret_cast<ThunkBlock*>(reinterpret_cast<void*>(proc)), TWndMethod::Of<&TPassOn::Pass>(pass));
}

} // namespace tf
