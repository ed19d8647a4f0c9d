// TSkinRadioButton: radio buttons drawn with the skin's radio strip (5
// frames, or 8 in another order); otherwise as the check box skinner.
#pragma once
#include "skin/controls/WinSubClass.h"

namespace tf {

class TSkinRadioButton : public TSkinControl {
    TF_CLASS(TSkinRadioButton)
public:
    explicit TSkinRadioButton(TComponent* owner);

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

private:
    bool FTransparent = false;
};

} // namespace tf
