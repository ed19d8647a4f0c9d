// Depth-first search of a directory tree: reports every directory searched,
// every file met and every file whose extension occurs in a mask text, and
// counts the matching files.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tf {

// Kinds of callback call.
enum TFindKind : int32_t {
    fkMatch = 0,       // a file whose extension matches the masks (full path)
    fkDirectory = 1,   // a directory being searched (no trailing backslash)
    fkFile = 2,        // any file met, before the mask test (full path)
};

// Setting stop ends the loop of the directory whose call made the callback;
// each directory level has its own flag.
using TFindCallback = std::function<void(const std::string& path, int32_t kind, bool& stop)>;

// Walks directory pre-order (a subdirectory is searched completely when it is
// met) and returns how many files matched. One trailing backslash of directory
// is dropped; paths are directory + "\" + name as the file system returns the
// name. Hidden and system entries are included. A file matches when its
// extension (from its last '.', lower-cased) occurs anywhere in the lower-cased
// masks, or when the masks contain "*.*". A failure while handling one entry
// skips that entry; a directory that cannot be listed gives no entries.
// Directory reparse points (junctions, links) are not entered. Entries are
// listed in UTF-16 and named as AnsiEntryName() gives them (a name the ANSI
// code page cannot hold by its short form); an entry with no usable name is
// passed over.
int32_t FindFiles(const std::string& directory, const std::string& masks, const TFindCallback& callback = {});

// The mask rule alone: lowerMasks must already be lower-cased.
bool MatchesMasks(const std::string& fileName, const std::string& lowerMasks);

} // namespace tf
