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
// When a read completes, the worker runs DeliverBatch on the user-interface
// thread through Synchronize() and blocks until every change of the batch has
// been reported; only then does it issue the next read. While the directory
// is missing the worker blocks on its port and uses no processor time.
//
// Stopping: Stop() (user-interface thread) sets the stop flag and posts an
// empty packet. Once the flag is set nothing more is reported: DeliverBatch
// runs on the same thread that sets the flag, and looks at it before every
// report. A failure raised by the change handler ends the worker's loop.
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

#include "WatchTypes.h"
#include "framework/threads/Threads.h"

namespace tf {

class TShellChangeThread : public TThread {
    TF_CLASS(TShellChangeThread)
public:
    // 64 KiB: the largest read the system accepts on every volume; a burst of
    // changes that does not fit is lost as a whole.
    static constexpr uint32_t NotifyBufferSize = 64 * 1024;

    // Created suspended, with a copy of the change event.
    explicit TShellChangeThread(const TFileDealMethod& changeEvent, uint32_t bufferSize = NotifyBufferSize);
    ~TShellChangeThread() override;

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

    const std::string& DirectoryPath() const { return directoryPath; }
    bool ActiveCopy() const { return activeCopy; }
    // How many times the directory has been (re)opened.
    int Openings() const { return FOpenings; }
    // Workers alive in the process (diagnostics).
    static int Instances();

protected:
    void Execute() override;

private:
    struct TOpening;

    void Loop();
    void DeliverBatch(TOpening& opening, uint32_t bytes);
    bool IssueRead(TOpening& opening);                        // lock held
    TOpening* FindOpening(const void* overlapped) const;      // lock held
    void FreeRetired(TOpening* opening);                      // lock held
    void FreeIdleRetired();                                   // lock held
    void ShutDown();

    bool activeCopy = false;
    std::mutex lock;   // guards the openings and FEnded between the two threads
    TFileDealMethod changeEvent;
    std::string directoryPath;
    bool watchSubTree = true;
    void* completionPort = nullptr;
    uint32_t notifyFilter = 0;
    const uint32_t FBufferSize;
    std::unique_ptr<TOpening> FCurrent;                 // none while the directory is not open
    std::vector<std::unique_ptr<TOpening>> FRetired;   // replaced, read maybe still outstanding
    bool FEnded = false;                                 // the loop has ended: open nothing more
    std::atomic<int> FRefs{2};
    std::atomic<int> FOpenings{0};
};

} // namespace tf
