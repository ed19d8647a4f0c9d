#include "ExeTest.h"

#include <windows.h>

#include "FileExists.h"
#include "PathUtils.h"
#include "Wow64.h"
#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"

namespace tf {

namespace {

bool StartsWithMZ(const std::string& path)
{
    TKernelHandle file(CreateFileA(NativeFilePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    char head[2] = {0, 0};
    DWORD got = 0;
    if (!ReadFile(file.Get(), head, sizeof head, &got, nullptr)) return false;
    return head[0] == 'M' && head[1] == 'Z';
}

} // namespace

bool IsExecutableFile(const std::string& path)
{
    const std::string ext = ExtractFileExt(path);
    if (SameTextAscii(ext, ".fon")) return false;
    if (!FileExistsAsFile(path)) return false;
    static const std::string executableExtensions = ".exe.dll.ocx";
    if (!ext.empty() && executableExtensions.find(LowerCaseAscii(ext)) != std::string::npos) return true;
    return StartsWithMZ(path);
}

} // namespace tf
