#include <doctest.h>

#include <string>
#include <vector>

#include "ServiceTestKit.h"
#include "support/ShellHelpers.h"

using namespace tf;
using testkit::TTempDir;

namespace {

const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Names and data of the current user's Run values.
std::vector<std::pair<std::string, std::string>> RunValues()
{
    std::vector<std::pair<std::string, std::string>> out;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
        char name[512];
        BYTE data[2048];
        DWORD nameLen = sizeof name, dataLen = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
        out.emplace_back(std::string(name, nameLen), std::string(reinterpret_cast<char*>(data), dataLen));
    }
    RegCloseKey(key);
    return out;
}

int CountNamed(const std::string& name)
{
    int n = 0;
    for (const auto& v : RunValues()) n += v.first == name;
    return n;
}

// Answers the next message box of this thread with a button, remembering
// what the box looked like once it was up.
struct BoxAnswer {
    static inline int Button = IDNO;
    static inline HHOOK Hook = nullptr;
    static inline HWND Box = nullptr;
    static inline std::string Caption, Text;
    static inline HWND Owner = nullptr;
    static inline bool YesNoOnly = false;

    // Runs from the box's own message loop, after it has been set up.
    static void CALLBACK Answer(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        char buf[512] = {};
        GetWindowTextA(Box, buf, sizeof buf);
        Caption = buf;
        buf[0] = '\0';
        GetDlgItemTextA(Box, 0xFFFF, buf, sizeof buf);
        Text = buf;
        Owner = GetWindow(Box, GW_OWNER);
        YesNoOnly = GetDlgItem(Box, IDYES) && GetDlgItem(Box, IDNO) && !GetDlgItem(Box, IDOK) &&
                    !GetDlgItem(Box, IDCANCEL);
        PostMessageA(Box, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Box, Button)));
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp)
    {
        if (code == HCBT_ACTIVATE) {
            char cls[64] = {};
            GetClassNameA(reinterpret_cast<HWND>(wp), cls, sizeof cls);
            if (std::string(cls) == "#32770") {
                Box = reinterpret_cast<HWND>(wp);
                SetTimer(nullptr, 0, 10, &Answer);
            }
        }
        return CallNextHookEx(Hook, code, wp, lp);
    }
    explicit BoxAnswer(int button)
    {
        Button = button;
        Box = nullptr;
        Caption.clear();
        Text.clear();
        Owner = nullptr;
        YesNoOnly = false;
        Hook = SetWindowsHookExA(WH_CBT, &Proc, nullptr, GetCurrentThreadId());
    }
    ~BoxAnswer() { UnhookWindowsHookEx(Hook); }
};

HWND gHiddenOwner = nullptr;
void* HiddenOwner() { return gHiddenOwner; }

} // namespace

TEST_CASE("start with Windows: adding twice leaves one value; removing works also when it is gone")
{
    const std::string name = "tamfern_test_" + std::to_string(GetCurrentProcessId());
    const std::string command = testkit::ExeDir() + "tamfern.exe";
    CHECK(SetStartWithWindows(name, command, true, false));
    CHECK(SetStartWithWindows(name, command, true, false));
    CHECK(CountNamed(name) == 1);
    for (const auto& v : RunValues())
        if (v.first == name) CHECK(v.second == command + std::string(1, '\0'));   // REG_SZ with its zero

    CHECK(SetStartWithWindows(name, "other", true, false));
    for (const auto& v : RunValues())
        if (v.first == name) CHECK(v.second == std::string("other") + '\0');

    CHECK(SetStartWithWindows(name, "", false, false));
    CHECK(CountNamed(name) == 0);
    CHECK(SetStartWithWindows(name, "", false, false));
}

TEST_CASE("a value that cannot be written raises the data failure with the value name")
{
    // Registry value names are limited to 16383 characters.
    const std::string name(20000, 'v');
    try {
        SetStartWithWindows(name, "x", true, false);
        FAIL("no failure raised");
    } catch (const ERegistryException& e) {
        CHECK(std::string(e.what()) == "为 '" + name + "' 设置数据时失败");
    }
    CHECK(CountNamed(name) == 0);
}

