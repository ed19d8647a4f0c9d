// The guard's start-up baseline as a user meets it: written on the first
// start and locking what it lists; a baseline that cannot be written brings
// the framework's error box and the guard runs on.
#include <doctest.h>

#include <windows.h>

#include <sstream>

#include "GuardProcess.h"
#include "framework/threads/WinHandle.h"

using namespace guardtest;

namespace {

BOOL CALLBACK FindBox(HWND w, LPARAM param)
{
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (pid == found->first && std::string(cls) == "#32770" && IsWindowVisible(w)) {
        found->second = w;
        return FALSE;
    }
    return TRUE;
}

// Reads the whole file. Right after start-up the
// guard checks the change its own baseline write made, and that check opens
// the file without sharing for a moment: an open refused for sharing is tried
// again until the check is over. Empty when the file cannot be read.
std::string ReadAll(const std::string& path)
{
    HANDLE h = INVALID_HANDLE_VALUE;
    WaitFor(
        [&] {
            h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
            return h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION;
        },
        5000);
    if (h == INVALID_HANDLE_VALUE) return {};
    tf::TKernelHandle file(h);
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    return text;
}

} // namespace

TEST_CASE("the first start writes the baseline and locks the files it lists")
{
    TempFolder home("tamfern-first-");
    GuardProcess guard(home.Path(), nullptr);   // no file.dat
    REQUIRE(guard.Form() != nullptr);
    const std::string text = ReadAll(home.Path() + "file.dat");
    REQUIRE_FALSE(text.empty());
    CHECK(text.substr(text.size() - 2) == "\r\n");
    // The sound library beside the program is one of the files found on c:.
    std::string line, found;
    std::stringstream lines(text);
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (_stricmp(line.c_str(), ("c" + (home.Path() + "ZorSnd.dll").substr(1)).c_str()) == 0) found = line;
    }
    REQUIRE_FALSE(found.empty());
    CHECK(found.compare(0, 3, "c:\\") == 0);
    CHECK_FALSE(CanOpenForWriting(home.Path() + "ZorSnd.dll"));
    CHECK(guard.Close());
    CHECK(CanOpenForWriting(home.Path() + "ZorSnd.dll"));
}

TEST_CASE("a baseline that cannot be written brings the error box and the guard runs on")
{
    TempFolder home("tamfern-nobase-");
    // A folder where the baseline file should be: it cannot be created.
    CreateDirectoryA((home.Path() + "file.dat").c_str(), nullptr);
    GuardProcess guard(home.Path(), nullptr, false);   // the box comes while the window is made
    std::pair<DWORD, HWND> box{guard.ProcessId(), nullptr};
    REQUIRE(WaitFor(
        [&] {
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
            return box.second != nullptr;
        },
        20000));
    char text[1024] = {};
    GetWindowTextA(GetDlgItem(box.second, 0xFFFF), text, sizeof text);
    CHECK(std::string(text) == "不能创建文件 " + home.Path() + "file.dat");
    PostMessageA(box.second, WM_COMMAND, IDOK, 0);
    CHECK(WaitFor([&] { return !IsWindow(box.second); }, 3000));
    REQUIRE(guard.WaitForForm() != nullptr);
    // Still running, and still watching.
    const std::string dir = "C:\\tamfern-nobase-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    WriteFileBytes(dir + "late.exe", "MZ");
    CHECK(WaitFor([&] { return guard.ListItems().size() == 1; }, 5000));
    CHECK(guard.Close());
    DeleteFileA((dir + "late.exe").c_str());
    RemoveDirectoryA(dir.c_str());
    RemoveDirectoryA((home.Path() + "file.dat").c_str());
}
