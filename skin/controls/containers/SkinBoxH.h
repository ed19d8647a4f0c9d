// TSkinBoxH: dialog windows and tool bar windows without control objects:
// their background is the skin's face colour, and their static children
// paint on it.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinBoxH : public TSkinControl {
    TF_CLASS(TSkinBoxH)
public:
    explicit TSkinBoxH(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
};

} // namespace tf
