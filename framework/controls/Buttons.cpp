#include "Buttons.h"

#include <utility>

#include "Publish.h"
#include "framework/graphics/Bitmap.h"

namespace tf {

const TEnumInfo ButtonLayoutInfo{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

void DrawButtonGlyph(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, int index)
{
    if (glyph.Empty()) return;
    if (numGlyphs < 1) numGlyphs = 1;
    const int w = glyph.Width() / numGlyphs, h = glyph.Height();
    if (w <= 0) return;
    const bool emboss = index == 1 && numGlyphs < 2;
    if (index >= numGlyphs) index = 0;
    TBitmap image(w, h, pf24bit);
    BitBlt(image.Canvas()->Handle(), 0, 0, w, h, glyph.Canvas()->Handle(), index * w, 0, SRCCOPY);
    const COLORREF key = GetPixel(image.Canvas()->Handle(), 0, h - 1);
    if (!emboss) {
        TransparentBlt(dc, x, y, w, h, image.Canvas()->Handle(), 0, 0, w, h, key);
        return;
    }
    // Disabled: the shape (every non-key pixel) in highlight one pixel down
    // and right, then in shadow.
    HDC src = image.Canvas()->Handle();
    TBitmap tinted(w, h, pf24bit);
    HDC t = tinted.Canvas()->Handle();
    constexpr COLORREF hole = RGB(255, 0, 255);
    for (const auto& [d, color] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
        const COLORREF ink = ColorToRGB(color);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) SetPixelV(t, col, row, GetPixel(src, col, row) == key ? hole : ink);
        TransparentBlt(dc, x + d, y + d, w, h, t, 0, 0, w, h, hole);
    }
}

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
