#include "ProcessList.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <type_traits>
#include <vector>

#include "framework/core/SysUtils.h"
#include "framework/threads/WinHandle.h"
#include "support/PathUtils.h"
#include "support/PerfData.h"
#include "support/Wow64.h"

namespace tf {

namespace {

using TSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using TProcessWalkFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
using TThreadWalkFn = BOOL(WINAPI*)(HANDLE, THREADENTRY32*);
using TModuleWalkFn = BOOL(WINAPI*)(HANDLE, MODULEENTRY32*);

// Found at run time: the 95 family and NT 5 onward have them, NT 4 has not.
struct TToolhelp {
    TSnapshotFn CreateSnapshot = nullptr;
    TProcessWalkFn ProcessFirst = nullptr;
    TProcessWalkFn ProcessNext = nullptr;
    TThreadWalkFn ThreadFirst = nullptr;
    TThreadWalkFn ThreadNext = nullptr;
    TModuleWalkFn ModuleFirst = nullptr;
    TModuleWalkFn ModuleNext = nullptr;
} gToolhelp;

class TSnapshot {
public:
    explicit TSnapshot(DWORD what) : FHandle(gToolhelp.CreateSnapshot(what, 0)) {}
    ~TSnapshot()
    {
        if (Valid()) CloseHandle(FHandle);
    }
    TSnapshot(const TSnapshot&) = delete;
    TSnapshot& operator=(const TSnapshot&) = delete;
    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE && FHandle != nullptr; }
    HANDLE Handle() const { return FHandle; }

private:
    HANDLE FHandle;
};

class TProcessHandle {
public:
    explicit TProcessHandle(DWORD id) : FHandle(OpenProcess(PROCESS_TERMINATE, FALSE, id)) {}
    ~TProcessHandle()
    {
        if (FHandle) CloseHandle(FHandle);
    }
    TProcessHandle(const TProcessHandle&) = delete;
    TProcessHandle& operator=(const TProcessHandle&) = delete;
    HANDLE Handle() const { return FHandle; }

private:
    HANDLE FHandle;
};

// The system's image path of a process: NT 6 onward, with the limited query
// right that even protected processes grant.
bool SystemImagePath(uint32_t processID, std::wstring& path)
{
    using TQuery = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
    static const TQuery query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "QueryFullProcessImageNameW")));
    if (!query) return false;
    TKernelHandle process(OpenProcess(0x1000 /* PROCESS_QUERY_LIMITED_INFORMATION */, FALSE, processID));
    if (!process) return false;
    std::vector<wchar_t> buffer(32768);
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!query(process.Get(), 0, buffer.data(), &size)) return false;
    path.assign(buffer.data(), size);
    return !path.empty();
}

TImagePathQuery gImagePath = &SystemImagePath;

// The volume and index of a file, when it can be opened at all.
bool FileIdentity(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info)
{
    TKernelHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &info);
}

std::wstring LongPath(const std::wstring& path)
{
    std::vector<wchar_t> buffer(32768);
    const DWORD n = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    return n > 0 && n < buffer.size() ? std::wstring(buffer.data(), n) : path;
}

std::wstring WideFileName(const std::wstring& path)
{
    const size_t i = path.find_last_of(L"\\:");
    return i == std::wstring::npos ? path : path.substr(i + 1);
}

bool SameWideName(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && !b.empty() && lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

bool UsesToolhelp(uint8_t osClass) { return osClass == 2 || osClass == 3 || osClass == 4 || osClass == 8; }
bool UsesPerfData(uint8_t osClass) { return osClass == 5 || osClass == 6 || osClass == 7; }

std::string FixedText(const char* text, size_t capacity) { return std::string(text, strnlen(text, capacity)); }

void AttachThreads(TProcessList& list, TThreadList& threads)
{
    for (TThreadEntry& t : threads)
        for (TProcessEntry& p : list)
            if (p.ProcessID == t.OwnerProcessID) {
                p.Threads.push_back(std::move(t));
                break;
            }
    threads.clear();
}

struct TWindowFilter {
    DWORD ProcessID;
    DWORD ThreadID;
    bool ApplicationOnly;
    TWindowList* List;
};

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM param)
{
    TWindowFilter& f = *reinterpret_cast<TWindowFilter*>(param);
    DWORD processID = 0;
    const DWORD threadID = GetWindowThreadProcessId(wnd, &processID);
    if ((f.ProcessID && processID != f.ProcessID) || (f.ThreadID && threadID != f.ThreadID)) return TRUE;

    TWindowEntry e;
    e.ProcessID = processID;
    e.ThreadID = threadID;
    e.Handle = wnd;
    e.Parent = GetParent(wnd);
    e.Owner = GetWindow(wnd, GW_OWNER);
    e.Visible = IsWindowVisible(wnd) != 0;
    e.Enabled = IsWindowEnabled(wnd) != 0;
    e.AppWindow = !e.Owner && !e.Parent && e.Visible && !(GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    if (f.ApplicationOnly && !e.AppWindow) return TRUE;
    RECT r{};
    GetWindowRect(wnd, &r);
    e.Left = r.left;
    e.Top = r.top;
    e.Right = r.right;
    e.Bottom = r.bottom;
    char text[260];
    text[0] = '\0';
    GetWindowTextA(wnd, text, sizeof text);
    e.Caption = text;
    text[0] = '\0';
    GetClassNameA(wnd, text, sizeof text);
    e.ClassName = text;
    f.List->push_back(std::move(e));
    return TRUE;
}

} // namespace

