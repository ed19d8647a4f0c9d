#include <doctest.h>

#include <climits>
#include <cstring>

#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "tests/framework/graphics/BmpBuilder.h"
#include "tests/framework/graphics/PixelTestUtil.h"

using namespace tf;
using tftest::BmpFields;
using tftest::BuildBmp;

namespace {

void Load(TBitmap& bmp, const std::vector<uint8_t>& bytes)
{
    TMemoryStream s(bytes);
    bmp.LoadFromStream(s);
}

uint16_t Word16(TBitmap& bmp, int x, int y)
{
    uint16_t v;
    std::memcpy(&v, bmp.ScanLine(y) + 2 * x, 2);
    return v;
}

BmpFields EightBit()
{
    BmpFields s;
    s.Width = 3;
    s.Height = 2;
    s.BitCount = 8;
    s.Palette = {clBlue, clRed, clLime};
    s.ColorsUsed = 3;
    s.Pixels = {0, 1, 2, 0, /* top: */ 2, 2, 1, 0};   // bottom row first
    return s;
}

} // namespace

TEST_CASE("BMP files of every palette depth load with their colours")
{
    struct Case {
        const char* name;
        BmpFields file;
        TPixelFormat format;
        std::vector<TColor> top, bottom;
    };
    std::vector<Case> cases;
    {
        BmpFields s;
        s.Width = 3, s.Height = 2, s.BitCount = 1;
        s.Palette = {clNavy, clYellow};
        s.Pixels = {0xA0, 0, 0, 0, /* top: */ 0x40, 0, 0, 0};
        cases.push_back({"1 bit", s, pf1bit, {clNavy, clYellow, clNavy}, {clYellow, clNavy, clYellow}});
    }
    {
        BmpFields s;
        s.Width = 3, s.Height = 2, s.BitCount = 4;
        s.Palette.assign(16, clBlack);
        s.Palette[5] = clRed;
        s.Palette[10] = clLime;
        s.Pixels = {0x5A, 0x00, 0, 0, /* top: */ 0xA5, 0x50, 0, 0};
        cases.push_back({"4 bits", s, pf4bit, {clLime, clRed, clRed}, {clRed, clLime, clBlack}});
    }
    cases.push_back({"8 bits, short colour table", EightBit(), pf8bit, {clLime, clLime, clRed}, {clBlue, clRed, clLime}});
    {
        BmpFields s = EightBit();
        s.HeaderSize = 12;   // core header: 3-byte colour entries, full table
        s.ColorsUsed = 0;
        s.Palette.resize(256, clWhite);
        cases.push_back({"8 bits, core header", s, pf8bit, {clLime, clLime, clRed}, {clBlue, clRed, clLime}});
    }
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TBitmap bmp;
        Load(bmp, BuildBmp(c.file));
        CHECK(bmp.Width() == 3);
        CHECK(bmp.Height() == 2);
        CHECK(bmp.PixelFormat() == c.format);
        for (int x = 0; x < 3; ++x) {
            CHECK(bmp.Canvas()->Pixel(x, 0) == c.top[x]);
            CHECK(bmp.Canvas()->Pixel(x, 1) == c.bottom[x]);
        }
    }
}

TEST_CASE("BMP files of true-colour depths keep their pixels")
{
    struct Case {
        const char* name;
        BmpFields file;
        TPixelFormat format;
    };
    const std::vector<uint8_t> rows24 = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,   // bottom: red, lime
                                         0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0};  // top: blue, white
    const std::vector<uint8_t> rows32 = {0x00, 0x00, 0xFF, 0, 0x00, 0xFF, 0x00, 0,
                                         0xFF, 0x00, 0x00, 0, 0xFF, 0xFF, 0xFF, 0};
    std::vector<Case> cases;
    BmpFields s;
    s.Width = 2, s.Height = 2, s.BitCount = 24, s.Pixels = rows24;
    cases.push_back({"24 bits", s, pf24bit});
    s.HeaderSize = 124;   // a later header version: the extra fields are skipped
    cases.push_back({"24 bits, 124-byte header", s, pf24bit});
    s = BmpFields{};
    s.Width = 2, s.Height = 2, s.BitCount = 32, s.Pixels = rows32;
    cases.push_back({"32 bits", s, pf32bit});
    s.Compression = 3;
    s.Masks = {0xFF0000, 0x00FF00, 0x0000FF};
    cases.push_back({"32 bits, plain bit fields", s, pf32bit});
    // Red and blue masks swapped: the bytes mean other colours.
    s.Masks = {0x0000FF, 0x00FF00, 0xFF0000};
    s.Pixels = {0xFF, 0x00, 0x00, 0, 0x00, 0xFF, 0x00, 0, 0x00, 0x00, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0};
    cases.push_back({"32 bits, unusual bit fields", s, pf32bit});
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TBitmap bmp;
        Load(bmp, BuildBmp(c.file));
        CHECK(bmp.PixelFormat() == c.format);
        CHECK(bmp.Canvas()->Pixel(0, 1) == clRed);
        CHECK(bmp.Canvas()->Pixel(1, 1) == clLime);
        CHECK(bmp.Canvas()->Pixel(0, 0) == clBlue);
        CHECK(bmp.Canvas()->Pixel(1, 0) == clWhite);
    }

    // Top-down rows: the first row of the file is the top one.
    BmpFields td;
    td.Width = 2, td.Height = -2, td.BitCount = 24, td.Pixels = rows24;
    TBitmap bmp;
    Load(bmp, BuildBmp(td));
    CHECK(bmp.Height() == 2);
    CHECK(bmp.Canvas()->Pixel(0, 0) == clRed);
    CHECK(bmp.Canvas()->Pixel(0, 1) == clBlue);
    CHECK(tftest::PixelAt(bmp, 1, 1) == clWhite);
}

