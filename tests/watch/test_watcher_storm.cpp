// The watcher under load and failure: reads issued again before a batch is
// handed over, lost changes found again by a rescan, failed reads recovered
// from, names the code page cannot hold, and stopping during a storm.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "WatchTestUtil.h"
#include "tests/FileIdentity.h"
#include "framework/core/SysUtils.h"
#include "framework/threads/Threads.h"
#include "support/AnsiPath.h"
#include "watch/FileSystemWatcher.h"
#include "watch/NotifyRecords.h"

using namespace tf;
using namespace tf::test;

namespace {

constexpr TNotifyFilters GuardFilters = NotifyFilterBit(nfFileNameChange) | NotifyFilterBit(nfDirNameChange) |
                                        NotifyFilterBit(nfSizeChange) | NotifyFilterBit(nfWriteChange) |
                                        NotifyFilterBit(nfCreationDateChange);

// Records the changes and notices, optionally holding the first change busy.
class TRecorder : public TObject {
public:
    std::vector<TFileChange> Got;
    std::vector<TWatchNotice> Notices;
    std::vector<std::wstring> Unrepresentable;
    std::vector<DWORD> SliceMs;   // how long each delivery held the thread
    DWORD HoldFirstMs = 0;
    DWORD PerChangeMs = 0;
    std::function<void()> OnFirst;

    void Change(TFileOperation op, const std::string& a, const std::string& b)
    {
        Got.push_back({op, a, b});
        if (Got.size() == 1) {
            if (OnFirst) OnFirst();
            Sleep(HoldFirstMs);
        } else if (PerChangeMs) {
            LARGE_INTEGER f, start, now;
            QueryPerformanceFrequency(&f);
            QueryPerformanceCounter(&start);
            do QueryPerformanceCounter(&now);
            while ((now.QuadPart - start.QuadPart) * 1000 < static_cast<LONGLONG>(PerChangeMs) * f.QuadPart);
        }
    }
    void Notice(TWatchNotice n, const std::wstring& detail)
    {
        Notices.push_back(n);
        if (n == wnUnrepresentable) Unrepresentable.push_back(detail);
        if (n == wnBatchBegin) {
            FSliceStart = GetTickCount();
            FFirstDone = !Got.empty();   // the held first change is no slice's own cost
        }
        if (n == wnBatchEnd && FFirstDone) SliceMs.push_back(GetTickCount() - FSliceStart);
    }
    int Count(TWatchNotice n) const { return static_cast<int>(std::count(Notices.begin(), Notices.end(), n)); }
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const TFileChange& c : Got)
            for (const std::string* s : {&c.FileName1, &c.FileName2})
                if (!s->empty()) names.insert(*s);
        return names;
    }

private:
    DWORD FSliceStart = 0;
    bool FFirstDone = false;
};

TFileSystemWatcher* Arm(TRecorder& r, const std::string& dir, uint32_t bufferSize = TShellChangeThread::NotifyBufferSize)
{
    auto* w = new TFileSystemWatcher(nullptr);
    w->SetBufferSize(bufferSize);
    w->SetOnNotice(TWatchNoticeEvent::Of<&TRecorder::Notice>(&r));
    w->SetActived(true);
    w->SetWatchedDir(dir);
    w->SetNotifyFilters(GuardFilters);
    w->SetOnChange(TFileDealMethod::Of<&TRecorder::Change>(&r));
    return w;
}

bool WorkersGone(int baseline, DWORD timeoutMs = 5000)
{
    return PumpUntil([&] { return TShellChangeThread::Instances() <= baseline; }, timeoutMs);
}

// Creates files on a thread of its own, as another program would.
class TCreator : public TThread {
public:
    TCreator(std::string dir, std::vector<std::string> names) : FDir(std::move(dir)), FNames(std::move(names)) {}
    ~TCreator() override { TerminateAndWait(); }

protected:
    void Execute() override
    {
        for (const std::string& n : FNames) {
            if (Terminated()) return;
            WriteFileText(FDir + n, "MZ");
        }
    }

private:
    std::string FDir;
    std::vector<std::string> FNames;
};

// A read function that fails while told to, counting every call.
std::atomic<bool> gFailReads{false};
std::atomic<int> gReads{0};
TShellChangeThread::TReadFunction gSystemRead = nullptr;

int __stdcall CountingRead(void* dir, void* buffer, uint32_t size, int subtree, uint32_t filter, void* overlapped)
{
    ++gReads;
    if (gFailReads) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    return gSystemRead(dir, buffer, size, subtree, filter, overlapped);
}