TImagePathQuery SetImagePathQuery(TImagePathQuery query)
{
    const TImagePathQuery previous = gImagePath;
    gImagePath = query ? query : &SystemImagePath;
    return previous;
}

bool SameExeName(const std::string& exeFile, const std::string& longName, const std::string& shortName)
{
    const std::string name = FoldPathCase(ExtractFileName(exeFile));
    // An empty name would match a process whose name could not be read.
    return !name.empty() && (name == FoldPathCase(longName) || name == FoldPathCase(shortName));
}

bool SameFile(const std::wstring& a, const std::wstring& b)
{
    BY_HANDLE_FILE_INFORMATION x, y;
    if (FileIdentity(NativeFilePathW(a), x) && FileIdentity(NativeFilePathW(b), y))
        return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
               x.nFileIndexLow == y.nFileIndexLow;
    return lstrcmpiW(LongPath(a).c_str(), LongPath(b).c_str()) == 0;
}

uint8_t OsClassOf(uint32_t platform, uint32_t major, uint32_t minor, uint32_t build, const std::string& servicePack)
{
    if (platform == VER_PLATFORM_WIN32s) return 1;
    if (platform == VER_PLATFORM_WIN32_WINDOWS) {
        if (major == 4 && minor == 0) return build <= 1000 ? 2 : 3;
        if (major == 4 && minor == 10) return 4;
        return 0;
    }
    if (platform == VER_PLATFORM_WIN32_NT) {
        if (major < 4) return 5;
        if (major == 4) return servicePack == "Service Pack 4" ? 7 : 6;
        // NT 5.x, and every NT since (Vista onward) has Toolhelp too.
        return 8;
    }
    return 0;
}

uint8_t GetOsClass()
{
    static const uint8_t osClass = [] {
        OSVERSIONINFOA v{};
        v.dwOSVersionInfoSize = sizeof v;   // the 148-byte record
        if (!GetVersionExA(&v)) return uint8_t{0};
        return OsClassOf(v.dwPlatformId, v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber,
                         FixedText(v.szCSDVersion, sizeof v.szCSDVersion));
    }();
    return osClass;
}

bool LoadToolhelp()
{
    const HMODULE kernel = GetModuleHandleA("kernel32");
    if (!kernel) return false;
    auto find = [kernel](auto& fn, const char* name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(reinterpret_cast<void*>(GetProcAddress(kernel, name)));
        return fn != nullptr;
    };
    TToolhelp t;
    const bool all = find(t.CreateSnapshot, "CreateToolhelp32Snapshot") & find(t.ProcessFirst, "Process32First") &
                     find(t.ProcessNext, "Process32Next") & find(t.ThreadFirst, "Thread32First") &
                     find(t.ThreadNext, "Thread32Next") & find(t.ModuleFirst, "Module32First") &
                     find(t.ModuleNext, "Module32Next");
    gToolhelp = all ? t : TToolhelp{};
    return all;
}

uint8_t ExeKind(const std::string& path)
{
    SHFILEINFOA info;
    const DWORD_PTR r = SHGetFileInfoA(NativeFilePath(path).c_str(), 0, &info, sizeof info, SHGFI_EXETYPE);
    return ExeKindOf(static_cast<uint32_t>(r), path);
}

uint8_t ExeKindOf(uint32_t exeType, const std::string& path)
{
    const char a = static_cast<char>(exeType & 0xFF), b = static_cast<char>(exeType >> 8 & 0xFF);
    const uint32_t high = exeType >> 16;
    if (a == 'M' && b == 'Z') return ekDos;
    if (a == 'N' && b == 'E') return ekWin16;
    if (a == 'P' && b == 'E') return high == 0 ? ekConsole32 : ekWindows32;
    return SameTextAscii(ExtractFileName(path), "winoa386.mod") ? ekDos : ekUnknown;
}

void GetWindowList(uint32_t processID, uint32_t threadID, bool applicationOnly, TWindowList& list)
{
    list.clear();
    TWindowFilter filter{processID, threadID, applicationOnly, &list};
    if (threadID)
        EnumThreadWindows(threadID, &CollectWindow, reinterpret_cast<LPARAM>(&filter));
    else
        EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&filter));
}

