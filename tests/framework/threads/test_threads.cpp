#include <doctest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <string>

#include "framework/core/SysUtils.h"
#include "framework/threads/Threads.h"
#include "framework/threads/WinHandle.h"
#include "tests/kit/Pump.h"

using namespace tf;

namespace {

using tftest::PumpUntil;

// Waits, running no synchronized call, until a worker's wake-up for this
// thread has been posted: Synchronize() posts it once the call is queued. The
// wake-up is dropped; the call stays pending. The hidden synchronisation
// window is the only window of this thread here, and the wake-up its only
// private message.
bool WaitForQueuedCall(DWORD timeoutMs = 5000)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd && msg.message >= WM_APP) return true;
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
    }
}

// A thread whose body is a lambda.
class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread&)> body, std::atomic<int>* destroyed = nullptr)
        : FBody(std::move(body)), FDestroyed(destroyed)
    {
    }
    ~TLambdaThread() override
    {
        TerminateAndWait();   // FBody must outlive the thread
        if (FDestroyed) ++*FDestroyed;
    }
    using TThread::Terminated;

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TLambdaThread&)> FBody;
    std::atomic<int>* FDestroyed;
};

TKernelHandle NewEvent() { return TKernelHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr)); }

} // namespace

TEST_CASE("Synchronize runs on the user-interface thread and blocks the worker until it returns")
{
    InitThreads();
    const DWORD ui = GetCurrentThreadId();
    CHECK(UIThreadID() == ui);
    CHECK(InUIThread());

    std::atomic<DWORD> ranOn{0};
    std::atomic<bool> callDone{false};
    std::atomic<bool> workerSawDone{false};
    std::atomic<bool> workerBack{false};
    TLambdaThread t([&](TLambdaThread&) {
        TThread::Synchronize([&] {
            ranOn = GetCurrentThreadId();
            Sleep(150);   // the worker must still be waiting afterwards
            callDone = true;
        });
        workerSawDone = callDone.load();
        workerBack = true;
    });
    t.Resume();
    // Nothing runs while this thread does not pump.
    Sleep(200);
    CHECK(ranOn == 0u);
    CHECK_FALSE(workerBack);
    REQUIRE(PumpUntil([&] { return workerBack.load(); }));
    CHECK(ranOn == ui);
    CHECK(workerSawDone);
    t.WaitFor();
}

TEST_CASE("a failure raised by the synchronized call is raised again in the worker")
{
    InitThreads();
    std::string caught;
    bool sameType = false;
    std::atomic<bool> back{false};
    TLambdaThread t([&](TLambdaThread&) {
        try {
            TThread::Synchronize([] { throw EConvertError("bad value"); });
        } catch (const EConvertError& e) {
            sameType = true;
            caught = e.Message;
        } catch (...) {
        }
        back = true;
    });
    t.Resume();
    REQUIRE(PumpUntil([&] { return back.load(); }));
    t.WaitFor();
    CHECK(sameType);
    CHECK(caught == "bad value");
}

TEST_CASE("CheckSynchronize runs pending calls in order and only on the user-interface thread")
{
    InitThreads();
    // Serve whatever an earlier case left; then nothing is pending.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    CHECK_FALSE(CheckSynchronize());

    std::string order;
    auto worker = [&](char c) {
        return [&, c](TLambdaThread&) { TThread::Synchronize([&, c] { order += c; }); };
    };
    // Queue a's call before b's, without pumping.
    TLambdaThread a(worker('a'));
    a.Resume();
    REQUIRE(WaitForQueuedCall());
    TLambdaThread b(worker('b'));
    b.Resume();
    REQUIRE(WaitForQueuedCall());
    CHECK(order.empty());
    CHECK(CheckSynchronize());
    CHECK(order == "ab");
    a.WaitFor();
    b.WaitFor();

    // From a worker CheckSynchronize does nothing.
    std::atomic<int> answer{-1};
    TLambdaThread c([&](TLambdaThread&) { answer = CheckSynchronize() ? 1 : 0; });
    c.Resume();
    c.WaitFor();
    CHECK(answer == 0);

    // On the user-interface thread Synchronize runs the call at once.
    bool direct = false;
    TThread::Synchronize([&] { direct = true; });
    CHECK(direct);
}

TEST_CASE("CheckSynchronize runs only the calls queued before it started, so messages are answered between them")
{
    InitThreads();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);

    // A worker that queues its next call the moment one returns (a batch
    // delivered in slices) must not keep this thread from its messages: b's
    // call, queued while a's runs, waits for its own wake-up.
    std::string order;
    TLambdaThread b([&](TLambdaThread&) { TThread::Synchronize([&] { order += 'b'; }); });
    TLambdaThread a([&](TLambdaThread&) {
        TThread::Synchronize([&] {
            order += 'a';
            b.Resume();
            // Until b has queued its call (its wake-up is posted), left in the queue.
            MSG m;
            const DWORD start = GetTickCount();
            while (!PeekMessageA(&m, nullptr, WM_APP, 0xBFFF, PM_NOREMOVE) && GetTickCount() - start < 5000) Sleep(1);
        });
    });
    a.Resume();
    REQUIRE(WaitForQueuedCall());
    CHECK(CheckSynchronize());
    CHECK(order == "a");
    CHECK(PumpUntil([&] { return order == "ab"; }));
    a.WaitFor();
    b.WaitFor();
}

