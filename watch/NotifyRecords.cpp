#include "NotifyRecords.h"

#include <algorithm>
#include <cstdint>

#include "framework/core/SysUtils.h"

namespace tf {

namespace {

constexpr size_t HeaderSize = 12;

uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// The UTF-16 name, trimmed of characters <= 32 at both ends (as the trim of
// its ANSI form would: no byte of a double-byte character is that small).
std::wstring NameOf(const uint8_t* name, size_t bytes)
{
    std::wstring wide;
    wide.reserve(bytes / 2);
    for (size_t i = 0; i + 1 < bytes; i += 2)
        wide.push_back(static_cast<wchar_t>(name[i] | name[i + 1] << 8));
    size_t first = 0, last = wide.size();
    while (first < last && wide[first] <= 32) ++first;
    while (last > first && wide[last - 1] <= 32) --last;
    return wide.substr(first, last - first);
}

} // namespace

std::vector<TFileChange> DecodeNotifyRecords(const void* buffer, size_t size, const std::string& directoryPath)
{
    return DecodeNotifyRecords(buffer, size, [&directoryPath](const std::wstring& name) {
        // The system's plain conversion, for callers without a rule of their
        // own for names the code page cannot hold.
        const std::string ansi = Trim(WideToAnsi(name));
        return ansi.empty() ? std::string() : directoryPath + ansi;
    });
}

std::vector<TFileChange> DecodeNotifyRecords(const void* buffer, size_t size, const TNameToPath& pathOf)
{
    std::vector<TFileChange> out;
    const auto* data = static_cast<const uint8_t*>(buffer);
    bool renamePending = false;   // the last operation of the batch was a rename
    std::string oldPath;
    size_t offset = 0;
    while (data && size >= HeaderSize && offset <= size - HeaderSize) {
        const uint8_t* rec = data + offset;
        const uint32_t next = ReadU32(rec);
        const uint32_t action = ReadU32(rec + 4);
        // An offset that leaves no room for a header, or points past the
        // buffer, makes this the last record.
        const bool last = next < HeaderSize || next > size - offset;
        // The name never reaches past the buffer nor into the next record.
        size_t nameBytes = std::min<size_t>(ReadU32(rec + 8), size - offset - HeaderSize);
        if (!last) nameBytes = std::min<size_t>(nameBytes, next - HeaderSize);

        const std::wstring name = NameOf(rec + HeaderSize, nameBytes);
        const std::string path = name.empty() ? std::string() : pathOf(name);
        switch (action) {
        case 1:
        case 2:
        case 3:
            renamePending = false;
            out.push_back({static_cast<TFileOperation>(action - 1), path, {}});
            break;
        case 4:
            renamePending = true;
            oldPath = path;
            break;
        case 5:
            if (renamePending) out.push_back({foRenamed, oldPath, path});
            break;
        default:
            break;
        }
        if (last) break;
        offset += next;
    }
    return out;
}

} // namespace tf
