// TSkinBitButton: push buttons with a glyph, laid out with their caption by
// the button layout (ButtonFaces.h). The glyph is the control's "Glyph" (a
// strip of NumGlyphs images) or an image of its "Images" list; with a
// GlyphProperty set it is that graphic property instead (any graphic, drawn
// with its own transparency).
#pragma once
#include <string>

#include "skin/controls/buttons/SkinButton.h"

namespace tf {

class TSkinBitButton : public TSkinButton {
    TF_CLASS(TSkinBitButton)
public:
    explicit TSkinBitButton(TComponent* owner);

    void DrawControl(HDC dc, const RECT& rect) override;

    const std::string& GlyphProperty() const { return FGlyphProperty; }
    void SetGlyphProperty(const std::string& name) { FGlyphProperty = name; }

private:
    std::string FGlyphProperty;
};

} // namespace tf
