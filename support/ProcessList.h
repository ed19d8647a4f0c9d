// Running processes (through Toolhelp or the performance data, chosen by the
// system's version) and the termination of every process that runs a program
// of a given file name.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tf {

struct TWindowEntry {
    uint32_t ProcessID = 0;
    uint32_t ThreadID = 0;
    void* Handle = nullptr;
    void* Parent = nullptr;
    void* Owner = nullptr;
    bool Visible = false;
    bool Enabled = false;
    bool AppWindow = false;   // no owner, no parent, visible, not a tool window
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::string Caption;
    std::string ClassName;
};
using TWindowList = std::vector<TWindowEntry>;

struct TThreadEntry {
    uint32_t OwnerProcessID = 0;
    uint32_t ThreadID = 0;
    TWindowList Windows;      // empty unless windows were asked for
};
using TThreadList = std::vector<TThreadEntry>;

// Kinds of executable (ExeKind).
enum : uint8_t { ekUnknown = 0, ekDos = 1, ekWin16 = 2, ekConsole32 = 3, ekWindows32 = 4 };

struct TProcessEntry {
    uint32_t ProcessID = 0;
    std::string ExeFile;      // as the source gives it (bare name or full path)
    uint8_t Kind = ekUnknown; // Toolhelp only; 0 from the performance data
    TThreadList Threads;      // empty unless threads were asked for
};
using TProcessList = std::vector<TProcessEntry>;

// System classes: 1 Win32s; 2/3 Windows 95 (build <= 1000 / above); 4 Windows
// 98; 5 NT 3.x; 6 NT 4.0; 7 NT 4.0 SP4; 8 NT 5.x and every NT of major version
// 6 or higher; 0 anything else. 2, 3, 4, 8 list through Toolhelp; 5, 6, 7
// through the performance data; 0 and 1 list nothing.
uint8_t OsClassOf(uint32_t platform, uint32_t major, uint32_t minor, uint32_t build, const std::string& servicePack);
// The running system's class, computed once per process.
uint8_t GetOsClass();

// Looks up the seven Toolhelp functions in kernel32; true when all are there.
bool LoadToolhelp();

// The kind of executable a file is (SHGetFileInfoA with SHGFI_EXETYPE).
uint8_t ExeKind(const std::string& path);
// The same from an SHGFI_EXETYPE answer: "MZ", "NE", "PE" in its two low bytes
// (low byte first), the subsystem version above them.
uint8_t ExeKindOf(uint32_t exeType, const std::string& path);

// Fills list with the running processes (optionally their threads and those
// threads' top-level windows). Tells the user with a message box when the
// listing facility of a known system fails.
void GetProcessList(bool withThreads, bool withWindows, TProcessList& list);
// The threads of one process, or of all when ownerProcessID is 0.
void GetThreadList(uint32_t ownerProcessID, bool withWindows, TThreadList& list);
// Top-level windows of one thread (threadID != 0) or of all threads, kept when
// they belong to processID (0: any) and, with applicationOnly, are application windows.
void GetWindowList(uint32_t processID, uint32_t threadID, bool applicationOnly, TWindowList& list);

// Terminates the processes (other than this one) that run the file at path.
// Where the system tells a process's full image path (QueryFullProcessImageName
// with limited query rights), it is ended only when that image is the file at
// path itself, by long or short path, also when the long name is one the ANSI
// code page cannot hold. Where no path can be had, the name decides: the
// executable's file name equals the long or the short (8.3) file name of path,
// ASCII letters folded at single-byte positions only (a GBK trail byte is
// never folded). True when the last termination attempt succeeded.
bool KillProcessesOfFile(const std::string& path);

// Whether a process listed as exeFile (a bare name or a path) has the file
// name longName or shortName, compared as above. Empty names never match.
bool SameExeName(const std::string& exeFile, const std::string& longName, const std::string& shortName);

// Whether two paths name the same file: the same volume and file index when
// both can be opened, else the same long path ignoring letter case.
bool SameFile(const std::wstring& a, const std::wstring& b);

// Test seam: how the full image path of a process is found. Answers false
// where no path can be had. Returns the previous one; null restores the
// system's (QueryFullProcessImageNameW, looked up at run time).
using TImagePathQuery = bool (*)(uint32_t processID, std::wstring& path);
TImagePathQuery SetImagePathQuery(TImagePathQuery query);

} // namespace tf
