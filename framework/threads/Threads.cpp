#include "Threads.h"

#include <windows.h>
#include <process.h>

#include <deque>

#include "WinHandle.h"
#include "framework/core/SysUtils.h"

namespace tf {

namespace {

// Private to the hidden window's own class, so any value is free.
constexpr UINT WM_SYNC_WAKEUP = WM_APP + 0x51;
const char* const SyncWindowClass = "TThreadSyncWindow";

struct TSyncCall {
    const std::function<void()>* Fn;
    std::exception_ptr Error;
    HANDLE Done;
};

struct TSyncState {
    CRITICAL_SECTION Lock;
    std::deque<TSyncCall*> Queue;
    HANDLE Pending;   // manual reset: set while the queue is not empty
    std::atomic<DWORD> UIThread{0};
    std::atomic<HWND> Window{nullptr};

    TSyncState()
    {
        InitializeCriticalSection(&Lock);
        Pending = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
};

std::atomic<void (*)()> g_resumeProbe{nullptr};

// Never destroyed: a worker still blocked at process exit must not find it gone.
TSyncState& Sync()
{
    static TSyncState* state = new TSyncState;
    return *state;
}

class TLock {
public:
    explicit TLock(CRITICAL_SECTION& cs) : FCs(cs) { EnterCriticalSection(&FCs); }
    ~TLock() { LeaveCriticalSection(&FCs); }
    TLock(const TLock&) = delete;
    TLock& operator=(const TLock&) = delete;

private:
    CRITICAL_SECTION& FCs;
};

LRESULT CALLBACK SyncWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SYNC_WAKEUP) {
        CheckSynchronize();
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

} // namespace

void InitThreads()
{
    TSyncState& s = Sync();
    const DWORD me = GetCurrentThreadId();
    TLock guard(s.Lock);
    if (s.UIThread == me) return;
    if (s.UIThread != 0) throw EInvalidOperation("InitThreads: another thread is the user-interface thread");

    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = SyncWindowProc;
    wc.hInstance = inst;
    wc.lpszClassName = SyncWindowClass;
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOutOfResources("InitThreads: cannot register the synchronisation window class");
    HWND wnd = CreateWindowExA(0, SyncWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
    if (!wnd) throw EOutOfResources("InitThreads: cannot create the synchronisation window");
    s.Window = wnd;
    s.UIThread = me;
}

void SetResumeProbe(void (*probe)()) { g_resumeProbe = probe; }

unsigned long UIThreadID() { return Sync().UIThread; }

bool InUIThread()
{
    const DWORD ui = Sync().UIThread;
    return ui != 0 && ui == GetCurrentThreadId();
}

bool CheckSynchronize()
{
    TSyncState& s = Sync();
    if (!InUIThread()) return false;
    bool ran = false;
    // Only the calls queued before this started: a worker that queues its
    // next call as soon as one returns (a long batch in slices) must not hold
    // this thread here, away from its messages, until it has run out.
    size_t budget;
    {
        TLock guard(s.Lock);
        budget = s.Queue.size();
    }
    for (; budget > 0; --budget) {
        TSyncCall* call = nullptr;
        {
            TLock guard(s.Lock);
            if (!s.Queue.empty()) {
                call = s.Queue.front();
                s.Queue.pop_front();
            }
            if (s.Queue.empty()) ResetEvent(s.Pending);
        }
        if (!call) break;
        try {
            (*call->Fn)();
        } catch (...) {
            call->Error = std::current_exception();
        }
        ran = true;
        SetEvent(call->Done);   // the caller may now free *call
    }
    return ran;
}

void SynchronizeCall(const std::function<void()>& fn)
{
    TSyncState& s = Sync();
    const DWORD ui = s.UIThread;
    if (ui == GetCurrentThreadId()) {
        fn();
        return;
    }
    if (ui == 0) throw EInvalidOperation("Synchronize: InitThreads has not been called");

    TKernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!done) throw EOutOfResources("Synchronize: cannot create an event");
    TSyncCall call{&fn, nullptr, done.Get()};
    {
        TLock guard(s.Lock);
        s.Queue.push_back(&call);
        SetEvent(s.Pending);
    }
    // A full message queue refuses the post: try again until a post gets
    // through or the call has run anyway (served by another wake-up).
    while (!PostMessageA(s.Window, WM_SYNC_WAKEUP, 0, 0)) {
        if (WaitForSingleObject(done.Get(), 50) == WAIT_OBJECT_0) break;
    }
    WaitForSingleObject(done.Get(), INFINITE);
    if (call.Error) std::rethrow_exception(call.Error);
}

// ---------------------------------------------------------------- TThread

const TClassInfo& TThread::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TThread>("TThread", TObject::StaticClass()).Build();
    return info;
}

TThread::TThread()
{
    unsigned id = 0;
    const uintptr_t h = _beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id);
    if (h == 0) throw EOutOfResources("Cannot create a thread");
    FHandle = reinterpret_cast<HANDLE>(h);
    FThreadID = id;
}

