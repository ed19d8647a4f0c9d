#include "skin/controls/scrollbars/SkinScControl.h"

#include "framework/controls/WinControl.h"
#include "skin/controls/scrollbars/WScrollbar.h"

namespace tf {

const TClassInfo& TSkinScControl::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinScControl>("TSkinScControl", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinScControl::TSkinScControl(TComponent* owner) : TSkinControl(owner) {}

TSkinScControl::~TSkinScControl()
{
    Destroying();
    delete FBar;
}

void TSkinScControl::AttachScrollControl(TControl* control, TSkinData* data, TSkinnerHost* form, TCanvas* canvas)
{
    auto* win = dynamic_cast<TWinControl*>(control);
    if (FAttached || !win) return;
    FSkinData = data;
    FForm = form;
    FCanvas = canvas;
    FControl = control;
    FHandle = win->Handle();
    FIsUnicode = IsWindowUnicode(FHandle);
    Register();
    FBar = new TWScrollbar(this);
    FBar->SetShowHint(control->ShowHint());
    FBar->SetHint(control->Hint());
    FBar->AttachToControl(this, control, ScrollBarKind::Control);
    // A disabled control's overlay takes no presses either.
    FBar->SetEnabled(control->Enabled());
    if (!control->Visible()) FBar->HideBar();
    FOldWindowProc = control->WindowProc;
    control->WindowProc = TWndMethod::Of<&TSkinControl::SkinWndProc>(this);
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinScControl::ActiveChanged()
{
    if (!FBar) return;
    if (FActive) FBar->UpdatePosition();
    else FBar->HideBar();
}

void TSkinScControl::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (FBar) FBar->UpdatePosition();
        return;
    case WM_NCPAINT:
        if (auto* win = dynamic_cast<TWinControl*>(FControl)) FHandle = win->WindowHandle();
        if (FBar) FBar->UpdatePosition();
        return;
    case SBM_SETSCROLLINFO:
    case CN_VSCROLL:
        if (FBar) FBar->Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        if (FBar) {
            FBar->SetEnabled(FControl->Enabled());
            FBar->Invalidate();
        }
        TSkinControl::AfterMessage(m);
        return;
    case CM_VISIBLECHANGED:
        if (!FBar) return;
        if (m.WParam) FBar->UpdatePosition();
        else FBar->HideBar();
        return;
    default: TSkinControl::AfterMessage(m); return;
    }
}

void TSkinScControl::DrawControl(HDC, const RECT&)
{
    if (FBar) FBar->Invalidate();
}

void TSkinScControl::Unskin()
{
    TSkinControl::Unskin();
    if (FState == TSkinnerState::WindowDestroyed) return;
    delete FBar;
    FBar = nullptr;
}

} // namespace tf
