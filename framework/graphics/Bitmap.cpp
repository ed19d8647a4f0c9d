#include "Bitmap.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Streams.h"
#include "framework/graphics/BmpReader.h"

namespace tf {

const TEnumInfo PixelFormatInfo{"TPixelFormat",
                                {"pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit", "pf24bit", "pf32bit"}};
const TEnumInfo TransparentModeInfo{"TTransparentMode", {"tmAuto", "tmFixed"}};

const TClassInfo& TBitmap::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBitmap>("TBitmap", TGraphic::StaticClass())
            .Enum("PixelFormat", PixelFormatInfo, &TBitmap::PixelFormat, &TBitmap::SetPixelFormat)
            .Int("TransparentColor", &TBitmap::TransparentColor, &TBitmap::SetTransparentColor)
            .Enum("TransparentMode", TransparentModeInfo, &TBitmap::TransparentMode, &TBitmap::SetTransparentMode)
            .Build();
    return info;
}

namespace {

// 0x00BBGGRR colour <-> 32-bit DIB pixel (B, G, R, x in memory).
uint32_t ColorToPixel(uint32_t c) { return ((c >> 16) & 0xFF) | (c & 0xFF00) | ((c & 0xFF) << 16); }
RGBQUAD Quad(uint32_t c) { return RGBQUAD{static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c), 0}; }

std::vector<RGBQUAD> DefaultPalette(TPixelFormat format)
{
    std::vector<RGBQUAD> p;
    static const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                     0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    switch (format) {
    case pf1bit: p = {Quad(0x000000), Quad(0xFFFFFF)}; break;
    case pf4bit:
        for (uint32_t c : vga) p.push_back(Quad(c));   // written as 0xRRGGBB
        break;
    case pf8bit:
        for (uint32_t c : vga) p.push_back(Quad(c));
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(RGBQUAD{static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 51), static_cast<BYTE>(r * 51), 0});
        for (int i = 0; p.size() < 256; ++i) {
            const BYTE v = static_cast<BYTE>(8 + i * 10);
            p.push_back(RGBQUAD{v, v, v, 0});
        }
        break;
    default: break;
    }
    return p;
}

// The header GetDIBits and SetDIBits use to pass the pixels as top-down 32-bit rows.
BITMAPINFO TopDown32Info(int32_t width, int32_t height)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

int NearestIndex(const std::vector<RGBQUAD>& palette, uint32_t pixel)
{
    const int b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
    int best = 0, bestDist = INT32_MAX;
    for (size_t i = 0; i < palette.size(); ++i) {
        const int db = palette[i].rgbBlue - b, dg = palette[i].rgbGreen - g, dr = palette[i].rgbRed - r;
        const int d = db * db + dg * dg + dr * dr;
        if (d < bestDist) {
            bestDist = d;
            best = static_cast<int>(i);
            if (d == 0) break;
        }
    }
    return best;
}

TPixelFormat FormatOfBits(int bitCount, bool rgb565)
{
    switch (bitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 16: return rgb565 ? pf16bit : pf15bit;
    case 24: return pf24bit;
    default: return pf32bit;
    }
}

// Whether a DIB section's first memory row is its top row. Some systems report
// a positive height for top-down sections, so when the header does not say,
// the first byte is changed for a moment to see which row it belongs to.
bool IsTopDownDib(HBITMAP h, const DIBSECTION& ds)
{
    if (ds.dsBmih.biHeight < 0) return true;
    const int height = ds.dsBm.bmHeight;
    if (height <= 1) return false;
    auto* first = static_cast<uint8_t*>(ds.dsBm.bmBits);
    TDCHandle dc(::CreateCompatibleDC(nullptr));
    TSelectObject sel(dc.Get(), h);
    ::GdiFlush();
    const COLORREF top = ::GetPixel(dc.Get(), 0, 0), bottom = ::GetPixel(dc.Get(), 0, height - 1);
    const uint8_t saved = *first;
    bool topDown = false;
    for (int v = 0; v < 256; ++v) {
        if (v == saved) continue;
        *first = static_cast<uint8_t>(v);
        if (::GetPixel(dc.Get(), 0, 0) != top) {
            topDown = true;
            break;
        }
        if (::GetPixel(dc.Get(), 0, height - 1) != bottom) break;
    }
    *first = saved;
    return topDown;
}

} // namespace

