#include "AlarmLog.h"

#include <windows.h>

#include <cstdio>

#include "support/Wow64.h"

namespace tf {

const char* const AlarmLogFileName = "alarm.log";
const char* const AlarmLogOldFileName = "alarm.1.log";

const char* AlarmEventName(TAlarmEvent event)
{
    switch (event) {
    case TAlarmEvent::Flagged: return "flagged";
    case TAlarmEvent::Deleted: return "deleted";
    case TAlarmEvent::DeleteRefused: return "delete-refused";
    case TAlarmEvent::DeleteAtRestart: return "delete-at-restart";
    case TAlarmEvent::DeleteAtRestartFailed: return "delete-at-restart-failed";
    case TAlarmEvent::LeftListed: return "left-listed";
    }
    return "unknown";
}

namespace {

std::string Utf8Of(const std::wstring& wide)
{
    std::string utf8(wide.size() * 3 + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return utf8;
}

int64_t SizeOf(const WIN32_FILE_ATTRIBUTE_DATA& data)
{
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
    return static_cast<int64_t>(static_cast<uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow);
}

} // namespace

std::string Utf8PathOf(const std::string& ansiPath)
{
    std::wstring wide(ansiPath.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, ansiPath.c_str(), static_cast<int>(ansiPath.size()), wide.data(),
                                static_cast<int>(wide.size()));
    wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
    // Short components, where the code page could not hold the long name.
    // Every short name the system makes holds a '~'; without one the lookup
    // (a search per component) is spared, which counts in a burst.
    if (ansiPath.find('~') != std::string::npos) {
        std::wstring longPath(32768, L'\0');
        const DWORD length = GetLongPathNameW(wide.c_str(), longPath.data(), static_cast<DWORD>(longPath.size()));
        if (length > 0 && length < longPath.size()) {
            longPath.resize(length);
            wide = longPath;
        }
    }
    return Utf8Of(wide);
}

std::string LocalTimeStamp()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return text;
}

std::string AlarmLogLine(const std::string& time, TAlarmEvent event, const std::string& utf8Path, int64_t size,
                         const std::string& sha256)
{
    return time + "\t" + AlarmEventName(event) + "\t" + utf8Path + "\t" +
           (size < 0 ? std::string("-") : std::to_string(size)) + "\t" + (sha256.empty() ? "-" : sha256) + "\r\n";
}

TAlarmLog::TAlarmLog(const std::string& folder, uint64_t bound) : FFolder(folder), FBound(bound) {}

TAlarmFile AlarmFileOf(const std::string& ansiPath)
{
    TAlarmFile file;
    file.Utf8Path = Utf8PathOf(ansiPath);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(NativeFilePath(ansiPath).c_str(), GetFileExInfoStandard, &data)) file.Size = SizeOf(data);
    return file;
}

TAlarmFile AlarmFileOfWide(const std::wstring& path)
{
    TAlarmFile file;
    file.Utf8Path = Utf8Of(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(NativeFilePathW(path).c_str(), GetFileExInfoStandard, &data)) file.Size = SizeOf(data);
    return file;
}

bool TAlarmLog::Write(TAlarmEvent event, const TAlarmFile& file, const std::string& sha256)
{
    return Append(AlarmLogLine(LocalTimeStamp(), event, file.Utf8Path, file.Size, sha256));
}

bool TAlarmLog::Open()
{
    // Appending only: every write lands at the end, whoever else appends.
    FFile.Reset(CreateFileA(FileName().c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!FFile) return false;
    // A writer ended mid-line left a piece: it is ended here, so that the
    // next line starts whole on a line of its own.
    TKernelHandle reader(CreateFileA(FileName().c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (reader && GetFileSizeEx(reader.Get(), &size) && size.QuadPart > 0) {
        LARGE_INTEGER at;
        at.QuadPart = size.QuadPart - 1;
        char last = 0;
        DWORD read = 0;
        if (SetFilePointerEx(reader.Get(), at, nullptr, FILE_BEGIN) && ReadFile(reader.Get(), &last, 1, &read, nullptr) &&
            read == 1 && last != '\n') {
            DWORD written = 0;
            WriteFile(FFile.Get(), "\r\n", 2, &written, nullptr);
        }
    }
    return true;
}

void TAlarmLog::TurnOver()
{
    FFile.Reset();
    // When the old file cannot be replaced, the log grows on instead of
    // losing lines.
    MoveFileExA(FileName().c_str(), (FFolder + AlarmLogOldFileName).c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool TAlarmLog::Append(const std::string& line)
{
    // Opened for each line: a handle kept open would follow the file when
    // someone deletes or renames it, and lines would go where no one looks.
    if (!Open()) return false;
    LARGE_INTEGER size{};
    // Another writer may have appended or turned it over.
    if (GetFileSizeEx(FFile.Get(), &size) && size.QuadPart > 0 &&
        static_cast<uint64_t>(size.QuadPart) + line.size() > FBound) {
        TurnOver();
        if (!Open()) return false;
    }
    DWORD written = 0;
    const bool whole = WriteFile(FFile.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                       written == line.size();
    FFile.Reset();
    return whole;
}

} // namespace tf
