#include "skin/controls/tabbars/SkinProgress.h"

#include <commctrl.h>

#include "framework/graphics/Bitmap.h"
#include "skin/controls/tabbars/BarGeometry.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

const TClassInfo& TSkinProgress::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSkinProgress>("TSkinProgress", TSkinControl::StaticClass()).Build();
    return info;
}

TSkinProgress::TSkinProgress(TComponent* owner) : TSkinControl(owner) {}

bool TSkinProgress::HasElement() const
{
    return FSkinData && FSkinData->SkinProgress && !FSkinData->SkinProgress->Empty();
}

bool TSkinProgress::BeforeMessage(TMessage& m)
{
    return TSkinControl::BeforeMessage(m);
}

void TSkinProgress::DrawControl(HDC dc, const RECT& rect)
{
    if (!HasElement() || !FHandle) return;
    const TDataSkinBorder& element = *FSkinData->SkinProgress;
    const bool vertical = WindowLong(FHandle, GWL_STYLE) & PBS_VERTICAL;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    // Vertical bars lie down while they are drawn.
    const int bw = vertical ? h : w, bh = vertical ? w : h;
    TBitmap work(bw, bh, pf24bit);
    HDC wdc = work.Canvas()->Handle();
    FillFace(wdc, RECT{0, 0, bw, bh});
    const int pos = static_cast<int>(SendMessageA(FHandle, PBM_GETPOS, 0, 0));
    const int high = static_cast<int>(SendMessageA(FHandle, PBM_GETRANGE, FALSE, 0));
    const int low = static_cast<int>(SendMessageA(FHandle, PBM_GETRANGE, TRUE, 0));
    if (element.Style == 1) {
        DrawChunks(work, pos, low, high);
    } else {
        const bool tile = element.Tile != 0;
        DrawElement(wdc, RECT{0, 0, bw, bh}, *element.Bitmap, element.Margins, 1, 2, true, tile, false);
        const int fill = ProgressFill(bw, pos, low, high);
        if (fill > 0) DrawElement(wdc, RECT{0, 0, fill, bh}, *element.Bitmap, element.Margins, 2, 2, true, tile, false);
    }
    if (vertical) RotateLeft(work);
    BitBlt(dc, rect.left, rect.top, w, h, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawChunks(TBitmap& work, int pos, int low, int high)
{
    const TDataSkinBorder& element = *FSkinData->SkinProgress;
    TDataSkinObject* chunk = FSkinData->SkinProgressChunk.get();
    if (!chunk || chunk->Empty()) return;
    HDC wdc = work.Canvas()->Handle();
    const int bw = work.Width(), bh = work.Height();
    DrawElement(wdc, RECT{0, 0, bw, bh}, *element.Bitmap, element.Margins, 1, 1, true, false, false);

    const int frames = UsableFrameCount(chunk->FrameCount);
    const int cw = chunk->FrameWidth(), ch = chunk->Bitmap->Height();
    const bool tiled = chunk->Tile == 1;
    const TChunkLayout layout = ProgressChunks({bw, bh}, element.Margins.left, {cw, ch}, tiled, pos, low, high);
    const TLayoutRect& s = layout.Strip;
    const int sw = s.Right - s.Left, sh = s.Bottom - s.Top;
    if (sw <= 0 || sh <= 0) return;
    TBitmap strip(sw, sh, pf24bit);
    HDC sdc = strip.Canvas()->Handle();
    if (tiled) {
        for (int k = 0; k < layout.Count; ++k)
            BitBlt(sdc, k * cw, 0, cw, ch, chunk->Bitmap->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else {
        DrawThreeSlice(sdc, RECT{0, 0, sw, sh}, *chunk->Bitmap, chunk->Margins, 1, frames, false);
    }
    const RECT target{s.Left, s.Top, s.Right, s.Bottom};
    if (chunk->Trans == 1) DrawTransparent(wdc, target, strip, clSkinKey);
    else BitBlt(wdc, s.Left, s.Top, sw, sh, sdc, 0, 0, SRCCOPY);
}

} // namespace tf