TEST_CASE("16-bit BMP files keep their 5-5-5 or 5-6-5 words")
{
    BmpFields s;
    s.Width = 2, s.Height = 1, s.BitCount = 16;
    s.Pixels = {0x00, 0x7C, 0x1F, 0x00};   // red, blue in 5-5-5
    TBitmap bmp;
    Load(bmp, BuildBmp(s));
    CHECK(bmp.PixelFormat() == pf15bit);
    CHECK(Word16(bmp, 0, 0) == 0x7C00);
    CHECK(Word16(bmp, 1, 0) == 0x001F);

    s.Compression = 3;
    s.Masks = {0xF800, 0x07E0, 0x001F};
    s.Pixels = {0x00, 0xF8, 0xE0, 0x07};   // red, green in 5-6-5
    Load(bmp, BuildBmp(s));
    CHECK(bmp.PixelFormat() == pf16bit);
    CHECK(Word16(bmp, 0, 0) == 0xF800);
    CHECK(Word16(bmp, 1, 0) == 0x07E0);
}

TEST_CASE("invalid or truncated BMP data raises and leaves the bitmap as it was")
{
    const std::vector<uint8_t> good = BuildBmp(EightBit());
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> b = good;
        for (size_t i = 0; i < bytes.size(); ++i) b.at(at + i) = bytes[i];
        return b;
    };
    auto le32 = [](uint32_t v) {
        return std::vector<uint8_t>{static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                                    static_cast<uint8_t>(v >> 24)};
    };
    auto cut = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + static_cast<ptrdiff_t>(n)); };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"not BM", with(0, {'B', 'X'})},
        {"file header cut", cut(10)},
        {"info header cut", cut(30)},
        {"header size 20", with(14, le32(20))},
        {"header size huge", with(14, le32(0x7FFFFFFF))},
        {"width 0", with(18, le32(0))},
        {"negative width", with(18, le32(static_cast<uint32_t>(-3)))},
        {"height 0", with(22, le32(0))},
        {"height INT_MIN", with(22, le32(0x80000000u))},
        {"width 40000", with(18, le32(40000))},
        {"3 bits per pixel", with(28, {3, 0})},
        {"RLE8", with(30, le32(1))},
        {"bit fields on 8 bits", with(30, le32(3))},
        {"colour table of 300", with(46, le32(300))},
        {"colour table cut", cut(14 + 40 + 6)},
        {"pixels cut", cut(good.size() - 1)},
        {"pixel offset past the end", with(10, le32(0x10000))},
        {"huge image in a small file", with(18, le32(30000))},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TBitmap bmp(5, 5);
        bmp.Canvas()->SetPixel(4, 4, clRed);
        TMemoryStream s(c.bytes);
        CHECK_THROWS_AS(bmp.LoadFromStream(s), EInvalidGraphic);
        CHECK(bmp.Width() == 5);
        CHECK(bmp.PixelFormat() == pf24bit);
        CHECK(tftest::PixelAt(bmp, 4, 4) == clRed);
    }
    // A bit-field image whose masks are missing.
    BmpFields s;
    s.Width = 1, s.Height = 1, s.BitCount = 32, s.Compression = 3, s.Pixels = {};
    TMemoryStream noMasks(BuildBmp(s));
    TBitmap bmp;
    CHECK_THROWS_AS(bmp.LoadFromStream(noMasks), EInvalidGraphic);
    CHECK(bmp.Empty());
}

TEST_CASE("BMP data is read from the stream position and the stream left after it")
{
    BmpFields a = EightBit();
    BmpFields b;
    b.Width = 1, b.Height = 1, b.BitCount = 24, b.Pixels = {0x00, 0x00, 0xFF, 0};
    std::vector<uint8_t> both = BuildBmp(a);
    const size_t first = both.size();
    const std::vector<uint8_t> second = BuildBmp(b);
    both.insert(both.end(), second.begin(), second.end());
    TMemoryStream s(both);
    TBitmap x, y;
    x.LoadFromStream(s);
    CHECK(s.Position() == static_cast<int64_t>(first));
    y.LoadFromStream(s);
    CHECK(s.Position() == s.Size());
    CHECK(x.Width() == 3);
    CHECK(y.Canvas()->Pixel(0, 0) == clRed);
}

TEST_CASE("saved bitmaps load back with the same format and pixels")
{
    TBitmap src(5, 3);
    TCanvas& c = *src.Canvas();
    c.Brush()->SetColor(clWhite);
    c.FillRect(RECT{0, 0, 5, 3});
    c.SetPixel(0, 0, clRed);
    c.SetPixel(4, 2, clBlue);
    c.SetPixel(2, 1, clBlack);
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
        CAPTURE(PixelFormatInfo.Names[f]);
        TBitmap bmp;
        bmp.Assign(&src);
        bmp.SetPixelFormat(f);
        TMemoryStream s;
        bmp.SaveToStream(s);
        s.SetPosition(0);
        TBitmap back;
        back.LoadFromStream(s);
        CHECK(back.PixelFormat() == (f == pfDevice ? pf32bit : f));
        CHECK(back.Width() == 5);
        CHECK(back.Height() == 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) CHECK(back.Canvas()->Pixel(x, y) == bmp.Canvas()->Pixel(x, y));
    }
    TBitmap empty;
    TMemoryStream s;
    CHECK_THROWS_AS(empty.SaveToStream(s), EInvalidGraphicOperation);
}
