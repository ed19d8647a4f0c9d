#include <doctest.h>

#include <cstring>

#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/PixelTestUtil.h"

using namespace tf;
using tftest::CountPixels;
using tftest::PixelAt;

namespace {

// red, lime, blue, white, grey in one row
void MakeStrip(TBitmap& bmp)
{
    tftest::MakeWhite(bmp, 5, 1);
    const TColor colors[] = {clRed, clLime, clBlue, clWhite, clGray};
    for (int x = 0; x < 5; ++x) bmp.Canvas()->SetPixel(x, 0, colors[x]);
}

uint16_t Word16(TBitmap& bmp, int x, int y)
{
    uint16_t v;
    std::memcpy(&v, bmp.ScanLine(y) + 2 * x, 2);
    return v;
}

} // namespace

TEST_CASE("changing the pixel format converts the pixels")
{
    const TColor strip[] = {clRed, clLime, clBlue, clWhite, clGray};
    // Formats that hold these colours exactly, there and back.
    for (TPixelFormat f : {pf32bit, pfDevice, pf8bit, pf4bit}) {
        CAPTURE(PixelFormatInfo.Names[f]);
        TBitmap bmp;
        MakeStrip(bmp);
        bmp.SetPixelFormat(f);
        CHECK(bmp.PixelFormat() == f);
        for (int x = 0; x < 5; ++x) CHECK(bmp.Canvas()->Pixel(x, 0) == strip[x]);
        bmp.SetPixelFormat(pf24bit);
        for (int x = 0; x < 5; ++x) CHECK(PixelAt(bmp, x, 0) == strip[x]);
    }

    TBitmap bmp;
    MakeStrip(bmp);
    bmp.SetPixelFormat(pf32bit);
    CHECK(bmp.BytesPerScanLine() == 20);
    const uint8_t* p = bmp.ScanLine(0);
    CHECK(p[0] == 0x00);   // red: B, G, R, x
    CHECK(p[2] == 0xFF);
    CHECK(p[4 * 2 + 0] == 0xFF);   // blue

    MakeStrip(bmp);
    bmp.SetPixelFormat(pf16bit);
    CHECK(Word16(bmp, 0, 0) == 0xF800);
    CHECK(Word16(bmp, 1, 0) == 0x07E0);
    CHECK(Word16(bmp, 2, 0) == 0x001F);
    CHECK(Word16(bmp, 3, 0) == 0xFFFF);
    CHECK(Word16(bmp, 4, 0) == ((16 << 11) | (32 << 5) | 16));

    MakeStrip(bmp);
    bmp.SetPixelFormat(pf15bit);
    CHECK(Word16(bmp, 0, 0) == 0x7C00);
    CHECK(Word16(bmp, 3, 0) == 0x7FFF);

    // One bit: the nearer of black and white.
    MakeStrip(bmp);
    bmp.SetPixelFormat(pf1bit);
    CHECK(bmp.Monochrome());
    CHECK(bmp.ScanLine(0)[0] == 0b00011000);   // only white and grey (128) are nearer white
    CHECK(bmp.Canvas()->Pixel(3, 0) == clWhite);
    CHECK(bmp.Canvas()->Pixel(0, 0) == clBlack);
}

TEST_CASE("ScanLine addresses rows from the top")
{
    TBitmap bmp;
    tftest::MakeWhite(bmp, 3, 3);
    CHECK(bmp.BytesPerScanLine() == 12);
    uint8_t* top = bmp.ScanLine(0);
    top[0] = 0x00, top[1] = 0x00, top[2] = 0xFF;   // B, G, R: red at (0, 0)
    uint8_t* bottom = bmp.ScanLine(2);
    bottom[6] = 0xFF, bottom[7] = 0x00, bottom[8] = 0x00;   // blue at (2, 2)
    CHECK(bmp.Canvas()->Pixel(0, 0) == clRed);
    CHECK(bmp.Canvas()->Pixel(2, 2) == clBlue);
    CHECK(bmp.ScanLine(1) - bmp.ScanLine(0) == -12);   // bottom-up memory, top-down rows
    // Drawing is visible through the rows at once.
    bmp.Canvas()->SetPixel(1, 1, clLime);
    CHECK(PixelAt(bmp, 1, 1) == clLime);

    CHECK_THROWS_AS(bmp.ScanLine(3), EInvalidGraphicOperation);
    CHECK_THROWS_AS(bmp.ScanLine(-1), EInvalidGraphicOperation);
    bmp.SetPixelFormat(pfDevice);
    CHECK_THROWS_AS(bmp.ScanLine(0), EInvalidGraphicOperation);
    TBitmap empty;
    CHECK(empty.Empty());
    CHECK(empty.Handle() == nullptr);
    CHECK_THROWS_AS(empty.ScanLine(0), EInvalidGraphicOperation);
}

