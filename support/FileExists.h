// Whether a path names an existing file. Windows only.
#pragma once
#include <string>

namespace tf {

// True when a directory search for exactly this path finds an entry that is
// not a directory. A text holding '*' or '?' is a pattern, not one file, and
// is refused. The path goes through NativeFilePath() (Wow64.h).
bool FileExistsAsFile(const std::string& path);

} // namespace tf
