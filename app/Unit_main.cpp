#include "Unit_main.h"

#include <windows.h>

#include "AppClasses.h"
#include "framework/controls/Application.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Memo.h"
#include "framework/controls/Menus.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "skin/data/WinSkinData.h"
#include "support/FileExists.h"
#include "support/ExeTest.h"
#include "support/PathUtils.h"
#include "support/PlaySnd.h"
#include "support/ProcessList.h"
#include "support/RxTrayIcon.h"
#include "support/ShellHelpers.h"
#include "support/VersionInfo.h"
#include "support/Wow64.h"
#include "support/ZorListBox.h"

using namespace tf;

TForm_main* Form_main = nullptr;

namespace {
const char* const SChangeNotice = "监视到变动的文件：";
const char* const SDetailsHeader = "监视到可执行文件：";
const char* const SStopWatching = "停止监视";
const char* const SContinueWatching = "继续监视";
const char* const SCannotDelete = "无法删除";
const char* const SDeleteAtRestart = "，是否关机强行删除？";
// String resource holding the maker's page address (app.rc).
const UINT IDS_MAKER_PAGE = 1;
// The Run value that starts the guard with Windows.
const char* const StartValueName = "tamfern";
} // namespace

const TClassInfo& TForm_main::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_main>("TForm_main", TForm::StaticClass())
                                       .TF_FIELD(TForm_main, Image1)
                                       .TF_FIELD(TForm_main, CoolBar1)
                                       .TF_FIELD(TForm_main, Panel1)
                                       .TF_FIELD(TForm_main, Label1)
                                       .TF_FIELD(TForm_main, BitBtn1)
                                       .TF_FIELD(TForm_main, BitBtn2)
                                       .TF_FIELD(TForm_main, BitBtn3)
                                       .TF_FIELD(TForm_main, CheckBox1)
                                       .TF_FIELD(TForm_main, zorlistbox1)
                                       .TF_FIELD(TForm_main, Memo1)
                                       .TF_FIELD(TForm_main, SkinData1)
                                       .TF_FIELD(TForm_main, FileSystemWatcher1)
                                       .TF_FIELD(TForm_main, RxTrayIcon1)
                                       .TF_FIELD(TForm_main, PopupMenu1)
                                       .TF_FIELD(TForm_main, N1)
                                       .TF_FIELD(TForm_main, N3)
                                       .TF_FIELD(TForm_main, N2)
                                       .TF_FIELD(TForm_main, Timer1)
                                       .TF_METHOD(TForm_main, FormCreate)
                                       .TF_METHOD(TForm_main, FormClose)
                                       .TF_METHOD(TForm_main, FileSystemWatcher1Change)
                                       .TF_METHOD(TForm_main, BitBtn1Click)
                                       .TF_METHOD(TForm_main, BitBtn2Click)
                                       .TF_METHOD(TForm_main, BitBtn3Click)
                                       .TF_METHOD(TForm_main, zorlistbox1Click)
                                       .TF_METHOD(TForm_main, Timer1Timer)
                                       .TF_METHOD(TForm_main, Label1Click)
                                       .TF_METHOD(TForm_main, N1Click)
                                       .TF_METHOD(TForm_main, N2Click)
                                       .TF_METHOD(TForm_main, N3Click)
                                       .TF_METHOD(TForm_main, RxTrayIcon1Click)
                                       .Build();
    return info;
}

TForm_main::TForm_main(TComponent* owner) : TForm(owner) {}

TForm_main::~TForm_main() = default;

std::string TForm_main::ProgramDir() { return ExtractFilePath(Application->ExeName()); }

void TForm_main::ShowWindowFront()
{
    Show();
    BringToFront();
}

void TForm_main::FormCreate(TObject*)
{
    soundPlayer = std::make_unique<Fplaysnd>(ProgramDir() + "ZorSnd.dll");
    baselineLocks = LoadBaselineAndLock(ProgramDir());
}

void TForm_main::FormClose(TObject*, TCloseAction&) { soundPlayer.reset(); }

// ---------------------------------------------------------------- change alarm

bool TForm_main::Listed(const std::string& fileName) const
{
    TStrings* items = zorlistbox1->Items();
    for (int i = 0, n = items->Count(); i < n; ++i)
        if (SamePath(items->Get(i), fileName)) return true;
    return false;
}

