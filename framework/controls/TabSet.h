// TTabSet: the older tab set, a row of tabs along the bottom of a form drawn
// by the control itself, under the class name "TTabSet". Its first owned
// component is a TScroller, a pair of side-by-side arrow buttons at its right
// end, shown while not every tab fits; they move the first visible tab.
// Tabs are laid out from StartMargin, each its text's width plus 9 pixels,
// while they fit before the width less EndMargin; while the scroller shows
// a tab needs 12 pixels more, and a tab that does not fit is passed over.
#pragma once
#include <memory>

#include "GraphicControl.h"

#undef GetObject
#include "framework/core/Strings.h"

namespace tf {

class TTabSet;

class TScroller : public TCustomControl {
    TF_CLASS(TScroller)
public:
    explicit TScroller(TComponent* owner);

    int Min() const { return FMin; }
    int Max() const { return FMax; }
    int Position() const { return FPosition; }
    // Position within [min, max]; fires OnChange when it moves.
    void SetParams(int position, int min, int max);
    // Which arrow is held down: 0 none, 1 left, 2 right.
    int Pressed() const { return FPressed; }

    TNotifyEvent OnChange;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint() override;

private:
    int FMin = 0;
    int FMax = 0;
    int FPosition = 0;
    int FPressed = 0;
};

class TTabSet : public TCustomControl {
    TF_CLASS(TTabSet)
public:
    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStrings* Tabs() const { return FTabs.get(); }
    void SetTabs(TStrings* value);   // copies
    // The selected tab; -1 for none.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int value);
    // The first tab shown.
    int FirstIndex() const { return FFirstIndex; }
    void SetFirstIndex(int value);
    int StartMargin() const { return FStartMargin; }
    void SetStartMargin(int value);
    int EndMargin() const { return FEndMargin; }
    void SetEndMargin(int value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor value);
    TColor UnselectedColor() const { return FUnselectedColor; }
    void SetUnselectedColor(TColor value);
    TScroller* Scroller() const { return FScroller; }

    // The tab at a client point, or -1 (the control's own layout).
    int TabAt(int x, int y);

    TNotifyEvent OnChange;

    void Loaded() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint() override;
    void Resize() override;
    void CreateWnd() override;

private:
    // The tabs' rectangles from FirstIndex while they fit; shows or hides
    // the scroller.
    void Layout();
    void TabsChanged(TObject*);
    void ScrollerChanged(TObject*);

    std::unique_ptr<TStringList> FTabs;
    TScroller* FScroller;
    struct TSlot {
        int Index;
        RECT Rect;
    };
    std::vector<TSlot> FSlots;   // the tabs shown, left to right
    int FTabIndex = -1;
    int FFirstIndex = 0;
    int FStartMargin = 5;
    int FEndMargin = 15;
    TColor FSelectedColor = clBtnFace;
    TColor FUnselectedColor = clWindow;
};

} // namespace tf
