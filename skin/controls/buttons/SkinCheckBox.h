// TSkinCheckBox: check boxes drawn with the skin's check strip (5 frames, or
// 12 in another order), grayed and disabled states included.
#pragma once
#include "skin/controls/buttons/CheckMark.h"

namespace tf {

class TSkinCheckBox : public TSkinCheckMark {
    TF_CLASS(TSkinCheckBox)
public:
    explicit TSkinCheckBox(TComponent* owner);

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

protected:
    TBitmap* Strip() const override;

private:
    int FDataState = 0;   // the last BM_SETCHECK value plus one
};

} // namespace tf
