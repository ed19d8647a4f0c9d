// The watcher's rescan after lost changes. When the system could not keep
// every change record (its buffer overflowed), the watcher looks for the files
// under its directory that were created or written since its last complete
// read and reports those instead. The walk runs on a thread of its own, so a
// rescan of a whole drive never holds up the user-interface thread or the
// change reads. Windows only.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/threads/Threads.h"

namespace tf {

// Which files a rescan reports (null: every file). Called on the rescan's
// thread with the full UTF-16 path as the watcher reports it (a filter that
// opens the file maps it for WOW64 itself, as IsExecutableFileW does).
using TRescanFilter = bool (*)(const std::wstring& path);

// File times as 100-ns units since 1601 (FILETIME); a margin of 2 s covers
// the coarsest file-time resolution (FAT) and the clock's granularity.
constexpr uint64_t RescanMargin = 2 * 10000000ull;
// Before the watch began, only the lag of a file system's coarse clock behind
// the system time is allowed for (100 ms).
constexpr uint64_t WatchStartSlack = 100 * 10000ull;
uint64_t SystemTimeNow();

// Files found by a walk, in the order found: those with a usable ANSI path
// (AnsiPath.h) and those whose name the ANSI code page cannot hold.
struct TFoundFiles {
    std::vector<std::string> Paths;
    std::vector<std::wstring> Unrepresentable;
    bool Empty() const { return Paths.empty() && Unrepresentable.empty(); }
    size_t Size() const { return Paths.size() + Unrepresentable.size(); }
};

// Receives the files found so far; answers false to end the walk.
using TFoundSink = std::function<bool(TFoundFiles&& found)>;

// Walks directory (ANSI, ending in '\'; the whole tree when subtree) depth
// first, pre-order, and reports every file whose creation or last-write time
// is at or after since and that passes filter. Reports go to sink in chunks
// of at most chunkSize files (and at least every 50 ms while some are
// waiting). Folder links are not entered. Answers how many entries were looked
// at; stops early when stop() answers true or the sink answers false.
uint64_t WalkRecentFiles(const std::string& directory, bool subtree, uint64_t since, TRescanFilter filter,
                         size_t chunkSize, const TFoundSink& sink, const std::function<bool()>& stop);

// One rescan on its own thread, reporting through sink; done runs on that
// thread when the walk has ended (also when it was stopped). Created
// suspended; Terminate() stops the walk at the next entry.
class TRescanThread : public TThread {
public:
    TRescanThread(std::string directory, bool subtree, uint64_t since, TRescanFilter filter, TFoundSink sink,
                  std::function<void()> done);
    ~TRescanThread() override;

protected:
    void Execute() override;

private:
    std::string FDirectory;
    bool FSubtree;
    uint64_t FSince;
    TRescanFilter FFilter;
    TFoundSink FSink;
    std::function<void()> FDone;
};

} // namespace tf
