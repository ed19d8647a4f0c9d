// The guard's main window: the flagged-file list, the change alarm, the
// details view, file removal and the notification-area commands. Created
// hidden from its stored form data (Unit_main.form.txt).
#pragma once
#include <map>
#include <memory>
#include <string>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "support/Baseline.h"
#include "watch/FileSystemWatcher.h"

namespace tf {
class TImage;
class TCoolBar;
class TPanel;
class TLabel;
class TBitBtn;
class TCheckBox;
class TMemo;
class TTimer;
class Tzorlistbox;
class Fplaysnd;
class TRxTrayIcon;
class TSkinData;
class TPopupMenu;
class TMenuItem;
class TMissingFilesCheck;
class TFileFactsJob;
struct TFileFacts;
class TAlarmLog;
enum class TAlarmEvent;
struct TAlarmFile;
} // namespace tf

class TForm_main : public tf::TForm {
    TF_CLASS(TForm_main)
public:
    explicit TForm_main(tf::TComponent* owner);
    ~TForm_main() override;

    // Components, bound by name when the stored form data is read.
    tf::TImage* Image1 = nullptr;
    tf::TCoolBar* CoolBar1 = nullptr;
    tf::TPanel* Panel1 = nullptr;
    tf::TLabel* Label1 = nullptr;
    tf::TBitBtn* BitBtn1 = nullptr;
    tf::TBitBtn* BitBtn2 = nullptr;
    tf::TBitBtn* BitBtn3 = nullptr;
    tf::TCheckBox* CheckBox1 = nullptr;
    tf::Tzorlistbox* zorlistbox1 = nullptr;
    tf::TMemo* Memo1 = nullptr;
    tf::TSkinData* SkinData1 = nullptr;
    tf::TFileSystemWatcher* FileSystemWatcher1 = nullptr;
    tf::TRxTrayIcon* RxTrayIcon1 = nullptr;
    tf::TPopupMenu* PopupMenu1 = nullptr;
    tf::TMenuItem* N1 = nullptr;
    tf::TMenuItem* N3 = nullptr;
    tf::TMenuItem* N2 = nullptr;
    tf::TTimer* Timer1 = nullptr;

    // Handlers named by the stored form data.
    void FormCreate(tf::TObject* sender);
    void FormClose(tf::TObject* sender, tf::TCloseAction& action);
    void FileSystemWatcher1Change(tf::TFileOperation operation, const std::string& fileName1,
                                  const std::string& fileName2);
    // Not stored: what the watcher tells besides the changes.
    void FileSystemWatcher1Notice(tf::TWatchNotice notice, const std::wstring& detail);
    void BitBtn1Click(tf::TObject* sender);
    void BitBtn2Click(tf::TObject* sender);
    void BitBtn3Click(tf::TObject* sender);
    void zorlistbox1Click(tf::TObject* sender);
    void Timer1Timer(tf::TObject* sender);
    void Label1Click(tf::TObject* sender);
    void N1Click(tf::TObject* sender);
    void N2Click(tf::TObject* sender);
    void N3Click(tf::TObject* sender);
    void RxTrayIcon1Click(tf::TObject* sender, tf::TMouseButton button, tf::TShiftState shift, int x, int y);

    bool Monitoring() const { return monitoring; }
    // Shows the window and brings it to the front.
    void ShowWindowFront();

    // Where the program's own files live: its folder, with a trailing backslash.
    static std::string ProgramDir();

protected:
    void WMSysCommand(tf::TMessage& m) override;
    void WndProc(tf::TMessage& m) override;

private:
    // Steps of the alarm for one reported name.
    void AlarmFor(const std::string& fileName);
    // The notice, the sound and the window of the alarms of a batch: once per
    // batch, for the last file flagged (at once outside a batch).
    void SetNotice(const std::string& text, bool sound);
    void ShowPendingNotice();
    void NoticeAfterBatch();
    void PostNotice();
    void NoticeTimerTick(tf::TObject* sender);
    void PruneMissing(const std::vector<std::string>& missing);
    // The details' hash and signature lines, filled in when the worker is done.
    void StartFileFacts(const std::string& path);
    void ShowFileFacts(unsigned generation, const std::string& path, const tf::TFileFacts& facts);
    // The notice box no longer shows the details whose facts are under way.
    void DropFileFacts();
    // One line of the alarm log; a log that cannot be written is told once.
    void LogAlarm(tf::TAlarmEvent event, const std::string& path);
    void LogAlarm(tf::TAlarmEvent event, const std::string& path, const tf::TAlarmFile& file);
    void NoteLogFailure();   // told with the next text the notice box keeps
    void TellLogFailure();
    void ShowDetails();      // the clicked row's details
    void RemoveSelected();   // the selected files' processes ended, the files deleted

    bool monitoring = true;
    bool FInBatch = false;
    bool FNoticePending = false;
    bool FSoundPending = false;
    std::string FPendingNotice;
    unsigned long FLastNoticeAt = 0;
    std::unique_ptr<tf::TTimer> FNoticeTimer;   // a notice held back during a storm
    std::unique_ptr<tf::TMissingFilesCheck> FPruneCheck;   // the pruning's file checks, off this thread
    std::unique_ptr<tf::Fplaysnd> soundPlayer;
    std::unique_ptr<tf::TFileFactsJob> FFactsJob;   // the shown details' hash and signature
    unsigned FFactsGeneration = 0;                  // a result of an older one is dropped
    std::string FFactsPath;                         // the file whose facts are under way
    std::map<std::string, std::string> FKnownHashes;   // path -> SHA-256, for the log
    std::unique_ptr<tf::TAlarmLog> FAlarmLog;
    bool FLogFailureTold = false;
    bool FLogFailurePending = false;
    // Held while a handler replaces the notice box's text: the log's failure
    // is told in the text that stays, not in one about to be cleared.
    int FReplacingNotice = 0;
    bool FRemoving = false;   // a removal is under way
    tf::TFileLocks baselineLocks;   // held until the program ends
};

extern TForm_main* Form_main;

