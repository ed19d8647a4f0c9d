#include "Unit_main.h"

#include <windows.h>

#include <unordered_set>

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
#include "framework/controls/WndProcThunk.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "skin/data/WinSkinData.h"
#include "support/AlarmLog.h"
#include "support/AnsiPath.h"
#include "support/FileFacts.h"
#include "support/FileExists.h"
#include "support/ExeTest.h"
#include "support/MissingFiles.h"
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
const char* const SCannotWatch = "无法监视，正在重试：";
const char* const SWatchingAgain = "已恢复监视：";
const char* const SNotRepresentable = "文件名无法用系统代码页表示，未处理：";
const char* const SHashCaption = "SHA-256:";
const char* const SSignatureCaption = "数字签名:";
const char* const SComputing = "计算中…";
const char* const SCannotLog = "无法写入报警记录：";
// The details' lines: header, ten version lines, hash, signature.
const int HashLine = 11;
const int SignatureLine = 12;
// Hashes kept for the log's later lines; past this the oldest knowledge goes.
const size_t KnownHashesMax = 10000;
// String resource holding the maker's page address (app.rc).
const UINT IDS_MAKER_PAGE = 1;
// During a storm of changes the notice and the window are refreshed at most
// this often (ms): under Wine each refresh of the notice box alone costs
// milliseconds, and the last file flagged is what the user sees either way.
const DWORD NoticeInterval = 250;
// Posted to the main window to show a notice after a batch: in a turn of its
// own, so that a message another program sends meanwhile is answered first.
const UINT WM_SHOWNOTICE = WM_APP + 0x60;
// The Run value that starts the guard with Windows.
const char* const StartValueName = "tamfern";

// Counts a handler that is replacing the notice box's text, for as long as it runs.
class TReplacingNotice {
public:
    explicit TReplacingNotice(int& depth) : FDepth(depth) { ++FDepth; }
    ~TReplacingNotice() { --FDepth; }
    TReplacingNotice(const TReplacingNotice&) = delete;
    TReplacingNotice& operator=(const TReplacingNotice&) = delete;

private:
    int& FDepth;
};

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

TForm_main::~TForm_main()
{
    // The watcher is let go before anything of this window: waiting for a
    // pruning check below keeps serving synchronized calls, and a delivery
    // must not reach a window whose members are already gone.
    if (FileSystemWatcher1) FileSystemWatcher1->SetOnChange(TFileDealMethod());
    FFactsJob.reset();
    FPruneCheck.reset();
    FNoticeTimer.reset();
}

std::string TForm_main::ProgramDir() { return ExtractFilePath(Application->ExeName()); }

void TForm_main::ShowWindowFront()
{
    // Shown and in front already: activating it again would only repaint
    // its skinned frame, once per alarm during a storm.
    if (Visible() && HandleAllocated() && IsWindowVisible(WindowHandle()) && GetForegroundWindow() == WindowHandle())
        return;
    Show();
    BringToFront();
}

void TForm_main::FormCreate(TObject*)
{
    FileSystemWatcher1->SetOnNotice(TWatchNoticeEvent::Of<&TForm_main::FileSystemWatcher1Notice>(this));
    // After lost changes only executables come back to the alarm.
    FileSystemWatcher1->SetRescanFilter(&IsFoundFileExecutable);
    soundPlayer = std::make_unique<Fplaysnd>(ProgramDir() + "ZorSnd.dll");
    FAlarmLog = std::make_unique<TAlarmLog>(ProgramDir());
    baselineLocks = LoadBaselineAndLock(ProgramDir());
}

void TForm_main::FormClose(TObject*, TCloseAction&) { soundPlayer.reset(); }

// ---------------------------------------------------------------- change alarm

void TForm_main::AlarmFor(const std::string& fileName)
{
    // Listed first: it is a set lookup, and the executable test also
    // requires an existing file.
    if (zorlistbox1->HasItem(fileName)) return;
    if (!IsExecutableFile(fileName)) return;
    zorlistbox1->AddItem(fileName);
    // A hash worked out, or under way, for an earlier file at this path is
    // not this one's.
    FKnownHashes.erase(fileName);
    if (fileName == FFactsPath) DropFileFacts();
    LogAlarm(TAlarmEvent::Flagged, fileName);
    SetNotice(SChangeNotice + fileName, CheckBox1->Checked());
}

void TForm_main::SetNotice(const std::string& text, bool sound)
{
    FPendingNotice = text;
    FNoticePending = true;
    FSoundPending = FSoundPending || sound;
    if (!FInBatch) ShowPendingNotice();
}

void TForm_main::NoticeAfterBatch()
{
    if (!FNoticePending) return;
    const DWORD since = GetTickCount() - FLastNoticeAt;
    if (since >= NoticeInterval) {
        PostNotice();
        return;
    }
    if (!FNoticeTimer) {
        FNoticeTimer = std::make_unique<TTimer>(nullptr);
        FNoticeTimer->SetEnabled(false);
        FNoticeTimer->SetOnTimer(TNotifyEvent::Of<&TForm_main::NoticeTimerTick>(this));
    }
    if (!FNoticeTimer->Enabled()) {
        FNoticeTimer->SetInterval(NoticeInterval - since);
        FNoticeTimer->SetEnabled(true);
    }
}

