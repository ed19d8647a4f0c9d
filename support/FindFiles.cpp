#include "FindFiles.h"

#include <windows.h>

#include "framework/core/SysUtils.h"
#include "support/AnsiPath.h"
#include "support/PathUtils.h"
#include "support/Wow64.h"

namespace tf {

namespace {

// The one search handle of a directory level. The search itself is made in
// UTF-16 so that a name the ANSI code page cannot hold is never seen through a
// look-alike (AnsiPath.h).
class TFindHandle {
public:
    TFindHandle(const std::string& pattern, WIN32_FIND_DATAW& data)
        : FHandle(FindFirstFileW(AnsiToWide(pattern).c_str(), &data)) {}
    ~TFindHandle()
    {
        if (FHandle != INVALID_HANDLE_VALUE) FindClose(FHandle);
    }
    TFindHandle(const TFindHandle&) = delete;
    TFindHandle& operator=(const TFindHandle&) = delete;

    bool Found() const { return FHandle != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(FHandle, &data) != 0; }

private:
    HANDLE FHandle;
};

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

int32_t Walk(const std::string& directory, const std::string& lowerMasks, const TFindCallback& callback)
{
    int32_t count = 0;
    try {
        bool stop = false;
        if (callback) callback(directory, fkDirectory, stop);

        WIN32_FIND_DATAW data;
        TFindHandle search(NativeFilePath(directory + "\\*.*"), data);
        bool found = search.Found();
        while (found && !stop) {
            try {
                // A name that is neither exact in ANSI nor has a short form
                // cannot be acted on: it is passed over.
                std::string name;
                const bool usable =
                    !IsDotEntry(data.cFileName) && AnsiEntryName(data.cFileName, data.cAlternateFileName, name);
                const bool directoryEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
                if (usable && directoryEntry) {
                    // A junction or link may lead back up the tree: never enter one.
                    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                        const int32_t sub = Walk(directory + "\\" + name, lowerMasks, callback);
                        if (callback) callback(directory, fkDirectory, stop);
                        count += sub;
                    }
                } else if (usable) {
                    const std::string path = directory + "\\" + name;
                    if (callback) callback(path, fkFile, stop);
                    if (MatchesMasks(name, lowerMasks)) {
                        if (callback) callback(path, fkMatch, stop);
                        ++count;
                    }
                }
            } catch (...) {
                // This entry is skipped; the search goes on with the next one.
            }
            found = search.Next(data);
        }
    } catch (...) {
        // The count reached so far stands.
    }
    return count;
}

} // namespace

bool MatchesMasks(const std::string& fileName, const std::string& lowerMasks)
{
    if (lowerMasks.find("*.*") != std::string::npos) return true;
    // '.' never occurs as the trail byte of a double-byte character.
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos) return false;
    return lowerMasks.find(LowerCaseAscii(fileName.substr(dot))) != std::string::npos;
}

int32_t FindFiles(const std::string& directory, const std::string& masks, const TFindCallback& callback)
{
    try {
        std::string start = directory;
        if (HasTrailingBackslash(start)) start.pop_back();   // one only
        return Walk(start, LowerCaseAscii(masks), callback);
    } catch (...) {
        return 0;
    }
}

} // namespace tf
