#include "skin/draw/User32Entries.h"

namespace tf {

namespace {

class TUser32Module {
public:
    TUser32Module() : FModule(::LoadLibraryA("user32.dll"))
    {
        if (!FModule) return;
        FEntries.GetScrollBarInfo = reinterpret_cast<TGetScrollBarInfoProc>(
            reinterpret_cast<void*>(::GetProcAddress(FModule, "GetScrollBarInfo")));
        FEntries.TrackMouseEvent = reinterpret_cast<TTrackMouseEventProc>(
            reinterpret_cast<void*>(::GetProcAddress(FModule, "TrackMouseEvent")));
        FEntries.GetComboBoxInfo = reinterpret_cast<TGetComboBoxInfoProc>(
            reinterpret_cast<void*>(::GetProcAddress(FModule, "GetComboBoxInfo")));
    }
    ~TUser32Module()
    {
        if (FModule) ::FreeLibrary(FModule);
    }
    TUser32Module(const TUser32Module&) = delete;
    TUser32Module& operator=(const TUser32Module&) = delete;
    const TUser32Entries& Entries() const { return FEntries; }

private:
    HMODULE FModule;
    TUser32Entries FEntries;
};

const TUser32Entries* gOverride = nullptr;

} // namespace

const TUser32Entries& User32Entries()
{
    static const TUser32Module module;
    return gOverride ? *gOverride : module.Entries();
}

void OverrideUser32Entries(const TUser32Entries* entries) { gOverride = entries; }

bool QueryScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info)
{
    const auto proc = User32Entries().GetScrollBarInfo;
    return proc && proc(window, objectId, &info);
}

void TrackMouseLeave(HWND window)
{
    const auto proc = User32Entries().TrackMouseEvent;
    if (!proc) return;
    TRACKMOUSEEVENT record{};
    record.cbSize = sizeof record;   // 16 bytes
    record.dwFlags = TME_LEAVE;
    record.hwndTrack = window;
    proc(&record);
}

} // namespace tf