struct TReadHook {
    TReadHook()
    {
        gFailReads = false;
        gReads = 0;
        gSystemRead = TShellChangeThread::SetReadFunction(&CountingRead);
    }
    ~TReadHook() { TShellChangeThread::SetReadFunction(gSystemRead); }
};

bool ExecutableOnly(const std::wstring& path) { return path.size() > 4 && path.substr(path.size() - 4) == L".exe"; }

} // namespace

TEST_CASE("the next read is outstanding while the window handles a batch")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TReadHook hook;
    TTempDir dir("rearm");
    TRecorder r;
    int readsDuringFirst = 0;
    r.OnFirst = [&] { readsDuringFirst = gReads; };
    TFileSystemWatcher* w = Arm(r, dir.Folder());
    const int readsArmed = gReads;   // the configurations' first reads
    WriteFileText(dir.Folder() + "one.exe", "MZ");
    REQUIRE(PumpUntil([&] { return !r.Got.empty(); }));
    // The read that brought the batch, and the one issued before handing it over.
    CHECK(readsDuringFirst == readsArmed + 1);
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("changes lost to a full buffer are found again by a rescan")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("overflow");
    TRecorder r;
    // While the window handles the first change, far more records pile up
    // than the buffer holds (long names: the system's own queue is larger).
    const std::string stem = "burst" + std::string(100, 'x');
    r.OnFirst = [&] {
        for (int i = 0; i < 300; ++i) WriteFileText(dir.Folder() + stem + std::to_string(i) + ".exe", "MZ");
        for (int i = 0; i < 50; ++i) WriteFileText(dir.Folder() + "note" + std::to_string(i) + ".txt", "text");
    };
    // Written before the watch began: no change of its, rescan or not.
    WriteFileText(dir.Folder() + "before.exe", "MZ");
    Sleep(300);
    TFileSystemWatcher* w = Arm(r, dir.Folder(), 1024);
    w->SetRescanFilter(&ExecutableOnly);
    WriteFileText(dir.Folder() + "first.exe", "MZ");

    auto allExecutables = [&] {
        const std::set<std::string> got = r.Names();
        for (int i = 0; i < 300; ++i)
            if (!got.count(dir.Folder() + stem + std::to_string(i) + ".exe")) return false;
        return true;
    };
    CHECK(PumpUntil(allExecutables, 20000));
    CHECK(PumpUntil([&] { return r.Count(wnRescanEnd) >= 1; }, 10000));
    CHECK(r.Count(wnRescanBegin) == r.Count(wnRescanEnd));
    // The text files' records were lost with the rest; the rescan's filter
    // kept them out.
    for (const std::string& name : r.Names()) CHECK(name.find(".txt") == std::string::npos);
    CHECK(r.Names().count(dir.Folder() + "before.exe") == 0);
    CHECK(r.Count(wnBatchBegin) == r.Count(wnBatchEnd));
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("a long batch is handed over in slices, so the window keeps answering")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("slices");
    TRecorder r;
    // About 600 records pile up behind the first change, and each change then
    // costs 2 ms: one batch needs many slices.
    r.OnFirst = [&] {
        for (int i = 0; i < 200; ++i) WriteFileText(dir.Folder() + "slow" + std::to_string(i) + ".exe", "MZ");
    };
    r.PerChangeMs = 2;
    TFileSystemWatcher* w = Arm(r, dir.Folder());
    WriteFileText(dir.Folder() + "first.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Names().size() >= 201; }, 20000));
    CHECK(r.Count(wnBatchBegin) == r.Count(wnBatchEnd));
    REQUIRE_FALSE(r.SliceMs.empty());
    // Slices of about 10 ms, one change more at most, whatever the batch (a
    // batch handed over whole would hold the thread for over a second; the
    // bounds leave room for a loaded machine's scheduling).
    std::vector<DWORD> slices = r.SliceMs;
    std::sort(slices.begin(), slices.end());
    CHECK(slices[slices.size() / 2] < 30);
    CHECK(slices.back() < 400);
    CHECK(slices.size() >= 10);
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("a watcher whose reads fail three times says so, and recovers when the directory can be read again")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TReadHook hook;
    TTempDir dir("failing");
    TRecorder r;
    TFileSystemWatcher* w = Arm(r, dir.Folder());
    WriteFileText(dir.Folder() + "before.exe", "MZ");
    REQUIRE(PumpUntil([&] { return r.Names().count(dir.Folder() + "before.exe") > 0; }));

    // The read in flight completes with the next change; every read after it fails.
    gFailReads = true;
    const int readsBefore = gReads;
    WriteFileText(dir.Folder() + "trigger.exe", "MZ");
    REQUIRE(PumpUntil([&] { return r.Count(wnBlind) == 1; }));
    CHECK(gReads - readsBefore >= 3);
    CHECK(r.Count(wnWatching) == 0);
    // Still failing: it keeps trying, with longer waits, and says it once.
    PumpFor(1000);
    const int attempts = gReads - readsBefore;
    CHECK(attempts >= 4);
    CHECK(attempts <= 10);   // 250 ms, then 500 ms: a back-off, not a spin
    CHECK(r.Count(wnBlind) == 1);

    gFailReads = false;
    REQUIRE(PumpUntil([&] { return r.Count(wnWatching) == 1; }, 10000));
    WriteFileText(dir.Folder() + "after.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Names().count(dir.Folder() + "after.exe") > 0; }));
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("stopping and restarting the watcher 1,000 times during a storm leaves no worker and no buffer behind")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    const int buffers = TShellChangeThread::LiveBuffers();
    TTempDir dir("storm");
    TRecorder r;
    TFileSystemWatcher* w = Arm(r, dir.Folder());

    // Another program keeps creating and deleting files the whole time.
    class TStorm : public TThread {
    public:
        explicit TStorm(std::string dir) : FDir(std::move(dir)) {}
        ~TStorm() override { TerminateAndWait(); }

    protected:
        void Execute() override
        {
            for (int i = 0; !Terminated(); ++i) {
                const std::string path = FDir + "s" + std::to_string(i % 50) + ".exe";
                WriteFileText(path, "MZ");
                if (i % 3 == 0) DeleteFileA(path.c_str());
                Sleep(1);   // a steady stream, leaving the processor to the test
            }
        }

    private:
        std::string FDir;
    } storm(dir.Folder());
    storm.Resume();
    PumpFor(200);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);

    int most = 0;
    for (int i = 0; i < 1000; ++i) {
        w->SetActived(false);
        w->SetActived(true);
        PumpUntil([] { return true; }, 0);   // serve what the workers hand over
        most = std::max(most, TShellChangeThread::Instances() - baseline);
    }
    const DWORD stopped = GetTickCount();
    delete w;
    // Each stopped worker ends as soon as it is woken: none waits out its
    // shutdown time, none keeps its buffer.
    CHECK(WorkersGone(baseline, 3000));
    CHECK(GetTickCount() - stopped < 1500);
    CHECK(most < 50);
    CHECK(TShellChangeThread::LiveBuffers() == buffers);
    storm.Terminate();
    storm.WaitFor();
    DWORD after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &after);
    CHECK(after <= handles + 20);
}

