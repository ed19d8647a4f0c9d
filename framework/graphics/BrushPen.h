// TBrush and TPen: fill and line attributes with lazily made handles, owned
// by the object and re-made after a change.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/core/Object.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"

namespace tf {

class TBitmap;

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
extern const TEnumInfo BrushStyleInfo;

class TBrush : public TPersistent {
    TF_CLASS(TBrush)
public:
    TBrush();
    ~TBrush() override;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;

    // Made on first use: a pattern brush of Bitmap when one is set, else a
    // solid, hatched or hollow brush of Color. Owned by the brush.
    HBRUSH Handle();
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }

    TColor Color() const { return FColor; }
    void SetColor(TColor color);   // also turns a clear brush solid
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle style);
    // A pattern bitmap, not owned; it must outlive the brush's use of it.
    // Its pixels are read when the handle is made. Null goes back to Color.
    TBitmap* Bitmap() const { return FBitmap; }
    void SetBitmap(TBitmap* bitmap);

    void Assign(TPersistent* source) override;   // Color, Style, Bitmap

    // Fires after every change; the old handle is deleted after the handlers ran.
    TNotifyEvent OnChange;

private:
    void Changed();

    TBrushHandle FHandle;
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    TBitmap* FBitmap = nullptr;
};

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
extern const TEnumInfo PenStyleInfo;

// Raster operation of the pen (SetROP2): pmCopy is R2_COPYPEN.
enum TPenMode : uint8_t { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
                          pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor };
extern const TEnumInfo PenModeInfo;
int PenModeToROP2(TPenMode mode);

class TPen : public TPersistent {
    TF_CLASS(TPen)
public:
    TPen();
    ~TPen() override;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    HPEN Handle();   // made on first use; owned by the pen
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }

    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t width);   // values below 1 count as 1
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode mode);    // applied by the canvas; not part of the handle

    void Assign(TPersistent* source) override;   // Color, Style, Width, Mode

    TNotifyEvent OnChange;

private:
    void Changed(bool handleAffected);

    TPenHandle FHandle;
    TColor FColor = clBlack;
    TPenStyle FStyle = psSolid;
    int32_t FWidth = 1;
    TPenMode FMode = pmCopy;
};

// A shared 8 x 8 checkerboard of two colours (pixel (x, y) has color1 when x
// and y are both even or both odd, else color2), for dithered pattern brushes
// such as AllocPatternBitmap(clBtnFace, clBtnHighlight). Cached per colour pair
// for the life of the process; the caller never frees it.
TBitmap* AllocPatternBitmap(TColor color1, TColor color2);

} // namespace tf