int BitsPerPixel(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: {
        TScreenDC dc;
        return ::GetDeviceCaps(dc.Get(), BITSPIXEL) * ::GetDeviceCaps(dc.Get(), PLANES);
    }
    }
}

// ---------------------------------------------------------------- TBitmapCanvas

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle()
{
    TDCHandle dc(::CreateCompatibleDC(nullptr));
    if (!dc) throw EOutOfResources("Out of system resources (device context)");
    HBITMAP bmp = FBitmap.Handle();
    FOldBitmap = bmp ? ::SelectObject(dc.Get(), bmp) : nullptr;
    FDC = std::move(dc);
    SetHandle(FDC.Get());
}

void TBitmapCanvas::FreeContext()
{
    if (!FDC) return;
    SetHandle(nullptr);
    if (FOldBitmap) ::SelectObject(FDC.Get(), FOldBitmap);
    FOldBitmap = nullptr;
    FDC.Reset();
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap() { RegisterColorIdents(); }

TBitmap::TBitmap(int32_t width, int32_t height, TPixelFormat format) : TBitmap()
{
    FPixelFormat = format;
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    FCanvas.reset();   // the DC lets go of the bitmap before it is deleted
}

void TBitmap::BeforeHandleChange()
{
    if (FCanvas) FCanvas->FreeContext();
}

uint8_t* TBitmap::Row(int32_t y) const { return FBits + static_cast<ptrdiff_t>(FTopDown ? y : FHeight - 1 - y) * FStride; }

void TBitmap::NewImage(int32_t width, int32_t height, TPixelFormat format, const std::vector<RGBQUAD>* palette)
{
    BeforeHandleChange();
    FHandle.Reset();
    FBits = nullptr;
    FStride = 0;
    FTopDown = false;
    FPixelFormat = format;
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FPalette = palette ? *palette : DefaultPalette(format);
    if (FWidth == 0 || FHeight == 0) return;

    if (format == pfDevice) {
        TScreenDC screen;
        FHandle.Reset(::CreateCompatibleBitmap(screen.Get(), FWidth, FHeight));
    } else {
        struct {
            BITMAPINFOHEADER h;
            RGBQUAD colors[256];
        } bi{};
        bi.h.biSize = sizeof(BITMAPINFOHEADER);
        bi.h.biWidth = FWidth;
        bi.h.biHeight = FHeight;
        bi.h.biPlanes = 1;
        bi.h.biBitCount = static_cast<WORD>(BitsPerPixel(format));
        bi.h.biCompression = BI_RGB;
        if (format == pf16bit) {
            bi.h.biCompression = BI_BITFIELDS;
            const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
            std::memcpy(bi.colors, masks, sizeof masks);
        }
        if (!FPalette.empty()) {
            bi.h.biClrUsed = static_cast<DWORD>(std::min<size_t>(FPalette.size(), 256));
            std::copy_n(FPalette.begin(), bi.h.biClrUsed, bi.colors);
        }
        void* bits = nullptr;
        FHandle.Reset(::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0));
        FBits = static_cast<uint8_t*>(bits);
        FStride = ((FWidth * bi.h.biBitCount + 31) / 32) * 4;
    }
    if (!FHandle) {
        FWidth = FHeight = 0;
        FBits = nullptr;
        throw EOutOfResources(Format("Out of system resources (bitmap %d x %d)", width, height));
    }
}

