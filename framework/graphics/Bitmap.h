// TBitmap: a device-independent bitmap (DIB section) with a canvas, or a
// device-dependent one (pfDevice). Changing the pixel format converts the
// pixels. ScanLine(y) addresses row y counted from the top.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GdiHandle.h"
#include "framework/graphics/Graphic.h"

namespace tf {

struct TDibImage;

// pf15bit is 5-5-5, pf16bit 5-6-5; 1, 4 and 8 bits have a colour table.
enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
extern const TEnumInfo PixelFormatInfo;
int BitsPerPixel(TPixelFormat format);   // pfDevice: the screen's

// tmAuto: the transparent colour is the bottom-left pixel; tmFixed: TransparentColor.
enum TTransparentMode : uint8_t { tmAuto, tmFixed };
extern const TEnumInfo TransparentModeInfo;

class TBitmap;

// The canvas of a bitmap: a memory DC with the bitmap selected, made on demand.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
    ~TBitmapCanvas() override;
    // Lets go of the DC (the bitmap is about to change its handle).
    void FreeContext();

protected:
    void CreateHandle() override;

private:
    TBitmap& FBitmap;
    TDCHandle FDC;
    HGDIOBJ FOldBitmap = nullptr;
};

class TBitmap : public TGraphic {
    TF_CLASS(TBitmap)
public:
    TBitmap();
    TBitmap(int32_t width, int32_t height, TPixelFormat format = pf24bit);
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    int32_t Width() const override { return FWidth; }
    int32_t Height() const override { return FHeight; }
    void SetWidth(int32_t width) override { SetSize(width, FHeight); }
    void SetHeight(int32_t height) override { SetSize(FWidth, height); }
    // Keeps the pixels that still fit at the top-left; new area is white
    // (the canvas brush colour when the canvas exists). Negative counts as 0.
    void SetSize(int32_t width, int32_t height);

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Converts the pixels: exact between 24 and 32 bits and the device
    // format; 15/16 bits keep the top 5 (6) bits of a channel; 1, 4 and 8 bits
    // take the nearest colour of their colour table (black and white for 1 bit).
    void SetPixelFormat(TPixelFormat format);
    bool Monochrome() const { return FPixelFormat == pf1bit; }

    // Row y (0 = top) of the pixels in the current format: 3 bytes B, G, R per
    // pixel for pf24bit, 4 (B, G, R, x) for pf32bit, 2 for pf15bit/pf16bit,
    // packed indices for 1, 4 and 8 bits. Raises EInvalidGraphicOperation for
    // rows out of range, empty and pfDevice bitmaps. Drawing is flushed first.
    uint8_t* ScanLine(int32_t y);
    int32_t BytesPerScanLine() const;   // the row pitch (4-byte aligned)

    // The HBITMAP (null while empty); owned by the bitmap.
    HBITMAP Handle();
    bool HandleAllocated() const { return static_cast<bool>(FHandle); }
    // Takes ownership of a DDB or DIB section (null empties the bitmap).
    void SetHandle(HBITMAP h);
    // Gives the handle to the caller; the bitmap is empty afterwards.
    HBITMAP ReleaseHandle();

    TCanvas* Canvas();

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // tmAuto: the colour of the bottom-left pixel (clDefault while empty);
    // tmFixed: the colour set here. Setting it switches to tmFixed.
    TColor TransparentColor();
    void SetTransparentColor(TColor color);

    // A copy of another bitmap's pixels, size, format and transparency
    // (TBitmap source), or of any graphic drawn on a bitmap of its size;
    // null empties the bitmap.
    void Assign(TPersistent* source) override;
    void Draw(TCanvas& canvas, const RECT& rect) override;

    // BMP files of 1, 4, 8, 16, 24 and 32 bits per pixel (uncompressed or
    // bit fields). Invalid or truncated data raises EInvalidGraphic and leaves
    // the bitmap unchanged.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;   // a BMP file; pfDevice as 32 bits
    // A BITMAP resource; a missing one raises EResNotFound naming it.
    void LoadFromResourceName(HINSTANCE instance, const std::string& name);
    void LoadFromResourceID(HINSTANCE instance, int id);

    // Frees the image; the bitmap is empty (format and transparency stay).
    void FreeImage();

private:
    friend class TBitmapCanvas;
    // Replaces the image with a new one of the given size and format; the
    // pixels are undefined (zero) except where the callers copy them.
    void NewImage(int32_t width, int32_t height, TPixelFormat format, const std::vector<RGBQUAD>* palette);
    uint8_t* Row(int32_t y) const;
    void AdoptImage(const TDibImage& image);
    // All pixels as 32-bit B, G, R, x, rows top-down.
    std::vector<uint32_t> ReadPixels32();
    void WritePixels32(const std::vector<uint32_t>& pixels);
    void BeforeHandleChange();

    TBitmapHandle FHandle;
    uint8_t* FBits = nullptr;       // DIB sections only
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    int32_t FStride = 0;
    bool FTopDown = false;
    TPixelFormat FPixelFormat = pf24bit;
    std::vector<RGBQUAD> FPalette;  // colour table of 1, 4 and 8 bits
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

} // namespace tf
