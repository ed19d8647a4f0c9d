// The guard's notification-area icon and its menu, driven through the
// shell's callback messages, and the end of the program.
#include <doctest.h>

#include <windows.h>

#include "GuardProcess.h"

using namespace guardtest;

namespace {

const UINT kTrayCallback = 0xB054;
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Windows {
    DWORD pid;
    const char* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param)
{
    auto* w = reinterpret_cast<Windows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (pid == w->pid && std::string(cls) == w->cls) w->found.push_back(window);
    return TRUE;
}

std::vector<HWND> ProcessWindows(DWORD pid, const char* cls)
{
    Windows w{pid, cls, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&w));
    return w.found;
}

// The shell tells the icon's hidden window of a mouse event.
void TrayMouse(const GuardProcess& guard, UINT mouseMessage)
{
    for (HWND w : ProcessWindows(guard.ProcessId(), "TUtilWindow"))
        SendMessageTimeoutA(w, kTrayCallback, 0, mouseMessage, SMTO_NORMAL, 2000, nullptr);
}

bool AnyMenuShown(const GuardProcess& guard)
{
    for (HWND w : ProcessWindows(guard.ProcessId(), "#32768"))
        if (IsWindowVisible(w)) return true;
    return false;
}

HWND OpenMenu(const GuardProcess& guard)
{
    // The previous menu must be gone first, or its closing window would be
    // taken for the new one and the keys lost with it.
    WaitFor([&] { return !AnyMenuShown(guard); }, 5000);
    // The menu runs modally inside the guard: post, do not wait.
    for (HWND w : ProcessWindows(guard.ProcessId(), "TUtilWindow")) {
        PostMessageA(w, kTrayCallback, 0, WM_RBUTTONDOWN);
        PostMessageA(w, kTrayCallback, 0, WM_RBUTTONUP);
    }
    HWND menu = nullptr;
    WaitFor(
        [&] {
            for (HWND w : ProcessWindows(guard.ProcessId(), "#32768"))
                if (IsWindowVisible(w)) menu = w;
            return menu != nullptr;
        },
        5000);
    return menu;
}

void ChooseItem(HWND menu, int downs)
{
    for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
}

std::string RunValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
    char value[MAX_PATH * 2] = {};
    DWORD size = sizeof value, type = 0;
    const LONG r = RegQueryValueExA(key, "tamfern", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : "<no value>";
}

void DeleteRunValue()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, "tamfern");
    RegCloseKey(key);
}

int RunValueCount()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    int count = 0;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (_stricmp(name, "tamfern") == 0) ++count;
    }
    RegCloseKey(key);
    return count;
}

} // namespace

TEST_CASE("a click on the icon shows the window; the menu opens it, registers the start and closes")
{
    DeleteRunValue();
    TempFolder home("tamfern-tray-");
    // A baseline of one file: it is locked while the guard runs.
    const std::string locked = home.Path() + "locked.exe";
    WriteFileBytes(locked, "MZ");
    GuardProcess guard(home.Path(), (locked + "\r\n").c_str());
    REQUIRE(guard.Form() != nullptr);
    REQUIRE_FALSE(guard.Visible());
    CHECK_FALSE(CanOpenForWriting(locked));

    TrayMouse(guard, WM_LBUTTONDOWN);
    TrayMouse(guard, WM_LBUTTONUP);
    CHECK(WaitFor([&] { return guard.Visible(); }, 3000));
    TrayMouse(guard, WM_LBUTTONDOWN);   // a second click leaves it shown
    TrayMouse(guard, WM_LBUTTONUP);
    CHECK(guard.Visible());

    ShowWindow(guard.Form(), SW_HIDE);
    HWND menu = OpenMenu(guard);
    REQUIRE(menu != nullptr);
    ChooseItem(menu, 1);   // 打开
    CHECK(WaitFor([&] { return guard.Visible(); }, 3000));

    for (int round = 0; round < 2; ++round) {
        menu = OpenMenu(guard);
        REQUIRE(menu != nullptr);
        ChooseItem(menu, 2);   // 开机启动
        CHECK(WaitFor([&] { return RunValue() == home.Path() + "tamfern.exe"; }, 3000));
    }
    CHECK(RunValueCount() == 1);

    menu = OpenMenu(guard);
    REQUIRE(menu != nullptr);
    ChooseItem(menu, 3);   // 关闭
    CHECK(WaitForSingleObject(guard.Process(), 10000) == WAIT_OBJECT_0);
    // The process has ended: its locks are gone.
    CHECK(CanOpenForWriting(locked));
    DeleteRunValue();
}
