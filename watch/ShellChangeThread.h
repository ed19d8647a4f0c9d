// The watcher's worker: waits for directory changes on its own thread and
// hands each batch to the user-interface thread. Windows only.
//
// The worker keeps one I/O completion port for its whole life. Each
// configuration opens the directory anew (an "opening": directory handle,
// overlapped record and notify buffer), binds it to the port with the thread
// handle as key and keeps one ReadDirectoryChangesW outstanding on it. A
// reconfiguration closes the previous opening's handle, which ends its read;
// the worker frees that opening only once the system has reported the read
// finished, so no buffer is ever reused or freed while the system may still
// write into it. An empty packet (key 0) on the port wakes the worker.
//
// When a read completes, the worker copies the records, issues the next read
// at once (so the system always has a read outstanding while the window
// handles the previous batch), decodes the copy and runs the delivery on the
// user-interface thread through Synchronize(), blocking until every change of
// the batch has been reported. A long batch is delivered in slices of about
// 10 ms, each between wnBatchBegin and wnBatchEnd notices, so the window keeps
// answering in between.
//
// Lost changes: a read that completes with no records, or with
// ERROR_NOTIFY_ENUM_DIR, means the system could not keep them. The worker then
// starts a rescan (Rescan.h) on a thread of its own for the files under the
// directory created or written since its last complete read (less
// RescanMargin, but never from before the configuration began watching, less
// WatchStartSlack) and reports each found file as (foModified, path, "") through
// the same delivery, in the order found. An overflow during a rescan queues
// one more rescan, from the earliest time asked for, once it ends.
//
// Names: a name that converts exactly to the ANSI code page is reported as
// is; otherwise the path is made of the short forms of the components that do
// not convert (AnsiPath.h). A name with neither is reported with an empty
// path, and told as wnUnrepresentable with its UTF-16 path.
//
// Failed reads: a read that fails is issued again; after three failures in a
// row the worker closes the directory, tells the owner (wnBlind) and reopens
// it after 250 ms, doubling the wait after each failed attempt up to 8 s,
// until a read is issued again (wnWatching); then it rescans for what changed
// while it could not read. A directory that is there but cannot be opened is
// treated the same way; one that is not there is not watched, and costs
// nothing, until a configuration finds it.
//
// Stopping: Stop() (user-interface thread) sets the stop flag and posts an
// empty packet. Once the flag is set nothing more is reported: the delivery
// runs on the same thread that sets the flag, and looks at it before every
// report. A failure raised by the change handler ends the worker's loop. The
// worker ends its rescan before it ends itself.
//
// Lifetime: the owning component and the running thread each hold one
// reference. The component lets go with Release(); the thread lets go when its
// loop ends. Whoever lets go last frees the worker, so the component never
// holds a dangling reference, even to a worker that ended by itself.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "Rescan.h"
#include "WatchTypes.h"
#include "framework/threads/Threads.h"

namespace tf {

struct TFileChange;

class TShellChangeThread : public TThread {
    TF_CLASS(TShellChangeThread)
public:
    // 64 KiB: the largest read the system accepts on every volume.
    static constexpr uint32_t NotifyBufferSize = 64 * 1024;
    // Reopening after failed reads: the first wait and the longest (ms).
    static constexpr uint32_t FirstRetryDelay = 250;
    static constexpr uint32_t LongestRetryDelay = 8000;

    // Created suspended, with a copy of the change event.
    explicit TShellChangeThread(const TFileDealMethod& changeEvent, uint32_t bufferSize = NotifyBufferSize);
    ~TShellChangeThread() override;

    // User-interface thread: the owner's notices, and which files a rescan
    // reports (null: all).
    void SetNoticeEvent(const TWatchNoticeEvent& event) { noticeEvent = event; }
    void SetRescanFilter(TRescanFilter filter) { FRescanFilter = filter; }

    // User-interface thread. Stores the settings (a trailing '\' is added to
    // directory unless it already ends in a single-byte one) and reopens the
    // directory. Changes are reported only while active is true.
    void ConfigureWorker(const std::string& directory, bool active, uint32_t filter, bool subtree);
    // Replaces the current opening; answers whether the first read was issued
    // (false when the directory cannot be opened).
    bool OpenDirectory();

    // User-interface thread: sets the stop flag and wakes the worker.
    void Stop();
    // The owner lets go of its reference (call Stop() first).
    void Release();

    std::string DirectoryPath() const;
    bool ActiveCopy() const { return activeCopy; }
    // How many times the directory has been (re)opened.
    int Openings() const { return FOpenings; }
    // Workers alive in the process, and notify buffers allocated (diagnostics).
    static int Instances();
    static int LiveBuffers();

    // Test seam: the system's ReadDirectoryChangesW (arguments as there, the
    // completion routine left out). Returns the previous one; null restores it.
    using TReadFunction = int(__stdcall*)(void* directory, void* buffer, uint32_t size, int subtree, uint32_t filter,
                                          void* overlapped);
    static TReadFunction SetReadFunction(TReadFunction read);

protected:
    void Execute() override;

private:
    struct TOpening;
    struct TBatch;

    void Loop();
    void HandleRead(TOpening& opening, bool ok, uint32_t error, uint32_t bytes);
    void Rearm(TOpening& opening);
    void GoBlind();
    void TryReopen();
    void RequestRescan(uint64_t since, const std::string& directory, bool subtree);
    void StartPendingRescan();
    bool DeliverFound(TFoundFiles&& found);
    void Deliver(TBatch& batch);
    size_t DeliverSlice(const TBatch& batch, size_t from);
    void Notify(TWatchNotice notice, const std::wstring& detail);
    bool Reporting() const;
    bool IssueRead(TOpening& opening);                        // lock held
    TOpening* FindOpening(const void* overlapped) const;      // lock held
    void FreeRetired(TOpening* opening);                      // lock held
    void FreeIdleRetired();                                   // lock held
    void ShutDown();

    bool activeCopy = false;
    mutable std::mutex lock;   // guards the settings, the openings and FEnded between the threads
    std::mutex FOpenLock;      // one opening at a time (configuration or reopening)
    TFileDealMethod changeEvent;
    TWatchNoticeEvent noticeEvent;
    std::string directoryPath;
    bool watchSubTree = true;
    void* completionPort = nullptr;
    uint32_t notifyFilter = 0;
    const uint32_t FBufferSize;
    std::unique_ptr<TOpening> FCurrent;                 // none while the directory is not open
    std::vector<std::unique_ptr<TOpening>> FRetired;   // replaced, read maybe still outstanding
    bool FEnded = false;                                 // the loop has ended: open nothing more
    std::atomic<bool> FLoopEnded{false};                 // deliver nothing more
    std::atomic<bool> FHandlerFailed{false};             // the handler failed during a rescan
    std::atomic<bool> FOpenFailed{false};                // the directory is there but could not be opened
    std::atomic<int> FRefs{2};
    std::atomic<int> FOpenings{0};
    std::atomic<TRescanFilter> FRescanFilter{nullptr};
    uint64_t FWatchBegan = 0;   // when the current configuration began watching (file time)

    // Worker thread only.
    bool FBlind = false;
    bool FBlindUntold = false;
    uint64_t FBlindSince = 0;   // the changes since then went unseen
    uint32_t FRetryDelay = 0;
    uint32_t FRetryAt = 0;
    std::unique_ptr<TRescanThread> FRescan;
    std::atomic<bool> FRescanRunning{false};
    bool FRescanPending = false;
    uint64_t FRescanSince = 0;
    std::string FRescanDirectory;
    bool FRescanSubtree = true;
};

} // namespace tf
