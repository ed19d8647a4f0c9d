// TSkinProgress: progress bars drawn from the skin's "Progress" element
// (frame 1 the trough, frame 2 the fill, in proportion to the position in
// the range), or with Style 1 as a row of "Progress.Chunk" images (tiled)
// or one stretched chunk. Vertical bars are drawn lying down and rotated,
// so they fill from the bottom. Without the element the bar keeps its own
// look.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TBitmap;

class TSkinProgress : public TSkinControl {
    TF_CLASS(TSkinProgress)
public:
    explicit TSkinProgress(TComponent* owner);

    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    // Without the element the control keeps its own look.
    TPaintKind PaintKind() const override { return HasElement() ? TPaintKind::Whole : TPaintKind::Custom; }

private:
    bool HasElement() const;
    void DrawChunks(TBitmap& work, int pos, int low, int high);
};

} // namespace tf
