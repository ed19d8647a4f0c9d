// The main window read in-process from its compiled stored data: every
// component in stored order with its settings, the skin loaded, and the
// alarm's sound.
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <iterator>

#include "app/AppClasses.h"
#include "app/Unit_main.h"
#include "framework/controls/Application.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Icon.h"
#include "framework/reader/FormReader.h"
#include "skin/data/SkinHost.h"
#include "skin/data/WinSkinData.h"
#include "framework/core/SysUtils.h"
#include "support/AnsiPath.h"
#include "support/PlaySnd.h"
#include "support/RxTrayIcon.h"
#include "support/ZorListBox.h"
#include "tests/kit/AppPump.h"
#include "watch/FileSystemWatcher.h"

using namespace tf;

namespace {

std::vector<std::string> gSounds;

int __stdcall RecordSound(const char* sound, void*, uint32_t)
{
    gSounds.push_back(sound ? sound : "<stop>");
    return 1;
}

std::vector<uint8_t> FormData()
{
    std::ifstream in(TAMFERN_MAIN_FORM_DATA, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the skin data component reported while the form was read.
std::vector<std::string>& SkinReports()
{
    static std::vector<std::string> reports;
    return reports;
}

// The form reads its stored data; FormCreate locks the baseline of this test's
// folder, so an empty file.dat keeps it from searching all of C:. There is no
// skin engine here: the skin data component says so, and the window keeps
// the system look.
struct MainForm {
    TForm_main* form;
    MainForm()
    {
        static bool registered = false;
        if (!registered) RegisterMainWindowClasses();
        registered = true;
        std::ofstream(TForm_main::ProgramDir() + "file.dat", std::ios::binary).flush();
        const std::vector<uint8_t> data = FormData();
        REQUIRE(data.size() > 4);
        form = new TForm_main(Application);
        Form_main = form;
        SkinReports().clear();
        TSkinHost host;
        host.ReportError = [](const std::string& text) { SkinReports().push_back(text); };
        InstallSkinHost(host);
        ReadFormBinary(form, data.data(), data.size());
        InstallSkinHost(TSkinHost{});
        REQUIRE(SkinReports().size() == 1);
        CHECK(SkinReports()[0].rfind("SkinData1: ", 0) == 0);
    }
    ~MainForm()
    {
        form->Free();
        Form_main = nullptr;
    }
};

} // namespace

TEST_CASE("the stored main window creates its components in order with their settings")
{
    MainForm m;
    TForm_main* f = m.form;
    std::vector<std::string> names;
    for (int i = 0; i < f->ComponentCount(); ++i) names.push_back(f->Components(i)->Name());
    CHECK(names == std::vector<std::string>{"Image1", "CoolBar1", "Panel1", "Label1", "BitBtn1", "BitBtn2", "BitBtn3",
                                            "CheckBox1", "zorlistbox1", "Memo1", "SkinData1", "FileSystemWatcher1",
                                            "RxTrayIcon1", "PopupMenu1", "N1", "N3", "N2", "Timer1"});
    CHECK(f->ClassType().InheritsFrom("TForm"));
    CHECK(f->Name() == "Form_main");
    CHECK_FALSE(f->Visible());

    // The watcher: the whole of C:\ with the filter 0x5B, working.
    REQUIRE(f->FileSystemWatcher1 != nullptr);
    CHECK(f->FileSystemWatcher1->Actived());
    CHECK(f->FileSystemWatcher1->WatchedDir() == "C:\\");
    CHECK(FilterMask(f->FileSystemWatcher1->NotifyFilters()) == 0x5Bu);
    CHECK(f->FileSystemWatcher1->Worker() != nullptr);

    // The list box and the notice box.
    CHECK(f->zorlistbox1->MultiSelect());
    CHECK(f->zorlistbox1->OnlyFilename());
    CHECK(f->zorlistbox1->osbackcolor() == 16445690);
    CHECK(ReadInt(f->Memo1, "ScrollBars") >= 0);

    // The skin: stored, parsed, switched on.
    REQUIRE(f->SkinData1 != nullptr);
    CHECK(f->SkinData1->Active());
    CHECK_FALSE(f->SkinData1->FNoSkin);
    CHECK(f->SkinData1->DisableTag() == 99);
    CHECK(f->SkinData1->Skin3rd()->Count() == 117);
    CHECK(f->SkinData1->Skin3rd()->IndexOf("TPngSpeedbutton=pngspeedbutton") < 0);
    CHECK(ReadText(f->SkinData1, "Options") == L"[xoPreview,xoToolbarBK]");

    // The notification-area icon and its menu.
    REQUIRE(f->RxTrayIcon1 != nullptr);
    CHECK(f->RxTrayIcon1->Added());
    CHECK_FALSE(f->RxTrayIcon1->Icon()->Empty());
    CHECK(f->RxTrayIcon1->PopupMenu() == f->PopupMenu1);
    CHECK(f->N1->Caption() == "打开");
    CHECK(f->N3->Caption() == "开机启动");
    CHECK(f->N2->Caption() == "关闭");
    CHECK(f->Timer1->Enabled());
    CHECK(f->Timer1->Interval() == 1000);
}

TEST_CASE("the alarm plays sound 1 only while the sound box is ticked")
{
    MainForm m;
    TForm_main* f = m.form;
    const auto previous = Fplaysnd::SetPlayFunction(&RecordSound);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string exe = std::string(temp) + "tamfern-sound-" + std::to_string(GetCurrentProcessId()) + ".exe";
    HANDLE h = CreateFileA(exe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "MZ", 2, &written, nullptr);
    CloseHandle(h);

    gSounds.clear();
    f->FileSystemWatcher1Change(foAdded, exe, "");
    CHECK(f->zorlistbox1->Items()->Count() == 1);
    CHECK(std::find(gSounds.begin(), gSounds.end(), "WAV1") != gSounds.end());
    CHECK(f->Memo1->Text() == "监视到变动的文件：" + exe);
    CHECK(f->Visible());

    // Unticked: the next file is flagged without a sound.
    f->zorlistbox1->Items()->Clear();
    f->CheckBox1->SetChecked(false);
    gSounds.clear();
    f->FileSystemWatcher1Change(foRenamed, exe + ".old", exe);
    CHECK(f->zorlistbox1->Items()->Count() == 1);
    CHECK(gSounds.empty());

    Fplaysnd::SetPlayFunction(previous);
    DeleteFileA(exe.c_str());
}

namespace {

using tftest::app::PumpUntil;

// A folder on C: made now, after the watcher was armed: under Wine a subtree
// watch misses folders that existed before it until something opens them.
struct TFreshFolder {
    std::string Path;
    TFreshFolder()
    {
        static int counter = 0;
        Path = "C:\\tamfern-form-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + "\\";
        CreateDirectoryA(Path.c_str(), nullptr);
    }
    ~TFreshFolder() { RemoveDirectoryA(Path.c_str()); }
};

std::string TempExe(const std::string& name, const std::string& folder = std::string())
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = (folder.empty() ? std::string(temp) : folder) + name + std::to_string(GetCurrentProcessId()) + ".exe";
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(h, "MZ", 2, &written, nullptr);
    CloseHandle(h);
    return path;
}

std::atomic<bool> gFailReads{false};
TShellChangeThread::TReadFunction gSystemRead = nullptr;

int __stdcall FailingRead(void* dir, void* buffer, uint32_t size, int subtree, uint32_t filter, void* overlapped)
{
    if (gFailReads) return 0;
    return gSystemRead(dir, buffer, size, subtree, filter, overlapped);
}

} // namespace

TEST_CASE("the notice and the window follow a batch once, for the last file flagged")
{
    MainForm m;
    TForm_main* f = m.form;
    const auto previous = Fplaysnd::SetPlayFunction(&RecordSound);
    const std::string a = TempExe("tamfern-batch-a"), b = TempExe("tamfern-batch-b"), c = TempExe("tamfern-batch-c");
    f->Memo1->SetText("before");
    gSounds.clear();

    f->FileSystemWatcher1Notice(wnBatchBegin, L"");
    for (const std::string& p : {a, b, c}) f->FileSystemWatcher1Change(foAdded, p, "");
    CHECK(f->zorlistbox1->Items()->Count() == 3);
    CHECK(f->Memo1->Text() == "before");   // nothing shown in the middle of a batch
    CHECK_FALSE(f->Visible());
    CHECK(gSounds.empty());
    f->FileSystemWatcher1Notice(wnBatchEnd, L"");
    Application->ProcessMessages();   // shown in a turn of its own
    CHECK(f->Memo1->Text() == "监视到变动的文件：" + c);
    CHECK(f->Visible());
    CHECK(std::count(gSounds.begin(), gSounds.end(), "WAV1") == 1);

    Fplaysnd::SetPlayFunction(previous);
    for (const std::string& p : {a, b, c}) DeleteFileA(p.c_str());
}

TEST_CASE("a watcher that cannot read says so in the notice box, and says when it watches again")
{
    MainForm m;
    TForm_main* f = m.form;
    gFailReads = false;
    gSystemRead = TShellChangeThread::SetReadFunction(&FailingRead);
    TFreshFolder folder;
    Application->ProcessMessages();
    gFailReads = true;
    // The next change completes the read in flight; every read after it fails.
    const std::string trigger = TempExe("tamfern-blind-", folder.Path);
    PumpUntil([&] { return f->Memo1->Text().rfind("无法监视", 0) == 0; }, 5000);
    CHECK(f->Memo1->Text() == "无法监视，正在重试：C:\\");
    CHECK(f->Visible());
    const std::string unseen = TempExe("tamfern-unseen-", folder.Path);   // while blind

    gFailReads = false;
    PumpUntil([&] { return f->Memo1->Text().rfind("已恢复监视", 0) == 0; }, 10000);
    CHECK(f->Memo1->Text() == "已恢复监视：C:\\");
    // What changed meanwhile is looked for again; what comes later is seen.
    PumpUntil([&] { return f->zorlistbox1->HasItem(unseen); }, 10000);
    CHECK(f->zorlistbox1->HasItem(unseen));
    TFreshFolder later;
    const std::string after = TempExe("tamfern-after-", later.Path);
    PumpUntil([&] { return f->zorlistbox1->HasItem(after); }, 5000);
    CHECK(f->zorlistbox1->HasItem(after));
    TShellChangeThread::SetReadFunction(gSystemRead);
    for (const std::string& p : {trigger, unseen, after}) DeleteFileA(p.c_str());
}

TEST_CASE("an executable whose name has no form the code page holds is told in the notice box and logged, not listed")
{
    MainForm m;
    TForm_main* f = m.form;
    const std::string logName = TForm_main::ProgramDir() + "alarm.log";
    auto logText = [&] {
        std::ifstream in(logName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    const size_t logged = logText().size();
    const bool previous = SetNoShortNames(true);
    TFreshFolder folder;
    const std::wstring korean = AnsiToWide(folder.Path) + L"\xD55C" + std::to_wstring(GetCurrentProcessId()) + L".exe";
    HANDLE h = CreateFileW(korean.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    DWORD written;
    WriteFile(h, "MZ", 2, &written, nullptr);
    CloseHandle(h);

    const std::string shown = folder.Path + "?" + std::to_string(GetCurrentProcessId()) + ".exe";
    PumpUntil([&] { return f->Memo1->Text().find("未处理") != std::string::npos; }, 5000);
    CHECK(f->Memo1->Text() == "文件名无法用系统代码页表示，未处理：" + shown);
    CHECK(f->Visible());
    CHECK(f->zorlistbox1->Items()->Count() == 0);
    // The log keeps the name's own letters, in UTF-8.
    std::string utf8(korean.size() * 3, '\0');
    utf8.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, korean.data(), static_cast<int>(korean.size()),
                                                        utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    const std::string text = logText();
    REQUIRE(text.size() > logged);
    CHECK(text.substr(logged).find("\tflagged\t" + utf8 + "\t2\t-\r\n") != std::string::npos);
    SetNoShortNames(previous);
    DeleteFileW(korean.c_str());
}
