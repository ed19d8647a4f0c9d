#include "ShellChangeThread.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "NotifyRecords.h"
#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/PathUtils.h"
#include "support/Wow64.h"

namespace tf {

namespace {
std::atomic<int> g_instances{0};
}

// One opening of the watched directory.
struct TShellChangeThread::TOpening {
    explicit TOpening(uint32_t size) : notifyBuffer(new uint8_t[size]), Size(size) {}
    TKernelHandle directoryHandle;
    OVERLAPPED overlapped{};
    std::unique_ptr<uint8_t[]> notifyBuffer;
    uint32_t Size;
    std::string DirectoryPath;   // the reported paths start with this
    bool Subtree = true;
    uint32_t Filter = 0;
    bool Pending = false;        // a read is outstanding: the system owns the buffer
    int Failures = 0;            // failed reads in a row
};

const TClassInfo& TShellChangeThread::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TShellChangeThread>("TShellChangeThread", TThread::StaticClass()).Build();
    return info;
}

int TShellChangeThread::Instances() { return g_instances; }

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

void TShellChangeThread::ConfigureWorker(const std::string& directory, bool active, uint32_t filter, bool subtree)
{
    watchSubTree = subtree;
    notifyFilter = filter;
    directoryPath = IncludeTrailingBackslash(directory);
    activeCopy = active;
    OpenDirectory();
}

bool TShellChangeThread::OpenDirectory()
{
    ++FOpenings;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (FEnded) return false;
        if (FCurrent) {
            // Closing the handle ends its read; the worker frees the opening
            // when the system reports that read finished.
            FCurrent->directoryHandle.Reset();
            FRetired.push_back(std::move(FCurrent));
        }
    }
    PostQueuedCompletionStatus(completionPort, 0, 0, nullptr);

    // Listing access is all a change read needs; asking for write access too
    // would be refused on a system drive's root to anyone but an elevated
    // administrator.
    TKernelHandle dir(CreateFileA(NativeFilePath(directoryPath).c_str(), FILE_LIST_DIRECTORY,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!dir) return false;   // not found, or not openable: nothing is watched
    if (!CreateIoCompletionPort(dir.Get(), completionPort, reinterpret_cast<ULONG_PTR>(Handle()), 0)) return false;

    auto opening = std::make_unique<TOpening>(FBufferSize);
    opening->directoryHandle = std::move(dir);
    opening->DirectoryPath = directoryPath;
    opening->Subtree = watchSubTree;
    opening->Filter = notifyFilter;
    std::lock_guard<std::mutex> guard(lock);
    if (FEnded) return false;
    const bool issued = IssueRead(*opening);
    FCurrent = std::move(opening);
    return issued;
}

bool TShellChangeThread::IssueRead(TOpening& o)
{
    std::memset(o.notifyBuffer.get(), 0, o.Size);
    std::memset(&o.overlapped, 0, sizeof o.overlapped);
    DWORD unused = 0;
    o.Pending = ReadDirectoryChangesW(o.directoryHandle.Get(), o.notifyBuffer.get(), o.Size, o.Subtree, o.Filter,
                                      &unused, &o.overlapped, nullptr) != 0;
    return o.Pending;
}

void TShellChangeThread::Stop()
{
    Terminate();
    PostQueuedCompletionStatus(completionPort, 0, 0, nullptr);
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
    while (!Terminated()) {
        {
            std::lock_guard<std::mutex> guard(lock);
            FreeIdleRetired();
        }
        DWORD bytes = 0;
        ULONG_PTR key = 0;
        OVERLAPPED* ov = nullptr;
        const BOOL ok = GetQueuedCompletionStatus(completionPort, &bytes, &key, &ov, INFINITE);
        if (!ok && !ov) return;   // the port itself failed: nothing will ever arrive
        if (Terminated()) return;
        if (key != ownKey || !ov) continue;   // a wake-up

        TOpening* opening = nullptr;
        {
            std::lock_guard<std::mutex> guard(lock);
            opening = FindOpening(ov);
            if (!opening) continue;
            opening->Pending = false;
            if (opening != FCurrent.get()) {   // a replaced opening's read has ended
                FreeRetired(opening);
                continue;
            }
            if (!ok) {
                // Retry a failed read a few times, then stay silent until the
                // next configuration rather than spin on a broken directory.
                if (++opening->Failures < 3) IssueRead(*opening);
                continue;
            }
            opening->Failures = 0;
        }
        Synchronize([this, opening, bytes] { DeliverBatch(*opening, bytes); });
        std::lock_guard<std::mutex> guard(lock);
        if (Terminated()) return;
        if (opening == FCurrent.get())
            IssueRead(*opening);
        else
            FreeRetired(opening);   // replaced while its batch was delivered
    }
}

void TShellChangeThread::DeliverBatch(TOpening& opening, uint32_t bytes)
{
    // Runs on the user-interface thread, where Stop() is called: a set flag
    // means the owner may be gone.
    if (Terminated()) return;
    const std::vector<TFileChange> changes =
        DecodeNotifyRecords(opening.notifyBuffer.get(), std::min(bytes, opening.Size), opening.DirectoryPath);
    for (const TFileChange& c : changes) {
        // The handler itself may stop or deactivate the watcher.
        if (Terminated() || !activeCopy || !changeEvent) return;
        changeEvent(c.Operation, c.FileName1, c.FileName2);
    }
}

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