namespace {

HWND g_box = nullptr;
HHOOK g_hook = nullptr;
HANDLE g_boxOpen = nullptr;

void CALLBACK CancelBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_box) PostMessageA(g_box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

LRESULT CALLBACK BoxHook(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_ACTIVATE) {
        char cls[32] = {};
        GetClassNameA(reinterpret_cast<HWND>(wp), cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0 && !g_box) {
            g_box = reinterpret_cast<HWND>(wp);
            SetEvent(g_boxOpen);
        }
    }
    return CallNextHookEx(g_hook, code, wp, lp);
}

class THookGuard {
public:
    THookGuard() { g_hook = SetWindowsHookExA(WH_CBT, BoxHook, nullptr, GetCurrentThreadId()); }
    ~THookGuard()
    {
        if (g_hook) UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
};

} // namespace

TEST_CASE("Synchronize is served inside a modal message box")
{
    InitThreads();
    TKernelHandle boxOpen = NewEvent();
    g_boxOpen = boxOpen.Get();
    g_box = nullptr;
    THookGuard hook;
    REQUIRE(g_hook != nullptr);

    std::atomic<bool> ranWhileOpen{false};
    std::atomic<bool> ranOnUi{false};
    const DWORD ui = GetCurrentThreadId();
    TLambdaThread t([&](TLambdaThread&) {
        // Only once the box runs its own loop.
        if (WaitForSingleObject(g_boxOpen, 5000) != WAIT_OBJECT_0) return;
        TThread::Synchronize([&] {
            ranOnUi = GetCurrentThreadId() == ui;
            ranWhileOpen = IsWindow(g_box) && IsWindowVisible(g_box);
            // Answer the box only now, so it cannot close before the call ran.
            PostMessageA(g_box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    });
    t.Resume();
    // Fallback: if the call never runs, a timer on this thread closes the box.
    const UINT_PTR timer = SetTimer(nullptr, 0, 8000, CancelBox);
    const int answer = MessageBoxA(nullptr, "waiting for a worker", "test", MB_OKCANCEL);
    KillTimer(nullptr, timer);
    t.WaitFor();
    CHECK(answer == IDOK);
    CHECK(ranWhileOpen);
    CHECK(ranOnUi);
}

TEST_CASE("FreeOnTerminate deletes the thread object when Execute ends")
{
    InitThreads();
    std::atomic<int> destroyed{0};
    std::atomic<DWORD> deletedOn{0};
    auto* t = new TLambdaThread([&](TLambdaThread&) { deletedOn = GetCurrentThreadId(); }, &destroyed);
    t->SetFreeOnTerminate(true);
    const DWORD id = t->ThreadID();
    t->Resume();
    const DWORD start = GetTickCount();
    while (destroyed == 0 && GetTickCount() - start < 5000) Sleep(5);
    CHECK(destroyed == 1);
    CHECK(deletedOn == id);
}

namespace {

// Gives each thread object a page of its own from one reserved range and
// turns a deleted object's page into a guard page, never reused: any touch
// after the delete is counted by the handler (and then allowed) instead of
// landing in memory the heap has handed out again.
class TGuardedPages {
public:
    static constexpr size_t PageSize = 4096;
    static constexpr size_t Count = 16;

    TGuardedPages()
    {
        FBase = static_cast<char*>(VirtualAlloc(nullptr, PageSize * Count, MEM_RESERVE, PAGE_NOACCESS));
        FHandler = AddVectoredExceptionHandler(1, &TGuardedPages::OnFault);
        Current = this;
    }
    ~TGuardedPages()
    {
        Current = nullptr;
        RemoveVectoredExceptionHandler(FHandler);
        VirtualFree(FBase, 0, MEM_RELEASE);
    }
    TGuardedPages(const TGuardedPages&) = delete;
    TGuardedPages& operator=(const TGuardedPages&) = delete;

    void* Allocate(size_t size)
    {
        if (!FBase || size > PageSize || FUsed >= Count) throw std::bad_alloc();
        void* p = VirtualAlloc(FBase + PageSize * FUsed++, PageSize, MEM_COMMIT, PAGE_READWRITE);
        if (!p) throw std::bad_alloc();
        return p;
    }
    void Retire(void* p)
    {
        ++Deletes;
        DWORD old = 0;
        VirtualProtect(p, PageSize, PAGE_READWRITE | PAGE_GUARD, &old);
    }

    static TGuardedPages* Current;
    std::atomic<int> Deletes{0};
    std::atomic<int> TouchedAfterDelete{0};

private:
    static LONG CALLBACK OnFault(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD& r = *info->ExceptionRecord;
        TGuardedPages* self = Current;
        if (!self || r.ExceptionCode != STATUS_GUARD_PAGE_VIOLATION || r.NumberParameters < 2)
            return EXCEPTION_CONTINUE_SEARCH;
        const auto* at = reinterpret_cast<const char*>(r.ExceptionInformation[1]);
        if (at < self->FBase || at >= self->FBase + PageSize * Count) return EXCEPTION_CONTINUE_SEARCH;
        ++self->TouchedAfterDelete;
        return EXCEPTION_CONTINUE_EXECUTION;   // the guard is spent: the access now succeeds
    }

    char* FBase = nullptr;
    size_t FUsed = 0;
    void* FHandler = nullptr;
};

TGuardedPages* TGuardedPages::Current = nullptr;

// A thread object that lives on a guarded page.
class TGuardedThread : public TLambdaThread {
public:
    using TLambdaThread::TLambdaThread;
    static void* operator new(size_t size) { return TGuardedPages::Current->Allocate(size); }
    static void operator delete(void* p) { TGuardedPages::Current->Retire(p); }
};

} // namespace

TEST_CASE("a self-freeing thread is deleted once and never touched afterwards")
{
    InitThreads();
    TGuardedPages pages;
    REQUIRE(TGuardedPages::Current == &pages);

    SUBCASE("Resume() lets go before a thread that ends at once deletes itself")
    {
        // Stands for a Resume() caller descheduled just after ResumeThread:
        // gives the thread time to end and delete itself meanwhile.
        static std::atomic<int> destroyed;
        static std::atomic<bool> deletedInsideResume;
        destroyed = 0;
        deletedInsideResume = false;
        SetResumeProbe([] {
            const DWORD start = GetTickCount();
            while (destroyed == 0 && GetTickCount() - start < 300) Sleep(1);
            deletedInsideResume = destroyed != 0;
        });
        auto* t = new TGuardedThread([](TLambdaThread&) {}, &destroyed);
        t->SetFreeOnTerminate(true);
        t->Resume();
        SetResumeProbe(nullptr);
        const DWORD start = GetTickCount();
        while (pages.Deletes == 0 && GetTickCount() - start < 5000) Sleep(1);
        CHECK_FALSE(deletedInsideResume);
        CHECK(destroyed == 1);
        CHECK(pages.Deletes.load() == 1);
        CHECK(pages.TouchedAfterDelete.load() == 0);
    }

    SUBCASE("deleted by its owner before it ever ran")
    {
        std::atomic<bool> ran{false};
        auto* t = new TGuardedThread([&](TLambdaThread&) { ran = true; });
        t->SetFreeOnTerminate(true);
        HANDLE dup = nullptr;
        REQUIRE(DuplicateHandle(GetCurrentProcess(), t->Handle(), GetCurrentProcess(), &dup, SYNCHRONIZE, FALSE, 0));
        TKernelHandle thread(dup);
        delete t;
        CHECK(WaitForSingleObject(thread.Get(), 5000) == WAIT_OBJECT_0);
        CHECK_FALSE(ran);
        CHECK(pages.Deletes.load() == 1);
        CHECK(pages.TouchedAfterDelete.load() == 0);
    }
}

TEST_CASE("Suspend and Resume are counted")
{
    InitThreads();
    std::atomic<bool> ran{false};
    TLambdaThread t([&](TLambdaThread&) { ran = true; });
    CHECK(t.Suspended());   // created suspended
    t.Suspend();            // now twice
    t.Resume();
    CHECK(t.Suspended());
    Sleep(150);
    CHECK_FALSE(ran);
    t.Resume();
    CHECK_FALSE(t.Suspended());
    t.Resume();             // extra resumes do nothing
    CHECK_FALSE(t.Suspended());
    t.WaitFor();
    CHECK(ran);

    SUBCASE("a running thread suspended twice needs two resumes")
    {
        std::atomic<int> ticks{0};
        TLambdaThread loop([&](TLambdaThread& self) {
            while (!self.Terminated()) {
                ++ticks;
                Sleep(1);
            }
        });
        loop.Resume();
        for (int i = 0; i < 500 && ticks == 0; ++i) Sleep(2);
        loop.Suspend();
        loop.Suspend();
        loop.Resume();
        const int before = ticks;
        Sleep(100);
        CHECK(ticks == before);
        loop.Resume();
        for (int i = 0; i < 500 && ticks == before; ++i) Sleep(2);
        CHECK(ticks > before);
        loop.Terminate();
        loop.WaitFor();
    }
}

TEST_CASE("Terminate, WaitFor, ReturnValue and a failure leaving Execute")
{
    InitThreads();
    TLambdaThread t([](TLambdaThread& self) {
        while (!self.Terminated()) Sleep(1);
        self.SetReturnValue(42);
    });
    t.Resume();
    Sleep(20);
    CHECK_FALSE(t.Finished());
    t.Terminate();
    CHECK(t.WaitFor() == 42u);
    CHECK(t.Finished());
    CHECK_FALSE(t.FatalException());

    TLambdaThread bad([](TLambdaThread&) { throw EOSError("broken"); });
    bad.Resume();
    bad.WaitFor();
    CHECK(bad.Finished());
    REQUIRE(bad.FatalException());
    CHECK_THROWS_AS(std::rethrow_exception(bad.FatalException()), EOSError);
}

TEST_CASE("deleting a worker blocked in Synchronize from the user-interface thread does not hang")
{
    InitThreads();
    std::atomic<int> calls{0};
    std::atomic<bool> blocked{false};
    auto* t = new TLambdaThread([&](TLambdaThread& self) {
        while (!self.Terminated()) {
            blocked = true;
            TThread::Synchronize([&] { ++calls; });
        }
    });
    t->Resume();
    for (int i = 0; i < 500 && !blocked; ++i) Sleep(2);
    Sleep(50);   // the worker now waits for this thread, which does not pump
    const DWORD start = GetTickCount();
    delete t;    // Terminate + WaitFor, serving the pending call meanwhile
    CHECK(GetTickCount() - start < 3000);
    CHECK(calls >= 1);

    SUBCASE("a thread deleted before it ever ran does not run its body")
    {
        std::atomic<bool> ran{false};
        auto* never = new TLambdaThread([&](TLambdaThread&) { ran = true; });
        delete never;
        CHECK_FALSE(ran);
    }
}

namespace {

// An owner that stops its self-freeing worker without waiting for it. The
// worker's synchronized calls look at Terminated() first: the owner sets it on
// this thread, where the calls run, so a call that finds it clear runs while
// the owner is alive.
class TOwner {
public:
    explicit TOwner(std::atomic<int>& destroyed, std::atomic<bool>& waiting) : FHits(std::make_shared<int>(0))
    {
        FWorker = new TLambdaThread(
            [this, &waiting](TLambdaThread& self) {
                while (!self.Terminated()) {
                    waiting = true;
                    TThread::Synchronize([this, &self] {
                        if (self.Terminated()) return;   // the owner may be gone
                        ++*FHits;
                    });
                    Sleep(1);
                }
            },
            &destroyed);
        FWorker->SetFreeOnTerminate(true);
        FWorker->Resume();
    }
    ~TOwner() { FWorker->Terminate(); }
    std::shared_ptr<int> Hits() const { return FHits; }

private:
    std::shared_ptr<int> FHits;
    TLambdaThread* FWorker;
};

} // namespace

TEST_CASE("a stopped worker does not call into its destroyed owner")
{
    InitThreads();
    std::atomic<int> destroyed{0};
    std::atomic<bool> waiting{false};
    auto* owner = new TOwner(destroyed, waiting);
    std::shared_ptr<int> hits = owner->Hits();
    REQUIRE(PumpUntil([&] { return *hits >= 3; }));
    // Let the worker block in Synchronize again, then destroy the owner
    // without pumping in between.
    waiting = false;
    for (int i = 0; i < 500 && !waiting; ++i) Sleep(2);
    Sleep(30);
    const int before = *hits;
    delete owner;
    REQUIRE(PumpUntil([&] { return destroyed == 1; }));
    CHECK(*hits == before);
}

TEST_CASE("the process ends while a worker is blocked in Synchronize")
{
    // The probe starts such a worker and returns from main without pumping.
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string probe = exe;
    probe = probe.substr(0, probe.find_last_of('\\') + 1) + "threads_exit_probe.exe";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + probe + "\"";
    REQUIRE(CreateProcessA(probe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    TKernelHandle process(pi.hProcess), thread(pi.hThread);
    const DWORD r = WaitForSingleObject(process.Get(), 20000);
    CHECK(r == WAIT_OBJECT_0);
    if (r != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
    DWORD code = 99;
    GetExitCodeProcess(process.Get(), &code);
    CHECK(code == 7u);
}

TEST_CASE("InitThreads from a second thread is refused")
{
    InitThreads();
    std::atomic<int> outcome{0};
    TLambdaThread t([&](TLambdaThread&) {
        try {
            InitThreads();
            outcome = 1;
        } catch (const EInvalidOperation&) {
            outcome = 2;
        }
    });
    t.Resume();
    t.WaitFor();
    CHECK(outcome == 2);
}
