// TCanvas: drawing on a device context with a font, brush and pen that are
// selected into the DC only when an operation needs them. A canvas either
// makes its own DC (derived canvases: bitmaps, controls) or is pointed at a
// foreign DC that it never frees.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "framework/core/Object.h"
#include "framework/graphics/BrushPen.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

namespace tf {

class TGraphic;

class TCanvas : public TPersistent {
    TF_CLASS(TCanvas)
public:
    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The DC; a derived canvas makes its own on demand. A plain canvas without
    // a DC raises EInvalidOperation.
    HDC Handle();
    // Points the canvas at dc without owning it (null detaches). The font,
    // brush and pen that the canvas selected into the previous DC are taken
    // out of it again, so the owner of a foreign DC must detach (SetHandle
    // with null) before releasing it.
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    // Serialises drawing from several threads; counted, re-entrant.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TFont* Font() const { return FFont.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    TPen* Pen() const { return FPen.get(); }
    void SetFont(TFont* font) { FFont->Assign(font); }
    void SetBrush(TBrush* brush) { FBrush->Assign(brush); }
    void SetPen(TPen* pen) { FPen->Assign(pen); }

    // The brush selected in the DC right now (the DC owner's brush until the
    // canvas first needs its own). Not owned.
    HBRUSH CurrentBrush();

    // Raster operation of Draw (opaque bitmaps) and CopyRect; SRCCOPY at first.
    DWORD CopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD rop) { FCopyMode = rop; }

    // Text background: TRANSPARENT or OPAQUE. Selecting the brush sets it
    // (a clear brush gives TRANSPARENT, else OPAQUE in the brush colour);
    // this overrides it until the brush changes.
    void SetBkMode(int mode);
    int BkMode();

    POINT PenPos();
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

    void FillRect(const RECT& r);                 // with Brush
    void FillRect(const RECT& r, HBRUSH brush);
    void FrameRect(const RECT& r);                // one-pixel frame with Brush
    void FrameRect(const RECT& r, HBRUSH brush);
    void Rectangle(int x1, int y1, int x2, int y2);   // Pen outline, Brush fill
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polygon(std::span<const POINT> points);
    void Polyline(std::span<const POINT> points);
    void DrawFocusRect(const RECT& r);

    // Text in Font and Font.Color; its cells are filled with the brush colour
    // unless the brush is clear (see SetBkMode).
    void TextOut(int x, int y, const std::string& text);
    void TextOut(int x, int y, const std::wstring& text);
    // Text clipped to r; a non-clear brush fills all of r first.
    void TextRect(const RECT& r, int x, int y, const std::string& text);
    SIZE TextExtent(const std::string& text);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::string& text) { return TextExtent(text).cx; }
    int TextHeight(const std::string& text) { return TextExtent(text).cy; }

    // The graphic at its own size at (x, y), or stretched into r; both honour
    // the graphic's transparency.
    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const RECT& r, TGraphic* graphic);
    // Copies (stretching when sizes differ) source of another canvas with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& sourceCanvas, const RECT& source);

    // -1 (CLR_INVALID) outside the DC's clip region.
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    RECT ClipRect();

protected:
    // Called when a DC is needed and none is set; may call SetHandle.
    virtual void CreateHandle();

    enum : uint32_t { csFontValid = 1, csBrushValid = 2, csPenValid = 4 };
    // Selects what the next operation needs into the DC.
    void RequiredState(uint32_t state);
    // Takes the canvas's objects out of the DC, putting the DC's own back.
    void DeselectHandles();

private:
    void FontChanged(TObject*);
    void BrushChanged(TObject*);
    void PenChanged(TObject*);

    HDC FHandle = nullptr;
    uint32_t FState = 0;
    HGDIOBJ FOldFont = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    HGDIOBJ FOldPen = nullptr;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
    DWORD FCopyMode = SRCCOPY;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};

// Holds a canvas locked for a scope.
class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas& canvas) : FCanvas(canvas) { FCanvas.Lock(); }
    ~TCanvasLock() { FCanvas.Unlock(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas& FCanvas;
};

} // namespace tf
