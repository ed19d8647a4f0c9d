// The guard under bursts of new executables made by another program (this
// test): every one is listed, none twice, also when the system loses changes
// while the window is held busy, and the window keeps answering meanwhile.
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
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

// Whether the guard lists exactly the files of the burst, each once.
bool ListedExactly(const GuardProcess& guard, const std::string& folder, const std::vector<std::string>& names)
{
    std::vector<std::string> items = guard.ListItems();
    std::vector<std::string> want;
    for (const std::string& name : names) want.push_back(Folded(folder + name));
    for (std::string& item : items) item = Folded(item);
    std::sort(items.begin(), items.end());
    std::sort(want.begin(), want.end());
    if (items == want) return true;
    std::vector<std::string> extra, missing;
    std::set_difference(items.begin(), items.end(), want.begin(), want.end(), std::back_inserter(extra));
    std::set_difference(want.begin(), want.end(), items.begin(), items.end(), std::back_inserter(missing));
    MESSAGE(items.size() << " rows; " << extra.size() << " not of the burst or twice (first: "
                         << (extra.empty() ? "" : extra.front()) << "), " << missing.size() << " missing (first: "
                         << (missing.empty() ? "" : missing.front()) << ")");
    return false;
}

} // namespace

// One burst at a time, each from a fresh guard: the time until all are
// listed, and every one listed once.
void CheckBurst(const std::vector<std::string>& names, const char* what)
{
    CAPTURE(std::string(what));
    TempFolder home("tamfern-burst-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    WatchedFolder folder("tamfern-burst-");
    Sleep(300);   // the folder's own change is handled first

    const int count = static_cast<int>(names.size());
    const double start = tftest::NowMs();
    const double created = CreateBurst(folder.Path(), names);
    const BurstResult r = WaitForListed(guard, count, start, 15000);
    MESSAGE(std::string(what) << ": created in " << created << " ms, all listed after " << r.LastListedMs
                 << " ms, slowest answer " << r.SlowestAnswerMs << " ms");
    CHECK(r.Listed == count);
    CHECK(ListedExactly(guard, folder.Path(), names));
    CHECK(guard.Close());
}

TEST_CASE("bursts of 1,000 and 5,000 new executables are all listed, once each, with short and long names")
{
    // 1,000 in one folder, as the burst the guard must stand.
    CheckBurst(BurstNames(1000, 10), "1,000 names of 10 characters in one folder");
    CheckBurst(BurstNames(1000, 150), "1,000 names of 150 characters in one folder");
    // Under Wine every file created costs a look through its whole folder, so
    // 5,000 in one folder take a minute to make: here they go into folders of
    // 1,000 (made after the watch was armed), short and long names in turn.
    const std::vector<std::string> shorter = BurstNames(2500, 10, 500), longer = BurstNames(2500, 150, 500);
    std::vector<std::string> mixed;
    for (size_t i = 0; i < shorter.size(); ++i) {
        mixed.push_back(shorter[i]);
        mixed.push_back(longer[i]);
    }
    CheckBurst(mixed, "5,000 names of 10 and 150 characters in folders of 1,000");
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
    // come than its buffer holds (1,000 long names: 300 KB of records), so
    // the system drops them.
    HANDLE ui = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(guard.Form(), nullptr));
    REQUIRE(ui != nullptr);
    REQUIRE(SuspendThread(ui) != static_cast<DWORD>(-1));
    std::vector<std::string> names = BurstNames(1000, 150);
    const double start = tftest::NowMs();
    CreateBurst(folder.Path(), names);
    Sleep(500);
    ResumeThread(ui);
    CloseHandle(ui);

    const BurstResult r = WaitForListed(guard, 1001, start, 15000);
    MESSAGE("listed " << r.Listed << " after " << r.LastListedMs << " ms; slowest answer " << r.SlowestAnswerMs
                      << " ms");
    // Every one of the burst, once, and nothing else: not the guard's own
    // program and sound library either, copied just before it started. (The
    // rescan of this prefix's small drive ends well within the wait.)
    Sleep(1500);
    names.push_back("first.exe");
    CHECK(r.Listed == 1001);
    CHECK(ListedExactly(guard, folder.Path(), names));
    CHECK(r.SlowestAnswerMs < 100);
    CHECK(guard.Close());
}
