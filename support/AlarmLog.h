// The alarm log: "alarm.log" beside "file.dat", one line per event, appended.
// A line is
//   <local time, ISO 8601 with seconds> TAB <event> TAB <full path, UTF-8>
//   TAB <size in bytes, or "-"> TAB <SHA-256, or "-"> CR LF
// (a tab cannot occur in a file name). Each line goes to the file in one
// WriteFile on a handle opened for appending only, so a program ended
// mid-write loses at most that line. A line that would take the file past
// its bound (1 MiB) first turns it over: the file becomes "alarm.1.log",
// replacing an older one, and a new file starts. Not thread-safe: one
// writer, the user-interface thread. Windows only.
#pragma once
#include <cstdint>
#include <string>

#include "framework/threads/WinHandle.h"

namespace tf {

enum class TAlarmEvent {
    Flagged,               // "flagged": appended to the list
    Deleted,               // "deleted"
    DeleteRefused,         // "delete-refused": the system would not delete it
    DeleteAtRestart,       // "delete-at-restart": scheduled, as the user agreed
    DeleteAtRestartFailed, // "delete-at-restart-failed": the user agreed, the system would not schedule it
    LeftListed,            // "left-listed": the user answered No
};

const char* AlarmEventName(TAlarmEvent event);

extern const char* const AlarmLogFileName;      // "alarm.log"
extern const char* const AlarmLogOldFileName;   // "alarm.1.log"
constexpr uint64_t AlarmLogBound = 1 << 20;

// The UTF-8 form of an ANSI path, with its short (8.3) components replaced
// by their long names while the file exists, so that a name the code page
// cannot hold keeps its letters.
std::string Utf8PathOf(const std::string& ansiPath);

// "2026-12-11T09:30:05" for the local time now.
std::string LocalTimeStamp();

// One line, CR LF included (size < 0: "-"; empty hash: "-").
std::string AlarmLogLine(const std::string& time, TAlarmEvent event, const std::string& utf8Path, int64_t size,
                         const std::string& sha256);

// What a line says of the file: read while it is still there, since a
// deleted file has neither size nor long name any more.
struct TAlarmFile {
    std::string Utf8Path;
    int64_t Size = -1;   // -1: not there
};
TAlarmFile AlarmFileOf(const std::string& ansiPath);
// The same for a path the code page cannot hold.
TAlarmFile AlarmFileOfWide(const std::wstring& path);

class TAlarmLog {
public:
    // folder with a trailing backslash; bound in bytes (tests use small ones).
    explicit TAlarmLog(const std::string& folder, uint64_t bound = AlarmLogBound);

    // Writes the event's line for the file; sha256 is given when known.
    // False when the line could not be written; the next call tries again.
    bool Write(TAlarmEvent event, const TAlarmFile& file, const std::string& sha256 = {});
    // The same for the file at ansiPath as it is now.
    bool Write(TAlarmEvent event, const std::string& ansiPath, const std::string& sha256 = {})
    {
        return Write(event, AlarmFileOf(ansiPath), sha256);
    }
    // Appends one whole line (CR LF included), turning the file over first
    // when the line would take it past the bound.
    bool Append(const std::string& line);

    std::string FileName() const { return FFolder + AlarmLogFileName; }

private:
    bool Open();
    void TurnOver();

    std::string FFolder;
    uint64_t FBound;
    TKernelHandle FFile;   // open only while a line is written
};

} // namespace tf
