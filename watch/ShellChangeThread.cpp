#include "ShellChangeThread.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "NotifyRecords.h"
#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/AnsiPath.h"
#include "support/PathUtils.h"
#include "support/Wow64.h"

namespace tf {

namespace {

std::atomic<int> g_instances{0};
std::atomic<int> g_buffers{0};

// Packet keys besides the worker's own (its thread handle).
constexpr ULONG_PTR WakeKey = 0;
constexpr ULONG_PTR RescanDoneKey = 1;

// How long one delivery on the user-interface thread may run before the
// window gets its turn again.
constexpr DWORD SliceMs = 10;

int __stdcall SystemRead(void* directory, void* buffer, uint32_t size, int subtree, uint32_t filter, void* overlapped)
{
    DWORD unused = 0;
    return ReadDirectoryChangesW(directory, buffer, size, subtree, filter, &unused,
                                 static_cast<OVERLAPPED*>(overlapped), nullptr);
}

TShellChangeThread::TReadFunction gRead = &SystemRead;

} // namespace

// One opening of the watched directory.
struct TShellChangeThread::TOpening {
    explicit TOpening(uint32_t size) : notifyBuffer(new uint8_t[size]), Size(size) { ++g_buffers; }
    ~TOpening() { --g_buffers; }
    TOpening(const TOpening&) = delete;
    TOpening& operator=(const TOpening&) = delete;

    TKernelHandle directoryHandle;
    OVERLAPPED overlapped{};
    std::unique_ptr<uint8_t[]> notifyBuffer;
    uint32_t Size;
    std::string DirectoryPath;   // the reported paths start with this
    bool Subtree = true;
    uint32_t Filter = 0;
    bool Pending = false;        // a read is outstanding: the system owns the buffer
    int Failures = 0;            // failed reads in a row (worker thread)
    uint64_t IssuedAt = 0;       // when the outstanding read was issued
    // Changes from before this time have all been read (worker thread): the
    // issue time of the last read that completed whole, which is no later
    // than the moment it completed, so no lost change can be older.
    uint64_t LastComplete = 0;
};

// The changes of one read (or of one chunk of a rescan), decoded.
struct TShellChangeThread::TBatch {
    std::vector<TFileChange> Changes;
    std::vector<std::wstring> Unrepresentable;
    size_t Size() const { return Changes.size() + Unrepresentable.size(); }
};

const TClassInfo& TShellChangeThread::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TShellChangeThread>("TShellChangeThread", TThread::StaticClass()).Build();
    return info;
}

int TShellChangeThread::Instances() { return g_instances; }
int TShellChangeThread::LiveBuffers() { return g_buffers; }

TShellChangeThread::TReadFunction TShellChangeThread::SetReadFunction(TReadFunction read)
{
    const TReadFunction previous = gRead;
    gRead = read ? read : &SystemRead;
    return previous;
}

TShellChangeThread::TShellChangeThread(const TFileDealMethod& event, uint32_t bufferSize)
    : changeEvent(event), FBufferSize(std::max<uint32_t>(bufferSize, 64))
{
    completionPort = CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
    if (!completionPort) throw EOutOfResources("Cannot create an I/O completion port");
    ++g_instances;
}

TShellChangeThread::~TShellChangeThread()
{
    TerminateAndWait();
    ShutDown();
    CloseHandle(completionPort);
    --g_instances;
}

std::string TShellChangeThread::DirectoryPath() const
{
    std::lock_guard<std::mutex> guard(lock);
    return directoryPath;
}

void TShellChangeThread::ConfigureWorker(const std::string& directory, bool active, uint32_t filter, bool subtree)
{
    {
        std::lock_guard<std::mutex> guard(lock);
        const std::string path = IncludeTrailingBackslash(directory);
        // Another directory, or the first: a new watch, and what was written
        // before it is no change of its.
        if (!FWatchBegan || path != directoryPath || subtree != watchSubTree) FWatchBegan = SystemTimeNow();
        watchSubTree = subtree;
        notifyFilter = filter;
        directoryPath = path;
    }
    activeCopy = active;
    OpenDirectory();
}