void TForm_main::PostNotice()
{
    // A second post before the first is handled finds nothing left to show.
    if (!HandleAllocated() || !PostMessageA(WindowHandle(), WM_SHOWNOTICE, 0, 0)) ShowPendingNotice();
}

void TForm_main::NoticeTimerTick(TObject*)
{
    FNoticeTimer->SetEnabled(false);
    ShowPendingNotice();
}

void TForm_main::ShowPendingNotice()
{
    if (!FNoticePending) return;
    FNoticePending = false;
    FLastNoticeAt = GetTickCount();
    // A sound cuts the one before it: one per batch is what is heard anyway.
    if (FSoundPending && soundPlayer) soundPlayer->Play(1);
    FSoundPending = false;
    DropFileFacts();
    Memo1->SetText(FPendingNotice);
    TellLogFailure();
    ShowWindowFront();
}

void TForm_main::FileSystemWatcher1Change(TFileOperation, const std::string& fileName1, const std::string& fileName2)
{
    if (!monitoring) return;
    if (!fileName1.empty()) AlarmFor(fileName1);
    if (!fileName2.empty()) AlarmFor(fileName2);
}

void TForm_main::FileSystemWatcher1Notice(TWatchNotice notice, const std::wstring& detail)
{
    std::string shown;
    WideToAnsiExact(detail, shown);   // '?' for what the code page lacks
    switch (notice) {
    case wnBatchBegin:
        if (!FInBatch) zorlistbox1->BeginBatch();
        FInBatch = true;
        break;
    case wnBatchEnd:
        if (FInBatch) zorlistbox1->EndBatch();
        FInBatch = false;
        NoticeAfterBatch();
        break;
    case wnBlind:
        // Blind, the guard would flag nothing: say so, whatever else shows.
        SetNotice(SCannotWatch + shown, false);
        break;
    case wnWatching:
        if (Memo1->Text().rfind(SCannotWatch, 0) == 0) Memo1->SetText(SWatchingAgain + shown);
        break;
    case wnUnrepresentable:
        // Told and logged, never acted on: no ANSI path names this file.
        if (monitoring && IsExecutableFileW(detail)) {
            if (FAlarmLog && !FAlarmLog->Write(TAlarmEvent::Flagged, AlarmFileOfWide(detail))) NoteLogFailure();
            SetNotice(SNotRepresentable + shown, false);
        }
        break;
    case wnRescanBegin:
    case wnRescanEnd:
        break;
    }
}

void TForm_main::BitBtn1Click(TObject*)
{
    monitoring = !monitoring;
    BitBtn1->SetCaption(monitoring ? SStopWatching : SContinueWatching);
}

void TForm_main::BitBtn3Click(TObject*) { Hide(); }

void TForm_main::WndProc(TMessage& m)
{
    if (m.Msg == WM_SHOWNOTICE) {
        ShowPendingNotice();
        m.Result = 0;
        return;
    }
    TForm::WndProc(m);
}

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
    // A search per listed file would hold this thread (and the watcher waiting
    // on it) for as long as the list is long: the files are looked for on a
    // thread of their own, one check at a time, and only the removals are
    // made here.
    if (FPruneCheck && !FPruneCheck->Finished()) return;
    FPruneCheck.reset();
    if (zorlistbox1->ItemTexts().empty()) return;
    auto prune = [this](const std::vector<std::string>& missing) {
        try {
            PruneMissing(missing);
        } catch (...) {
            HandleCallbackException(this);   // as a failure of the timer's handler
        }
    };
    FPruneCheck = std::make_unique<TMissingFilesCheck>(zorlistbox1->ItemTexts(), prune);
}

void TForm_main::PruneMissing(const std::vector<std::string>& missing)
{
    if (missing.empty()) return;
    const std::unordered_set<std::string> gone(missing.begin(), missing.end());
    // As before, from the last item to the first; a file that came back
    // meanwhile stays.
    for (int i = static_cast<int>(zorlistbox1->ItemTexts().size()) - 1; i >= 0; --i) {
        const std::string& path = zorlistbox1->ItemTexts()[static_cast<size_t>(i)];
        if (gone.count(path) && !FileExistsAsFile(path)) zorlistbox1->DeleteItem(i);
    }
}

// ---------------------------------------------------------------- details view

void TForm_main::zorlistbox1Click(TObject*)
{
    {
        const TReplacingNotice replacing(FReplacingNotice);
        ShowDetails();
    }
    TellLogFailure();
}