TEST_CASE("OpenDocument starts the target in its own directory")
{
    TTempDir dir{"open"};
    const std::string program = dir / "opener.exe";
    REQUIRE(CopyFileA(testkit::ChildPath().c_str(), program.c_str(), FALSE));
    const std::string out = testkit::ExeDir() + "open_cwd_" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(out.c_str());
    CHECK(OpenDocument(program, "cwd \"" + out + "\""));
    for (int i = 0; i < 200 && !testkit::PathExists(out); ++i) Sleep(50);
    Sleep(200);
    CHECK(testkit::ReadBytes(out) == dir.Path());
    DeleteFileA(out.c_str());

    CHECK_FALSE(OpenDocument(dir / "no_such_file.exe", ""));
}

TEST_CASE("DeleteFileAtReboot records the request")
{
    TTempDir dir{"reboot"};
    const std::string file = dir.File("doomed.exe", "MZ");
    const char* sessionKey = "System\\CurrentControlSet\\Control\\Session Manager";
    HKEY key;
    REQUIRE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, sessionKey, 0, KEY_READ | KEY_SET_VALUE, &key) == ERROR_SUCCESS);
    auto pending = [&] {
        std::vector<char> data(65536);
        DWORD size = static_cast<DWORD>(data.size()), type = 0;
        if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
            return std::string();
        return std::string(data.data(), size);
    };
    const std::string before = pending();

    CHECK(DeleteFileAtReboot(file));
    const std::string after = pending();
    CHECK(after.find(file) != std::string::npos);
    CHECK(testkit::PathExists(file));   // not now: at the next start

    // Leave the prefix as it was.
    if (before.empty())
        RegDeleteValueA(key, "PendingFileRenameOperations");
    else
        RegSetValueExA(key, "PendingFileRenameOperations", 0, REG_MULTI_SZ,
                       reinterpret_cast<const BYTE*>(before.data()), static_cast<DWORD>(before.size()));
    RegCloseKey(key);
}

TEST_CASE("AskYesNo: the question box, its owner, and the answers")
{
    gHiddenOwner = CreateWindowExA(0, "STATIC", "hidden application window", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   nullptr, nullptr);
    const TOwnerProvider previous = SetAskOwner(&HiddenOwner);
    {
        BoxAnswer answer(IDYES);
        CHECK(AskYesNo("无法删除C:\\a.exe，是否关机强行删除？"));
        CHECK(BoxAnswer::Caption == "提示");
        CHECK(BoxAnswer::Text == "无法删除C:\\a.exe，是否关机强行删除？");
        CHECK(BoxAnswer::Owner == gHiddenOwner);
        CHECK(BoxAnswer::YesNoOnly);
    }
    {
        BoxAnswer answer(IDNO);
        CHECK_FALSE(AskYesNo("question"));
        CHECK(BoxAnswer::Text == "question");
    }
    SetAskOwner(previous);
    {
        BoxAnswer answer(IDYES);
        CHECK(AskYesNo("no owner"));
        CHECK(BoxAnswer::Owner == nullptr);
        CHECK(BoxAnswer::YesNoOnly);
    }
    DestroyWindow(gHiddenOwner);
}

TEST_CASE("ExtractFileIcon gives an owned icon, or none")
{
    const HINSTANCE self = GetModuleHandleA(nullptr);
    TExtractedIcon icon = ExtractFileIcon(self, testkit::ProgramPath("verinfo_full.exe"), 0);
    REQUIRE(icon.IsIcon());
    ICONINFO info{};
    REQUIRE(GetIconInfo(static_cast<HICON>(icon.Value()), &info));
    BITMAP bm{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    CHECK(bm.bmWidth > 0);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // Moving hands the icon over; the moved-from holder owns nothing.
    TExtractedIcon moved = std::move(icon);
    CHECK(moved.IsIcon());
    CHECK(icon.Value() == nullptr);

    TTempDir dir{"icon"};
    CHECK_FALSE(ExtractFileIcon(self, dir.File("notes.txt", "text"), 0).IsIcon());
    CHECK_FALSE(ExtractFileIcon(self, testkit::ProgramPath("verinfo_full.exe"), 5).IsIcon());
    CHECK_FALSE(ExtractFileIcon(self, dir / "missing.exe", 0).IsIcon());
    CHECK_FALSE(ExtractFileIcon(self, testkit::ChildPath(), 0).IsIcon());   // a program without icons
}
