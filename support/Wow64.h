// The guard is a 32-bit program. On 64-bit Windows the system silently sends
// its file calls under "<windows>\System32" to "SysWOW64", so a change reported
// in System32 would be tested, read or deleted on the wrong file. Every file
// operation therefore goes through NativeFilePath(), which maps such paths to
// "<windows>\Sysnative", the system's alias for the real folder. The path shown
// to the user and stored stays the one the system reported.
//
// FileExistsAsFile() and IsExecutableFile() map their argument themselves;
// other file operations call NativeFilePath() just before the system call.
// Windows only.
#pragma once
#include <string>

namespace tf {

// "<windowsDir>\System32" and everything below it become
// "<windowsDir>\Sysnative..."; letter case of the prefix is ignored (ASCII
// only). Any other path is returned unchanged.
std::string MapSystem32ToSysnative(const std::string& path, const std::string& windowsDir);

// Whether this 32-bit process runs under WOW64 (IsWow64Process, looked up at
// run time so the program still starts where it does not exist).
bool IsWow64();

// The Windows directory ("C:\Windows"), without a trailing backslash.
std::string SystemWindowsDirectory();

// The path to hand to the system for a file operation on path: mapped under
// WOW64 when the Sysnative alias is available, otherwise path itself.
std::string NativeFilePath(const std::string& path);
// The same for a UTF-16 path (one the ANSI code page cannot hold is returned
// unchanged).
std::wstring NativeFilePathW(const std::wstring& path);

} // namespace tf
