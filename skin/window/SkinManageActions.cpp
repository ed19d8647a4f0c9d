// The skin manager's deferred actions: skinning switched on or off, a new
// skin, dead skinners dropped. The skin data components request them; the
// action timer runs them from the message loop.
#include "framework/controls/Forms.h"
#include "framework/controls/Screen.h"
#include "framework/controls/Timer.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"

namespace tf {

namespace {
// forceSkin holds only while a pass skins the screen's forms.
class TForceSkinScope {
public:
    explicit TForceSkinScope(bool& flag) : FFlag(flag) { FFlag = true; }
    ~TForceSkinScope() { FFlag = false; }
    TForceSkinScope(const TForceSkinScope&) = delete;
    TForceSkinScope& operator=(const TForceSkinScope&) = delete;

private:
    bool& FFlag;
};
} // namespace

void TSkinManage::RequestAction(TSkinAction kind, int delayMs)
{
    pendingAction = kind;
    actionTimer->SetInterval(static_cast<unsigned>(delayMs));
    if (runState == TRunState::BeforeActivation) {
        // No window has been activated yet: activation will do the skinning.
        if (kind == TSkinAction::Skin) enabled = true;
        else if (kind == TSkinAction::Unskin) enabled = false;
        return;
    }
    actionTimer->SetEnabled(true);
}

void TSkinManage::ActionTimerTick(TObject*) { RunPendingAction(); }

bool TSkinManage::ActionScheduled() const { return actionTimer && actionTimer->Enabled(); }

int TSkinManage::ActionDelay() const { return actionTimer ? static_cast<int>(actionTimer->Interval()) : 0; }

bool TSkinManage::RunPendingAction()
{
    if (!actionTimer->Enabled()) return false;
    actionTimer->SetEnabled(false);
    TSkinData* data = pendingSkinData;
    if (!data) return false;
    if (data->SkinFormtype() == sfOnlyThisForm) RunActionForOneForm(pendingAction, data);
    else RunActionForAll(pendingAction, data);
    data->FireSkinChanged();
    pendingSkinData = nullptr;
    return true;
}

void TSkinManage::DetachAndFree(TWinSkinForm* skinner)
{
    HWND window = skinner->Window();
    skinner->Detach();
    ::InvalidateRect(window, nullptr, TRUE);
    ::UpdateWindow(window);
    FreeFormSkinner(skinner);
}

void TSkinManage::DropDeadSkinners()
{
    for (size_t i = formSkinners.size(); i-- > 0;)
        if (i < formSkinners.size() && formSkinners[i]->Destroyed()) FreeFormSkinner(formSkinners[i]);
}

void TSkinManage::RunActionForOneForm(TSkinAction action, TSkinData* data)
{
    switch (action) {
    case TSkinAction::Skin: {
        enabled = true;
        TForceSkinScope force(forceSkin);
        if (Screen)
            for (int i = Screen->FormCount() - 1; i >= 0; --i)
                if (Screen->Forms(i) == data->Owner()) {
                    SkinVisibleForm(Screen->Forms(i));
                    break;
                }
        break;
    }
    case TSkinAction::Unskin:
        enabled = false;   // for the whole manager, not only this form
        PurgeFormSkinners();
        for (size_t i = formSkinners.size(); i-- > 0;)
            if (formSkinners[i]->SkinData() == data) {
                DetachAndFree(formSkinners[i]);
                break;
            }
        break;
    case TSkinAction::SkinChanged:
        PurgeFormSkinners();
        for (TWinSkinForm* s : formSkinners)
            if (s->SkinData() == data) {
                s->ReloadFrameMetrics();
                s->ReapplySkin();
                break;
            }
        break;
    case TSkinAction::DropDeadSkinners: DropDeadSkinners(); break;
    default: break;
    }
}

void TSkinManage::RunActionForAll(TSkinAction action, TSkinData* data)
{
    switch (action) {
    case TSkinAction::Skin: {
        enabled = true;
        TForceSkinScope force(forceSkin);
        PurgeFormSkinners();
        if (Screen)
            for (int i = Screen->FormCount() - 1; i >= 0; --i)
                if (i < Screen->FormCount()) SkinVisibleForm(Screen->Forms(i));
        break;
    }
    case TSkinAction::Unskin:
        enabled = false;
        PurgeFormSkinners();
        while (!formSkinners.empty()) DetachAndFree(formSkinners.front());
        break;
    case TSkinAction::SkinChanged: {
        PurgeFormSkinners();
        const std::vector<TWinSkinForm*> skinners = formSkinners;
        for (TWinSkinForm* s : skinners)
            if (s->SkinData() == data) s->ReloadFrameMetrics();
        for (TWinSkinForm* s : skinners)
            if (s->SkinData() == data) s->ReapplySkin();
        break;
    }
    case TSkinAction::DropDeadSkinners: DropDeadSkinners(); break;
    default: break;
    }
}

} // namespace tf
