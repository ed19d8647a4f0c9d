// The skin file: a 4-byte decoded length followed by LZH bits that decode to
// a container of named entries (the skin's bitmaps and its definition text).
//
// Container (all integers signed 32-bit little-endian):
//   0  version (20000, 30000, 40000, 50000, 60000 or 70000)
//   4  L, the length of the name list
//   8  8 bytes not read
//  16  a version block of X bytes, skipped (see SkinVersionBlockSize)
//  16 + X       the name list: L bytes, one name per line
//  16 + X + L   one size per name
//  then         the entries' bytes, one after another in name order
#pragma once
#include <cstdint>
#include <string>

#include "framework/core/Streams.h"
#include "framework/core/Strings.h"

namespace tf {

constexpr int kMaxSkinEntries = 1001;

// X for a container version, or -1 for a version the reader does not know.
int SkinVersionBlockSize(int32_t version);

// Shows the reader's message to the user. The Windows default is a plain
// message box with one OK button; elsewhere the text goes to stderr. Tests and
// tools may point it elsewhere.
using TSkinMessageProc = void (*)(const std::string& text);
extern TSkinMessageProc ShowSkinMessage;

// "This is Older Skin File" CR "Please update to new version !"
extern const char* const SOlderSkinFile;

class TSkinReader {
public:
    TSkinReader() = default;
    TSkinReader(const TSkinReader&) = delete;
    TSkinReader& operator=(const TSkinReader&) = delete;

    // Unpacks a skin file read from its start. False, with the reader left as
    // it was, for an unknown version (after ShowSkinMessage) and for a damaged
    // file: shorter than its header, a negative or impossible decoded length,
    // a name list or size table running past the data, more than 1001 names,
    // a negative size, or sizes adding up to more than the entry data holds.
    // Decompression failures raise ElzhException.
    bool Load(TStream& file);

    // Clears out and copies the entry of that name (letter case ignored) into
    // it, position 0. A missing name leaves out empty.
    void GetEntry(const std::string& name, TMemoryStream& out) const;

    // Whether an entry that is not empty has a name containing text (given
    // in lower case).
    bool HasEntry(const std::string& text) const;
    // As GetEntry for the first entry whose lower-cased name contains text
    // (give text in lower case); sets name to that entry's name. Without a
    // match out is empty and name unchanged.
    void FindEntry(const std::string& text, TMemoryStream& out, std::string& name) const;

    const TStringList& Names() const { return FNames; }   // lower-cased, container order
    int32_t Count() const { return FCount; }
    int32_t Size(int index) const { return FSizes[index]; }
    const TMemoryStream& Data() const { return FData; }
    int32_t Version() const { return FVersion; }
    int32_t NameListLength() const { return FNameListLength; }
    // Offset of the entry data in the container of the last successful Load.
    int64_t DataOffset() const { return FDataOffset; }
    // Why the last Load returned false; empty after a successful one.
    const std::string& LoadError() const { return FLoadError; }
    // The last Load refused an unknown version; its message has been shown.
    bool VersionRefused() const { return FVersionRefused; }

private:
    void CopyEntry(int index, TMemoryStream& out) const;

    TStringList FNames;
    int32_t FCount = 0;
    int32_t FSizes[kMaxSkinEntries] = {};
    TMemoryStream FData;
    int32_t FVersion = 0;
    int32_t FNameListLength = 0;
    int64_t FDataOffset = 0;
    std::string FLoadError;
    bool FVersionRefused = false;
};

} // namespace tf
