#include "skin/controls/EditContainerRegistry.h"

#include "skin/controls/containers/SkinAdvPage.h"
#include "skin/controls/containers/SkinBox.h"
#include "skin/controls/containers/SkinBoxH.h"
#include "skin/controls/edits/SkinComBox.h"
#include "skin/controls/edits/SkinDateTime.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/containers/SkinGroupBox.h"
#include "skin/controls/buttons/SkinObjImage.h"
#include "skin/controls/containers/SkinSizer.h"
#include "skin/controls/containers/SkinStatusBar.h"
#include "skin/controls/containers/SkinTabSheet.h"
#include "skin/controls/edits/SkinUpDown.h"
#include "skin/controls/SkinnerRegistry.h"

namespace tf {

namespace {

TSkinControl* MakeComBox(TComponent* owner, const TSkinnerChoice& choice)
{
    auto* s = new TSkinComBox(owner);
    s->SetExtendedMode(choice.ExtendedCombo);
    return s;
}

TSkinControl* MakeObjImage(TComponent* owner, const TSkinnerChoice& choice)
{
    auto* s = new TSkinObjImage(owner);
    s->SetGlyphKind(choice.ObjImageKind);
    return s;
}

TSkinControl* MakeAdvPage(TComponent* owner, const TSkinnerChoice& choice)
{
    auto* s = new TSkinAdvPage(owner);
    s->SetPageMode(choice.Mode);
    return s;
}

} // namespace

void RegisterEditSkinners()
{
    RegisterSkinner(TSkinnerKind::Edit, &MakeSkinner<TSkinEdit>);
    RegisterSkinner(TSkinnerKind::ComBox, &MakeComBox);
    RegisterSkinner(TSkinnerKind::UpDown, &MakeSkinner<TSkinUpDown>);
    RegisterSkinner(TSkinnerKind::DateTime, &MakeSkinner<TSkinDateTime>);
}

void RegisterContainerSkinners()
{
    RegisterSkinner(TSkinnerKind::Box, &MakeSkinner<TSkinBox>);
    RegisterSkinner(TSkinnerKind::BoxH, &MakeSkinner<TSkinBoxH>);
    RegisterSkinner(TSkinnerKind::GroupBox, &MakeSkinner<TSkinGroupBox>);
    RegisterSkinner(TSkinnerKind::ObjImage, &MakeObjImage);
    RegisterSkinner(TSkinnerKind::StatusBar, &MakeSkinner<TSkinStatusBar>);
    RegisterSkinner(TSkinnerKind::TabSheet, &MakeSkinner<TSkinTabSheet>);
    RegisterSkinner(TSkinnerKind::AdvPage, &MakeAdvPage);
    RegisterSkinner(TSkinnerKind::Sizer, &MakeSkinner<TSkinSizer>);
}

} // namespace tf
