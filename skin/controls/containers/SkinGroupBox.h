// TSkinGroupBox: group boxes and radio groups get a flat frame with curved
// corners in the skin's shadow colour, and their caption on the face colour
// over the frame's top line (8 pixels from the left edge, or from the right
// edge for WS_EX_RIGHT). With a control object (Mode 1) the skinner paints
// the whole box, then the box's window-less children.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinGroupBox : public TSkinControl {
    TF_CLASS(TSkinGroupBox)
public:
    explicit TSkinGroupBox(TComponent* owner);
    ~TSkinGroupBox() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    // A dialog's group box (Mode 0) paints itself first; the frame goes over it.
    TPaintKind PaintKind() const override { return FMode == 1 ? TPaintKind::Whole : TPaintKind::Over; }
};

} // namespace tf