void TForm_main::ShowDetails()
{
    // The row clicked, read before the held-back notice shows the window
    // (activating it may move the list's focus).
    const int index = zorlistbox1->ItemIndex();
    // A notice held back from a storm came first: the details replace it.
    ShowPendingNotice();
    const std::string path = zorlistbox1->Items()->Get(index);

    TExtractedIcon icon = ExtractFileIcon(GetModuleHandleA(nullptr), NativeFilePath(path), 0);
    Image1->Picture()->Icon()->SetHandle(icon.IsIcon() ? static_cast<HICON>(icon.Release()) : nullptr);

    TStrings* lines = Memo1->Lines();
    lines->BeginUpdate();
    lines->Clear();
    lines->Add(SDetailsHeader + path);
    TVersionValues values;
    ReadVersionInfo(path, values);
    // The file chose these texts: a line break of theirs must not make lines
    // of the details (a hash or a signer of its own).
    for (int i = 0; i < VersionInfoCount; ++i)
        lines->Add(std::string(VersionInfoCaptions[i]) + ":" + OneLine(values[i]));
    lines->Add(std::string(SHashCaption) + SComputing);
    lines->Add(std::string(SSignatureCaption) + SComputing);
    lines->EndUpdate();
    StartFileFacts(path);
}

void TForm_main::DropFileFacts()
{
    ++FFactsGeneration;
    FFactsJob.reset();
    FFactsPath.clear();
}

void TForm_main::StartFileFacts(const std::string& path)
{
    DropFileFacts();
    FFactsPath = path;
    const unsigned generation = FFactsGeneration;
    FFactsJob = std::make_unique<TFileFactsJob>(path, [this, generation, path](const TFileFacts& facts) {
        try {
            ShowFileFacts(generation, path, facts);
        } catch (...) {
            HandleCallbackException(this);   // as a failure of the click's handler
        }
    });
}

void TForm_main::ShowFileFacts(unsigned generation, const std::string& path, const TFileFacts& facts)
{
    if (generation != FFactsGeneration) return;   // another file's details are shown now
    if (facts.Readable) {
        if (FKnownHashes.size() >= KnownHashesMax) FKnownHashes.clear();
        FKnownHashes[path] = facts.Sha256;
    }
    TStrings* lines = Memo1->Lines();
    if (lines->Count() <= SignatureLine || lines->Get(0) != SDetailsHeader + path ||
        lines->Get(HashLine) != std::string(SHashCaption) + SComputing ||
        lines->Get(SignatureLine) != std::string(SSignatureCaption) + SComputing)
        return;
    // Nothing can be read of a file that has gone or is locked: both stay empty.
    lines->BeginUpdate();
    lines->Put(HashLine, SHashCaption + facts.Sha256);
    lines->Put(SignatureLine, SSignatureCaption + (facts.Readable ? SignatureText(facts.Signature) : std::string()));
    lines->EndUpdate();
}

// ---------------------------------------------------------------- alarm log

void TForm_main::LogAlarm(TAlarmEvent event, const std::string& path) { LogAlarm(event, path, AlarmFileOf(path)); }

void TForm_main::LogAlarm(TAlarmEvent event, const std::string& path, const TAlarmFile& file)
{
    if (!FAlarmLog) return;
    const auto known = FKnownHashes.find(path);
    if (FAlarmLog->Write(event, file, known == FKnownHashes.end() ? std::string() : known->second)) return;
    NoteLogFailure();
}

void TForm_main::NoteLogFailure()
{
    if (FLogFailureTold) return;
    FLogFailureTold = true;
    FLogFailurePending = true;
}

void TForm_main::TellLogFailure()
{
    if (FReplacingNotice || !FLogFailurePending || !FAlarmLog) return;
    FLogFailurePending = false;
    Memo1->Lines()->Add(SCannotLog + FAlarmLog->FileName());
}

// ---------------------------------------------------------------- removal

void TForm_main::BitBtn2Click(TObject*)
{
    // A second press while messages are handled during a removal would
    // delete, log and ask about the same files again.
    if (FRemoving) return;
    FRemoving = true;
    {
        const TReplacingNotice replacing(FReplacingNotice);
        RemoveSelected();
    }
    FRemoving = false;
    TellLogFailure();
}

void TForm_main::RemoveSelected()
{
    ShowPendingNotice();   // held back from a storm; the removal clears it
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
            const TAlarmFile before = AlarmFileOf(path);   // its size and long name, while it is there
            if (path == FFactsPath) DropFileFacts();   // its hash is of the file being removed
            bool remove = DeleteFileA(NativeFilePath(path).c_str()) != 0;
            if (remove) {
                LogAlarm(TAlarmEvent::Deleted, path, before);
            } else {
                LogAlarm(TAlarmEvent::DeleteRefused, path, before);
                if (AskYesNo(SCannotDelete + path + SDeleteAtRestart)) {
                    LogAlarm(DeleteFileAtReboot(path) ? TAlarmEvent::DeleteAtRestart
                                                      : TAlarmEvent::DeleteAtRestartFailed,
                             path, before);
                    remove = true;
                } else {
                    LogAlarm(TAlarmEvent::LeftListed, path, before);
                }
            }
            if (remove) {
                const int now = indexOf(path);
                if (now >= 0) zorlistbox1->DeleteItem(now);
            }
        }
        ShowPendingNotice();   // an alarm raised meanwhile is cleared like the rest
        DropFileFacts();
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
