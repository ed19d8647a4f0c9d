#include <doctest.h>

#include <algorithm>
#include <string>

#include "ServiceTestKit.h"
#include "framework/core/SysUtils.h"
#include "support/PerfData.h"
#include "support/ProcessList.h"

using namespace tf;
using testkit::TChild;
using testkit::TTempDir;

namespace {

bool Listed(const std::string& lowerName)
{
    TProcessList list;
    GetProcessList(false, false, list);
    return std::any_of(list.begin(), list.end(), [&](const TProcessEntry& e) {
        const std::string n = LowerCaseAscii(e.ExeFile);
        return n.size() >= lowerName.size() && n.compare(n.size() - lowerName.size(), lowerName.size(), lowerName) == 0;
    });
}

// Waits until a started program shows in the process list.
void WaitListed(const std::string& lowerName)
{
    for (int i = 0; i < 100 && !Listed(lowerName); ++i) Sleep(50);
    REQUIRE(Listed(lowerName));
}

std::string CopyChild(const std::string& to)
{
    REQUIRE(CopyFileA(testkit::ChildPath().c_str(), to.c_str(), FALSE));
    return to;
}

} // namespace

TEST_CASE("system classes")
{
    struct Case {
        uint32_t Platform, Major, Minor, Build;
        const char* ServicePack;
        uint8_t Class;
    } cases[] = {
        {0, 3, 10, 0, "", 1},
        {1, 4, 0, 950, "", 2},
        {1, 4, 0, 1000, "", 2},
        {1, 4, 0, 0x04000457, "", 3},   // the whole field counts
        {1, 4, 10, 1998, "", 4},
        {1, 4, 90, 3000, "", 0},        // Me
        {2, 3, 51, 1057, "", 5},
        {2, 4, 0, 1381, "Service Pack 3", 6},
        {2, 4, 0, 1381, "Service Pack 4", 7},
        {2, 4, 0, 1381, "service pack 4", 6},
        {2, 4, 0, 1381, "Service Pack 6a", 6},
        {2, 5, 0, 2195, "", 8},
        {2, 5, 1, 2600, "Service Pack 3", 8},
        {2, 6, 0, 6002, "", 8},         // Vista onward has Toolhelp too
        {2, 6, 1, 7601, "Service Pack 1", 8},
        {2, 10, 0, 19045, "", 8},
        {3, 10, 0, 0, "", 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.Platform);
        CAPTURE(c.Major);
        CAPTURE(c.Minor);
        CHECK(OsClassOf(c.Platform, c.Major, c.Minor, c.Build, c.ServicePack) == c.Class);
    }
    // Wine answers as an NT of version 6 or higher.
    CHECK(GetOsClass() == 8);
    CHECK(LoadToolhelp());
}

TEST_CASE("the process list holds this process with its threads")
{
    TProcessList list;
    GetProcessList(true, false, list);
    const auto self = std::find_if(list.begin(), list.end(),
                                   [](const TProcessEntry& e) { return e.ProcessID == GetCurrentProcessId(); });
    REQUIRE(self != list.end());
    CHECK(LowerCaseAscii(self->ExeFile).find("test_process_list.exe") != std::string::npos);
    const bool hasThisThread = std::any_of(self->Threads.begin(), self->Threads.end(), [](const TThreadEntry& t) {
        return t.ThreadID == GetCurrentThreadId() && t.OwnerProcessID == GetCurrentProcessId();
    });
    CHECK(hasThisThread);
    for (const TProcessEntry& e : list)
        for (const TThreadEntry& t : e.Threads) CHECK(t.OwnerProcessID == e.ProcessID);
}

TEST_CASE("the window list keeps the windows of one thread, application windows on request")
{
    const HWND shown = CreateWindowExA(0, "STATIC", "shown one", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                       nullptr, nullptr, nullptr, nullptr);
    const HWND hidden = CreateWindowExA(0, "STATIC", "hidden one", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                        nullptr, nullptr, nullptr);
    const HWND tool = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "tool one", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      100, 100, nullptr, nullptr, nullptr, nullptr);
    auto find = [](const TWindowList& l, HWND w) {
        return std::find_if(l.begin(), l.end(), [w](const TWindowEntry& e) { return e.Handle == w; });
    };
    TWindowList all;
    GetWindowList(GetCurrentProcessId(), GetCurrentThreadId(), false, all);
    REQUIRE(find(all, shown) != all.end());
    CHECK(find(all, shown)->Caption == "shown one");
    CHECK(find(all, shown)->ClassName == "Static");
    CHECK(find(all, shown)->Visible);
    CHECK(find(all, shown)->AppWindow);
    CHECK(find(all, hidden) != all.end());
    CHECK(find(all, tool) != all.end());
    TWindowList apps;
    GetWindowList(GetCurrentProcessId(), 0, true, apps);
    CHECK(find(apps, shown) != apps.end());
    CHECK(find(apps, hidden) == apps.end());
    CHECK(find(apps, tool) == apps.end());
    DestroyWindow(shown);
    DestroyWindow(hidden);
    DestroyWindow(tool);
}