bool TShellChangeThread::OpenDirectory()
{
    std::lock_guard<std::mutex> opening(FOpenLock);
    // However it ends, the worker is woken to look at the new state: a read
    // that could not be issued is its to retry.
    struct TWake {
        void* Port;
        ~TWake() { PostQueuedCompletionStatus(Port, 0, WakeKey, nullptr); }
    } wake{completionPort};
    ++FOpenings;
    std::string path;
    bool subtree = true;
    uint32_t filter = 0;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (FEnded) return false;
        if (FCurrent) {
            // Closing the handle ends its read; the worker frees the opening
            // when the system reports that read finished.
            FCurrent->directoryHandle.Reset();
            FRetired.push_back(std::move(FCurrent));
        }
        path = directoryPath;
        subtree = watchSubTree;
        filter = notifyFilter;
    }

    // Listing access is all a change read needs; asking for write access too
    // would be refused on a system drive's root to anyone but an elevated
    // administrator.
    TKernelHandle dir(CreateFileA(NativeFilePath(path).c_str(), FILE_LIST_DIRECTORY,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!dir) {
        // A directory that is not there is simply not watched; one that is
        // there but cannot be opened leaves the guard blind: the worker keeps
        // trying, as after failed reads.
        const DWORD error = GetLastError();
        FOpenFailed = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        return false;
    }
    FOpenFailed = !CreateIoCompletionPort(dir.Get(), completionPort, reinterpret_cast<ULONG_PTR>(Handle()), 0);
    if (FOpenFailed) return false;

    auto next = std::make_unique<TOpening>(FBufferSize);
    next->directoryHandle = std::move(dir);
    next->DirectoryPath = path;
    next->Subtree = subtree;
    next->Filter = filter;
    next->LastComplete = SystemTimeNow();
    std::lock_guard<std::mutex> guard(lock);
    if (FEnded) return false;
    const bool issued = IssueRead(*next);
    FCurrent = std::move(next);
    return issued;
}

bool TShellChangeThread::IssueRead(TOpening& o)
{
    std::memset(o.notifyBuffer.get(), 0, o.Size);
    std::memset(&o.overlapped, 0, sizeof o.overlapped);
    o.IssuedAt = SystemTimeNow();
    o.Pending = gRead(o.directoryHandle.Get(), o.notifyBuffer.get(), o.Size, o.Subtree, o.Filter, &o.overlapped) != 0;
    return o.Pending;
}

void TShellChangeThread::Stop()
{
    Terminate();
    PostQueuedCompletionStatus(completionPort, 0, WakeKey, nullptr);
}

void TShellChangeThread::Release()
{
    if (FRefs.fetch_sub(1) == 1) delete this;
}

void TShellChangeThread::Execute()
{
    try {
        Loop();
    } catch (...) {
        ShutDown();
        if (FRefs.fetch_sub(1) == 1) SetFreeOnTerminate(true);
        throw;   // ends the thread silently
    }
    ShutDown();
    if (FRefs.fetch_sub(1) == 1) SetFreeOnTerminate(true);
}

void TShellChangeThread::Loop()
{
    const auto ownKey = reinterpret_cast<ULONG_PTR>(Handle());
    while (!Terminated() && !FHandlerFailed) {
        TOpening* current = nullptr;
        bool reading = false;
        {
            std::lock_guard<std::mutex> guard(lock);
            FreeIdleRetired();
            current = FCurrent.get();
            reading = current && current->Pending;
        }
        if (FBlind && FBlindUntold) {
            FBlindUntold = false;
            Notify(wnBlind, AnsiToWide(DirectoryPath()));
        }
        if (FBlind && reading) {
            // Reopened, or reconfigured, while blind: watching again, and
            // looking for what changed meanwhile.
            FBlind = false;
            const std::string directory = DirectoryPath();
            Notify(wnWatching, AnsiToWide(directory));
            RequestRescan(FBlindSince > RescanMargin ? FBlindSince - RescanMargin : 0, directory, current->Subtree);
        } else if (current && !reading && !FBlind) {
            // A read that failed when it was issued (a configuration's, or a
            // reopening's) counts like one that failed later.
            HandleRead(*current, false, 0, 0);
            continue;
        } else if (!current && FOpenFailed && !FBlind) {
            GoBlind();
            continue;
        }

        DWORD timeout = INFINITE;
        if (FBlind) {
            const auto left = static_cast<int32_t>(FRetryAt - GetTickCount());
            timeout = left > 0 ? static_cast<DWORD>(left) : 0;
        }
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* ov = nullptr;
        const BOOL ok = GetQueuedCompletionStatus(completionPort, &bytes, &key, &ov, timeout);
        const DWORD error = ok ? 0 : GetLastError();
        if (!ov) {
            if (!ok && error != WAIT_TIMEOUT) return;   // the port itself failed: nothing will ever arrive
            if (!ok && FBlind) TryReopen();
            if (ok && key == RescanDoneKey) StartPendingRescan();
            continue;
        }

        TOpening* opening = nullptr;
        {
            std::lock_guard<std::mutex> guard(lock);
            opening = FindOpening(ov);
            if (!opening) continue;
            // Marked first, whatever comes next: a read the system has
            // finished must never hold its buffer back from being freed.
            opening->Pending = false;
            if (opening != FCurrent.get()) {   // a replaced opening's read has ended
                FreeRetired(opening);
                continue;
            }
        }
        if (Terminated() || key != ownKey) return;
        HandleRead(*opening, ok != FALSE, error, bytes);
    }
}

