#include "skin/controls/edits/SkinComBox.h"

#include "skin/controls/scrollbars/ComboxScrollBar.h"
#include "skin/controls/scrollbars/SkinScrollbarH.h"
#include "skin/draw/User32Entries.h"

namespace tf {

const TClassInfo& TSkinComBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinComBox>("TSkinComBox", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinComBox::TSkinComBox(TComponent* owner) : TSkinControl(owner) {}

TSkinComBox::~TSkinComBox()
{
    Destroying();
    RestoreEdit();
    FreeListSkinners();
}

void TSkinComBox::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    if (op != TOperation::opRemove) return;
    if (c == FListBar) FListBar = nullptr;
    if (c == FListScroll) FListScroll = nullptr;
}

bool TSkinComBox::ReadComboInfo()
{
    const TGetComboBoxInfoProc get = User32Entries().GetComboBoxInfo;
    FInfo = COMBOBOXINFO{};
    FInfo.cbSize = sizeof FInfo;
    return get && FHandle && get(FHandle, &FInfo);
}

// ------------------------------------------------------------ attaching

void TSkinComBox::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    if (FAttached) return;
    TSkinControl::Attach(form, data, setColor, canvas);
    if (!FHandle) return;
    FStyle = WindowLong(FHandle, GWL_STYLE);
    // The list skinners belong to the combo box control, as this skinner does.
    if ((FStyle & 3) != CBS_SIMPLE) {
        if ((FStyle & CBS_DROPDOWN) && ReadComboInfo() && FInfo.hwndList) {
            FListWindow = FInfo.hwndList;
            FListBar = new TComboxScrollBar(Owner());
            FListBar->FreeNotification(this);
            FListBar->AttachWindow(FListWindow, data, form, canvas);
        }
        SubclassEdit();
        FListWindow = nullptr;
    } else if (ReadComboInfo() && FInfo.hwndList) {
        FListWindow = FInfo.hwndList;
        if ((GetWindowLongA(FListWindow, GWL_STYLE) & WS_CHILD) && !IsPopupOrDesktopChild(FListWindow)) {
            FListScroll = new TSkinScrollbarH(Owner());
            FListScroll->FreeNotification(this);
            FListScroll->AttachWindow(FListWindow, data, form, canvas);
        }
    }
}

void TSkinComBox::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    TSkinControl::AttachWindow(window, data, form, canvas);
    FStyle = WindowLong(window, GWL_STYLE);
    if ((FStyle & 3) != CBS_SIMPLE) SubclassEdit();
    else if (ReadComboInfo()) FListWindow = FInfo.hwndList;
}

void TSkinComBox::SubclassEdit()
{
    if (FIsUnicode) return;
    FEditWindow = GetWindow(FHandle, GW_CHILD);
    if (!FEditWindow) return;
    FEditThunk.Reset(TWndMethod::Of<&TSkinComBox::EditProc>(this));
    FOldEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(FEditWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FEditThunk.Proc())));
}

void TSkinComBox::RestoreEdit()
{
    if (FEditThunk) {
        // A destroyed edit has nothing to give back, and its handle may be
        // another window's by now.
        if (FEditWindow && IsWindow(FEditWindow)) {
            if (GetWindowLongPtrA(FEditWindow, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FEditThunk.Proc()))
                SetWindowLongPtrA(FEditWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldEditProc));
            else   // another subclass above still calls ours
                PassOnObjectInstance(FEditThunk.Detach(), FEditWindow, FOldEditProc, false);
        }
        FEditThunk.Reset();
    }
    FEditWindow = nullptr;
    FOldEditProc = nullptr;
}

void TSkinComBox::FreeListSkinners()
{
    for (TSkinControl* part : {static_cast<TSkinControl*>(FListScroll), static_cast<TSkinControl*>(FListBar)}) {
        if (!part) continue;
        part->RemoveFreeNotification(this);
        if (FState != TSkinnerState::WindowDestroyed) part->Unskin();
        delete part;
    }
    FListScroll = nullptr;
    FListBar = nullptr;
}

void TSkinComBox::Unskin()
{
    TSkinControl::Unskin();
    RestoreEdit();
    FreeListSkinners();
}

void TSkinComBox::ActiveChanged()
{
    // The list skinners follow the combo's switch.
    TMessage enable{SKM_SKINENABLE, static_cast<WPARAM>(FActive ? 1 : 0), 0, 0};
    if (FListBar) FListBar->SkinWndProc(enable);
    if (FListScroll) FListScroll->SkinWndProc(enable);
}

// ------------------------------------------------------------ messages

void TSkinComBox::EditProc(TMessage& m)
{
    HWND edit = FEditWindow;
    m.Result = CallWindowProcA(FOldEditProc, edit, m.Msg, m.WParam, m.LParam);
    if (m.Msg == WM_NCDESTROY) {
        // Gone with the combo: nothing to put back.
        FEditWindow = nullptr;
        return;
    }
    if (!FActive) return;
    if (m.Msg == WM_PAINT) PaintControl(nullptr);   // the frame again, over what the edit painted
    else TrackPress(m.Msg);
}

bool TSkinComBox::TrackPress(UINT msg)
{
    if (msg != WM_LBUTTONDOWN && msg != WM_LBUTTONDBLCLK && msg != WM_LBUTTONUP) return false;
    SetPressed(msg != WM_LBUTTONUP);
    Refresh();
    return true;
}

void TSkinComBox::ReleasePress()
{
    if (!Pressed()) return;
    SetPressed(false);
    Refresh();
}

int TSkinComBox::HotItemAt(POINT p) const
{
    const bool inside = PtInRect(&FButtonRect, p) != 0;
    const bool enabled = !(WindowLong(FHandle, GWL_STYLE) & WS_DISABLED);
    return inside && enabled ? 0 : -1;
}

void TSkinComBox::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return;
    case WM_DRAWITEM:
    case WM_NCPAINT: Refresh(); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: TrackPress(m.Msg); return;
    case WM_CAPTURECHANGED:
        // A press dragged into the dropped list: the list has the mouse and
        // takes the release, so the combo never sees it.
        ReleasePress();
        return;
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_DROPDOWN: FDroppedDown = true; return;
        case CBN_CLOSEUP:
            FDroppedDown = false;
            ReleasePress();
            return;
        // The focus went into or out of the edit part: the button shows it.
        case CBN_SETFOCUS:
        case CBN_KILLFOCUS: PaintControl(nullptr); return;
        default: return;
        }
    default: TSkinControl::AfterMessage(m); return;
    }
}

} // namespace tf
