#include "skin/controls/media/SkinMP.h"

#include <utility>

#include "framework/controls/Controls.h"
#include "skin/controls/media/WMediaPlayer.h"

namespace tf {

const TClassInfo& TSkinMP::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinMP>("TSkinMP", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinMP::TSkinMP(TComponent* owner) : TSkinControl(owner) {}

// The panel is owned by the skinner, and may go first with its parent.
TSkinMP::~TSkinMP()
{
    Destroying();
}

void TSkinMP::Notification(TComponent* c, TOperation op)
{
    TSkinControl::Notification(c, op);
    if (op == TOperation::opRemove && c == FPanel) FPanel = nullptr;
}

void TSkinMP::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    if (FAttached) return;
    TSkinControl::Attach(form, data, setColor, canvas);
    if (!FControl || !FControl->Parent()) return;
    FPanel = new TWMediaPlayer(this);
    FPanel->FreeNotification(this);
    FPanel->AttachPlayer(FControl, this, data);
    ShowPanel();
}

void TSkinMP::ShowPanel()
{
    if (FPanel && FControl) FPanel->SetVisible(FActive && FControl->Visible());
}

void TSkinMP::Unskin()
{
    TSkinControl::Unskin();
    if (FState == TSkinnerState::WindowDestroyed) return;
    if (TWMediaPlayer* panel = std::exchange(FPanel, nullptr)) panel->Free();
}

void TSkinMP::ActiveChanged()
{
    // While switched off the panel did not follow the player's moves.
    if (FActive && FPanel) FPanel->FollowPlayer();
    ShowPanel();
}

void TSkinMP::SkinChanged()
{
    TSkinControl::SkinChanged();
    if (FPanel) FPanel->Invalidate();
}

void TSkinMP::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
        if (FPanel) FPanel->FollowPlayer();
        break;
    case CM_VISIBLECHANGED: ShowPanel(); break;
    case CM_ENABLEDCHANGED:
    case CM_CHANGED:
        if (FPanel) FPanel->FollowPlayer();
        break;
    default: break;
    }
    TSkinControl::AfterMessage(m);
}

} // namespace tf