TEST_CASE("a name the code page cannot hold is reported by its short path, or told and never guessed")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("names");
    TRecorder r;
    TFileSystemWatcher* w = Arm(r, dir.Folder());
    const std::wstring thai = AnsiToWide(dir.Folder()) + L"\x0E44\x0E17\x0E22.exe";
    const std::wstring emoji = AnsiToWide(dir.Folder()) + L"\xD83D\xDE00.exe";

    for (const std::wstring& name : {thai, emoji}) {
        HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        REQUIRE(h != INVALID_HANDLE_VALUE);
        CloseHandle(h);
        std::string expected;
        REQUIRE(AnsiPathOf(name, expected));
        CHECK(expected.find('?') == std::string::npos);
        CHECK(PumpUntil([&] { return r.Names().count(expected) > 0; }));
        // The reported path opens that very file.
        CHECK(tftest::FileIdentityA(expected) == tftest::FileIdentityW(name));
    }
    CHECK(r.Unrepresentable.empty());

    SUBCASE("on a volume without short names the owner is told, and no path is guessed")
    {
        const bool previous = SetNoShortNames(true);
        const std::wstring korean = AnsiToWide(dir.Folder()) + L"\xD55C.exe";
        HANDLE h = CreateFileW(korean.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        REQUIRE(h != INVALID_HANDLE_VALUE);
        CloseHandle(h);
        CHECK(PumpUntil([&] { return !r.Unrepresentable.empty(); }));
        SetNoShortNames(previous);
        CHECK(r.Unrepresentable[0] == korean);
        for (const std::string& n : r.Names()) CHECK(n.find('?') == std::string::npos);
    }
    delete w;
    CHECK(WorkersGone(baseline));
}
