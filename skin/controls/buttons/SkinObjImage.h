// TSkinObjImage: other vendors' check boxes and radio buttons draw their own
// glyphs from a strip they publish; this skinner writes a strip made from
// the skin's check or radio glyphs into that property (kind 1 check box and
// 2 radio button: "CustomGlyphs"; kind 3: "Properties"."Glyph"), and again
// when the skin changes. It installs no message handler.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinObjImage : public TSkinControl {
    TF_CLASS(TSkinObjImage)
public:
    explicit TSkinObjImage(TComponent* owner);
    ~TSkinObjImage() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void Unskin() override;
    void SkinChanged() override;

    int GlyphKind() const { return FGlyphKind; }
    void SetGlyphKind(int value) { FGlyphKind = value; }

private:
    void BuildAndAssign();

    int FGlyphKind = 0;
};

} // namespace tf
