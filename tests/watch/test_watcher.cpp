#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WatchTestUtil.h"
#include "framework/core/Object.h"
#include "framework/core/SysUtils.h"
#include "framework/threads/Threads.h"
#include "watch/FileSystemWatcher.h"
#include "watch/NotifyRecords.h"

using namespace tf;
using namespace tf::test;

namespace {

// Collects the reported changes and the thread each one arrived on.
class TReceiver : public TObject {
    TF_CLASS(TReceiver)
public:
    std::vector<TFileChange> Got;
    std::vector<DWORD> Threads;
    int ThrowOnCall = -1;                    // throw on this call (0-based)
    TFileSystemWatcher* DeleteOnFirst = nullptr;

    void Change(TFileOperation op, const std::string& a, const std::string& b)
    {
        Got.push_back({op, a, b});
        Threads.push_back(GetCurrentThreadId());
        if (DeleteOnFirst) {
            TFileSystemWatcher* w = DeleteOnFirst;
            DeleteOnFirst = nullptr;
            delete w;
        }
        if (static_cast<int>(Got.size()) - 1 == ThrowOnCall) throw EOSError("handler failed");
    }
    TFileDealMethod Event() { return TFileDealMethod::Of<&TReceiver::Change>(this); }
    bool Has(const TFileChange& c) const { return std::find(Got.begin(), Got.end(), c) != Got.end(); }
    bool HasName(const std::string& path) const
    {
        return std::any_of(Got.begin(), Got.end(),
                           [&](const TFileChange& c) { return c.FileName1 == path || c.FileName2 == path; });
    }
};

const TClassInfo& TReceiver::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TReceiver>("TReceiver", TObject::StaticClass()).TF_METHOD(TReceiver, Change).Build();
    return info;
}

constexpr TNotifyFilters GuardFilters = NotifyFilterBit(nfFileNameChange) | NotifyFilterBit(nfDirNameChange) |
                                        NotifyFilterBit(nfSizeChange) | NotifyFilterBit(nfWriteChange) |
                                        NotifyFilterBit(nfCreationDateChange);

// A watcher armed on dir the way stored data arms it: OnChange last.
TFileSystemWatcher* Arm(TReceiver& r, const std::string& dir, TComponent* owner = nullptr)
{
    auto* w = new TFileSystemWatcher(owner);
    w->SetActived(true);
    w->SetWatchedDir(dir);
    w->SetWatchSubTree(true);
    w->SetNotifyFilters(GuardFilters);
    w->SetOnChange(r.Event());
    return w;
}

// Waits until every worker made so far has ended and freed itself.
bool WorkersGone(int baseline, DWORD timeoutMs = 5000)
{
    return PumpUntil([&] { return TShellChangeThread::Instances() <= baseline; }, timeoutMs);
}

} // namespace

