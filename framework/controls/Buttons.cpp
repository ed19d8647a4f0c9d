#include "Buttons.h"

#include "Publish.h"
#include "framework/graphics/Bitmap.h"

namespace tf {

const TEnumInfo ButtonLayoutInfo{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

const TClassInfo& TBitBtn::StaticClass()
{
    static const TClassInfo info = [] {
        TClassBuilder<TBitBtn> b("TBitBtn", TButton::StaticClass());
        b.Object<TBitmap>("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph)
            .Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
            .Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
            .Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
            .Enum("Layout", ButtonLayoutInfo, &TBitBtn::Layout, &TBitBtn::SetLayout);
        return b.Build();
    }();
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), FGlyph(std::make_unique<TBitmap>())
{
    FGlyph->OnChange = TNotifyEvent::Of<&TBitBtn::GlyphChanged>(this);
}

TBitBtn::~TBitBtn() { FGlyph->OnChange.Clear(); }

void TBitBtn::SetGlyph(TBitmap* value)
{
    if (value) FGlyph->Assign(value);
    else FGlyph->SetSize(0, 0);
}

void TBitBtn::GlyphChanged(TObject*)
{
    // A strip of square images tells how many glyphs it holds.
    if (!FGlyph->Empty() && FGlyph->Height() > 0 && FGlyph->Width() % FGlyph->Height() == 0) {
        const int n = FGlyph->Width() / FGlyph->Height();
        if (n >= 1 && n <= 4) FNumGlyphs = n;
    }
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int value)
{
    if (value < 1) value = 1;
    if (value > 4) value = 4;
    if (FNumGlyphs == value) return;
    FNumGlyphs = value;
    Invalidate();
}

void TBitBtn::SetMargin(int value)
{
    if (FMargin == value || value < -1) return;
    FMargin = value;
    Invalidate();
}

void TBitBtn::SetSpacing(int value)
{
    if (FSpacing == value) return;
    FSpacing = value;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout value)
{
    if (FLayout == value) return;
    FLayout = value;
    Invalidate();
}

} // namespace tf
