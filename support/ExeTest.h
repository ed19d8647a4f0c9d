// The executable file test of the change alarm. Windows only.
#pragma once
#include <string>

namespace tf {

// Whether path (a full ANSI path) names an existing executable file:
//  - extension ".fon" (any letter case): never, although fonts start with "MZ";
//  - not an existing file (FileExistsAsFile): no;
//  - extension, lower-cased, a substring of ".exe.dll.ocx" (so ".", ".e",
//    ".ex", ".exe", ".d", ".dl", ".dll", ".o", ".oc", ".ocx"): yes, without
//    opening the file;
//  - otherwise the file is opened for reading with no sharing and is
//    executable when its first two bytes are "MZ"; a file that cannot be
//    opened or read (held open by another program) is not.
// The extension is taken at single-byte positions only (PathUtils.h). File
// access goes through NativeFilePath() (Wow64.h). Holds no state.
bool IsExecutableFile(const std::string& path);

// The same test on a UTF-16 path, for a name the ANSI code page cannot hold
// (AnsiPath.h): only told to the user, never acted on.
bool IsExecutableFileW(const std::wstring& path);
// The same for a file a directory search has just found: the search for it
// is not made again.
bool IsFoundFileExecutable(const std::wstring& path);

} // namespace tf
