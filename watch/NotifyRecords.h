// Decoding one batch of directory change records. Portable.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "WatchTypes.h"

namespace tf {

struct TFileChange {
    TFileOperation Operation = foAdded;
    std::string FileName1;
    std::string FileName2;
    bool operator==(const TFileChange&) const = default;
};

// Walks the change records in buffer[0, size) and returns the changes to
// report, in record order. A record (FILE_NOTIFY_INFORMATION, little-endian)
// is: offset to the next record (0 in the last), action code (1 added,
// 2 removed, 3 modified, 4 old name, 5 new name), name length in bytes, and
// the UTF-16 name relative to the watched directory.
//
// Each name is converted to the ANSI code page and trimmed of characters
// <= 32 at both ends; the path is directoryPath (ending in '\') followed by
// the name, or empty when the name is. Action 4 remembers the old path and
// reports nothing; action 5 reports (foRenamed, old, new) when the last
// operation of the batch was a rename, and is ignored otherwise, so a second
// new name after a pair reuses the old one. Other actions are ignored.
//
// Corrupt data stays harmless: nothing outside the buffer is read, a name is
// cut at the end of the buffer and at the start of the next record, and the
// walk ends at an offset that leaves no room for the next record's header.
std::vector<TFileChange> DecodeNotifyRecords(const void* buffer, size_t size, const std::string& directoryPath);

// The same walk, with the path of each name made by pathOf from the UTF-16
// name relative to the watched directory (trimmed of characters <= 32 at both
// ends, never empty); an empty name still gives an empty path.
using TNameToPath = std::function<std::string(const std::wstring& relativeName)>;
std::vector<TFileChange> DecodeNotifyRecords(const void* buffer, size_t size, const TNameToPath& pathOf);

} // namespace tf
