#include "skin/controls/buttons/ButtonDraw.h"

#include <exception>

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GdiHandle.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/SkinElements.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

void DrawElementFrame(HDC dc, const RECT& rect, int frameCount, int frame, TDataSkinObject& element)
{
    if (rect.right < rect.left || rect.bottom < rect.top || element.Empty()) return;
    DrawElement(dc, rect, *element.Bitmap, element.Margins, frame, frameCount, element.Trans == 1, element.Tile != 0,
                false);
}

void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& strip)
{
    if (rect.right < rect.left || rect.bottom < rect.top) return;
    DrawElementStretched(dc, rect, strip, frame, frameCount, true);
}

void PaintMessage(TSkinControl& skinner, TMessage& m)
{
    HWND window = skinner.Handle();
    const char* failure = nullptr;
    std::string text;
    {
        TPaintDCScope paint(window, reinterpret_cast<HDC>(m.WParam));
        RECT r{0, 0, 0, 0};
        if (GetWindowRect(window, &r)) OffsetRect(&r, -r.left, -r.top);
        try {
            skinner.DrawControl(paint.Get(), r);
        } catch (const std::exception& e) {
            text = e.what();
            failure = text.c_str();
        } catch (...) {
            failure = "unknown failure";
        }
    }
    m.Result = 0;
    if (failure) skinner.ReportFailure(failure);
}

bool PaintWholeControl(TSkinControl& skinner, TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT: PaintMessage(skinner, m); return true;
    case WM_ERASEBKGND: m.Result = 1; return true;
    default: return false;
    }
}

void EraseBackground(TSkinControl& skinner, TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (skinner.Control()) {
        PaintParentBackground(skinner.Control(), dc);
    } else {
        RECT r;
        GetClientRect(skinner.Handle(), &r);
        skinner.FillControlColor(dc, r);
    }
    m.Result = 1;
}

UINT TextFlags(TControl* control, UINT flags)
{
    if (control && ReadEnumLower(control, "BiDiMode") == "bdrighttoleft") flags |= DT_RTLREADING;
    return flags;
}

void DrawGlyph(HDC dc, int x, int y, int numGlyphs, int index, TBitmap& glyph)
{
    if (glyph.Empty()) return;
    if (numGlyphs < 1) numGlyphs = 1;
    std::unique_ptr<TBitmap> disabled;
    TBitmap* source = &glyph;
    int width = glyph.Width() / numGlyphs;
    int left = 0;
    if (index == 2 && numGlyphs == 1) {
        disabled = MakeDisabledGlyph(glyph);
        source = disabled.get();
        width = source->Width();
    } else {
        if (index > numGlyphs || index < 1) index = 1;
        left = (index - 1) * width;
    }
    const int height = source->Height();
    if (width <= 0 || height <= 0) return;
    HDC src = source->Canvas()->Handle();
    const COLORREF key = GetPixel(src, left, height - 1);
    TransparentBlt(dc, x, y, width, height, src, left, 0, width, height, key);
}

TColor ButtonTextColor(const TDataSkinButton& element, int frame, TColor base, bool normalOnly)
{
    if (frame == bfDisabled) return clBtnShadow;
    TColor color = base;
    if (element.HasNormalColour2 && (!normalOnly || frame == bfNormal)) color = element.NormalColour2;
    if (frame == bfHot && element.HasMouseOverColour2) color = element.MouseOverColour2;
    if (frame == bfPressed && element.HasPressedColour2) color = element.PressedColour2;
    return color;
}

std::wstring ReplaceBars(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'|' && i + 1 < text.size() && text[i + 1] == L'|') {
            out += L"\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace tf
