#include "skin/controls/buttons/SkinBitButton.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/data/WinSkinData.h"

namespace tf {

const TClassInfo& TSkinBitButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinBitButton>("TSkinBitButton", TSkinButton::StaticClass()).Build();
    return info;
}

TSkinBitButton::TSkinBitButton(TComponent* owner) : TSkinButton(owner) {}

void TSkinBitButton::DrawControl(HDC dc, const RECT& rect)
{
    if (!ButtonElement() || ReadEnumLower(FControl, "Visible") == "false") return;
    const bool graphic = !FGlyphProperty.empty();
    // A graphic glyph shows the focus frame only for the focus, not for Default.
    const int frame = PrepareFace(rect, !graphic);
    HDC buffer = FBuffer->Canvas()->Handle();
    const int w = FBuffer->Width(), h = FBuffer->Height();
    SelectTextFont(buffer, frame, graphic);

    auto* glyph = dynamic_cast<TBitmap*>(ReadObjectProperty(FControl, "Glyph"));
    auto* images = graphic ? nullptr : dynamic_cast<TImageList*>(ReadObjectProperty(FControl, "Images"));
    auto* picture = graphic ? dynamic_cast<TGraphic*>(ReadObjectProperty(FControl, FGlyphProperty)) : nullptr;
    int numGlyphs = static_cast<int>(ReadIntProperty(FControl, "NumGlyphs"));
    if (numGlyphs < 1) numGlyphs = 1;
    const int imageIndex = graphic ? -1 : static_cast<int>(ReadIntProperty(FControl, "ImageIndex"));
    const int disabledIndex = graphic ? -1 : static_cast<int>(ReadIntProperty(FControl, "DisabledIndex"));

    TLayoutSize glyphSize;
    if (graphic) {
        if (picture && !picture->Empty()) glyphSize = {picture->Width(), picture->Height()};
    } else if (glyph && !glyph->Empty()) {
        glyphSize = {glyph->Width() / numGlyphs, glyph->Height()};
    } else if (images && imageIndex != -1) {
        glyphSize = {images->Width(), images->Height()};
    }

    TButtonLayoutInput in = LayoutInputOf(w, h, glyphSize);
    in.Centred = ReadEnumLower(FControl, "Alignment") == "tacenter";
    const TGlyphTextLayout layout = LayOut(buffer, in);

    if (graphic) {
        if (picture && !picture->Empty())
            picture->Draw(*FBuffer->Canvas(), RECT{layout.Glyph.X, layout.Glyph.Y, layout.Glyph.X + glyphSize.Width,
                                                    layout.Glyph.Y + glyphSize.Height});
    } else if (glyph && !glyph->Empty()) {
        DrawGlyph(buffer, layout.Glyph.X, layout.Glyph.Y, numGlyphs, BitButtonGlyphImage(!FEnabled, Pressed()), *glyph);
    } else if (images) {
        const int index = FEnabled ? imageIndex : (disabledIndex != -1 ? disabledIndex : imageIndex);
        if (index != -1) TImageList::DrawList(images->Handle(), buffer, layout.Glyph.X, layout.Glyph.Y, index, FEnabled);
    }

    DrawLaidCaption(buffer, layout.Text, in.Text, layout.Flags, true);
    CopyBuffer(dc, rect);
}

} // namespace tf