void TShellChangeThread::HandleRead(TOpening& opening, bool ok, uint32_t error, uint32_t bytes)
{
    const bool lost = (ok && bytes == 0) || (!ok && error == ERROR_NOTIFY_ENUM_DIR);
    if (!ok && !lost) {
        if (++opening.Failures >= 3)
            GoBlind();
        else
            Rearm(opening);
        return;
    }
    opening.Failures = 0;
    FRetryDelay = 0;
    const uint64_t since = opening.LastComplete;
    opening.LastComplete = opening.IssuedAt;
    const std::string directory = opening.DirectoryPath;
    if (lost) {
        const bool subtree = opening.Subtree;
        Rearm(opening);   // may free opening
        RequestRescan(since > RescanMargin ? since - RescanMargin : 0, directory, subtree);
        return;
    }

    // Copied, then read again at once: the system fills the buffer anew
    // while the window handles this batch.
    const std::vector<uint8_t> records(opening.notifyBuffer.get(),
                                       opening.notifyBuffer.get() + std::min(bytes, opening.Size));
    Rearm(opening);   // may free opening

    TBatch batch;
    const std::wstring wideDirectory = AnsiToWide(directory);
    batch.Changes = DecodeNotifyRecords(records.data(), records.size(), [&](const std::wstring& name) {
        std::string ansi;
        if (WideToAnsiExact(name, ansi)) return directory + ansi;
        if (AnsiPathOf(wideDirectory + name, ansi)) return ansi;
        // Never a look-alike: the owner is told, and the change carries no path.
        batch.Unrepresentable.push_back(wideDirectory + name);
        return std::string();
    });
    Deliver(batch);
}

void TShellChangeThread::Rearm(TOpening& opening)
{
    for (;;) {
        {
            std::lock_guard<std::mutex> guard(lock);
            if (&opening != FCurrent.get()) {   // replaced meanwhile: its read is over
                if (!opening.Pending) FreeRetired(&opening);
                return;
            }
            if (IssueRead(opening)) return;
        }
        if (++opening.Failures >= 3) {
            GoBlind();
            return;
        }
    }
}

void TShellChangeThread::GoBlind()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        // Changes from here on go unseen until a read is issued again.
        if (!FBlind) FBlindSince = FCurrent ? FCurrent->LastComplete : SystemTimeNow();
        if (FCurrent) {
            FCurrent->directoryHandle.Reset();
            FRetired.push_back(std::move(FCurrent));
        }
    }
    FRetryDelay = FRetryDelay ? std::min(FRetryDelay * 2, LongestRetryDelay) : FirstRetryDelay;
    FRetryAt = GetTickCount() + FRetryDelay;
    // Told from the loop, after the batch in hand has been delivered: the
    // owner's last word is then that it is blind.
    FBlindUntold = !FBlind;
    FBlind = true;
}

void TShellChangeThread::TryReopen()
{
    if (OpenDirectory()) return;   // the loop sees the read and says so
    GoBlind();
}

// ---------------------------------------------------------------- rescans

void TShellChangeThread::RequestRescan(uint64_t since, const std::string& directory, bool subtree)
{
    {
        // The margin covers coarse file times, not the time before the watch
        // began: a file written then (the guard's own program, copied just
        // before it was started) was never a change the watch could miss.
        std::lock_guard<std::mutex> guard(lock);
        const uint64_t began = FWatchBegan > WatchStartSlack ? FWatchBegan - WatchStartSlack : 0;
        since = std::max(since, began);
    }
    FRescanSince = FRescanPending ? std::min(FRescanSince, since) : since;
    FRescanPending = true;
    FRescanDirectory = directory;
    FRescanSubtree = subtree;
    StartPendingRescan();
}

void TShellChangeThread::StartPendingRescan()
{
    // A running rescan posts RescanDoneKey when it ends, which brings the
    // worker back here.
    if (!FRescanPending || FRescanRunning) return;
    FRescan.reset();   // the previous one has ended: this only joins it
    FRescanPending = false;
    FRescanRunning = true;
    const std::wstring detail = AnsiToWide(FRescanDirectory);
    Notify(wnRescanBegin, detail);
    FRescan = std::make_unique<TRescanThread>(
        FRescanDirectory, FRescanSubtree, FRescanSince, FRescanFilter,
        [this](TFoundFiles&& found) { return DeliverFound(std::move(found)); },
        [this, detail] {
            try {
                Notify(wnRescanEnd, detail);
            } catch (...) {
                FHandlerFailed = true;
            }
            FRescanRunning = false;
            PostQueuedCompletionStatus(completionPort, 0, RescanDoneKey, nullptr);
        });
    FRescan->Resume();
}