std::vector<uint32_t> TBitmap::ReadPixels32()
{
    std::vector<uint32_t> px(static_cast<size_t>(FWidth) * FHeight);
    if (px.empty()) return px;
    BeforeHandleChange();
    ::GdiFlush();
    BITMAPINFO bi = TopDown32Info(FWidth, FHeight);
    TScreenDC screen;
    if (::GetDIBits(screen.Get(), FHandle.Get(), 0, FHeight, px.data(), &bi, DIB_RGB_COLORS) != FHeight)
        throw EInvalidGraphicOperation("Cannot read the bitmap's pixels");
    for (uint32_t& p : px) p &= 0xFFFFFF;
    return px;
}

void TBitmap::WritePixels32(const std::vector<uint32_t>& px)
{
    if (FWidth == 0 || FHeight == 0) return;
    if (!FBits) {
        BeforeHandleChange();
        BITMAPINFO bi = TopDown32Info(FWidth, FHeight);
        TScreenDC screen;
        ::SetDIBits(screen.Get(), FHandle.Get(), 0, FHeight, px.data(), &bi, DIB_RGB_COLORS);
        return;
    }
    ::GdiFlush();
    const int bpp = BitsPerPixel(FPixelFormat);
    for (int32_t y = 0; y < FHeight; ++y) {
        uint8_t* d = Row(y);
        const uint32_t* s = px.data() + static_cast<size_t>(y) * FWidth;
        if (bpp <= 8) std::memset(d, 0, static_cast<size_t>(FStride));
        for (int32_t x = 0; x < FWidth; ++x) {
            const uint32_t p = s[x];
            const uint32_t b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
            switch (FPixelFormat) {
            case pf32bit:
                d[4 * x] = static_cast<uint8_t>(b), d[4 * x + 1] = static_cast<uint8_t>(g);
                d[4 * x + 2] = static_cast<uint8_t>(r), d[4 * x + 3] = 0;
                break;
            case pf24bit:
                d[3 * x] = static_cast<uint8_t>(b), d[3 * x + 1] = static_cast<uint8_t>(g), d[3 * x + 2] = static_cast<uint8_t>(r);
                break;
            case pf16bit: {
                const uint16_t v = static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
                std::memcpy(d + 2 * x, &v, 2);
                break;
            }
            case pf15bit: {
                const uint16_t v = static_cast<uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
                std::memcpy(d + 2 * x, &v, 2);
                break;
            }
            default: {
                const unsigned index = static_cast<unsigned>(NearestIndex(FPalette, p));
                const int perByte = 8 / bpp;
                const int shift = (perByte - 1 - x % perByte) * bpp;
                d[x / perByte] |= static_cast<uint8_t>(index << shift);
                break;
            }
            }
        }
    }
}

void TBitmap::SetSize(int32_t width, int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    std::vector<uint32_t> old = ReadPixels32();
    const int32_t oldW = FWidth, oldH = FHeight;
    uint32_t fill = 0xFFFFFF;
    if (FCanvas && FCanvas->Brush()->Style() != bsClear) fill = ColorToPixel(ColorToRGB(FCanvas->Brush()->Color()));
    const std::vector<RGBQUAD> palette = FPalette;
    NewImage(width, height, FPixelFormat, &palette);
    if (!Empty()) {
        std::vector<uint32_t> px(static_cast<size_t>(width) * height, fill);
        for (int32_t y = 0; y < std::min(oldH, height); ++y)
            std::copy_n(old.begin() + static_cast<ptrdiff_t>(y) * oldW, std::min(oldW, width),
                        px.begin() + static_cast<ptrdiff_t>(y) * width);
        WritePixels32(px);
    }
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == FPixelFormat || format > pf32bit) return;
    if (Empty()) {
        FPixelFormat = format;
        FPalette = DefaultPalette(format);
        return;
    }
    const std::vector<uint32_t> px = ReadPixels32();
    NewImage(FWidth, FHeight, format, nullptr);
    WritePixels32(px);
    Changed();
}

uint8_t* TBitmap::ScanLine(int32_t y)
{
    if (Empty()) throw EInvalidGraphicOperation("Scan line of an empty bitmap");
    if (!FBits) throw EInvalidGraphicOperation("Scan line of a device-dependent bitmap");
    if (y < 0 || y >= FHeight) throw EInvalidGraphicOperation(Format("Scan line index out of range (%d)", y));
    ::GdiFlush();
    return Row(y);
}

