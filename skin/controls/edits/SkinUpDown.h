// TSkinUpDown: up-down (spin) buttons drawn from the skin's "UpDown.Vert" or
// "UpDown.Horz" element, or as plain face-coloured boxes with small arrows
// when the skin has none. The control keeps its own press, capture and
// auto-repeat; the skinner only shows the half under the cursor pressed.
// Inside an edit (InEdit, set by TSkinEdit) the buttons stay clear of the
// edit's 3-pixel border ring.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinUpDown : public TSkinControl {
    TF_CLASS(TSkinUpDown)
public:
    explicit TSkinUpDown(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    TPaintKind PaintKind() const override { return TPaintKind::Whole; }

    bool InEdit() const { return FInEdit; }
    void SetInEdit(bool value) { FInEdit = value; }
    // 1 forces side-by-side buttons.
    int Horizontal() const { return FHorizontal; }
    void SetHorizontal(int value) { FHorizontal = value; }

private:
    bool FInEdit = false;
    int FHorizontal = 0;
};

} // namespace tf
