#include "BrushPen.h"

#include "framework/graphics/Bitmap.h"

namespace tf {

const TEnumInfo BrushStyleInfo{"TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                               "bsBDiagonal", "bsCross", "bsDiagCross"}};
const TEnumInfo PenStyleInfo{"TPenStyle",
                             {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"}};
const TEnumInfo PenModeInfo{"TPenMode",
                            {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                             "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask",
                             "pmNotMask", "pmXor", "pmNotXor"}};

// ---------------------------------------------------------------- TBrush

const TClassInfo& TBrush::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush", TPersistent::StaticClass())
                                       .Int("Color", &TBrush::Color, &TBrush::SetColor)
                                       .Enum("Style", BrushStyleInfo, &TBrush::Style, &TBrush::SetStyle)
                                       .Build();
    return info;
}

TBrush::TBrush() { RegisterColorIdents(); }
TBrush::~TBrush() = default;

HBRUSH TBrush::Handle()
{
    if (!FHandle) {
        HBRUSH h = nullptr;
        if (FBitmap && !FBitmap->Empty()) {
            h = ::CreatePatternBrush(FBitmap->Handle());
        } else {
            LOGBRUSH lb{};
            lb.lbColor = ColorToRGB(FColor);
            switch (FStyle) {
            case bsSolid: lb.lbStyle = BS_SOLID; break;
            case bsClear: lb.lbStyle = BS_HOLLOW; break;
            default:
                lb.lbStyle = BS_HATCHED;
                lb.lbHatch = FStyle - bsHorizontal;   // HS_HORIZONTAL .. HS_DIAGCROSS
                break;
            }
            h = ::CreateBrushIndirect(&lb);
        }
        if (!h) throw EOutOfResources("Out of system resources (brush)");
        FHandle.Reset(h);
    }
    return FHandle.Get();
}

void TBrush::Changed()
{
    TBrushHandle old(FHandle.Detach());
    OnChange(this);
}

void TBrush::SetColor(TColor color)
{
    if (color == FColor && FStyle != bsClear) return;
    FColor = color;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap)
{
    if (bitmap == FBitmap) return;
    FBitmap = bitmap;
    Changed();
}

void TBrush::Assign(TPersistent* source)
{
    if (auto* b = dynamic_cast<TBrush*>(source)) {
        if (b == this) return;
        FColor = b->FColor;
        FStyle = b->FStyle;
        FBitmap = b->FBitmap;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// ---------------------------------------------------------------- TPen

const TClassInfo& TPen::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TPen>("TPen", TPersistent::StaticClass())
                                       .Int("Color", &TPen::Color, &TPen::SetColor)
                                       .Enum("Mode", PenModeInfo, &TPen::Mode, &TPen::SetMode)
                                       .Enum("Style", PenStyleInfo, &TPen::Style, &TPen::SetStyle)
                                       .Int("Width", &TPen::Width, &TPen::SetWidth)
                                       .Build();
    return info;
}

int PenModeToROP2(TPenMode mode)
{
    static const int rop2[] = {R2_BLACK,       R2_WHITE,       R2_NOP,        R2_NOT,         R2_COPYPEN,  R2_NOTCOPYPEN,
                               R2_MERGEPENNOT, R2_MASKPENNOT,  R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN,  R2_XORPEN,     R2_NOTXORPEN};
    return mode <= pmNotXor ? rop2[mode] : R2_COPYPEN;
}

TPen::TPen() { RegisterColorIdents(); }
TPen::~TPen() = default;

HPEN TPen::Handle()
{
    if (!FHandle) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        HPEN h = ::CreatePen(styles[FStyle], FWidth, ColorToRGB(FColor));
        if (!h) throw EOutOfResources("Out of system resources (pen)");
        FHandle.Reset(h);
    }
    return FHandle.Get();
}

void TPen::Changed(bool handleAffected)
{
    TPenHandle old;
    if (handleAffected) old.Reset(FHandle.Detach());
    OnChange(this);
}

void TPen::SetColor(TColor color)
{
    if (color == FColor) return;
    FColor = color;
    Changed(true);
}

void TPen::SetStyle(TPenStyle style)
{
    if (style == FStyle || style > psInsideFrame) return;
    FStyle = style;
    Changed(true);
}

void TPen::SetWidth(int32_t width)
{
    if (width < 1) width = 1;
    if (width == FWidth) return;
    FWidth = width;
    Changed(true);
}

void TPen::SetMode(TPenMode mode)
{
    if (mode == FMode || mode > pmNotXor) return;
    FMode = mode;
    Changed(false);
}

void TPen::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TPen*>(source)) {
        if (p == this) return;
        FColor = p->FColor;
        FStyle = p->FStyle;
        FWidth = p->FWidth;
        FMode = p->FMode;
        Changed(true);
        return;
    }
    TPersistent::Assign(source);
}

} // namespace tf