TEST_CASE("executable kinds from the shell's answer")
{
    struct Case {
        uint32_t ExeType;
        const char* Path;
        uint8_t Kind;
    } cases[] = {
        {0x00005A4D, "C:\\dos\\edit.com", ekDos},           // "MZ"
        {0x0300454E, "C:\\win\\old.exe", ekWin16},          // "NE", Windows 3.0
        {0x00004550, "C:\\tools\\cmd.exe", ekConsole32},    // "PE", console
        {0x04004550, "C:\\tools\\app.exe", ekWindows32},    // "PE", Windows 4.0
        {0x00000000, "C:\\notes.txt", ekUnknown},
        {0x00000000, "C:\\WINDOWS\\SYSTEM\\WinOA386.Mod", ekDos},
        {0x00000000, "C:\\winoa386.mod.bak", ekUnknown},
        {0x00004D5A, "C:\\swapped.exe", ekUnknown},         // "ZM" is not a kind
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.Path));
        CHECK(ExeKindOf(c.ExeType, c.Path) == c.Kind);
    }
}

TEST_CASE("executable kinds of real files")
{
    TTempDir dir{"kind"};
    // A 16-bit Windows program: "MZ" with a new header "NE" at 0x40.
    std::string ne(0x100, '\0');
    ne[0] = 'M';
    ne[1] = 'Z';
    ne[0x18] = 0x40;
    ne[0x3C] = 0x40;
    ne[0x40] = 'N';
    ne[0x41] = 'E';
    ne[0x40 + 0x36] = 2;   // target: Windows
    ne[0x40 + 0x3F] = 4;   // expected Windows version 4.0
    struct Case {
        std::string Path;
        uint8_t Kind;
    } cases[] = {
        {testkit::ChildPath(), ekConsole32},
        {testkit::ProgramPath("verinfo_full.exe"), ekWindows32},
        {dir.File("notes.txt", "just text"), ekUnknown},
        {dir / "missing.exe", ekUnknown},
        {dir.File("WINOA386.MOD", "not really"), ekDos},
        {dir.File("win16.exe", ne), ekWin16},
    };
    for (const Case& c : cases) {
        CAPTURE(c.Path);
        CHECK(ExeKind(c.Path) == c.Kind);
    }
}

TEST_CASE("process names are compared with ASCII letters folded at single-byte positions only")
{
    struct Case {
        const char* ExeFile;
        const char* Long;
        const char* Short;
        bool Same;
    } cases[] = {
        {"tfsleepy.exe", "TfSleepy.exe", "", true},
        {"C:\\any\\where\\TFSLEEPY.EXE", "tfsleepy.exe", "", true},   // the 95 family lists paths
        {"LONGPR~1.EXE", "LongProgramName.exe", "LONGPR~1.EXE", true},
        {"other.exe", "tfsleepy.exe", "", false},
        {"", "", "", false},                                               // a name that could not be read
        {"\x81\x41.exe", "\x81\x61.exe", "", false},                      // 丄 and 乤: trail bytes are not letters
        {"\xD6\xD0\xCE\xC4.EXE", "\xD6\xD0\xCE\xC4.exe", "", true},     // 中文: only the extension folds
    };
    for (const Case& c : cases) {
        CAPTURE(c.ExeFile);
        CAPTURE(c.Long);
        CHECK(SameExeName(c.ExeFile, c.Long, c.Short) == c.Same);
    }
}

namespace {
bool NoImagePath(uint32_t, std::wstring&) { return false; }

// Where the system tells no image paths (before NT 6), for one test.
struct TNoImagePaths {
    TImagePathQuery Previous = SetImagePathQuery(&NoImagePath);
    ~TNoImagePaths() { SetImagePathQuery(Previous); }
};
} // namespace