void TForm_main::AlarmFor(const std::string& fileName)
{
    if (!FileExistsAsFile(fileName) || !IsExecutableFile(fileName)) return;
    if (Listed(fileName)) return;
    if (!FileExistsAsFile(fileName)) return;
    zorlistbox1->Items()->Add(fileName);
    if (CheckBox1->Checked() && soundPlayer) soundPlayer->Play(1);
    Memo1->SetText(SChangeNotice + fileName);
    ShowWindowFront();
}

void TForm_main::FileSystemWatcher1Change(TFileOperation, const std::string& fileName1, const std::string& fileName2)
{
    if (!monitoring) return;
    AlarmFor(fileName1);
    AlarmFor(fileName2);
}

void TForm_main::BitBtn1Click(TObject*)
{
    monitoring = !monitoring;
    BitBtn1->SetCaption(monitoring ? SStopWatching : SContinueWatching);
}

void TForm_main::BitBtn3Click(TObject*) { Hide(); }

void TForm_main::WMSysCommand(TMessage& m)
{
    if (m.WParam == SC_MINIMIZE) {
        Hide();
        m.Result = 0;
        return;
    }
    TForm::WMSysCommand(m);
}

void TForm_main::Timer1Timer(TObject*)
{
    TStrings* items = zorlistbox1->Items();
    for (int i = items->Count() - 1; i >= 0; --i)
        if (!FileExistsAsFile(items->Get(i))) items->Delete(i);
}

// ---------------------------------------------------------------- details view

void TForm_main::zorlistbox1Click(TObject*)
{
    const int index = zorlistbox1->ItemIndex();
    const std::string path = zorlistbox1->Items()->Get(index);

    TExtractedIcon icon = ExtractFileIcon(GetModuleHandleA(nullptr), NativeFilePath(path), 0);
    Image1->Picture()->Icon()->SetHandle(icon.IsIcon() ? static_cast<HICON>(icon.Release()) : nullptr);

    TStrings* lines = Memo1->Lines();
    lines->BeginUpdate();
    lines->Clear();
    lines->Add(SDetailsHeader + path);
    TVersionValues values;
    ReadVersionInfo(path, values);
    for (int i = 0; i < VersionInfoCount; ++i) lines->Add(std::string(VersionInfoCaptions[i]) + ":" + values[i]);
    lines->EndUpdate();
}

// ---------------------------------------------------------------- removal

void TForm_main::BitBtn2Click(TObject*)
{
    try {
        TStrings* items = zorlistbox1->Items();
        // The pruning timer and new alarms may change the list while messages
        // are processed below, so each selected item is followed by its path.
        std::vector<std::string> selected;
        for (int i = items->Count() - 1; i >= 0; --i)
            if (zorlistbox1->Selected(i)) selected.push_back(items->Get(i));

        auto indexOf = [items](const std::string& path) {
            for (int i = items->Count() - 1; i >= 0; --i)
                if (items->Get(i) == path) return i;
            return -1;
        };
        for (const std::string& path : selected) {
            const int index = indexOf(path);
            if (index < 0 || !zorlistbox1->Selected(index)) continue;
            KillProcessesOfFile(path);
            for (int n = 0; n < 11; ++n) {
                Sleep(5);
                Application->ProcessMessages();
            }
            bool remove = DeleteFileA(NativeFilePath(path).c_str()) != 0;
            if (!remove && AskYesNo(SCannotDelete + path + SDeleteAtRestart)) {
                DeleteFileAtReboot(path);
                remove = true;
            }
            if (remove) {
                const int now = indexOf(path);
                if (now >= 0) items->Delete(now);
            }
        }
        Memo1->Lines()->Clear();
    } catch (...) {
        // Removal is best effort; a failure ends it silently.
    }
}

// ---------------------------------------------------------------- link label

void TForm_main::Label1Click(TObject*)
{
    char address[512] = {};
    if (LoadStringA(GetModuleHandleA(nullptr), IDS_MAKER_PAGE, address, sizeof address) > 0)
        OpenDocument(address, "");
}

// ---------------------------------------------------------------- notification area

void TForm_main::N1Click(TObject*) { ShowWindowFront(); }

void TForm_main::N2Click(TObject*) { Close(); }

void TForm_main::N3Click(TObject*) { SetStartWithWindows(StartValueName, Application->ExeName(), true, false); }

void TForm_main::RxTrayIcon1Click(TObject*, TMouseButton, TShiftState, int, int) { ShowWindowFront(); }