TEST_CASE("SetSize keeps the top-left pixels and makes new area white")
{
    TBitmap bmp(2, 2);
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(RECT{0, 0, 2, 2});
    HBITMAP before = bmp.Handle();
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.SetSize(4, 3);
    CHECK(::GetObjectType(before) == 0);   // the old image is released
    CHECK(PixelAt(bmp, 1, 1) == clRed);
    CHECK(PixelAt(bmp, 2, 0) == clWhite);
    CHECK(PixelAt(bmp, 0, 2) == clWhite);
    bmp.SetHeight(1);
    CHECK(bmp.Height() == 1);
    CHECK(PixelAt(bmp, 0, 0) == clRed);
    bmp.SetSize(-5, 4);
    CHECK(bmp.Empty());
}

TEST_CASE("transparent drawing leaves out the bottom-left colour or a fixed one")
{
    TBitmap src(4, 4);
    src.Canvas()->Brush()->SetColor(clLime);
    src.Canvas()->FillRect(RECT{0, 0, 4, 4});
    src.Canvas()->SetPixel(0, 3, clFuchsia);
    src.Canvas()->SetPixel(1, 1, clFuchsia);
    CHECK(src.TransparentMode() == tmAuto);
    CHECK(src.TransparentColor() == clFuchsia);

    TBitmap dst;
    tftest::MakeWhite(dst, 8, 8);
    dst.Canvas()->Draw(2, 2, &src);   // opaque
    CHECK(CountPixels(dst, clLime) == 14);
    CHECK(CountPixels(dst, clFuchsia) == 2);

    src.SetTransparent(true);
    tftest::MakeWhite(dst, 8, 8);
    dst.Canvas()->Draw(2, 2, &src);
    CHECK(CountPixels(dst, clLime) == 14);
    CHECK(CountPixels(dst, clFuchsia) == 0);
    CHECK(PixelAt(dst, 3, 3) == clWhite);
    CHECK(PixelAt(dst, 2, 5) == clWhite);

    src.SetTransparentColor(clLime);
    CHECK(src.TransparentMode() == tmFixed);
    tftest::MakeWhite(dst, 8, 8);
    dst.Canvas()->Draw(2, 2, &src);
    CHECK(CountPixels(dst, clLime) == 0);
    CHECK(CountPixels(dst, clFuchsia) == 2);

    // Stretched, still transparent.
    src.SetTransparentMode(tmAuto);
    tftest::MakeWhite(dst, 8, 8);
    dst.Canvas()->StretchDraw(RECT{0, 0, 8, 8}, &src);
    CHECK(CountPixels(dst, clLime) == 56);
    CHECK(CountPixels(dst, clFuchsia) == 0);
}

TEST_CASE("StretchDraw scales the bitmap into the rectangle")
{
    TBitmap src(2, 2);
    src.Canvas()->SetPixel(0, 0, clRed);
    src.Canvas()->SetPixel(1, 0, clLime);
    src.Canvas()->SetPixel(0, 1, clBlue);
    src.Canvas()->SetPixel(1, 1, clYellow);
    TBitmap dst;
    tftest::MakeWhite(dst, 10, 10);
    dst.Canvas()->StretchDraw(RECT{1, 1, 9, 9}, &src);
    CHECK(CountPixels(dst, clRed) == 16);
    CHECK(CountPixels(dst, clLime) == 16);
    CHECK(CountPixels(dst, clBlue) == 16);
    CHECK(CountPixels(dst, clYellow) == 16);
    CHECK(PixelAt(dst, 1, 1) == clRed);
    CHECK(PixelAt(dst, 8, 8) == clYellow);
    CHECK(PixelAt(dst, 0, 0) == clWhite);
    dst.Canvas()->Draw(0, 0, nullptr);   // nothing to draw is no error
}

