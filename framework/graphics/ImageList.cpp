#include "ImageList.h"

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"

namespace tf {

const TClassInfo& TImageList::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TImageList>("TImageList", TComponent::StaticClass())
                                       .Int("Height", &TImageList::Height, &TImageList::SetHeight)
                                       .Bool("ShareImages", &TImageList::ShareImages, &TImageList::SetShareImages)
                                       .Int("Width", &TImageList::Width, &TImageList::SetWidth)
                                       .Build();
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() { FreeHandle(); }

void TImageList::FreeHandle()
{
    if (FShareImages)
        FHandle.Detach();
    else
        FHandle.Reset();
}

HIMAGELIST TImageList::Handle()
{
    if (!FHandle) {
        FHandle.Reset(::ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4));
        if (!FHandle) throw EOutOfResources("Out of system resources (image list)");
    }
    return FHandle.Get();
}

void TImageList::SetHandle(HIMAGELIST list)
{
    if (list == FHandle.Get()) return;
    FreeHandle();
    FHandle.Reset(list);
    int w = 0, h = 0;
    if (list && ::ImageList_GetIconSize(list, &w, &h)) {
        FWidth = w;
        FHeight = h;
    }
    Changed();
}

void TImageList::SetSize(int32_t width, int32_t height)
{
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    if (width == FWidth && height == FHeight) return;
    FreeHandle();
    FWidth = width;
    FHeight = height;
    Changed();
}

int TImageList::Count() { return FHandle ? ::ImageList_GetImageCount(FHandle.Get()) : 0; }

int TImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (!image || image->Empty()) return -1;
    // The system list wants bitmaps that no DC holds: work on copies.
    TBitmap img, msk;
    img.Assign(image);
    if (mask) msk.Assign(mask);
    const int index = ::ImageList_Add(Handle(), img.Handle(), mask ? msk.Handle() : nullptr);
    Changed();
    return index;
}

int TImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!image || image->Empty()) return -1;
    TBitmap img;   // ImageList_AddMasked blackens the masked pixels of its argument
    img.Assign(image);
    const int index = ::ImageList_AddMasked(Handle(), img.Handle(), ColorToRGB(maskColor));
    Changed();
    return index;
}

int TImageList::AddIcon(TIcon* icon)
{
    if (!icon || icon->Empty()) return -1;
    const int index = ::ImageList_ReplaceIcon(Handle(), -1, icon->Handle());
    Changed();
    return index;
}

void TImageList::Delete(int index)
{
    if (!FHandle || index < 0 || index >= Count()) return;
    ::ImageList_Remove(FHandle.Get(), index);
    Changed();
}

void TImageList::Clear()
{
    if (FHandle) ::ImageList_Remove(FHandle.Get(), -1);
    Changed();
}

void TImageList::LoadFromResourceName(HINSTANCE instance, const std::string& name, int32_t width, TColor maskColor)
{
    TBitmap bmp;
    bmp.LoadFromResourceName(instance, name);
    FreeHandle();
    FWidth = width < 1 ? 1 : width;
    FHeight = bmp.Height();
    AddMasked(&bmp, maskColor);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled)
{
    if (!FHandle || index < 0 || index >= Count()) return;
    DrawList(FHandle.Get(), canvas.Handle(), x, y, index, enabled);
}

void TImageList::DrawList(HIMAGELIST list, HDC dc, int x, int y, int index, bool enabled)
{
    if (!list || index < 0 || index >= ::ImageList_GetImageCount(list)) return;
    if (enabled) {
        ::ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
        return;
    }
    int w = 0, h = 0;
    ::ImageList_GetIconSize(list, &w, &h);
    if (w <= 0 || h <= 0) return;
    // The image on white; every pixel that is not white is ink.
    TBitmap work(w, h, pf24bit);
    work.Canvas()->Brush()->SetColor(clWhite);
    work.Canvas()->FillRect(RECT{0, 0, w, h});
    ::ImageList_DrawEx(list, index, work.Canvas()->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    const int monoStride = ((w + 15) / 16) * 2;   // CreateBitmap rows are word aligned
    std::vector<uint8_t> bits(static_cast<size_t>(monoStride) * h, 0);
    for (int yy = 0; yy < h; ++yy) {
        const uint8_t* row = work.ScanLine(yy);
        for (int xx = 0; xx < w; ++xx)
            if (row[3 * xx] != 0xFF || row[3 * xx + 1] != 0xFF || row[3 * xx + 2] != 0xFF)
                bits[static_cast<size_t>(yy) * monoStride + xx / 8] |= static_cast<uint8_t>(0x80 >> (xx % 8));
    }
    TBitmapHandle mono(::CreateBitmap(w, h, 1, 1, bits.data()));
    TDCHandle monoDC(::CreateCompatibleDC(dc));
    if (!mono || !monoDC) return;
    TSelectObject selMono(monoDC.Get(), mono.Get());
    // Ink (1 bits) expands to white and takes the brush; the rest keeps the target.
    const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
    constexpr DWORD DSPDxax = 0x00E20746;
    {
        TBrushHandle highlight(::CreateSolidBrush(ColorToRGB(clBtnHighlight)));
        TSelectObject sel(dc, highlight.Get());
        ::BitBlt(dc, x + 1, y + 1, w, h, monoDC.Get(), 0, 0, DSPDxax);
    }
    {
        TBrushHandle shadow(::CreateSolidBrush(ColorToRGB(clBtnShadow)));
        TSelectObject sel(dc, shadow.Get());
        ::BitBlt(dc, x, y, w, h, monoDC.Get(), 0, 0, DSPDxax);
    }
    ::SetTextColor(dc, oldText);
    ::SetBkColor(dc, oldBk);
}

void TImageList::GetBitmap(int index, TBitmap& dest)
{
    dest.SetPixelFormat(pf24bit);
    dest.SetSize(FWidth, FHeight);
    dest.Canvas()->Brush()->SetColor(clWhite);
    dest.Canvas()->FillRect(RECT{0, 0, FWidth, FHeight});
    Draw(*dest.Canvas(), 0, 0, index, true);
}

} // namespace tf