int32_t TBitmap::BytesPerScanLine() const
{
    if (FBits) return FStride;
    return ((FWidth * BitsPerPixel(FPixelFormat) + 31) / 32) * 4;
}

HBITMAP TBitmap::Handle() { return FHandle.Get(); }

void TBitmap::SetHandle(HBITMAP h)
{
    if (h && h == FHandle.Get()) return;
    if (!h) {
        FreeImage();
        Changed();
        return;
    }
    DIBSECTION ds{};
    const int n = ::GetObjectA(h, sizeof ds, &ds);
    if (n == 0) throw EInvalidGraphic("Invalid bitmap handle");
    BeforeHandleChange();
    FHandle.Reset(h);
    FWidth = ds.dsBm.bmWidth;
    FHeight = ds.dsBm.bmHeight;
    FPalette.clear();
    if (n == sizeof(DIBSECTION) && ds.dsBm.bmBits) {
        FBits = static_cast<uint8_t*>(ds.dsBm.bmBits);
        FStride = ds.dsBm.bmWidthBytes;
        FTopDown = IsTopDownDib(h, ds);
        const bool rgb565 = ds.dsBmih.biCompression == BI_BITFIELDS && ds.dsBitfields[1] == 0x07E0;
        FPixelFormat = FormatOfBits(ds.dsBmih.biBitCount, rgb565);
        if (ds.dsBmih.biBitCount <= 8) {
            FPalette.resize(static_cast<size_t>(1) << ds.dsBmih.biBitCount);
            TDCHandle dc(::CreateCompatibleDC(nullptr));
            TSelectObject sel(dc.Get(), h);
            const UINT got = ::GetDIBColorTable(dc.Get(), 0, static_cast<UINT>(FPalette.size()), FPalette.data());
            if (got == 0) FPalette = DefaultPalette(FPixelFormat);
        }
    } else {
        FBits = nullptr;
        FStride = 0;
        FTopDown = false;
        FPixelFormat = pfDevice;
    }
    Changed();
}

HBITMAP TBitmap::ReleaseHandle()
{
    BeforeHandleChange();
    HBITMAP h = FHandle.Detach();
    FBits = nullptr;
    FWidth = FHeight = FStride = 0;
    return h;
}

void TBitmap::FreeImage()
{
    BeforeHandleChange();
    FHandle.Reset();
    FBits = nullptr;
    FWidth = FHeight = FStride = 0;
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return FCanvas.get();
}

void TBitmap::SetTransparentMode(TTransparentMode mode)
{
    if (mode == FTransparentMode) return;
    FTransparentMode = mode;
    Changed();
}

TColor TBitmap::TransparentColor()
{
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clDefault;
    return Canvas()->Pixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    FTransparentColor = color;
    FTransparentMode = tmFixed;
    Changed();
}

