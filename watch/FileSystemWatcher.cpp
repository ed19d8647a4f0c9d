#include "FileSystemWatcher.h"

#include "support/PathUtils.h"
#include "framework/threads/Threads.h"

namespace tf {

const TClassInfo& TFileSystemWatcher::StaticClass()
{
    using W = TFileSystemWatcher;
    static const TClassInfo info =
        TClassBuilder<W>("TFileSystemWatcher", TComponent::StaticClass())
            .Bool("Actived", &W::Actived, &W::SetActived)
            .String("WatchedDir", &W::WatchedDir, &W::SetWatchedDir)
            .Bool("WatchSubTree", &W::WatchSubTree, &W::SetWatchSubTree)
            .Set("NotifyFilters", NotifyFilterInfo, &W::NotifyFilters,
                 [](W* w, uint32_t bits) { w->SetNotifyFilters(static_cast<TNotifyFilters>(bits & 0xFF)); })
            .Event<TFileDealMethod>("OnChange", [](W* w) { return w->OnChange(); },
                                    [](W* w, const TFileDealMethod& e) { w->SetOnChange(e); })
            .Build();
    return info;
}

void RegisterWatchClasses() { RegisterClass(TFileSystemWatcher::StaticClass()); }

TFileSystemWatcher::TFileSystemWatcher(TComponent* owner) : TComponent(owner) {}

TFileSystemWatcher::~TFileSystemWatcher()
{
    if (FWorker) {
        FWorker->Stop();
        FWorker->Release();
        FWorker = nullptr;
    }
}

void TFileSystemWatcher::SetActived(bool value)
{
    if (value == FActived) return;
    FActived = value;
    // Settings first: a worker about to stop already reports nothing.
    PushSettings();
    if (value)
        StartWorker();
    else
        StopWorker();
}

void TFileSystemWatcher::SetWatchedDir(const std::string& value)
{
    if (SamePath(value, FWatchedDir)) return;
    FWatchedDir = value;
    PushSettings();
}

void TFileSystemWatcher::SetWatchSubTree(bool value)
{
    if (value == FWatchSubTree) return;
    FWatchSubTree = value;
    PushSettings();
}

void TFileSystemWatcher::SetNotifyFilters(TNotifyFilters value)
{
    if (value == FNotifyFilters) return;
    FNotifyFilters = value;
    PushSettings();
}

void TFileSystemWatcher::SetOnChange(const TFileDealMethod& value)
{
    FOnChange = value;
    if (FOnChange && FActived)
        StartWorker();
    else
        StopWorker();
    PushSettings();
}

void TFileSystemWatcher::SetOnNotice(const TWatchNoticeEvent& value)
{
    FOnNotice = value;
    if (FWorker) FWorker->SetNoticeEvent(value);
}

void TFileSystemWatcher::SetRescanFilter(TRescanFilter value)
{
    FRescanFilter = value;
    if (FWorker) FWorker->SetRescanFilter(value);
}

void TFileSystemWatcher::StartWorker()
{
    if (HasState(csDesigning) || !FOnChange) return;
    // Setters run on the user-interface thread: it is the one to deliver to.
    if (UIThreadID() == 0) InitThreads();
    StopWorker();
    FWorker = new TShellChangeThread(FOnChange, FBufferSize);
    FWorker->SetNoticeEvent(FOnNotice);
    FWorker->SetRescanFilter(FRescanFilter);
    FWorker->ConfigureWorker(FWatchedDir, FActived, FilterMask(FNotifyFilters), FWatchSubTree);
    FWorker->Resume();
}

void TFileSystemWatcher::StopWorker()
{
    if (HasState(csDesigning) || !FWorker) return;
    FWorker->Stop();
    FWorker->Release();
    FWorker = nullptr;
}

void TFileSystemWatcher::PushSettings()
{
    if (HasState(csDesigning) || !FWorker) return;
    FWorker->ConfigureWorker(FWatchedDir, FActived, FilterMask(FNotifyFilters), FWatchSubTree);
}

} // namespace tf
