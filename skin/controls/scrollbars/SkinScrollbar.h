// TSkinScrollbar: controls with built-in scroll bars (memos, list boxes,
// grids, trees, scroll boxes and every scrollable control of the class
// table). Each bar gets an overlay (WScrollbar.h) that follows the bar as
// the control moves, sizes, shows, hides or scrolls; the control's border is
// drawn in the skin's colours. A grid's FixedColor takes the skin's face
// colour while skinned.
#pragma once
#include "skin/controls/scrollbars/BarPair.h"
#include "skin/controls/SkinControl.h"

namespace tf {

class TWScrollbar;

class TSkinScrollbar : public TSkinControl {
    TF_CLASS(TSkinScrollbar)
public:
    explicit TSkinScrollbar(TComponent* owner);
    ~TSkinScrollbar() override;

    // Skins a control object (its owner) and lays the overlays.
    virtual void AttachScroll(TControl* control, TSkinData* data, TSkinnerHost* form, TCanvas* canvas);
    void Unskin() override;
    bool BeforeMessage(TMessage& m) override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    TWScrollbar* HorzBar() const { return FBars.Horz(); }
    TWScrollbar* VertBar() const { return FBars.Vert(); }
    bool HasBorder() const { return FHasBorder; }

protected:
    void ActiveChanged() override;

private:
    void DrawBorder(HDC dc);

    TBarPair FBars;
    bool FHasBorder = false;
};

} // namespace tf
