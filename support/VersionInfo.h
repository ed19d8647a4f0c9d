// Reads ten standard text entries of a file's version resource, in the
// file's first listed translation.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tf {

constexpr int VersionInfoCount = 10;
using TVersionValues = std::array<std::string, VersionInfoCount>;

// Entry keys ("\CompanyName", ...) and their captions ("公司名称", ...), index for index.
extern const char* const VersionInfoKeys[VersionInfoCount];
extern const char* const VersionInfoCaptions[VersionInfoCount];

// A translation entry (language in the low 16 bits, code page in the high 16
// bits) as the string-table key: language then code page, eight upper-case
// hex digits ("080403A8").
std::string VersionLanguageKey(uint32_t translation);

// False when the file has no version information (values untouched). Otherwise
// true; every entry the first translation's string table holds is set, the
// others are made empty. Without a translation table the values stay as they
// were. Failures while reading are caught: true with what was read so far.
bool ReadVersionInfo(const std::string& path, TVersionValues& values);

} // namespace tf
