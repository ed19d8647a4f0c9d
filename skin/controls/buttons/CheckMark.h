// TSkinCheckMark: what the check box and radio button skinners share. With
// a control object and the skin's strip the skinner paints box and caption
// itself (Mode 1); otherwise it draws only the box over the window's own
// painting (Mode 0), and without the strip it leaves the system look.
// Transparent (Tag 5555 or xoTransparent): the parent shows under the caption.
#pragma once
#include <windows.h>

#include "skin/controls/SkinControl.h"

namespace tf {

class TBitmap;

class TSkinCheckMark : public TSkinControl {
    TF_CLASS(TSkinCheckMark)
public:
    explicit TSkinCheckMark(TComponent* owner);

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    // A new skin may bring or take away the strip: the mode follows it.
    void SkinChanged() override;
    // Mode 1 paints the whole control.
    TPaintKind PaintKind() const override { return FMode == 1 ? TPaintKind::Whole : TPaintKind::Custom; }

    bool Transparent() const { return FTransparent; }

protected:
    // The skin's strip of box images, or null when the skin has none.
    virtual TBitmap* Strip() const = 0;
    // The box (frame of frameCount) beside the caption; with Mode 1 the face
    // and the caption too. rightInset: how far left of the right edge the
    // box stands when the text is on its left (BS_LEFTTEXT).
    void DrawMark(HDC dc, const RECT& rect, int frameCount, int frame, int rightInset);

    bool FTransparent = false;
};

} // namespace tf