TEST_CASE("a real watcher reports a created file, a rename and a file in a new subdirectory")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("watch");
    TReceiver r;
    TFileSystemWatcher* w = Arm(r, dir.Folder());
    REQUIRE(w->Worker() != nullptr);
    CHECK(w->Worker()->Openings() == 2);   // once for OnChange, once more for the settings after it

    WriteFileText(dir.Folder() + "new.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Has({foAdded, dir.Folder() + "new.exe", ""}); }));

    WriteFileText(dir.Folder() + "a.txt", "text");
    CHECK(PumpUntil([&] { return r.Has({foAdded, dir.Folder() + "a.txt", ""}); }));
    REQUIRE(MoveFileA((dir.Folder() + "a.txt").c_str(), (dir.Folder() + "a.exe").c_str()));
    CHECK(PumpUntil([&] { return r.Has({foRenamed, dir.Folder() + "a.txt", dir.Folder() + "a.exe"}); }));

    // Folders are made after arming.
    REQUIRE(CreateDirectoryA((dir.Folder() + "sub").c_str(), nullptr));
    CHECK(PumpUntil([&] { return r.Has({foAdded, dir.Folder() + "sub", ""}); }));
    WriteFileText(dir.Folder() + "sub\\inner.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Has({foAdded, dir.Folder() + "sub\\inner.exe", ""}); }));

    // Every change arrived on this, the user-interface, thread.
    REQUIRE_FALSE(r.Threads.empty());
    CHECK(std::all_of(r.Threads.begin(), r.Threads.end(), [](DWORD t) { return t == GetCurrentThreadId(); }));
    // A rename is reported once.
    CHECK(std::count_if(r.Got.begin(), r.Got.end(), [](const TFileChange& c) { return c.Operation == foRenamed; }) ==
          1);

    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("setting Actived false stops the worker at once and nothing is reported afterwards")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("actived");
    TReceiver r;
    TFileSystemWatcher* w = Arm(r, dir.Folder());
    WriteFileText(dir.Folder() + "before.exe", "MZ");
    REQUIRE(PumpUntil([&] { return r.HasName(dir.Folder() + "before.exe"); }));

    const DWORD start = GetTickCount();
    w->SetActived(false);
    CHECK(GetTickCount() - start < 500);   // does not wait for the worker
    CHECK(w->Worker() == nullptr);

    const size_t seen = r.Got.size();
    WriteFileText(dir.Folder() + "after.exe", "MZ");
    PumpFor(1000);
    CHECK(r.Got.size() == seen);
    CHECK(WorkersGone(baseline));

    // Switching it on again watches again.
    w->SetActived(true);
    REQUIRE(w->Worker() != nullptr);
    WriteFileText(dir.Folder() + "again.exe", "MZ");
    CHECK(PumpUntil([&] { return r.HasName(dir.Folder() + "again.exe"); }));
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("destroying the watcher while its worker waits neither hangs nor reports")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("destroy");

    SUBCASE("the worker waits for the system")
    {
        TReceiver r;
        TFileSystemWatcher* w = Arm(r, dir.Folder());
        PumpFor(100);
        const DWORD start = GetTickCount();
        delete w;
        CHECK(GetTickCount() - start < 500);
        CHECK(WorkersGone(baseline));
        CHECK(r.Got.empty());
    }
    SUBCASE("the worker waits with a batch for this thread, which does not pump")
    {
        TReceiver r;
        TFileSystemWatcher* w = Arm(r, dir.Folder());
        WriteFileText(dir.Folder() + "pending.exe", "MZ");
        Sleep(1000);   // the batch arrives and the worker blocks in the hand-off
        delete w;
        CHECK(WorkersGone(baseline));
        PumpFor(300);
        CHECK(r.Got.empty());   // the destroyed watcher's handler was never called
    }
    SUBCASE("its owner destroys it together with itself")
    {
        TReceiver r;
        auto* owner = new TComponent(nullptr);
        Arm(r, dir.Folder(), owner);
        WriteFileText(dir.Folder() + "pending.exe", "MZ");
        Sleep(500);
        owner->Free();
        CHECK(WorkersGone(baseline));
        CHECK(r.Got.empty());
    }
    SUBCASE("the handler destroys the watcher: nothing more is reported")
    {
        TReceiver r;
        TFileSystemWatcher* w = Arm(r, dir.Folder());
        r.DeleteOnFirst = w;
        for (int i = 0; i < 5; ++i) WriteFileText(dir.Folder() + "f" + std::to_string(i) + ".exe", "MZ");
        REQUIRE(PumpUntil([&] { return !r.Got.empty(); }));
        PumpFor(500);
        CHECK(r.Got.size() == 1);
        CHECK(WorkersGone(baseline));
    }
}

TEST_CASE("a missing directory is watched by an idle worker until a configuration finds one")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("missing");
    TReceiver r;
    TFileSystemWatcher* w = Arm(r, dir.Folder() + "not_there");
    REQUIRE(w->Worker() != nullptr);
    PumpFor(100);
    FILETIME c, e, k0, u0, k1, u1;
    REQUIRE(GetThreadTimes(w->Worker()->Handle(), &c, &e, &k0, &u0));
    PumpFor(500);
    REQUIRE(GetThreadTimes(w->Worker()->Handle(), &c, &e, &k1, &u1));
    auto ticks = [](const FILETIME& f) { return (static_cast<uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    const uint64_t used100ns = (ticks(k1) - ticks(k0)) + (ticks(u1) - ticks(u0));
    CHECK(used100ns < 500000);   // well under 50 ms of processor time in 500 ms

    w->SetWatchedDir(dir.Folder());
    WriteFileText(dir.Folder() + "found.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Has({foAdded, dir.Folder() + "found.exe", ""}); }));
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("a reconfigured worker watches the new directory only")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir a("reconf_a"), b("reconf_b");
    TReceiver r;
    TFileSystemWatcher* w = Arm(r, a.Folder());
    WriteFileText(a.Folder() + "one.exe", "MZ");
    REQUIRE(PumpUntil([&] { return r.HasName(a.Folder() + "one.exe"); }));

    const int openings = w->Worker()->Openings();
    w->SetWatchedDir(b.Folder());
    CHECK(w->Worker()->Openings() == openings + 1);
    WriteFileText(a.Folder() + "old.exe", "MZ");
    WriteFileText(b.Folder() + "two.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Has({foAdded, b.Folder() + "two.exe", ""}); }));
    PumpFor(300);
    CHECK_FALSE(r.HasName(a.Folder() + "old.exe"));

    // Many reconfigurations in a row free every replaced opening.
    for (int i = 0; i < 20; ++i) w->SetWatchSubTree(i % 2 == 0);
    w->SetWatchSubTree(true);
    WriteFileText(b.Folder() + "three.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Has({foAdded, b.Folder() + "three.exe", ""}); }));
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("WatchedDir ignores ASCII letter case and C: is watched as C:\\")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TReceiver r;
    auto* w = new TFileSystemWatcher(nullptr);
    CHECK(w->WatchedDir() == "C:\\");
    w->SetWatchSubTree(false);   // the top folder only: keeps the test light
    w->SetActived(true);
    w->SetOnChange(r.Event());
    REQUIRE(w->Worker() != nullptr);
    const int openings = w->Worker()->Openings();
    w->SetWatchedDir("c:\\");
    CHECK(w->Worker()->Openings() == openings);   // not reopened
    CHECK(w->WatchedDir() == "C:\\");
    w->SetWatchedDir("C:");
    CHECK(w->Worker()->Openings() == openings + 1);
    CHECK(w->Worker()->DirectoryPath() == "C:\\");
    // Trail bytes of GBK characters are not letters: another folder.
    w->SetWatchedDir("C:\\\x81\x41");
    const int gbk = w->Worker()->Openings();
    w->SetWatchedDir("C:\\\x81\x61");
    CHECK(w->Worker()->Openings() == gbk + 1);
    w->SetWatchedDir("C:");
    // Other setters with an unchanged value do not reopen either.
    w->SetWatchSubTree(false);
    w->SetNotifyFilters(w->NotifyFilters());
    w->SetActived(true);
    CHECK(w->Worker()->Openings() == gbk + 2);
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("a worker configured while inactive reports nothing")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("inactive");
    TReceiver r;
    auto* t = new TShellChangeThread(r.Event());
    t->ConfigureWorker(dir.Folder(), false, FilterMask(GuardFilters), true);
    t->Resume();
    WriteFileText(dir.Folder() + "quiet.exe", "MZ");
    PumpFor(1000);
    CHECK(r.Got.empty());
    t->Stop();
    t->Release();
    CHECK(WorkersGone(baseline));

    SUBCASE("a component without OnChange has no worker")
    {
        TFileSystemWatcher w(nullptr);
        w.SetActived(true);
        CHECK(w.Worker() == nullptr);
        w.SetOnChange(r.Event());
        CHECK(w.Worker() != nullptr);
        w.SetOnChange(TFileDealMethod());
        CHECK(w.Worker() == nullptr);
    }
    SUBCASE("at design time nothing starts")
    {
        TFileSystemWatcher w(nullptr);
        w.SetDesigning(true);
        w.SetActived(true);
        w.SetOnChange(r.Event());
        CHECK(w.Worker() == nullptr);
    }
    CHECK(WorkersGone(baseline));
}

TEST_CASE("a failing handler ends the worker; the component stays safe to use")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    TTempDir dir("failing");
    TReceiver r;
    r.ThrowOnCall = 0;
    TFileSystemWatcher* w = Arm(r, dir.Folder());
    TShellChangeThread* worker = w->Worker();
    WriteFileText(dir.Folder() + "boom.exe", "MZ");
    REQUIRE(PumpUntil([&] { return !r.Got.empty(); }));
    REQUIRE(PumpUntil([&] { return worker->Finished(); }));
    const size_t seen = r.Got.size();
    // The ended worker is still referenced and still valid.
    CHECK(w->Worker() == worker);
    w->SetWatchSubTree(false);   // reconfigures the ended worker: opens nothing
    w->SetWatchSubTree(true);
    WriteFileText(dir.Folder() + "later.exe", "MZ");
    PumpFor(500);
    CHECK(r.Got.size() == seen);
    delete w;
    CHECK(WorkersGone(baseline));
}

TEST_CASE("stored form data can create the watcher and set its properties by name")
{
    InitThreads();
    const int baseline = TShellChangeThread::Instances();
    RegisterWatchClasses();
    const TClassInfo* info = FindClass("TFileSystemWatcher");
    REQUIRE(info != nullptr);
    const bool creatable = info->Create != nullptr;
    REQUIRE(creatable);

    // Published in stored order, after the inherited ones.
    std::vector<std::string> names;
    for (const TPropInfo& p : info->Props) names.push_back(p.Name);
    CHECK(names == std::vector<std::string>{"Actived", "WatchedDir", "WatchSubTree", "NotifyFilters", "OnChange"});

    TComponent* c = info->Create(nullptr);
    auto* w = dynamic_cast<TFileSystemWatcher*>(c);
    REQUIRE(w != nullptr);
    CHECK(ReadEnum(w, "Actived") == "False");
    CHECK(ReadString(w, "WatchedDir") == "C:\\");
    CHECK(ReadEnum(w, "WatchSubTree") == "True");
    CHECK(ReadString(w, "NotifyFilters") == "[nfFileNameChange,nfDirNameChange]");

    TTempDir dir("stored");
    Write(w, "Actived", "True");
    Write(w, "WatchedDir", dir.Folder());
    Write(w, "WatchSubTree", "True");
    Write(w, "NotifyFilters", "[nfFileNameChange,nfDirNameChange,nfSizeChange,nfWriteChange,nfCreationDateChange]");
    CHECK(FilterMask(w->NotifyFilters()) == 0x5Bu);
    CHECK(w->Worker() == nullptr);   // no handler yet

    // The handler is bound by name, as the form reader does.
    TReceiver r;
    const TMethodEntry* m = r.ClassType().FindMethod("Change");
    const TPropInfo* p = FindProperty(w, "OnChange");
    REQUIRE(m != nullptr);
    REQUIRE(p != nullptr);
    REQUIRE(p->Sig == m->Sig);
    p->SetMethod(w, TMethod{&r, m->Code});
    REQUIRE(w->Worker() != nullptr);
    WriteFileText(dir.Folder() + "stored.exe", "MZ");
    CHECK(PumpUntil([&] { return r.Has({foAdded, dir.Folder() + "stored.exe", ""}); }));
    c->Free();
    CHECK(WorkersGone(baseline));
}
