// TSkinCheckBox: check boxes drawn with the skin's check strip (5 frames, or
// 12 in another order), grayed and disabled states included. With a control
// object and a strip the skinner paints box and caption itself (Mode 1);
// otherwise it draws only the box over the window's own painting (Mode 0),
// and a skin without a strip leaves the system look.
#pragma once
#include "skin/controls/WinSubClass.h"

namespace tf {

class TSkinCheckBox : public TSkinControl {
    TF_CLASS(TSkinCheckBox)
public:
    explicit TSkinCheckBox(TComponent* owner);

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

    bool Transparent() const { return FTransparent; }

private:
    int FDataState = 0;   // the last BM_SETCHECK value plus one
    bool FTransparent = false;
};

} // namespace tf
