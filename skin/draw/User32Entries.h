// User32 functions that some Windows versions lack, looked up by name once
// per process in "user32.dll" (loaded with the system loader, released at
// exit). A missing one is null.
#pragma once
#include <windows.h>

namespace tf {

using TGetScrollBarInfoProc = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
using TTrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);
using TGetComboBoxInfoProc = BOOL(WINAPI*)(HWND, PCOMBOBOXINFO);

struct TUser32Entries {
    TGetScrollBarInfoProc GetScrollBarInfo = nullptr;
    TTrackMouseEventProc TrackMouseEvent = nullptr;
    TGetComboBoxInfoProc GetComboBoxInfo = nullptr;
};

const TUser32Entries& User32Entries();

// Tests only: answer with other entries (nullptr goes back to the real ones).
void OverrideUser32Entries(const TUser32Entries* entries);

// GetScrollBarInfo when the system has it; false otherwise.
bool QueryScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info);

// Asks for WM_MOUSELEAVE (TrackMouseEvent with TME_LEAVE) when the system can.
void TrackMouseLeave(HWND window);

} // namespace tf
