// Tab controls: a native "SysTabControl32" under the control's class name.
// TCustomTabControl keeps the row of tabs (Style: tabs, buttons or flat
// buttons; TabIndex the selected one). TPageControl turns each TTabSheet
// placed on it into a page with its caption on a tab: the active page alone
// is shown, filling the control's display area, and clicking a tab shows
// its page.
#pragma once
#include <vector>

#include "ComCtrls.h"

namespace tf {

class TPageControl;

enum TTabStyle : uint8_t { tsTabs, tsButtons, tsFlatButtons };
extern const TEnumInfo TabStyleInfo;
// The side the tabs are on; tabs on the left or right come in several rows.
enum TTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };
extern const TEnumInfo TabPositionInfo;

class TCustomTabControl : public TNativeControl {
    TF_CLASS(TCustomTabControl)
public:
    explicit TCustomTabControl(TComponent* owner);

    TTabStyle Style() const { return FStyle; }
    void SetStyle(TTabStyle value);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition value);
    // The selected tab, -1 for none.
    int TabIndex();
    void SetTabIndex(int value);
    // The area below the tabs, in client coordinates.
    RECT DisplayRect();

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void Notify(NMHDR* header, LRESULT& result) override;
    // A tab was clicked; the default fires OnChange.
    virtual void Change() { OnChange(this); }
    // The tab texts, in order, given to the window.
    void SetTabTexts(const std::vector<std::string>& texts);

private:
    TTabStyle FStyle = tsTabs;
    TTabPosition FTabPosition = tpTop;
    int FTabIndex = -1;
};

// One page of a page control: a container for other controls.
class TTabSheet : public TCustomControl {
    TF_CLASS(TTabSheet)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* value);
    int PageIndex() const;

    void SetParent(TWinControl* parent) override;
    void WndProc(TMessage& m) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
};

class TPageControl : public TCustomTabControl {
    TF_CLASS(TPageControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int index) const { return FPages.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);

    void Loaded() override;
    void WndProc(TMessage& m) override;

protected:
    void CreateWnd() override;
    void Change() override;

private:
    friend class TTabSheet;
    void AddPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    // Tabs from the pages' captions; the active page shown and placed.
    void UpdateTabs();
    void PlacePages();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

} // namespace tf
