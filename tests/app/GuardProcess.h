// Runs the guard (tamfern.exe) as a separate process for tests, in a folder
// of its own, and reads its main window's controls through window messages.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace guardtest {

// A fresh folder under the temporary folder; removed with its files.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return FPath; }   // with a trailing backslash
private:
    std::string FPath;
};

// A fresh folder at the root of C:, made after the guard armed its watch
// (a folder that existed before may not be seen under Wine); removed with
// its files.
class WatchedFolder {
public:
    explicit WatchedFolder(const std::string& prefix);
    ~WatchedFolder();
    WatchedFolder(const WatchedFolder&) = delete;
    WatchedFolder& operator=(const WatchedFolder&) = delete;
    const std::string& Path() const { return FPath; }   // with a trailing backslash
private:
    std::string FPath;
};

class GuardProcess {
public:
    // Copies the program (and its sound library) into folder, writes the
    // given baseline file.dat when baseline is not null, and starts it;
    // waits for the main window unless waitForForm is false.
    GuardProcess(const std::string& folder, const char* baseline = "", bool waitForForm = true);
    // Waits for the main window (null when it did not come).
    HWND WaitForForm(DWORD timeoutMs = 20000);
    ~GuardProcess();   // closes the window, or ends the process
    GuardProcess(const GuardProcess&) = delete;
    GuardProcess& operator=(const GuardProcess&) = delete;

    HWND Form() const { return FForm; }   // null when the window never came
    HANDLE Process() const { return FInfo.hProcess; }
    DWORD ProcessId() const { return FInfo.dwProcessId; }
    // Closes the main window and waits for the process to end.
    bool Close(DWORD timeoutMs = 10000);

    HWND Child(const char* className, const char* text = nullptr) const;
    std::vector<std::string> ListItems() const;
    std::string MemoText() const;
    std::string Text(HWND window) const;
    bool Visible() const { return IsWindowVisible(FForm) != FALSE; }

private:
    PROCESS_INFORMATION FInfo{};
    HWND FForm = nullptr;
};

// Polls pred every 20 ms until it holds or timeoutMs passes.
template <class Pred>
bool WaitFor(Pred pred, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
}

// Whether another program could open path for writing now.
bool CanOpenForWriting(const std::string& path);

// Writes bytes to a new file (replacing it).
void WriteFileBytes(const std::string& path, const std::string& bytes);

// A user's click on row index of the guard's list (rows are 24 pixels: a
// 12-point font). The pointer goes there too: a list holding the capture
// follows the real pointer, wherever an earlier test left it.
void ClickRow(HWND list, int index);

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// The folder that holds tamfern.exe in the build tree.
std::string ProgramFolder();

} // namespace guardtest
