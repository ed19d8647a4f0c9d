// TSkinMenuButton: a button with a drop-down arrow: glyph, caption and an
// 8 x 3 arrow laid out from left to right on the skin's button face.
#pragma once
#include "skin/controls/buttons/SkinButton.h"

namespace tf {

class TSkinMenuButton : public TSkinButton {
    TF_CLASS(TSkinMenuButton)
public:
    explicit TSkinMenuButton(TComponent* owner);
    void DrawControl(HDC dc, const RECT& rect) override;
};

} // namespace tf
