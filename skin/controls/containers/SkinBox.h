// TSkinBox: panels, forms, tool bars and navigator bars. It installs no
// message handler: attaching gives the control the skin's face colour (with
// SetColor), skinning off gives its own colour back, and a new skin gives
// the new face colour. Unskin leaves State 2; the form skinner frees it with
// the others.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinBox : public TSkinControl {
    TF_CLASS(TSkinBox)
public:
    explicit TSkinBox(TComponent* owner);
    ~TSkinBox() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& m) override;
};

} // namespace tf
