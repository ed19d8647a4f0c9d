#include "skin/window/FormPopupMenus.h"

#include "framework/controls/Forms.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"

namespace tf {

namespace {

TEarlyPopupMenus* EarlyOf(TCustomForm& form)
{
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* early = dynamic_cast<TEarlyPopupMenus*>(form.Components(i))) return early;
    return nullptr;
}

} // namespace

const TClassInfo& TEarlyPopupMenus::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TEarlyPopupMenus>("TEarlyPopupMenus", TComponent::StaticClass()).Build();
    return info;
}

TEarlyPopupMenus::TEarlyPopupMenus(TCustomForm& owner)
    : TComponent(&owner), form(owner), painter(owner), record(painter)
{
}

TEarlyPopupMenus::~TEarlyPopupMenus()
{
    Destroying();
    record.RestoreAll();
}

TSkinData* TEarlyPopupMenus::TPainter::SkinDataForItems() const
{
    TSkinManage* manager = SkinManage();
    if (!manager || !manager->Enabled() || !form.HandleAllocated()) return nullptr;
    return manager->SelectSkinData(form.WindowHandle());
}

void TEarlyPopupMenus::Apply()
{
    TSkinManage* manager = SkinManage();
    TSkinData* data = manager && manager->Enabled() ? manager->SelectSkinData(form.Handle()) : nullptr;
    if (!data || data->FNoSkin || !data->SkinControls().Contains(xcPopupMenu)) return;
    record.MakePopupMenusOwnerDrawn(&form, data->DisableTag());
}

void TEarlyPopupMenus::GiveBack() { record.RestoreAll(); }

void SkinPopupMenusBeforeForm(TCustomForm& form)
{
    TEarlyPopupMenus* early = EarlyOf(form);
    if (!early) early = new TEarlyPopupMenus(form);
    early->Apply();
}

void GiveBackEarlyPopupMenus(TCustomForm& form)
{
    if (TEarlyPopupMenus* early = EarlyOf(form)) early->GiveBack();
}

} // namespace tf
