#include "skin/controls/containers/SkinBox.h"

#include "framework/controls/WinControl.h"

namespace tf {

const TClassInfo& TSkinBox::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinBox>("TSkinBox", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinBox::TSkinBox(TComponent* owner) : TSkinControl(owner) {}

TSkinBox::~TSkinBox()
{
    if (FState != TSkinnerState::Unskinned && SkinsLivingControl()) Unskin();
}

void TSkinBox::Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas)
{
    if (FAttached) return;
    FSetColor = setColor;
    FSkinData = data;
    FCanvas = canvas;
    FControl = dynamic_cast<TControl*>(Owner());
    if (auto* win = dynamic_cast<TWinControl*>(FControl)) FHandle = win->Handle();
    FForm = form;
    Register();
    if (FSetColor) ReplaceColor();
    FAttached = true;
    FState = TSkinnerState::Attached;
}

void TSkinBox::Unskin()
{
    if (FSetColor && FControl) RestoreColor();
    FState = TSkinnerState::Unskinned;
}

void TSkinBox::AfterMessage(TMessage&) {}

} // namespace tf
