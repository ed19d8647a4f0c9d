// TBitBtn: a push button that also carries a glyph and its layout. It is a
// native push button (the glyph is for whoever paints it, such as a skin).
#pragma once
#include <memory>

#include "StdCtrls.h"

namespace tf {

class TBitmap;

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
extern const TEnumInfo ButtonLayoutInfo;

// Draws image `index` (0-based) of a glyph strip holding numGlyphs images
// side by side at (x, y), its bottom-left colour transparent. An index past
// the strip draws the first image; a disabled look is embossed from it when
// the strip has no disabled image.
void DrawButtonGlyph(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, int index);

class TBitBtn : public TButton {
    TF_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* owner);
    ~TBitBtn() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(TBitmap* value);   // copies
    // How many images the glyph holds side by side (up, disabled, down, held).
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    // Pixels between the edge and the glyph; -1 centres glyph and text.
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    // Pixels between glyph and text; -1 centres the text in what is left.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);

private:
    void GlyphChanged(TObject*);

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonLayout FLayout = blGlyphLeft;
};

} // namespace tf
