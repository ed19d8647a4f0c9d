// TSkinScControl: a stand-alone scroll bar control, covered by one overlay
// that draws it from the skin and passes presses to the control (which
// tracks and scrolls as it always does). Hints keep working over the overlay.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TWScrollbar;

class TSkinScControl : public TSkinControl {
    TF_CLASS(TSkinScControl)
public:
    explicit TSkinScControl(TComponent* owner);
    ~TSkinScControl() override;

    void AttachScrollControl(TControl* control, TSkinData* data, TSkinnerHost* form, TCanvas* canvas);
    void Unskin() override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

    TWScrollbar* Bar() const { return FBar; }

protected:
    void ActiveChanged() override;

private:
    TWScrollbar* FBar = nullptr;
};

} // namespace tf
