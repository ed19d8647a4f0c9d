#include "skin/controls/buttons/SkinMenuButton.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/data/SkinText.h"

namespace tf {

const TClassInfo& TSkinMenuButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinMenuButton>("TSkinMenuButton", TSkinButton::StaticClass()).Build();
    return info;
}

TSkinMenuButton::TSkinMenuButton(TComponent* owner) : TSkinButton(owner) {}

void TSkinMenuButton::DrawControl(HDC dc, const RECT& rect)
{
    if (!ButtonElement()) return;
    const int frame = PrepareFace(rect, false);
    HDC buffer = FBuffer->Canvas()->Handle();
    const int w = FBuffer->Width(), h = FBuffer->Height();
    SelectTextFont(buffer, frame, true);

    auto* glyph = dynamic_cast<TBitmap*>(ReadObjectProperty(FControl, "Glyph"));
    const TLayoutSize glyphSize = glyph && !glyph->Empty() ? TLayoutSize{glyph->Width(), glyph->Height()} : TLayoutSize{};
    FWindowText = ReplaceBars(FWindowText);
    TLayoutSize text;
    if (!FWindowText.empty()) {
        const TLayoutRect area = MenuButtonTextArea({w, h}, glyphSize);
        RECT r{area.Left, area.Top, area.Right, area.Bottom};
        DrawTextWide(buffer, FWindowText, r, DT_CALCRECT | DT_WORDBREAK);
        text = {r.right - r.left, r.bottom - r.top};
    }
    const TMenuButtonLayout layout =
        LayoutMenuButton({w, h}, glyphSize, text, static_cast<int>(ReadIntProperty(FControl, "Margin")),
                         static_cast<int>(ReadIntProperty(FControl, "Spacing")));
    if (glyph && !glyph->Empty()) DrawGlyph(buffer, layout.Glyph.X, layout.Glyph.Y, 1, 1, *glyph);

    // The arrow: a filled triangle pointing down.
    const COLORREF ink = ColorToRGB(frame == bfDisabled ? clBtnShadow : clWindowText);
    const int x = layout.Arrow.X, y = layout.Arrow.Y;
    const POINT corners[] = {{x, y + 2}, {x - 3, y - 1}, {x + 3, y - 1}};
    TBrushHandle brush(CreateSolidBrush(ink));
    TPenHandle pen(CreatePen(PS_SOLID, 1, ink));
    {
        TSelectObject b(buffer, brush.Get());
        TSelectObject p(buffer, pen.Get());
        Polygon(buffer, corners, 3);
    }

    DrawLaidCaption(buffer, layout.Text, text, DT_WORDBREAK, true);
    CopyBuffer(dc, rect);
}

} // namespace tf
