// The rescan's walk: files written since a time, depth first in the order
// found, through the filter, in chunks, stoppable; names the code page cannot
// hold kept apart.
#include <doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "WatchTestUtil.h"
#include "framework/core/SysUtils.h"
#include "support/AnsiPath.h"
#include "watch/Rescan.h"

using namespace tf;
using namespace tf::test;

namespace {

// Backdates a file's creation and last-write times by a day.
void MakeOld(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    const uint64_t day = 24ull * 3600 * 10000000;
    const uint64_t old = SystemTimeNow() - day;
    FILETIME t{static_cast<DWORD>(old), static_cast<DWORD>(old >> 32)};
    SetFileTime(h, &t, &t, &t);
    CloseHandle(h);
}

struct TWalked {
    std::vector<std::string> Paths;
    std::vector<std::wstring> Unrepresentable;
    int Chunks = 0;
};

TWalked Walk(const std::string& dir, bool subtree, uint64_t since, TRescanFilter filter = nullptr, size_t chunk = 64,
             int stopAfterChunks = -1)
{
    TWalked w;
    WalkRecentFiles(
        dir, subtree, since, filter, chunk,
        [&](TFoundFiles&& found) {
            ++w.Chunks;
            w.Paths.insert(w.Paths.end(), found.Paths.begin(), found.Paths.end());
            w.Unrepresentable.insert(w.Unrepresentable.end(), found.Unrepresentable.begin(),
                                     found.Unrepresentable.end());
            return w.Chunks != stopAfterChunks;
        },
        [] { return false; });
    return w;
}

bool NotText(const std::wstring& path) { return path.size() < 4 || path.substr(path.size() - 4) != L".txt"; }

} // namespace

TEST_CASE("a rescan finds the files written since a time, depth first, through its filter")
{
    TTempDir dir("rescan");
    const uint64_t since = SystemTimeNow() - RescanMargin;
    CreateDirectoryA((dir.Folder() + "sub").c_str(), nullptr);
    CreateDirectoryA((dir.Folder() + "sub\\deeper").c_str(), nullptr);
    for (const char* name : {"old.exe", "new.exe", "note.txt", "sub\\inner.exe", "sub\\deeper\\deep.exe",
                             "sub\\deeper\\old.dll"})
        WriteFileText(dir.Folder() + name, "MZ");
    MakeOld(dir.Folder() + "old.exe");
    MakeOld(dir.Folder() + "sub\\deeper\\old.dll");

    TWalked all = Walk(dir.Folder(), true, since);
    std::vector<std::string> expected = {dir.Folder() + "new.exe", dir.Folder() + "note.txt", dir.Folder() + "sub\\inner.exe",
                                         dir.Folder() + "sub\\deeper\\deep.exe"};
    std::vector<std::string> sorted = all.Paths;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    CHECK(sorted == expected);
    // A folder is searched whole where it is met: the files under sub come
    // together, whatever order the system lists them in.
    auto at = [&](const std::string& p) { return std::find(all.Paths.begin(), all.Paths.end(), p) - all.Paths.begin(); };
    CHECK(std::abs(at(dir.Folder() + "sub\\deeper\\deep.exe") - at(dir.Folder() + "sub\\inner.exe")) == 1);

    CHECK(Walk(dir.Folder(), true, since, &NotText).Paths.size() == 3);
    CHECK(Walk(dir.Folder(), false, since).Paths.size() == 2);                     // the top folder only
    CHECK(Walk(dir.Folder(), true, SystemTimeNow() + RescanMargin).Paths.empty());   // nothing that recent

    TWalked chunked = Walk(dir.Folder(), true, since, nullptr, 1);
    CHECK(chunked.Chunks == 4);
    CHECK(chunked.Paths == all.Paths);
    CHECK(Walk(dir.Folder(), true, since, nullptr, 1, 2).Paths.size() == 2);   // the sink ended it
}

TEST_CASE("a rescan names a file the code page cannot hold by its short path, or keeps it apart")
{
    TTempDir dir("rescan_names");
    const uint64_t since = SystemTimeNow() - RescanMargin;
    const std::wstring thai = AnsiToWide(dir.Folder()) + L"\x0E44\x0E17\x0E22.exe";
    HANDLE h = CreateFileW(thai.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    CloseHandle(h);

    std::string shortPath;
    REQUIRE(AnsiPathOf(thai, shortPath));
    TWalked found = Walk(dir.Folder(), true, since);
    CHECK(found.Paths == std::vector<std::string>{shortPath});
    CHECK(found.Unrepresentable.empty());

    // On a volume without short names it is kept apart, never guessed at.
    const bool previous = SetNoShortNames(true);
    found = Walk(dir.Folder(), true, since);
    SetNoShortNames(previous);
    CHECK(found.Paths.empty());
    CHECK(found.Unrepresentable == std::vector<std::wstring>{thai});
}
