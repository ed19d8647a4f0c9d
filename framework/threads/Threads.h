// Worker threads and the synchronous hand-off to the user-interface thread.
//
// One thread is the user-interface thread: InitThreads() records it and makes
// a hidden message-only window there. Synchronize() from any other thread
// queues the call, posts a wake-up message to that window and blocks until the
// call has run on the user-interface thread. Because the wake-up is a posted
// window message, every message loop of that thread serves it: the program's
// own loop and every modal loop (message boxes, dialog boxes, popup menus,
// scroll tracking). While no loop runs, callers simply wait.
//
// Ending safely: a thread object deleted from another thread is told to stop
// and waited for; when that wait happens on the user-interface thread, pending
// synchronized calls keep being served, so a worker blocked in Synchronize()
// cannot deadlock the destructor. A worker whose owner may be destroyed first
// (FreeOnTerminate, owner only calls Terminate()) must check Terminated() at the
// start of every synchronized call: the owner sets the flag on the
// user-interface thread, where the call also runs, so a call that finds it
// clear runs while the owner is still alive. At process exit a worker blocked
// anywhere is simply ended with the process; the shared hand-off state is never
// destroyed, so a late worker never touches freed memory.
//
// Windows only.
#pragma once
#include <atomic>
#include <exception>
#include <functional>
#include <mutex>

#include "framework/core/Object.h"

namespace tf {

// Makes the calling thread the user-interface thread. Call once, before the
// first Synchronize(); calling it again on the same thread does nothing, on
// another thread raises EInvalidOperation.
void InitThreads();

// Runs the synchronized calls pending when it starts, in the order they were
// queued (calls queued meanwhile are served by their own wake-up); answers
// whether any ran. Does nothing (false) on a thread other than the
// user-interface thread.
bool CheckSynchronize();

// Identifier of the user-interface thread; 0 before InitThreads().
unsigned long UIThreadID();
bool InUIThread();

// Tests only: Resume() calls probe right after it has woken a thread, while it
// still holds the thread object (nullptr: nothing).
void SetResumeProbe(void (*probe)());

// Runs fn on the user-interface thread and returns when it has run; a failure
// raised by fn is raised again here. On the user-interface thread fn runs at
// once. Raises EInvalidOperation from another thread before InitThreads().
void SynchronizeCall(const std::function<void()>& fn);

class TThread : public TObject {
    TF_CLASS(TThread)
public:
    // The thread exists at once but stays suspended until Resume().
    TThread();
    // Calls TerminateAndWait(), then releases the handle. By then the derived
    // part is gone: a derived class whose Execute() uses its own members and
    // that may be deleted while running calls TerminateAndWait() first thing
    // in its own destructor.
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // Counted: each Suspend() needs one Resume(). Suspending another running
    // thread stops it wherever it is; only do that to a thread that holds no
    // lock shared with the caller. Resume() may wake a self-freeing thread
    // that ends at once: the thread deletes itself only once Resume() has let
    // go of the object.
    void Suspend();
    void Resume();
    bool Suspended() const;

    // Sets the flag Execute() polls; the thread is not interrupted.
    void Terminate() { FTerminated = true; }
    bool Terminated() const { return FTerminated; }
    // From another thread: Terminate(), resume until no longer suspended and
    // WaitFor() (a thread that never ran does not run Execute() at all). From
    // the thread itself, or once finished, does nothing.
    void TerminateAndWait();
    // True once Execute() has returned or failed.
    bool Finished() const { return FFinished; }

    // The thread object deletes itself once Execute() ends. Do not touch it
    // from outside after resuming it. Deleting it before it ever ran is still
    // the owner's job: the thread then never deletes itself.
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }

    void* Handle() const { return FHandle; }             // thread handle (HANDLE)
    unsigned long ThreadID() const { return FThreadID; }

    // Waits until the thread ends and answers ReturnValue. On the
    // user-interface thread synchronized calls keep running meanwhile.
    // Raises EInvalidOperation when called by the thread itself. Waiting for a
    // suspended thread waits until someone resumes it.
    unsigned long WaitFor();

    unsigned long ReturnValue() const { return FReturnValue; }
    void SetReturnValue(unsigned long v) { FReturnValue = v; }
    // The failure that left Execute(), if any; it ended the thread silently.
    std::exception_ptr FatalException() const { return FFatalException; }

    // See SynchronizeCall().
    static void Synchronize(const std::function<void()>& fn) { SynchronizeCall(fn); }

protected:
    virtual void Execute() = 0;

private:
    static unsigned __stdcall ThreadProc(void* self);

    void* FHandle = nullptr;
    unsigned long FThreadID = 0;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FFreeOnTerminate{false};
    std::atomic<bool> FStarted{false};     // resumed at least once
    std::atomic<bool> FAbandoned{false};   // deleted before it ever ran
    std::atomic<int> FResuming{0};         // Resume() calls still touching the object
    unsigned long FReturnValue = 0;
    std::exception_ptr FFatalException;
    mutable std::mutex FSuspendLock;
    int FSuspendCount = 1;
};

} // namespace tf