TEST_CASE("Assign copies pixels, format and transparency into an image of its own")
{
    TBitmap src(3, 2, pf32bit);
    src.Canvas()->SetPixel(2, 1, clRed);
    src.SetTransparentColor(clBlue);
    src.SetTransparent(true);
    TBitmap copy;
    copy.Assign(&src);
    CHECK(copy.Width() == 3);
    CHECK(copy.PixelFormat() == pf32bit);
    CHECK(copy.Transparent());
    CHECK(copy.TransparentColor() == clBlue);
    CHECK(copy.Canvas()->Pixel(2, 1) == clRed);
    CHECK(copy.Handle() != src.Handle());
    copy.Canvas()->SetPixel(2, 1, clLime);
    CHECK(src.Canvas()->Pixel(2, 1) == clRed);

    TBitmap device(2, 2, pfDevice);
    device.Canvas()->SetPixel(1, 1, clAqua);
    copy.Assign(&device);
    CHECK(copy.PixelFormat() == pfDevice);
    CHECK(copy.Canvas()->Pixel(1, 1) == clAqua);

    copy.Assign(nullptr);
    CHECK(copy.Empty());
}

TEST_CASE("bitmap handles: adopted, released and owned once")
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 4;
    bi.bmiHeader.biHeight = -2;   // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<uint8_t*>(bits)[2] = 0xFF;   // red at (0, 0) of a top-down image
    {
        TBitmap bmp;
        bmp.SetHandle(dib);
        CHECK(bmp.Width() == 4);
        CHECK(bmp.Height() == 2);
        CHECK(bmp.PixelFormat() == pf24bit);
        CHECK(PixelAt(bmp, 0, 0) == clRed);
        CHECK(bmp.Canvas()->Pixel(0, 0) == clRed);
    }
    CHECK(::GetObjectType(dib) == 0);

    bi.bmiHeader.biHeight = 2;   // bottom-up: the first row in memory is the bottom one
    dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    static_cast<uint8_t*>(bits)[2] = 0xFF;
    {
        TBitmap bmp;
        bmp.SetHandle(dib);
        CHECK(PixelAt(bmp, 0, 1) == clRed);
        CHECK(PixelAt(bmp, 0, 0) == clBlack);
        CHECK(bmp.Canvas()->Pixel(0, 1) == clRed);
    }

    TScreenDC screen;
    HBITMAP ddb = ::CreateCompatibleBitmap(screen.Get(), 3, 3);
    HBITMAP released = nullptr;
    {
        TBitmap bmp;
        bmp.SetHandle(ddb);
        CHECK(bmp.PixelFormat() == pfDevice);
        bmp.Canvas()->SetPixel(0, 0, clBlue);
        released = bmp.ReleaseHandle();
        CHECK(bmp.Empty());
    }
    CHECK(released == ddb);
    CHECK(::GetObjectType(ddb) == OBJ_BITMAP);
    ::DeleteObject(ddb);
    TBitmap bmp;
    CHECK_THROWS_AS(bmp.SetHandle(reinterpret_cast<HBITMAP>(0x1234)), EInvalidGraphic);
}

TEST_CASE("bitmap resources load by name")
{
    TBitmap bmp;
    bmp.LoadFromResourceName(::GetModuleHandleA(nullptr), "TESTCELLS");
    CHECK(bmp.Width() == 64);
    CHECK(bmp.Height() == 16);
    CHECK(bmp.PixelFormat() == pf24bit);
    CHECK(PixelAt(bmp, 4, 4) == clRed);
    CHECK(PixelAt(bmp, 16 + 4, 4) == clLime);
    CHECK(PixelAt(bmp, 0, 0) == clWhite);
    CHECK_THROWS_AS(bmp.LoadFromResourceName(::GetModuleHandleA(nullptr), "NOSUCHBITMAP"), EResNotFound);
    CHECK(bmp.Width() == 64);
}
