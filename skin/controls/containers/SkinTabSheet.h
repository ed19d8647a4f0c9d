// TSkinTabSheet: the pages of a page control are filled with the skin's
// face colour, with their window-less children painted over it.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinTabSheet : public TSkinControl {
    TF_CLASS(TSkinTabSheet)
public:
    explicit TSkinTabSheet(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
};

} // namespace tf
