// TSkinTabBtn: page controls whose tabs are buttons (or flat buttons). The
// row of tabs is drawn with the skin's push-button faces, the selected tab
// pressed; the pane below is left to the control.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinTabBtn : public TSkinControl {
    TF_CLASS(TSkinTabBtn)
public:
    explicit TSkinTabBtn(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    // The strip over the control's own painting (the pages' area is the control's).
    TPaintKind PaintKind() const override { return TPaintKind::Over; }
};

} // namespace tf