void GetThreadList(uint32_t ownerProcessID, bool withWindows, TThreadList& list)
{
    list.clear();
    const uint8_t osClass = GetOsClass();
    if (UsesToolhelp(osClass)) {
        if (!LoadToolhelp()) {
            MessageBoxA(nullptr, "Toolhelp functions not available.", "Error...", MB_OK);
            return;
        }
        TSnapshot snapshot(TH32CS_SNAPTHREAD);
        if (!snapshot.Valid()) return;
        THREADENTRY32 record;
        std::memset(&record, 0, sizeof record);
        record.dwSize = sizeof record;   // 28
        for (BOOL ok = gToolhelp.ThreadFirst(snapshot.Handle(), &record); ok;
             ok = gToolhelp.ThreadNext(snapshot.Handle(), &record)) {
            if (ownerProcessID && record.th32OwnerProcessID != ownerProcessID) continue;
            TThreadEntry e;
            e.OwnerProcessID = record.th32OwnerProcessID;
            e.ThreadID = record.th32ThreadID;
            if (withWindows) GetWindowList(e.OwnerProcessID, e.ThreadID, false, e.Windows);
            list.push_back(std::move(e));
        }
    } else if (UsesPerfData(osClass)) {
        if (!ReadPerfData(nullptr, &list, withWindows)) {
            MessageBoxA(nullptr, "Error reading Performace Data.", "Error...", MB_OK);
            return;
        }
        if (ownerProcessID)
            std::erase_if(list, [ownerProcessID](const TThreadEntry& t) { return t.OwnerProcessID != ownerProcessID; });
    }
}

void GetProcessList(bool withThreads, bool withWindows, TProcessList& list)
{
    list.clear();
    TThreadList threads;
    const uint8_t osClass = GetOsClass();
    if (UsesToolhelp(osClass)) {
        if (!LoadToolhelp()) {
            MessageBoxA(nullptr, "Toolhelp命令无效", "错误", MB_OK);
            return;
        }
        {
            TSnapshot snapshot(TH32CS_SNAPPROCESS);
            if (snapshot.Valid()) {
                PROCESSENTRY32 record;
                std::memset(&record, 0, sizeof record);
                record.dwSize = sizeof record;   // 296
                for (BOOL ok = gToolhelp.ProcessFirst(snapshot.Handle(), &record); ok;
                     ok = gToolhelp.ProcessNext(snapshot.Handle(), &record)) {
                    TProcessEntry e;
                    e.ProcessID = record.th32ProcessID;
                    e.ExeFile = FixedText(record.szExeFile, sizeof record.szExeFile);
                    e.Kind = ExeKind(e.ExeFile);
                    list.push_back(std::move(e));
                }
            }
        }
        if (withThreads) GetThreadList(0, withWindows, threads);
    } else if (UsesPerfData(osClass)) {
        if (!ReadPerfData(&list, withThreads ? &threads : nullptr, withWindows))
            MessageBoxA(nullptr, "读取数据出错", "错误", MB_OK);
    }
    if (withThreads) AttachThreads(list, threads);
}

bool KillProcessesOfFile(const std::string& path)
{
    bool result = false;
    try {
        const std::string longName = ExtractFileName(path);
        std::string shortName;
        char buffer[256];
        const DWORD n = GetShortPathNameA(NativeFilePath(path).c_str(), buffer, 255);
        if (n > 0 && n < 255) shortName = ExtractFileName(std::string(buffer, n));
        const std::wstring file = AnsiToWide(path);
        // The file's names as the system's image paths give them: its long
        // name may be one the code page cannot hold (the guard then knows the
        // file by its short path, and the process list only by a look-alike).
        const std::wstring wideLong = WideFileName(LongPath(NativeFilePathW(file)));
        const std::wstring wideShort = AnsiToWide(shortName);

        TProcessList list;
        GetProcessList(false, false, list);
        const DWORD self = GetCurrentProcessId();
        for (const TProcessEntry& e : list) {
            // Ending the guard itself would drop its list and every lock.
            if (e.ProcessID == self) continue;
            // A path, where one can be had, decides: a flagged C:\temp\explorer.exe
            // must not end the real one. The 95 family lists paths itself.
            std::wstring image;
            if (gImagePath(e.ProcessID, image)) {
                const std::wstring name = WideFileName(image);
                const bool named = SameWideName(name, wideLong) || SameWideName(name, wideShort);
                if (!named || !SameFile(image, file)) continue;
            } else {
                if (!SameExeName(e.ExeFile, longName, shortName)) continue;
                if (LastDelimiter("\\", e.ExeFile) != std::string::npos && !SameFile(AnsiToWide(e.ExeFile), file))
                    continue;
            }
            TProcessHandle process(e.ProcessID);
            result = process.Handle() && TerminateProcess(process.Handle(), 0xFFFFFFFF);
        }
    } catch (...) {
        // The result reached so far stands.
    }
    return result;
}

} // namespace tf
