// TComboxScrollBar: the vertical scroll bar of a combo box's drop-down list,
// painted from the skin straight into the list's non-client area (all parts
// in their normal frames). A press on the thumb is tracked by the skinner's
// own loop, which scrolls the list as the thumb is dragged; presses elsewhere
// are the list's own.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TComboxScrollBar : public TSkinControl {
    TF_CLASS(TComboxScrollBar)
public:
    explicit TComboxScrollBar(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

    // Drags the thumb when the press (WM_NCLBUTTONDOWN on the vertical bar)
    // is on it; false when it is not (the list scrolls by itself). The drag
    // ends at once when the skinner is freed or switched off, or the list
    // closes or goes, while the loop runs.
    bool TrackListThumb(const TMessage& m);

private:
    int FArrowSize = 0;
};

} // namespace tf
