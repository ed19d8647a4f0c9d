#include "Baseline.h"

#include <windows.h>

#include "framework/core/Streams.h"
#include "framework/core/Strings.h"
#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/FileExists.h"
#include "support/FindFiles.h"
#include "support/PathUtils.h"
#include "support/Wow64.h"

namespace tf {

const char* const BaselineFileName = "file.dat";

TFileLocks::~TFileLocks() { Clear(); }

TFileLocks::TFileLocks(TFileLocks&& other) noexcept : FHandles(std::move(other.FHandles)) { other.FHandles.clear(); }

TFileLocks& TFileLocks::operator=(TFileLocks&& other) noexcept
{
    if (this != &other) {
        Clear();
        FHandles = std::move(other.FHandles);
        other.FHandles.clear();
    }
    return *this;
}

bool TFileLocks::Lock(const std::string& path)
{
    if (path.empty()) return false;
    const HANDLE h = CreateFileA(NativeFilePath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    try {
        FHandles.push_back(h);
    } catch (...) {
        CloseHandle(h);
        throw;
    }
    return true;
}

void TFileLocks::Clear()
{
    for (void* h : FHandles) CloseHandle(h);
    FHandles.clear();
}

std::vector<std::string> ReadBaseline(const std::string& fileName)
{
    std::string text;
    try {
        TFileStream file(NativeFilePath(fileName), fmOpenRead);
        text.resize(static_cast<size_t>(file.Size()));
        if (!text.empty()) file.ReadBuffer(text.data(), static_cast<int32_t>(text.size()));
    } catch (const EFOpenError&) {
        // Name the file as the caller knows it.
        throw EFOpenError(Format(SFOpenError, fileName.c_str()));
    }
    return SplitLines(text);
}

void WriteBaseline(const std::string& fileName, const std::vector<std::string>& entries)
{
    std::string text;
    for (const std::string& e : entries) {
        text += e;
        text += "\r\n";
    }
    // Written whole beside the old file, then put in its place in one step:
    // a write cut short (a full disk, the process ended) leaves the previous
    // baseline as it was, never a truncated one that later starts trust.
    const std::string target = NativeFilePath(fileName);
    const std::string temporary = target + ".tmp";
    bool written = false;
    {
        TKernelHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            DWORD done = 0;
            written = (text.empty() || WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &done,
                                                 nullptr)) &&
                      done == text.size() && FlushFileBuffers(file.Get());
        }
    }
    if (written &&
        MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return;
    DeleteFileA(temporary.c_str());
    throw EFCreateError(Format(SFCreateError, fileName.c_str()));
}

TFileLocks LoadBaselineAndLock(const std::string& programDir, const std::string& drive)
{
    const std::string path = IncludeTrailingBackslash(programDir) + BaselineFileName;
    std::vector<std::string> entries;
    if (FileExistsAsFile(path)) {
        entries = ReadBaseline(path);
    } else {
        FindFiles(drive, "*.exe;*.dll", [&entries](const std::string& found, int32_t kind, bool&) {
            if (kind == fkMatch) entries.push_back(found);
        });
        WriteBaseline(path, entries);
    }
    TFileLocks locks;
    for (const std::string& e : entries) {
        try {
            locks.Lock(e);
        } catch (...) {
            // Skipped silently, like an entry that cannot be opened.
        }
    }
    return locks;
}

} // namespace tf
