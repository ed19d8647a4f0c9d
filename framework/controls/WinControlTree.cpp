#include "WinControl.h"

#include <algorithm>

#include "Application.h"
#include "ControlAtom.h"
#include "Forms.h"
#include "Screen.h"
#include "WndProcThunk.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

// ------------------------------------------------------------ children

void TWinControl::InsertControl(TControl* control)
{
    if (std::find(FControls.begin(), FControls.end(), control) != FControls.end()) return;
    FControls.push_back(control);
    control->FParent = this;
    auto* win = dynamic_cast<TWinControl*>(control);
    if (win) FTabList.push_back(win);
    control->UpdateParentColor();
    control->UpdateParentFont();
    if (control->FParentShowHint) control->FShowHint = ShowHint();
    if (win) {
        if (FHandle) win->CreateHandle();
    } else {
        control->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(FControls.begin(), FControls.end(), control);
    if (it == FControls.end()) return;
    // Compared by address only: the control may be half destroyed.
    std::erase_if(FTabList, [control](TWinControl* w) { return static_cast<TControl*>(w) == control; });
    if (!control->HasState(csDestroying)) {
        if (auto* win = dynamic_cast<TWinControl*>(control)) win->DestroyHandle();
        else control->InvalidateControl(false);
    }
    it = std::find(FControls.begin(), FControls.end(), control);
    if (it != FControls.end()) FControls.erase(it);
    control->FParent = nullptr;
}

bool TWinControl::ContainsControl(TControl* control) const
{
    for (TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls)
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        const bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
        if (windowed && !allowWinControls) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        const RECT r = c->BoundsRect();
        if (PtInRect(&r, p)) return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage& m)
{
    const std::vector<TControl*> children = FControls;
    for (TControl* c : children) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
        c->WindowProc ? c->WindowProc(m) : c->WndProc(m);
        if (m.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT msg)
{
    TMessage m{msg, 0, 0, 0};
    Broadcast(m);
}

// ------------------------------------------------------------ tab order

int TWinControl::TabOrder() const
{
    if (!FParent) return -1;
    const auto& list = FParent->FTabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value)
{
    if (HasState(csLoading)) FLoadedTabOrder = value;
    MoveInTabList(value);
}

void TWinControl::MoveInTabList(int index)
{
    if (!FParent) return;
    auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    if (index < 0 || index > static_cast<int>(list.size())) index = static_cast<int>(list.size());
    list.insert(list.begin() + index, this);
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    std::vector<TWinControl*> stored;
    for (TWinControl* w : FTabList)
        if (w->FLoadedTabOrder >= 0) stored.push_back(w);
    std::stable_sort(stored.begin(), stored.end(),
                     [](TWinControl* a, TWinControl* b) { return a->FLoadedTabOrder < b->FLoadedTabOrder; });
    for (TWinControl* w : stored) {
        const int v = w->FLoadedTabOrder;
        w->FLoadedTabOrder = -1;
        w->MoveInTabList(v);
    }
}

void TWinControl::SetTabStop(bool value)
{
    if (FTabStop == value) return;
    FTabStop = value;
    if (FHandle) {
        LONG style = GetWindowLongA(FHandle, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongA(FHandle, GWL_STYLE, style);
    }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list)
{
    for (TWinControl* w : FTabList) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent)
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int n = static_cast<int>(list.size());
    if (n == 0) return nullptr;
    const auto it = std::find(list.begin(), list.end(), current);
    int i = it == list.end() ? (goForward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    for (int k = 0; k < n; ++k) {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current) break;
        if ((!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this) && c->CanFocus()) return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool goForward, bool checkTabStop)
{
    if (TWinControl* next = FindNextControl(current, goForward, checkTabStop, !checkTabStop)) next->SetFocus();
}

// ------------------------------------------------------------ focus

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus()
{
    TCustomForm* form = GetParentForm(this);
    for (TControl* c = this; c; c = c->Parent()) {
        if (!c->Visible() || !c->Enabled()) return false;
        if (c == form) break;
    }
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != static_cast<TControl*>(this)) {
        form->FocusControl(this);
        return;
    }
    if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

void TWinControl::DoEnter() { OnEnter(this); }
void TWinControl::DoExit() { OnExit(this); }

void TWinControl::KeyDown(WORD& key, TShiftState shift) { OnKeyDown(this, key, shift); }
void TWinControl::KeyUp(WORD& key, TShiftState shift) { OnKeyUp(this, key, shift); }
void TWinControl::KeyPress(char& key) { OnKeyPress(this, key); }

} // namespace tf
