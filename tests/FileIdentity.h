// Which file a path opens (volume and file index), to tell that an ANSI path
// and a UTF-16 one name the very same file. Windows only.
#pragma once
#include <windows.h>

#include <string>

namespace tftest {

// Takes the handle; "none" when it is not valid.
inline std::string FileIdentity(HANDLE h)
{
    if (h == INVALID_HANDLE_VALUE) return "none";
    BY_HANDLE_FILE_INFORMATION i{};
    GetFileInformationByHandle(h, &i);
    CloseHandle(h);
    return std::to_string(i.dwVolumeSerialNumber) + ":" + std::to_string(i.nFileIndexHigh) + ":" +
           std::to_string(i.nFileIndexLow);
}

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

inline std::string FileIdentityA(const std::string& path)
{
    return FileIdentity(CreateFileA(path.c_str(), 0, ShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

inline std::string FileIdentityW(const std::wstring& path)
{
    return FileIdentity(CreateFileW(path.c_str(), 0, ShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

} // namespace tftest
