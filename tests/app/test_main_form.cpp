// The main window read in-process from its compiled stored data: every
// component in stored order with its settings, the skin loaded, and the
// alarm's sound.
#include <doctest.h>

#include <windows.h>

#include <fstream>
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
#include "skin/data/WinSkinData.h"
#include "support/PlaySnd.h"
#include "support/RxTrayIcon.h"
#include "support/ZorListBox.h"
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

// The form reads its stored data; FormCreate locks the baseline of this test's
// folder, so an empty file.dat keeps it from searching all of C:.
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
        ReadFormBinary(form, data.data(), data.size());
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
