// TSkinTrackBar: track bars, drawn through the control's custom-draw
// notifications: the channel (the skin's "Track" or "TRACKVERT" image at its
// own thickness, ends fixed and middle stretched) and the thumb (frame 2 of
// the thumb element's 5, stretched over the thumb) come from the skin; the
// control draws its background and tick marks itself. Nothing is painted
// outside custom draw.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinTrackBar : public TSkinControl {
    TF_CLASS(TSkinTrackBar)
public:
    explicit TSkinTrackBar(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
    void SkinChanged() override;

    // The answer to one custom-draw notification (drawing the channel and
    // the thumb at their item stages).
    LRESULT CustomDraw(NMCUSTOMDRAW& draw);

private:
    void DrawThumb(HDC dc);
    bool DrawChannel(HDC dc);
};

} // namespace tf
