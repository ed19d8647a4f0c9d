// The guard under bursts of new executables made by another program (this
// test): every one is listed, none twice, also when the system loses changes
// while the window is held busy, and the window keeps answering meanwhile.
#include <doctest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "Burst.h"
#include "GuardProcess.h"

using namespace guardtest;

namespace {

std::string Folded(std::string s)
{
    // ASCII letters only, as the guard compares (every name here is ASCII).
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// How many names of the burst are not listed; every row must be there once.
int MissingOrTwice(const GuardProcess& guard, const std::string& folder, const std::vector<std::string>& names)
{
    const std::vector<std::string> items = guard.ListItems();
    std::set<std::string> folded;
    for (const std::string& item : items) folded.insert(Folded(item));
    int missing = static_cast<int>(items.size() - folded.size());   // rows listed twice
    for (const std::string& name : names)
        if (!folded.count(Folded(folder + name))) ++missing;
    return missing;
}

} // namespace

TEST_CASE("bursts of 1,000 and 5,000 new executables are all listed, once each, with short and long names")
{
    struct Case {
        int Count;
        int NameLength;
    } cases[] = {{1000, 10}, {1000, 150}, {5000, 10}, {5000, 150}};
    for (const Case& c : cases) {
        CAPTURE(c.Count);
        CAPTURE(c.NameLength);
        TempFolder home("tamfern-burst-");
        GuardProcess guard(home.Path());
        REQUIRE(guard.Form() != nullptr);
        WatchedFolder folder("tamfern-burst-");
        Sleep(300);   // the folder's own change is handled first

        const std::vector<std::string> names = BurstNames(c.Count, c.NameLength);
        const double start = tftest::NowMs();
        const double created = CreateBurst(folder.Path(), names);
        const BurstResult r = WaitForListed(guard, c.Count, start, 15000);
        MESSAGE(c.Count << " names of " << c.NameLength << ": created in " << created << " ms, all listed after "
                        << r.LastListedMs << " ms, slowest answer " << r.SlowestAnswerMs << " ms");
        CHECK(r.Listed == c.Count);
        CHECK(MissingOrTwice(guard, folder.Path(), names) == 0);
        CHECK(guard.Close());
    }
}

TEST_CASE("a burst lost while the window is held busy is found by the rescan, and the window answers meanwhile")
{
    TempFolder home("tamfern-overflow-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    WatchedFolder folder("tamfern-overflow-");
    // A first alarm shows the window (and has it skinned) before the burst:
    // what is timed below is the rescan, not the window's first showing.
    WriteFileBytes(folder.Path() + "first.exe", "MZ");
    REQUIRE(WaitFor([&] { return guard.Visible() && ListCount(guard) == 1; }, 5000));
    Sleep(500);

    // The window's thread stops; the watcher reads on, but far more changes
    // come than its buffer holds, so the system drops them.
    HANDLE ui = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(guard.Form(), nullptr));
    REQUIRE(ui != nullptr);
    REQUIRE(SuspendThread(ui) != static_cast<DWORD>(-1));
    const std::vector<std::string> names = BurstNames(2000, 150);
    const double start = tftest::NowMs();
    CreateBurst(folder.Path(), names);
    Sleep(500);
    ResumeThread(ui);
    CloseHandle(ui);

    const BurstResult r = WaitForListed(guard, 2001, start, 15000);
    MESSAGE("listed " << r.Listed << " after " << r.LastListedMs << " ms; slowest answer " << r.SlowestAnswerMs
                      << " ms");
    // Every one of the burst, once; the rescan may add the guard's own program
    // and sound library, copied just before it started (within its margin).
    CHECK(r.Listed >= 2001);
    CHECK(WaitFor([&] { return MissingOrTwice(guard, folder.Path(), names) == 0; }, 10000));
    CHECK(r.SlowestAnswerMs < 100);
    CHECK(guard.Close());
}