TEST_CASE("KillProcessesOfFile ends the processes that run the file itself, not others of the same name")
{
    TTempDir dir{"kill"};
    const std::string a = CopyChild(dir.Dir("one") + "\\tfsleepy.exe");
    const std::string b = CopyChild(dir.Dir("two") + "\\TFSLEEPY.EXE");
    const std::string other = CopyChild(dir.Dir("three") + "\\tfother.exe");
    TChild first(a, "sleep 60000");
    TChild second(b, "sleep 60000");
    TChild bystander(other, "sleep 60000");
    WaitListed("tfsleepy.exe");
    WaitListed("tfother.exe");

    // A file of that name elsewhere that nothing runs: nothing ends.
    CHECK_FALSE(KillProcessesOfFile(dir.Dir("four") + "\\TfSleepy.exe"));
    CHECK(first.Running());
    CHECK(second.Running());

    CHECK(KillProcessesOfFile(a));
    CHECK(first.Wait(5000));
    CHECK(first.ExitCode() == 0xFFFFFFFFu);
    CHECK(second.Running());
    CHECK(bystander.Running());

    SUBCASE("where no image path can be had, the name decides, wherever the program lies")
    {
        TChild third(a, "sleep 60000");
        WaitListed("tfsleepy.exe");
        TNoImagePaths names;
        CHECK(KillProcessesOfFile(dir.Dir("four") + "\\TfSleepy.exe"));
        CHECK(second.Wait(5000));
        CHECK(third.Wait(5000));
        CHECK(bystander.Running());
    }
    SUBCASE("the other copy is ended through its own file")
    {
        CHECK(KillProcessesOfFile(b));
        CHECK(second.Wait(5000));
        CHECK(bystander.Running());
        CHECK_FALSE(KillProcessesOfFile(a));   // nothing of that name runs any more
    }
}

TEST_CASE("KillProcessesOfFile matches a program started by its short (8.3) path")
{
    TTempDir dir{"short"};
    const std::string longPath = CopyChild(dir.Dir("long") + "\\LongSleeperProgram.exe");
    char buf[256];
    const DWORD n = GetShortPathNameA(longPath.c_str(), buf, sizeof buf);
    REQUIRE(n > 0);
    const std::string shortPath(buf, n);
    const std::string shortName = shortPath.substr(shortPath.find_last_of('\\') + 1);
    MESSAGE("short name from the system: " << shortName);
    REQUIRE(LowerCaseAscii(shortName) != "longsleeperprogram.exe");

    SUBCASE("the file itself, run through its short path")
    {
        TChild child(shortPath, "sleep 60000");
        // Listed by its long or its short name, as the system has it.
        for (int i = 0; i < 100 && !Listed("longsleeperprogram.exe") && !Listed(LowerCaseAscii(shortName)); ++i)
            Sleep(50);
        CHECK(KillProcessesOfFile(longPath));
        CHECK(child.Wait(5000));
    }
    SUBCASE("a program named like the short form elsewhere: only without image paths")
    {
        const std::string runner = CopyChild(dir.Dir("elsewhere") + "\\" + shortName);
        TChild child(runner, "sleep 60000");
        WaitListed(LowerCaseAscii(shortName));
        CHECK_FALSE(KillProcessesOfFile(longPath));
        CHECK(child.Running());
        TNoImagePaths names;
        CHECK(KillProcessesOfFile(longPath));
        CHECK(child.Wait(5000));
    }
}

TEST_CASE("KillProcessesOfFile with nothing running gives false")
{
    TTempDir dir{"none"};
    CHECK_FALSE(KillProcessesOfFile(dir / "nothing_runs_as_this.exe"));
    CHECK_FALSE(KillProcessesOfFile(dir.Path() + "\\"));   // no file name at all
}

TEST_CASE("KillProcessesOfFile never ends the guard itself")
{
    TTempDir dir{"self"};
    CHECK_FALSE(KillProcessesOfFile(dir / "test_process_list.exe"));
    // Still here to tell.
    CHECK(GetCurrentProcessId() != 0);
}

TEST_CASE("the running system's performance data can be asked for without harm")
{
    // Wine offers no process object there; whatever the answer, it must agree with the list.
    TProcessList list;
    TThreadList threads;
    const bool ok = ReadPerfData(&list, &threads, false);
    CHECK(ok == (!list.empty() || !threads.empty()));
    CHECK_FALSE(ReadPerfData(nullptr, nullptr, false));
}

TEST_CASE("KillProcessesOfFile ends a program whose name the ANSI code page cannot hold, flagged by its short path")
{
    TTempDir dir{"thai"};
    const std::wstring wideDir = AnsiToWide(dir.Path()) + L"\\";
    const std::wstring program = wideDir + L"\x0E44\x0E17\x0E22.exe";   // Thai: not in code page 936
    REQUIRE(CopyFileW(AnsiToWide(testkit::ChildPath()).c_str(), program.c_str(), FALSE));
    wchar_t shortBuf[MAX_PATH];
    const DWORD n = GetShortPathNameW(program.c_str(), shortBuf, MAX_PATH);
    REQUIRE(n > 0);
    const std::string shortPath = WideToAnsi(std::wstring(shortBuf, n));   // 8.3 names are ASCII
    REQUIRE(shortPath.find('?') == std::string::npos);

    // Started by its long name, as a user would, so the system lists it under that.
    std::wstring cmd = L"\"" + program + L"\" sleep 60000";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    REQUIRE(CreateProcessW(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(pi.hThread);
    const bool ended = KillProcessesOfFile(shortPath) && WaitForSingleObject(pi.hProcess, 5000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CHECK(ended);
}
