#include "ExeTest.h"

#include <windows.h>

#include "FileExists.h"
#include "PathUtils.h"
#include "Wow64.h"
#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"

namespace tf {

namespace {

// Opened for reading with no sharing; true when the first two bytes are "MZ".
bool StartsWithMZ(HANDLE opened)
{
    TKernelHandle file(opened);
    if (!file) return false;
    char head[2] = {0, 0};
    DWORD got = 0;
    if (!ReadFile(file.Get(), head, sizeof head, &got, nullptr)) return false;
    return head[0] == 'M' && head[1] == 'Z';
}

// The listed extensions decide without opening the file; lowerExt is ASCII.
bool ListedExtension(const std::string& lowerExt)
{
    static const std::string executableExtensions = ".exe.dll.ocx";
    return !lowerExt.empty() && executableExtensions.find(lowerExt) != std::string::npos;
}

} // namespace

bool IsExecutableFile(const std::string& path)
{
    const std::string ext = ExtractFileExt(path);
    if (SameTextAscii(ext, ".fon")) return false;
    if (!FileExistsAsFile(path)) return false;
    if (ListedExtension(LowerCaseAscii(ext))) return true;
    return StartsWithMZ(CreateFileA(NativeFilePath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

namespace {

// The UTF-16 test's steps after the existence search.
bool FoundFileIsExecutable(const std::wstring& native, const std::string& ext)
{
    if (ListedExtension(LowerCaseAscii(ext))) return true;
    return StartsWithMZ(
        CreateFileW(native.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The extension of a UTF-16 path as the ANSI test takes it; only an ASCII
// extension can be one of the listed ones.
std::string ExtensionOf(const std::wstring& path)
{
    const size_t last = path.find_last_of(L".\\:");
    std::string ext;
    if (last != std::wstring::npos && path[last] == L'.')
        for (size_t i = last; i < path.size(); ++i) ext += path[i] < 0x80 ? static_cast<char>(path[i]) : '\x80';
    return ext;
}

} // namespace

bool IsExecutableFileW(const std::wstring& path)
{
    const std::string ext = ExtensionOf(path);
    if (SameTextAscii(ext, ".fon")) return false;
    if (path.empty() || path.find_first_of(L"*?") != std::wstring::npos) return false;
    const std::wstring native = NativeFilePathW(path);
    WIN32_FIND_DATAW data;
    {
        TFindHandle search(FindFirstFileW(native.c_str(), &data));
        if (!search.Valid() || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    }
    return FoundFileIsExecutable(native, ext);
}

bool IsFoundFileExecutable(const std::wstring& path)
{
    const std::string ext = ExtensionOf(path);
    return !SameTextAscii(ext, ".fon") && FoundFileIsExecutable(NativeFilePathW(path), ext);
}

} // namespace tf
