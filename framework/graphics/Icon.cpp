#include "Icon.h"

#include <cstdlib>
#include <cstring>

#include "framework/core/Streams.h"
#include "framework/graphics/Canvas.h"

namespace tf {

const TClassInfo& TIcon::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TIcon>("TIcon", TGraphic::StaticClass()).Build();
    return info;
}

namespace {

HICON IconFromImage(const TIconImage& img, int width, int height)
{
    auto* data = const_cast<PBYTE>(img.Data.data());
    return ::CreateIconFromResourceEx(data, static_cast<DWORD>(img.Data.size()), TRUE, 0x00030000, width, height,
                                      LR_DEFAULTCOLOR);
}

// One 32-bit image (colour pixels and AND mask) of an icon handle.
TIconImage ImageFromHandle(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) throw EInvalidGraphicOperation("Cannot read the icon");
    TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    ::GetObjectA(mask.Get(), sizeof bm, &bm);
    const int w = bm.bmWidth;
    const int h = color ? bm.bmHeight : bm.bmHeight / 2;
    if (w <= 0 || h <= 0) throw EInvalidGraphicOperation("Cannot read the icon");

    TIconImage img;
    img.Width = w;
    img.Height = h;
    img.BitCount = 32;
    const size_t xorBytes = static_cast<size_t>(w) * 4 * h;
    const size_t andStride = ((w + 31) / 32) * 4;
    img.Data.resize(40 + xorBytes + andStride * h);
    BITMAPINFOHEADER bih{};
    bih.biSize = 40;
    bih.biWidth = w;
    bih.biHeight = 2 * h;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biSizeImage = static_cast<DWORD>(xorBytes + andStride * h);
    std::memcpy(img.Data.data(), &bih, 40);

    TScreenDC screen;
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD colors[2];
    } bi{};
    bi.h.biSize = 40;
    bi.h.biWidth = w;
    bi.h.biHeight = h;
    bi.h.biPlanes = 1;
    bi.h.biBitCount = 32;
    uint8_t* xorBits = img.Data.data() + 40;
    uint8_t* andBits = xorBits + xorBytes;
    if (color) {
        ::GetDIBits(screen.Get(), color.Get(), 0, h, xorBits, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
        bi.h.biBitCount = 1;
        ::GetDIBits(screen.Get(), mask.Get(), 0, h, andBits, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
    } else {
        // Monochrome icon: the mask bitmap holds AND (top) over XOR (bottom).
        std::vector<uint8_t> both(andStride * 2 * h);
        bi.h.biHeight = 2 * h;
        bi.h.biBitCount = 1;
        ::GetDIBits(screen.Get(), mask.Get(), 0, 2 * h, both.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
        // Bottom-up rows: the XOR half comes first.
        std::memcpy(andBits, both.data() + andStride * h, andStride * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool on = both[y * andStride + x / 8] & (0x80 >> (x % 8));
                std::memset(xorBits + (static_cast<size_t>(y) * w + x) * 4, on ? 0xFF : 0x00, 3);
            }
    }
    return img;
}

} // namespace

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

int TIcon::BestImage(int width, int height) const
{
    int best = -1;
    for (size_t i = 0; i < FImages.size(); ++i) {
        const TIconImage& img = FImages[i];
        if (best < 0) {
            best = static_cast<int>(i);
            continue;
        }
        const TIconImage& b = FImages[static_cast<size_t>(best)];
        const int d = std::abs(img.Width - width) + std::abs(img.Height - height);
        const int db = std::abs(b.Width - width) + std::abs(b.Height - height);
        if (d < db || (d == db && img.BitCount > b.BitCount)) best = static_cast<int>(i);
    }
    return best;
}

HICON TIcon::Handle()
{
    if (!FHandle && !FImages.empty()) {
        const int i = BestImage(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
        const TIconImage& img = FImages[static_cast<size_t>(i)];
        FHandle.Reset(IconFromImage(img, img.Width, img.Height));
        if (!FHandle) throw EInvalidGraphic("Invalid icon: the system cannot make image " + std::to_string(i + 1));
        ReadHandleSize();
    }
    return FHandle.Get();
}

TIconHandle TIcon::CreateHandleForSize(int width, int height) const
{
    if (!FImages.empty()) return TIconHandle(IconFromImage(FImages[static_cast<size_t>(BestImage(width, height))], width, height));
    if (FHandle) return TIconHandle(static_cast<HICON>(::CopyImage(FHandle.Get(), IMAGE_ICON, width, height, 0)));
    return TIconHandle();
}

void TIcon::ReadHandleSize()
{
    FWidth = FHeight = 0;
    ICONINFO info{};
    if (!FHandle || !::GetIconInfo(FHandle.Get(), &info)) return;
    TBitmapHandle color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    ::GetObjectA(mask.Get(), sizeof bm, &bm);
    FWidth = bm.bmWidth;
    FHeight = color ? bm.bmHeight : bm.bmHeight / 2;
}

void TIcon::SetHandle(HICON h)
{
    if (h && h == FHandle.Get()) return;
    FHandle.Reset(h);
    FImages.clear();
    ReadHandleSize();
    Changed();
}

HICON TIcon::ReleaseHandle()
{
    HICON h = FHandle.Detach();
    if (FImages.empty()) FWidth = FHeight = 0;
    return h;
}

void TIcon::SetWidth(int32_t) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }
void TIcon::SetHeight(int32_t) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::Draw(TCanvas& canvas, const RECT& rect)
{
    HICON h = Handle();
    if (!h) return;
    ::DrawIconEx(canvas.Handle(), rect.left, rect.top, h, rect.right - rect.left, rect.bottom - rect.top, 0, nullptr,
                 DI_NORMAL);
}

void TIcon::LoadFromStream(TStream& stream)
{
    std::vector<TIconImage> images = ReadIconFile(stream);   // raises before anything changes
    // Make the handle first, so an image the system refuses leaves the icon as it was.
    TIcon probe;
    probe.FImages = images;
    probe.Handle();
    FHandle.Reset(probe.FHandle.Detach());
    FImages = std::move(images);
    FWidth = probe.FWidth;
    FHeight = probe.FHeight;
    Changed();
}

void TIcon::SaveToStream(TStream& stream)
{
    if (!FImages.empty()) {
        WriteIconFile(stream, FImages);
    } else if (FHandle) {
        WriteIconFile(stream, {ImageFromHandle(FHandle.Get())});
    }
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name)
{
    HICON h = static_cast<HICON>(::LoadImageA(instance, name.c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    if (!h) throw EResNotFound("Resource " + name + " not found");
    SetHandle(h);
}

void TIcon::Assign(TPersistent* source)
{
    if (source == this) return;
    if (!source) {
        FHandle.Reset();
        FImages.clear();
        FWidth = FHeight = 0;
        Changed();
        return;
    }
    if (auto* icon = dynamic_cast<TIcon*>(source)) {
        if (!icon->FImages.empty()) {
            FImages = icon->FImages;
            FHandle.Reset();
            Handle();
        } else {
            FImages.clear();
            FHandle.Reset(icon->FHandle ? ::CopyIcon(icon->FHandle.Get()) : nullptr);
            ReadHandleSize();
        }
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

} // namespace tf
