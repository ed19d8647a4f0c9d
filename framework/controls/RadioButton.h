// TRadioButton: a native radio button ("BUTTON", BS_RADIOBUTTON) under the
// class name "TRadioButton". Checking one unchecks the other radio buttons
// of the same parent; becoming checked fires OnClick.
#pragma once
#include "StdCtrls.h"

namespace tf {

class TRadioButton : public TButtonControl {
    TF_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked();
    void SetChecked(bool value);
    // taRightJustify: the text right of the button; taLeftJustify: BS_LEFTTEXT.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    void WndProc(TMessage& m) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

} // namespace tf
