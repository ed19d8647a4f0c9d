// TFileSystemWatcher: a non-visual component that watches one directory (by
// default with all its subdirectories) and reports each change through
// OnChange, always on the user-interface thread, in the order of the system's
// records. The waiting is done by a TShellChangeThread worker. Windows only.
//
// Published properties, in stored order: Actived, WatchedDir, WatchSubTree,
// NotifyFilters, OnChange. The component has a worker only while Actived is
// true and OnChange is assigned; it gets one when the last of the two is set
// (so a stored form starts watching when OnChange is applied).
#pragma once
#include <string>

#include "ShellChangeThread.h"
#include "WatchTypes.h"
#include "framework/core/Component.h"

namespace tf {

class TFileSystemWatcher : public TComponent {
    TF_CLASS(TFileSystemWatcher)
public:
    explicit TFileSystemWatcher(TComponent* owner);
    // Tells the worker to stop and does not wait for it.
    ~TFileSystemWatcher() override;

    // false after construction. Setting a new value updates the worker's
    // settings, then starts a worker (true) or stops it (false).
    bool Actived() const { return FActived; }
    void SetActived(bool value);
    // "C:\" after construction. A value equal to the current one apart from
    // the letter case of ASCII letters (SamePath) changes nothing and does not
    // reopen.
    const std::string& WatchedDir() const { return FWatchedDir; }
    void SetWatchedDir(const std::string& value);
    // true after construction.
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool value);
    // nfFileNameChange and nfDirNameChange after construction.
    TNotifyFilters NotifyFilters() const { return FNotifyFilters; }
    void SetNotifyFilters(TNotifyFilters value);
    // Setting it starts a worker when it is assigned and Actived is true (a
    // running worker is stopped first, so changes are never reported twice),
    // otherwise stops the worker.
    const TFileDealMethod& OnChange() const { return FOnChange; }
    void SetOnChange(const TFileDealMethod& value);

    // Not stored: what the worker tells besides the changes (batch bounds,
    // reading failures, rescans, names the code page cannot hold; see
    // TWatchNotice), and which files a rescan after lost changes reports
    // (null: every file written since). Both reach the current worker and
    // every later one.
    const TWatchNoticeEvent& OnNotice() const { return FOnNotice; }
    void SetOnNotice(const TWatchNoticeEvent& value);
    TRescanFilter RescanFilter() const { return FRescanFilter; }
    void SetRescanFilter(TRescanFilter value);
    // Size of each worker's notify buffer (takes effect with the next worker).
    void SetBufferSize(uint32_t value) { FBufferSize = value; }

    // The current worker, or null. It stays valid while the component keeps
    // it, even after its loop has ended.
    TShellChangeThread* Worker() const { return FWorker; }

protected:
    void StartWorker();
    void StopWorker();
    void PushSettings();

private:
    bool FActived = false;
    std::string FWatchedDir = "C:\\";
    bool FWatchSubTree = true;
    TNotifyFilters FNotifyFilters = NotifyFilterBit(nfFileNameChange) | NotifyFilterBit(nfDirNameChange);
    TFileDealMethod FOnChange;
    TWatchNoticeEvent FOnNotice;
    TRescanFilter FRescanFilter = nullptr;
    uint32_t FBufferSize = TShellChangeThread::NotifyBufferSize;
    TShellChangeThread* FWorker = nullptr;
};

// Registers the watcher's classes so stored form data can create them.
void RegisterWatchClasses();

} // namespace tf
