#include "skin/controls/edits/ArrowButton.h"

#include <commctrl.h>

#include "framework/graphics/Canvas.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TArrowButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TArrowButton>("TArrowButton", TCustomControl::StaticClass()).Build();
    return info;
}

TArrowButton::TArrowButton(TSkinControl* skinner, TWinControl* picker)
    : TCustomControl(skinner), FArrowWidth(GetSystemMetrics(SM_CXHSCROLL)), FPicker(picker), FSkinner(skinner),
      FPickerWindow(picker->Handle())
{
    SetControlStyle(ControlStyle() | csOpaque);
    SetTabStop(false);
    Place();
    SetParentWindow(FPickerWindow);
}

void TArrowButton::Place()
{
    RECT picker{};
    GetWindowRect(FPickerWindow, &picker);
    const int width = picker.right - picker.left, height = picker.bottom - picker.top;
    const bool left = GetWindowLongA(FPickerWindow, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
    SetBounds(left ? 2 : width - FArrowWidth - 4, 0, FArrowWidth, height - 4);
}

void TArrowButton::Paint()
{
    RECT picker{};
    GetWindowRect(FPickerWindow, &picker);
    const RECT r{0, 0, Width(), picker.bottom - picker.top - 4};
    HDC dc = Canvas()->Handle();
    FSkinner->FillFace(dc, r);
    TSkinData* data = FSkinner->SkinData();
    if (TDataSkinObject* arrow = data ? data->SkinComboArrow.get() : nullptr; arrow && !arrow->Empty())
        DrawStripFrame(dc, r, arrow->FrameCount, Hot() ? 4 : 1, *arrow->Bitmap);
}

bool TArrowButton::CalendarOpen() const
{
    HWND calendar = reinterpret_cast<HWND>(SendMessageA(FPickerWindow, DTM_GETMONTHCAL, 0, 0));
    return calendar && IsWindowVisible(calendar);
}

void TArrowButton::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (IsWindowEnabled(FPickerWindow)) {
            if (FHot.Set(m.Msg == CM_MOUSEENTER ? 0 : -1)) Invalidate();
        }
        break;
    case WM_MOUSEACTIVATE:
        // The activation that comes before the press may close the calendar.
        FOpenAtPress = CalendarOpen();
        break;
    case WM_LBUTTONDOWN: {
        // A press while the calendar is open closes it, as on the picker's
        // own button; the calendar may already have closed on losing the
        // focus to this press, and a click handed on would open it again.
        const bool wasOpen = FOpenAtPress || CalendarOpen();
        FOpenAtPress = false;
        TCustomControl::WndProc(m);
        if (!wasOpen || CalendarOpen()) {
            // A click on the picker's own button, where the arrow lies.
            const LPARAM at = MAKELPARAM(m.XPos() + Left(), m.YPos() + Top());
            PostMessageA(FPickerWindow, WM_LBUTTONDOWN, m.WParam, at);
            PostMessageA(FPickerWindow, WM_LBUTTONUP, m.WParam, at);
        }
        Invalidate();
        return;
    }
    case WM_LBUTTONUP:
        TCustomControl::WndProc(m);
        // The keyboard goes back to the picker, unless its calendar is open
        // (the calendar has it then, and would close on losing it).
        if (!CalendarOpen()) ::SetFocus(FPickerWindow);
        return;
    default: break;
    }
    TCustomControl::WndProc(m);
}

} // namespace tf