TThread::~TThread()
{
    if (!FHandle) return;
    TerminateAndWait();
    CloseHandle(FHandle);
}

void TThread::TerminateAndWait()
{
    if (GetCurrentThreadId() == FThreadID || FFinished) return;
    Terminate();
    {
        std::lock_guard<std::mutex> guard(FSuspendLock);
        // Never started: no part of the derived object may run now.
        if (!FStarted) FAbandoned = true;
        while (FSuspendCount > 0) {
            ResumeThread(FHandle);
            --FSuspendCount;
        }
    }
    WaitFor();
}

unsigned __stdcall TThread::ThreadProc(void* self)
{
    auto* t = static_cast<TThread*>(self);
    try {
        if (!t->FAbandoned) t->Execute();
    } catch (...) {
        t->FFatalException = std::current_exception();
    }
    const unsigned result = t->FReturnValue;
    // An abandoned thread is being deleted by its owner right now.
    const bool freeIt = t->FFreeOnTerminate && !t->FAbandoned;
    // The Resume() that woke this thread may not have returned yet: it still
    // unlocks the object's lock after ResumeThread.
    if (freeIt)
        while (t->FResuming != 0) Sleep(1);
    // After this store an outside owner may delete the object at any moment.
    t->FFinished = true;
    if (freeIt) delete t;
    return result;
}

void TThread::Suspend()
{
    {
        std::lock_guard<std::mutex> guard(FSuspendLock);
        ++FSuspendCount;
    }
    // Outside the lock: a thread suspending itself stops right here.
    if (SuspendThread(FHandle) == static_cast<DWORD>(-1)) {
        std::lock_guard<std::mutex> guard(FSuspendLock);
        --FSuspendCount;
    }
}

void TThread::Resume()
{
    // Counted before the thread can run, released after the last touch: a
    // self-freeing thread waits for this before it deletes itself.
    ++FResuming;
    {
        std::lock_guard<std::mutex> guard(FSuspendLock);
        if (FSuspendCount > 0) {
            if (--FSuspendCount == 0) FStarted = true;
            ResumeThread(FHandle);
            if (auto probe = g_resumeProbe.load()) probe();
        }
    }
    --FResuming;
}

bool TThread::Suspended() const
{
    std::lock_guard<std::mutex> guard(FSuspendLock);
    return FSuspendCount > 0;
}

unsigned long TThread::WaitFor()
{
    if (GetCurrentThreadId() == FThreadID) throw EInvalidOperation("A thread cannot wait for itself");
    if (InUIThread()) {
        const HANDLE handles[2] = {FHandle, Sync().Pending};
        for (;;) {
            const DWORD r = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
            if (r == WAIT_OBJECT_0 + 1) {
                CheckSynchronize();
                continue;
            }
            break;   // the thread ended, or the wait failed: do not spin
        }
    } else {
        WaitForSingleObject(FHandle, INFINITE);
    }
    DWORD code = 0;
    GetExitCodeThread(FHandle, &code);
    return code;
}

} // namespace tf
