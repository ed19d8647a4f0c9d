#include "TabControl.h"

#include "Publish.h"

namespace tf {

const TClassInfo& TTabControl::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TTabControl> b("TTabControl", TCustomTabControl::StaticClass());
        b.Object<TStrings>("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs)
            .Int("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex)
            .Enum("Style", TabStyleInfo, &TTabControl::Style, &TTabControl::SetStyle)
            .Enum("TabPosition", TabPositionInfo, &TTabControl::TabPosition, &TTabControl::SetTabPosition);
        PublishWinControlDefaults(b);
        PublishEvent<TNotifyEvent>(b, "OnChange", &TTabControl::OnChange);
        return b.Build();
    }();
    return info;
}

TTabControl::TTabControl(TComponent* owner) : TCustomTabControl(owner), FTabs(std::make_unique<TStringList>())
{
    FTabs->OnChange = TNotifyEvent::Of<&TTabControl::TabsChanged>(this);
}

TTabControl::~TTabControl()
{
    Destroying();
    FTabs->OnChange.Clear();
}

void TTabControl::SetTabs(TStrings* value)
{
    if (value) FTabs->Assign(value);
}

void TTabControl::TabsChanged(TObject*) { FillTabs(); }

void TTabControl::FillTabs()
{
    if (HasState(csLoading) || !HandleAllocated()) return;
    const int index = TabIndex();
    std::vector<std::string> texts;
    for (int i = 0; i < FTabs->Count(); ++i) texts.push_back(FTabs->Get(i));
    SetTabTexts(texts);
    SetTabIndex(index < FTabs->Count() ? index : -1);
}

void TTabControl::CreateWnd()
{
    const int index = TabIndex();
    TCustomTabControl::CreateWnd();
    FillTabs();
    SetTabIndex(index);
}

void TTabControl::DestroyWnd()
{
    TabIndex();   // keeps the selection for the next window
    TCustomTabControl::DestroyWnd();
}

void TTabControl::Loaded()
{
    TCustomTabControl::Loaded();
    FillTabs();
}

} // namespace tf