// Rescan thread.
bool TShellChangeThread::DeliverFound(TFoundFiles&& found)
{
    if (!Reporting()) return false;
    TBatch batch;
    batch.Changes.reserve(found.Paths.size());
    for (std::string& path : found.Paths) batch.Changes.push_back({foModified, std::move(path), {}});
    batch.Unrepresentable = std::move(found.Unrepresentable);
    try {
        Deliver(batch);
    } catch (...) {
        // Like a failure during a normal delivery: the worker ends.
        FHandlerFailed = true;
        PostQueuedCompletionStatus(completionPort, 0, WakeKey, nullptr);
        return false;
    }
    return Reporting();
}

// ---------------------------------------------------------------- delivery

bool TShellChangeThread::Reporting() const { return !Terminated() && !FLoopEnded; }

void TShellChangeThread::Deliver(TBatch& batch)
{
    for (size_t next = 0; next < batch.Size();) {
        if (!Reporting()) return;
        Synchronize([&] { next = DeliverSlice(batch, next); });
    }
}

void TShellChangeThread::Notify(TWatchNotice notice, const std::wstring& detail)
{
    if (!Reporting()) return;
    Synchronize([&] {
        // Runs on the user-interface thread, where Stop() is called: a set
        // flag means the owner may be gone.
        if (Reporting() && activeCopy) noticeEvent(notice, detail);
    });
}

size_t TShellChangeThread::DeliverSlice(const TBatch& batch, size_t from)
{
    const size_t total = batch.Size();
    // Runs on the user-interface thread, where Stop() is called: a set flag
    // means the owner may be gone. The handler itself may stop or deactivate
    // the watcher.
    auto going = [this] { return Reporting() && activeCopy && changeEvent; };
    if (!going()) return total;

    struct TBatchEnd {
        TShellChangeThread* Self;
        ~TBatchEnd()
        {
            // Only the stop flag means the owner may be gone; a loop that
            // ended meanwhile on the worker's side still owes the owner the
            // end of a batch it has begun.
            try {
                if (!Self->Terminated()) Self->noticeEvent(wnBatchEnd, std::wstring());
            } catch (...) {
                // The owner hears of the batch's end at best; a failure here
                // must not hide the handler's own.
            }
        }
    };
    noticeEvent(wnBatchBegin, std::wstring());
    TBatchEnd end{this};
    const DWORD start = GetTickCount();
    size_t i = from;
    do {
        if (i < batch.Changes.size()) {
            const TFileChange& c = batch.Changes[i];
            changeEvent(c.Operation, c.FileName1, c.FileName2);
        } else {
            noticeEvent(wnUnrepresentable, batch.Unrepresentable[i - batch.Changes.size()]);
        }
        ++i;
        if (!going()) return total;
    } while (i < total && GetTickCount() - start < SliceMs);
    return i;
}

// ---------------------------------------------------------------- openings

TShellChangeThread::TOpening* TShellChangeThread::FindOpening(const void* overlapped) const
{
    if (FCurrent && &FCurrent->overlapped == overlapped) return FCurrent.get();
    for (const auto& o : FRetired)
        if (&o->overlapped == overlapped) return o.get();
    return nullptr;
}

void TShellChangeThread::FreeRetired(TOpening* opening)
{
    FRetired.erase(std::remove_if(FRetired.begin(), FRetired.end(),
                                  [opening](const std::unique_ptr<TOpening>& o) { return o.get() == opening; }),
                   FRetired.end());
}

void TShellChangeThread::FreeIdleRetired()
{
    FRetired.erase(std::remove_if(FRetired.begin(), FRetired.end(),
                                  [](const std::unique_ptr<TOpening>& o) { return !o->Pending; }),
                   FRetired.end());
}

void TShellChangeThread::ShutDown()
{
    FLoopEnded = true;
    // The rescan stops at its next entry; a delivery it waits for now
    // reports nothing.
    if (FRescan) {
        FRescan->Terminate();
        FRescan.reset();
    }
    std::unique_lock<std::mutex> guard(lock);
    FEnded = true;
    if (FCurrent) {
        FCurrent->directoryHandle.Reset();
        FRetired.push_back(std::move(FCurrent));
    }
    FreeIdleRetired();
    // Closing the handles ended the outstanding reads; wait (briefly) until
    // the system has said so before the buffers go.
    const DWORD start = GetTickCount();
    while (!FRetired.empty() && GetTickCount() - start < 2000) {
        guard.unlock();
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* ov = nullptr;
        GetQueuedCompletionStatus(completionPort, &bytes, &key, &ov, 100);
        guard.lock();
        if (TOpening* o = ov ? FindOpening(ov) : nullptr) o->Pending = false;
        FreeIdleRetired();
    }
    // A read the system never finished keeps its buffer: leaking it is safer
    // than letting the system write into freed memory.
    for (auto& o : FRetired) (void)o.release();
    FRetired.clear();
}

} // namespace tf
