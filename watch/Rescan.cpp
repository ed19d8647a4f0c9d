#include "Rescan.h"

#include <windows.h>

#include <algorithm>

#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/AnsiPath.h"
#include "support/Wow64.h"

namespace tf {

namespace {

uint64_t FileTimeValue(const FILETIME& t) { return static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

class TRecentWalk {
public:
    TRecentWalk(uint64_t since, TRescanFilter filter, size_t chunkSize, const TFoundSink& sink,
                const std::function<bool()>& stop)
        : FSince(since), FFilter(filter), FChunkSize(std::max<size_t>(chunkSize, 1)), FSink(sink), FStop(stop)
    {
    }

    // ansiDir is empty when the folder has no usable ANSI path: everything in
    // it is then reported by its UTF-16 path only.
    void Folder(const std::string& ansiDir, const std::wstring& wideDir, bool subtree)
    {
        // Listed where the system really keeps it (System32 under WOW64).
        WIN32_FIND_DATAW data;
        TFindHandle search(FindFirstFileW(NativeFilePathW(wideDir + L"*").c_str(), &data));
        if (!search.Valid()) return;
        do {
            if (FEnded || (FStop && FStop())) {
                FEnded = true;
                return;
            }
            ++FLooked;
            if (!FPending.Empty() && GetTickCount() - FLastFlush >= 50) Flush();
            if (IsDotEntry(data.cFileName)) continue;
            std::string name;
            const bool usable = !ansiDir.empty() && AnsiEntryName(data.cFileName, data.cAlternateFileName, name);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                // A folder link may lead back up the tree: never enter one.
                if (subtree && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    Folder(usable ? ansiDir + name + "\\" : std::string(), wideDir + data.cFileName + L"\\", true);
                continue;
            }
            const uint64_t written = std::max(FileTimeValue(data.ftCreationTime), FileTimeValue(data.ftLastWriteTime));
            if (written < FSince) continue;
            std::wstring wide = wideDir + data.cFileName;
            if (FFilter && !FFilter(wide)) continue;   // the filter maps the path itself
            if (usable)
                FPending.Paths.push_back(ansiDir + name);
            else
                FPending.Unrepresentable.push_back(std::move(wide));
            if (FPending.Size() >= FChunkSize) Flush();
        } while (!FEnded && FindNextFileW(search.Get(), &data));
    }

    void Flush()
    {
        FLastFlush = GetTickCount();
        if (FPending.Empty() || FEnded) return;
        TFoundFiles out = std::move(FPending);
        FPending = TFoundFiles();
        if (!FSink(std::move(out))) FEnded = true;
    }

    uint64_t Looked() const { return FLooked; }

private:
    const uint64_t FSince;
    const TRescanFilter FFilter;
    const size_t FChunkSize;
    const TFoundSink& FSink;
    const std::function<bool()>& FStop;
    TFoundFiles FPending;
    DWORD FLastFlush = GetTickCount();
    uint64_t FLooked = 0;
    bool FEnded = false;
};

} // namespace

uint64_t SystemTimeNow()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return FileTimeValue(now);
}

uint64_t WalkRecentFiles(const std::string& directory, bool subtree, uint64_t since, TRescanFilter filter,
                         size_t chunkSize, const TFoundSink& sink, const std::function<bool()>& stop)
{
    TRecentWalk walk(since, filter, chunkSize, sink, stop);
    walk.Folder(directory, AnsiToWide(directory), subtree);
    walk.Flush();
    return walk.Looked();
}

TRescanThread::TRescanThread(std::string directory, bool subtree, uint64_t since, TRescanFilter filter,
                             TFoundSink sink, std::function<void()> done)
    : FDirectory(std::move(directory)), FSubtree(subtree), FSince(since), FFilter(filter), FSink(std::move(sink)),
      FDone(std::move(done))
{
}

TRescanThread::~TRescanThread() { TerminateAndWait(); }

void TRescanThread::Execute()
{
    try {
        WalkRecentFiles(FDirectory, FSubtree, FSince, FFilter, 64, FSink, [this] { return Terminated(); });
    } catch (...) {
        // A failed delivery ends this rescan; the watcher goes on.
    }
    if (FDone) FDone();
}

} // namespace tf
