#include "GuardProcess.h"

#include "tests/kit/TempDir.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <sstream>

namespace guardtest {

std::string ProgramFolder() { return TAMFERN_PROGRAM_FOLDER; }

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

bool CanOpenForWriting(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

TempFolder::TempFolder(const std::string& prefix)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    CreateDirectoryA(temp, nullptr);   // a fresh prefix may not have it yet
    static int counter = 0;
    FPath = std::string(temp) + prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
    CreateDirectoryA(FPath.c_str(), nullptr);
}

// A running guard may still be looking through the folder (its rescan after
// the mass deletion): the removal tries again for a while.
TempFolder::~TempFolder() { tftest::RemoveTree(FPath, 2000); }

WatchedFolder::WatchedFolder(const std::string& prefix)
{
    // A folder name used again soon after its removal is not always watched
    // again under Wine: every folder gets a name of its own.
    static int counter = 0;
    FPath = "C:\\" + prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
    CreateDirectoryA(FPath.c_str(), nullptr);
}

WatchedFolder::~WatchedFolder() { tftest::RemoveTree(FPath, 2000); }

namespace {
struct FindForm {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindFormProc(HWND window, LPARAM param)
{
    auto* f = reinterpret_cast<FindForm*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (pid == f->pid && std::string(cls) == "TForm_main") {
        f->found = window;
        return FALSE;
    }
    return TRUE;
}

struct FindChild {
    const char* cls;
    const char* text;
    HWND found;
};

BOOL CALLBACK FindChildProc(HWND window, LPARAM param)
{
    auto* f = reinterpret_cast<FindChild*>(param);
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) != f->cls) return TRUE;
    if (f->text) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        if (std::string(text) != f->text) return TRUE;
    }
    f->found = window;
    return FALSE;
}
} // namespace

GuardProcess::GuardProcess(const std::string& folder, const char* baseline, bool waitForForm)
{
    const std::string exe = folder + "tamfern.exe";
    CopyFileA((ProgramFolder() + "tamfern.exe").c_str(), exe.c_str(), FALSE);
    CopyFileA((ProgramFolder() + "ZorSnd.dll").c_str(), (folder + "ZorSnd.dll").c_str(), FALSE);
    if (baseline) WriteFileBytes(folder + "file.dat", baseline);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &FInfo))
        return;
    if (waitForForm) WaitForForm();
}

HWND GuardProcess::WaitForForm(DWORD timeoutMs)
{
    FindForm f{FInfo.dwProcessId, nullptr};
    WaitFor(
        [&] {
            EnumWindows(FindFormProc, reinterpret_cast<LPARAM>(&f));
            return f.found != nullptr;
        },
        timeoutMs);
    FForm = f.found;
    // The form's window comes before its controls' windows; let start-up finish.
    if (FForm) {
        WaitForInputIdle(FInfo.hProcess, 5000);
        WaitFor([&] { return Child("TMemo") && Child("Tzorlistbox") && Child("TCheckBox") && Child("TBitBtn"); },
                10000);
    }
    return FForm;
}

GuardProcess::~GuardProcess()
{
    if (!FInfo.hProcess) return;
    if (!Close(5000)) {
        TerminateProcess(FInfo.hProcess, 1);
        WaitForSingleObject(FInfo.hProcess, 5000);
    }
    CloseHandle(FInfo.hThread);
    CloseHandle(FInfo.hProcess);
}

bool GuardProcess::Close(DWORD timeoutMs)
{
    if (!FInfo.hProcess) return false;
    if (WaitForSingleObject(FInfo.hProcess, 0) == WAIT_OBJECT_0) return true;
    if (FForm) PostMessageA(FForm, WM_CLOSE, 0, 0);
    return WaitForSingleObject(FInfo.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

HWND GuardProcess::Child(const char* className, const char* text) const
{
    FindChild f{className, text, nullptr};
    if (FForm) EnumChildWindows(FForm, FindChildProc, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

std::string GuardProcess::Text(HWND window) const
{
    const int n = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    std::string s(2 * static_cast<size_t>(n) + 2, '\0');
    SendMessageA(window, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
    s.resize(std::strlen(s.c_str()));
    return s;
}

std::vector<std::string> GuardProcess::ListItems() const
{
    std::vector<std::string> items;
    HWND list = Child("Tzorlistbox");
    if (!list) return items;
    const int n = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        // Across processes Wine answers the ANSI request with UTF-16 text; ask
        // for UTF-16 and convert.
        // One message per item (a list of thousands is read in tests): the
        // paths listed here fit the buffer.
        std::wstring w(1024, L'\0');
        const LRESULT len = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(w.data()));
        w.resize(len > 0 ? std::wcslen(w.c_str()) : 0);
        std::string s(w.size() * 2 + 1, '\0');
        const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(),
                                          static_cast<int>(s.size()), nullptr, nullptr);
        s.resize(static_cast<size_t>(n > 0 ? n : 0));
        items.push_back(s);
    }
    return items;
}

std::string GuardProcess::MemoText() const
{
    HWND memo = Child("TMemo");
    return memo ? Text(memo) : std::string("<no memo>");
}

void ClickRow(HWND list, int index)
{
    POINT screen{20, index * 24 + 12};
    ClientToScreen(list, &screen);
    SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(20, index * 24 + 12);
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(list, WM_LBUTTONUP, 0, at);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace guardtest
