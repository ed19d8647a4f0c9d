// TTabControl: a row of tabs over one display area ("TTabControl"), the tabs
// named by Tabs; the controls placed on it stay whichever tab is selected
// (the program shows what a tab stands for in OnChange).
#pragma once
#include <memory>

#include "PageControl.h"

#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

class TTabControl : public TCustomTabControl {
    TF_CLASS(TTabControl)
public:
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;

    TStrings* Tabs() const { return FTabs.get(); }
    void SetTabs(TStrings* value);   // copies
    // The selected tab, kept while the window is made anew.
    int TabIndex() { return TCustomTabControl::TabIndex(); }
    void SetTabIndex(int value) { TCustomTabControl::SetTabIndex(value); }

    void Loaded() override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    void TabsChanged(TObject*);
    void FillTabs();

    std::unique_ptr<TStringList> FTabs;
};

} // namespace tf
