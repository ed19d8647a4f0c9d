// The guard under bursts of new executables made by another program (this
// test): every one is listed, none twice, also when the system loses changes
// while the window is held busy, and the window keeps answering meanwhile.
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <memory>
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

// Whether the rows of the guard's list under folder are exactly the files of
// the burst, each once, and every other row is one of `others` (what was
// listed before the burst).
bool ListedExactly(const GuardProcess& guard, const std::string& folder, const std::vector<std::string>& names,
                   const std::vector<std::string>& others = {})
{
    const std::string prefix = Folded(folder);
    std::vector<std::string> items, rest;
    for (std::string& item : guard.ListItems()) {
        item = Folded(item);
        (item.rfind(prefix, 0) == 0 ? items : rest).push_back(item);
    }
    std::vector<std::string> want, before;
    for (const std::string& name : names) want.push_back(Folded(folder + name));
    for (const std::string& other : others) before.push_back(Folded(other));
    std::sort(items.begin(), items.end());
    std::sort(want.begin(), want.end());
    std::sort(rest.begin(), rest.end());
    std::sort(before.begin(), before.end());
    if (items == want && rest == before) return true;
    std::vector<std::string> extra, missing;
    std::set_difference(items.begin(), items.end(), want.begin(), want.end(), std::back_inserter(extra));
    std::set_difference(want.begin(), want.end(), items.begin(), items.end(), std::back_inserter(missing));
    std::set_difference(rest.begin(), rest.end(), before.begin(), before.end(), std::back_inserter(extra));
    std::set_difference(before.begin(), before.end(), rest.begin(), rest.end(), std::back_inserter(missing));
    const size_t rows = items.size() + rest.size();
    MESSAGE(rows << " rows; " << extra.size() << " not of the burst or twice (first: "
                 << (extra.empty() ? "" : extra.front()) << "), " << missing.size() << " missing (first: "
                 << (missing.empty() ? "" : missing.front()) << ")");
    return false;
}

} // namespace

// One burst at a time into a folder of its own, all watched by one guard:
// the time until all are listed, every one listed once, and nothing else
// added to or taken from what the earlier bursts left. The folders stay until
// the last burst is checked, so no removal is handled during a burst.
void CheckBurst(const GuardProcess& guard, std::vector<std::unique_ptr<WatchedFolder>>& folders,
                const std::vector<std::string>& names, const char* what)
{
    CAPTURE(std::string(what));
    const std::vector<std::string> before = guard.ListItems();
    folders.push_back(std::make_unique<WatchedFolder>("tamfern-burst-"));
    const WatchedFolder& folder = *folders.back();
    Sleep(300);   // the folder's own change is handled first

    const int count = static_cast<int>(names.size());
    const int listed = static_cast<int>(before.size());
    const double start = tftest::NowMs();
    const double created = CreateBurst(folder.Path(), names);
    const BurstResult r = WaitForListed(guard, listed + count, start, 15000);
    MESSAGE(std::string(what) << ": created in " << created << " ms, all listed after " << r.LastListedMs
                 << " ms, slowest answer " << r.SlowestAnswerMs << " ms");
    CHECK(r.Listed - listed == count);
    CHECK(ListedExactly(guard, folder.Path(), names, before));
}

TEST_CASE("bursts of 1,000 and 5,000 new executables are all listed, once each, with short and long names")
{
    TempFolder home("tamfern-burst-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    std::vector<std::unique_ptr<WatchedFolder>> folders;
    // 1,000 in one folder, as the burst the guard must stand.
    CheckBurst(guard, folders, BurstNames(1000, 10), "1,000 names of 10 characters in one folder");
    CheckBurst(guard, folders, BurstNames(1000, 150), "1,000 names of 150 characters in one folder");
    // Under Wine every file created costs a look through its whole folder, so
    // 5,000 in one folder take a minute to make: here they go into folders of
    // 1,000 (made after the watch was armed), short and long names in turn.
    const std::vector<std::string> shorter = BurstNames(2500, 10, 500), longer = BurstNames(2500, 150, 500);
    std::vector<std::string> mixed;
    for (size_t i = 0; i < shorter.size(); ++i) {
        mixed.push_back(shorter[i]);
        mixed.push_back(longer[i]);
    }
    CheckBurst(guard, folders, mixed, "5,000 names of 10 and 150 characters in folders of 1,000");
    CHECK(guard.Close());
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
