// TSkinRadioButton: radio buttons drawn with the skin's radio strip (5
// frames, or 8 in another order).
#pragma once
#include "skin/controls/buttons/CheckMark.h"

namespace tf {

class TSkinRadioButton : public TSkinCheckMark {
    TF_CLASS(TSkinRadioButton)
public:
    explicit TSkinRadioButton(TComponent* owner);

    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

protected:
    TBitmap* Strip() const override;
};

} // namespace tf
