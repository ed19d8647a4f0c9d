#include "FileExists.h"

#include <windows.h>

#include "PathUtils.h"
#include "Wow64.h"
#include "framework/threads/WinHandle.h"

namespace tf {

bool FileExistsAsFile(const std::string& path)
{
    if (path.empty() || HasWildcards(path)) return false;
    WIN32_FIND_DATAA data;
    TFindHandle search(FindFirstFileA(NativeFilePath(path).c_str(), &data));
    return search.Valid() && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace tf