void TBitmap::Assign(TPersistent* source)
{
    if (source == this) return;
    if (!source) {
        FreeImage();
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(source)) {
        const std::vector<RGBQUAD> palette = b->FPalette;
        if (b->Empty()) {
            FreeImage();
            FPixelFormat = b->FPixelFormat;
            FPalette = palette;
        } else if (b->FBits) {
            ::GdiFlush();
            NewImage(b->FWidth, b->FHeight, b->FPixelFormat, &palette);
            const size_t rowBytes = static_cast<size_t>(std::min(FStride, b->FStride));
            for (int32_t y = 0; y < FHeight; ++y) std::memcpy(Row(y), b->Row(y), rowBytes);
        } else {
            const std::vector<uint32_t> px = b->ReadPixels32();
            NewImage(b->FWidth, b->FHeight, b->FPixelFormat, &palette);
            WritePixels32(px);
        }
        FTransparent = b->FTransparent;
        FTransparentMode = b->FTransparentMode;
        FTransparentColor = b->FTransparentColor;
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        NewImage(g->Width(), g->Height(), FPixelFormat == pfDevice ? pf24bit : FPixelFormat, nullptr);
        if (!Empty()) {
            RECT r{0, 0, FWidth, FHeight};
            Canvas()->Brush()->SetColor(clWhite);
            Canvas()->FillRect(r);
            g->Draw(*Canvas(), r);
        }
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect)
{
    if (Empty()) return;
    HDC dst = canvas.Handle();
    HDC src = Canvas()->Handle();
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (Transparent()) {
        ::TransparentBlt(dst, rect.left, rect.top, w, h, src, 0, 0, FWidth, FHeight, ColorToRGB(TransparentColor()));
    } else if (w == FWidth && h == FHeight) {
        ::BitBlt(dst, rect.left, rect.top, w, h, src, 0, 0, canvas.CopyMode());
    } else {
        ::StretchBlt(dst, rect.left, rect.top, w, h, src, 0, 0, FWidth, FHeight, canvas.CopyMode());
    }
}

void TBitmap::AdoptImage(const TDibImage& image)
{
    std::vector<RGBQUAD> palette;
    for (uint32_t c : image.Palette) palette.push_back(Quad(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF)));
    NewImage(image.Width, image.Height, FormatOfBits(image.BitCount, image.Rgb565), &palette);
    ::GdiFlush();
    const size_t stride = static_cast<size_t>(image.Stride());
    for (int32_t y = 0; y < FHeight; ++y)   // image rows are bottom-up
        std::memcpy(Row(y), image.Bits.data() + static_cast<size_t>(FHeight - 1 - y) * stride, stride);
}

void TBitmap::LoadFromStream(TStream& stream)
{
    const TDibImage image = ReadBmp(stream);   // raises before anything changes
    AdoptImage(image);
    Changed();
}

void TBitmap::SaveToStream(TStream& stream)
{
    TDibImage image;
    image.Width = FWidth;
    image.Height = FHeight;
    if (Empty()) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
    if (FBits) {
        image.BitCount = BitsPerPixel(FPixelFormat);
        image.Rgb565 = FPixelFormat == pf16bit;
        for (const RGBQUAD& q : FPalette) image.Palette.push_back(q.rgbBlue | (q.rgbGreen << 8) | (q.rgbRed << 16));
        const size_t stride = static_cast<size_t>(image.Stride());
        image.Bits.resize(stride * FHeight);
        ::GdiFlush();
        for (int32_t y = 0; y < FHeight; ++y)
            std::memcpy(image.Bits.data() + static_cast<size_t>(FHeight - 1 - y) * stride, Row(y), stride);
    } else {
        image.BitCount = 32;
        const std::vector<uint32_t> px = ReadPixels32();
        image.Bits.resize(px.size() * 4);
        for (int32_t y = 0; y < FHeight; ++y)
            std::memcpy(image.Bits.data() + static_cast<size_t>(FHeight - 1 - y) * FWidth * 4,
                        px.data() + static_cast<size_t>(y) * FWidth, static_cast<size_t>(FWidth) * 4);
    }
    WriteBmp(stream, image);
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    HRSRC res = ::FindResourceA(instance, name.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (!res) throw EResNotFound(Format("Resource %s not found", name.c_str()));
    HGLOBAL data = ::LoadResource(instance, res);
    const DWORD size = ::SizeofResource(instance, res);
    const auto* bytes = static_cast<const uint8_t*>(::LockResource(data));
    if (!bytes || size == 0) throw EResNotFound(Format("Resource %s not found", name.c_str()));
    // A BITMAP resource is a BMP file without its file header.
    TMemoryStream file;
    const uint8_t header[14] = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file.WriteBuffer(header, sizeof header);
    file.WriteBuffer(bytes, static_cast<int32_t>(size));
    file.SetPosition(0);
    LoadFromStream(file);
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id)
{
    LoadFromResourceName(instance, Format("#%d", id));
}

} // namespace tf
