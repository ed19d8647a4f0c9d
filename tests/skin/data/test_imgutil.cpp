// Bitmap utilities under Wine: pixel routines, system colour mixes, clipped
// gradients and the wide-text routines.
#include <doctest.h>

#include <windows.h>

#include "SkinTestKit.h"
#include "skin/data/ImgUtil.h"
#include "skin/draw/SkinPlatform.h"
#include "skin/data/SkinText.h"

using namespace tf;
using tftest::MakeBitmap;
using tftest::PixelAt;

namespace {

constexpr TColor A = 0x102030, B = 0x405060, C = 0x708090, D = 0xA0B0C0, E = 0xC0D0E0, F = 0xE0F0F5;

// 3 x 2:  A B C
//         D E F
std::unique_ptr<TBitmap> Grid()
{
    const TColor px[2][3] = {{A, B, C}, {D, E, F}};
    return MakeBitmap(3, 2, [&](int x, int y) { return px[y][x]; });
}

std::vector<TColor> Pixels(TBitmap& b)
{
    std::vector<TColor> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(PixelAt(b, x, y));
    return out;
}

} // namespace

TEST_CASE("Rotations of a 2 x 1 image")
{
    auto two = MakeBitmap(2, 1, [](int x, int) { return x == 0 ? A : B; });
    RotateLeft(*two);
    REQUIRE(two->Width() == 1);
    REQUIRE(two->Height() == 2);
    CHECK(Pixels(*two) == std::vector<TColor>{B, A});   // B on top

    auto again = MakeBitmap(2, 1, [](int x, int) { return x == 0 ? A : B; });
    RotateRight(*again);
    CHECK(Pixels(*again) == std::vector<TColor>{A, B});   // A on top
}

TEST_CASE("Mirror, flip and rotations of a 3 x 2 image")
{
    auto m = Grid();
    MirrorHorizontal(*m);
    CHECK(Pixels(*m) == std::vector<TColor>{C, B, A, F, E, D});

    auto f = Grid();
    FlipVertical(*f);
    CHECK(Pixels(*f) == std::vector<TColor>{D, E, F, A, B, C});

    auto l = Grid();
    RotateLeft(*l);   // 2 x 3
    REQUIRE(l->Width() == 2);
    CHECK(Pixels(*l) == std::vector<TColor>{C, F, B, E, A, D});

    auto r = Grid();
    RotateRight(*r);
    CHECK(Pixels(*r) == std::vector<TColor>{D, A, E, B, F, C});

    // Four quarter turns are no turn at all.
    auto round = Grid();
    for (int i = 0; i < 4; ++i) RotateRight(*round);
    CHECK(Pixels(*round) == Pixels(*Grid()));
    CHECK(round->PixelFormat() == pf24bit);
}

TEST_CASE("MirrorFrames mirrors each frame where it stands: frame order kept, a ragged end left alone")
{
    // Three frames of two columns, one column left over.
    auto strip = MakeBitmap(7, 1, [](int x, int) { return static_cast<TColor>(0x10 * (x + 1)); });
    MirrorFrames(*strip, 3);
    CHECK(Pixels(*strip) == std::vector<TColor>{0x20, 0x10, 0x40, 0x30, 0x60, 0x50, 0x70});
    // Four frames of two columns in eleven: the three columns left over
    // (wide enough for a fifth frame) stay as they are.
    auto longer = MakeBitmap(11, 1, [](int x, int) { return static_cast<TColor>(x + 1); });
    MirrorFrames(*longer, 4);
    CHECK(Pixels(*longer) == std::vector<TColor>{2, 1, 4, 3, 6, 5, 8, 7, 9, 10, 11});
    // One frame is the whole mirror; frames of one column stay as they are.
    auto one = Grid();
    MirrorFrames(*one, 1);
    CHECK(Pixels(*one) == std::vector<TColor>{C, B, A, F, E, D});
    auto narrow = Grid();
    MirrorFrames(*narrow, 3);
    CHECK(Pixels(*narrow) == Pixels(*Grid()));
    auto none = Grid();
    MirrorFrames(*none, 0);   // read as one frame
    CHECK(Pixels(*none) == std::vector<TColor>{C, B, A, F, E, D});
}

TEST_CASE("Pixel routines keep the transparency settings and take other formats as 24 bits")
{
    auto g = Grid();
    g->SetTransparentColor(0x00FF00);
    g->SetTransparent(true);
    RotateLeft(*g);
    CHECK(g->Transparent());
    CHECK(g->TransparentColor() == 0x00FF00);

    auto m = Grid();
    m->SetPixelFormat(pf32bit);
    MirrorHorizontal(*m);
    CHECK(m->PixelFormat() == pf24bit);
    CHECK(Pixels(*m) == std::vector<TColor>{C, B, A, F, E, D});
}

TEST_CASE("ReplaceMagenta: only pure magenta, with the colour's bytes as they stand")
{
    auto b = MakeBitmap(4, 1, [](int x, int) {
        const TColor px[] = {0xFF00FF, 0xFE00FF, 0xFF01FF, 0x123456};
        return px[x];
    });
    b->SetPixelFormat(pf32bit);
    ReplaceMagenta(*b, 0x0A0B0C);
    CHECK(b->PixelFormat() == pf24bit);
    CHECK(Pixels(*b) == std::vector<TColor>{0x0A0B0C, 0xFE00FF, 0xFF01FF, 0x123456});

    auto s = MakeBitmap(1, 1, [](int, int) { return 0xFF00FF; });
    ReplaceMagenta(*s, clBtnFace);   // 0x8000000F: the low bytes, unresolved
    CHECK(PixelAt(*s, 0, 0) == 0x00000F);
}

TEST_CASE("Pixel routines on bitmaps of rows without columns, or columns without rows")
{
    // A border composed 0 wide has rows but no scan lines to read.
    for (const SIZE size : {SIZE{0, 30}, SIZE{30, 0}}) {
        CAPTURE(size.cx);
        TBitmap b(0, 0, pf32bit);
        b.SetSize(size.cx, size.cy);
        ReplaceMagenta(b, 0x0A0B0C);
        CHECK(b.PixelFormat() == pf24bit);
        MirrorHorizontal(b);
        FlipVertical(b);
        RotateLeft(b);
        RotateRight(b);
        CHECK(b.Empty());
    }
}

TEST_CASE("MixColors resolves system colours")
{
    const TColor face = static_cast<TColor>(::GetSysColor(COLOR_BTNFACE));
    CHECK(MixColors(clBtnFace, clWhite, 150) == MixPlainColors(face, 0xFFFFFF, 150));
    CHECK(MixColors(clWhite, clBlack, 50) == 0x808080);
    CHECK(MixColors(clWhite, clBlack, 150) == 0x262626);
}

TEST_CASE("FillGradient: whole rectangle, rows and columns")
{
    TBitmap b(8, 5, pf24bit);
    FillGradient(b.Canvas()->Handle(), RECT{0, 0, 8, 5}, 0x000000, 0xFFFFFF, true);
    const std::vector<TColor> rows = {0x000000, 0x404040, 0x808080, 0xBFBFBF, 0xFFFFFF};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) CHECK(PixelAt(b, x, y) == rows[static_cast<size_t>(y)]);

    TBitmap h(5, 3, pf24bit);
    FillGradient(h.Canvas()->Handle(), RECT{0, 0, 5, 3}, 0x000000, 0xFFFFFF, false);
    for (int x = 0; x < 5; ++x) CHECK(PixelAt(h, x, 2) == rows[static_cast<size_t>(x)]);

    // System colours are resolved.
    TBitmap s(2, 2, pf24bit);
    FillGradient(s.Canvas()->Handle(), RECT{0, 0, 2, 2}, clBtnFace, clBtnFace, true);
    CHECK(PixelAt(s, 1, 1) == static_cast<TColor>(::GetSysColor(COLOR_BTNFACE)));
}

TEST_CASE("FillGradient half outside the clip box draws the visible lines in their whole-gradient colours")
{
    constexpr TColor kUntouched = 0x00FF00;
    auto b = tftest::Filled(6, 20, kUntouched);
    HDC dc = b->Canvas()->Handle();
    // Gradient over rows -10 .. 29 (40 rows); the clip box shows rows 4 .. 13.
    const RECT rect{0, -10, 6, 30};
    HRGN clip = ::CreateRectRgn(0, 4, 6, 14);
    ::SelectClipRgn(dc, clip);
    ::DeleteObject(clip);
    FillGradient(dc, rect, 0x000000, 0x9C9C9C, true);
    ::SelectClipRgn(dc, nullptr);
    const std::vector<TColor>& ramp = ColorRamp(GetColorRamp(40, 0x000000, 0x9C9C9C));
    for (int y = 0; y < 20; ++y) {
        CAPTURE(y);
        const TColor expected = y >= 4 && y < 14 ? ramp[static_cast<size_t>(y + 10)] : kUntouched;
        CHECK(PixelAt(*b, 0, y) == expected);
        CHECK(PixelAt(*b, 5, y) == expected);
    }
    CHECK(ramp[14] == 0x383838);   // row 4 of the bitmap is row 14 of 40: 14 * 156 / 39 = 56

    // Columns, clipped on the left.
    auto c = tftest::Filled(10, 2, kUntouched);
    HDC cdc = c->Canvas()->Handle();
    HRGN cclip = ::CreateRectRgn(3, 0, 10, 2);
    ::SelectClipRgn(cdc, cclip);
    ::DeleteObject(cclip);
    FillGradient(cdc, RECT{0, 0, 5, 2}, 0x000000, 0x404040, false);
    ::SelectClipRgn(cdc, nullptr);
    const std::vector<TColor>& cr = ColorRamp(GetColorRamp(5, 0x000000, 0x404040));
    CHECK(PixelAt(*c, 2, 0) == kUntouched);
    CHECK(PixelAt(*c, 3, 0) == cr[3]);
    CHECK(PixelAt(*c, 4, 1) == cr[4]);
    CHECK(PixelAt(*c, 5, 0) == kUntouched);

    // Not visible at all, or empty: nothing.
    auto d = tftest::Filled(4, 4, kUntouched);
    FillGradient(d->Canvas()->Handle(), RECT{10, 10, 20, 20}, 0, 0xFFFFFF, true);
    FillGradient(d->Canvas()->Handle(), RECT{0, 2, 4, 2}, 0, 0xFFFFFF, true);
    CHECK(tftest::PixelAt(*d, 0, 2) == kUntouched);
}

TEST_CASE("WideCopy")
{
    const wchar_t text[] = L"abc\0def";
    CHECK(WideCopy(text, -1) == L"abc");
    CHECK(WideCopy(text, 2) == L"ab");
    CHECK(WideCopy(text, 5) == std::wstring(L"abc\0d", 5));
    CHECK(WideCopy(text, 0).empty());
    CHECK(WideCopy(nullptr, -1).empty());
}

TEST_CASE("DrawTextWide measures and draws the same through the wide and the ANSI call")
{
    const std::wstring text = AnsiToWide("\xC9\xF9\xD2\xF4 alarm");   // GBK, two Chinese characters
    CHECK(text.size() == 8);
    auto draw = [&](bool nt, TBitmap& into) {
        const TPlatformFlags flags{nt, true};
        OverridePlatformFlags(&flags);
        HDC dc = into.Canvas()->Handle();
        RECT measure{0, 0, 0, 0};
        const int h = DrawTextWide(dc, text, measure, DT_CALCRECT | DT_SINGLELINE);
        RECT r{0, 0, into.Width(), into.Height()};
        DrawTextWide(dc, text, r, DT_SINGLELINE);
        OverridePlatformFlags(nullptr);
        return std::make_pair(h, measure);
    };
    auto wide = tftest::Filled(120, 24, clWhite);
    auto ansi = tftest::Filled(120, 24, clWhite);
    const auto [hw, mw] = draw(true, *wide);
    const auto [ha, ma] = draw(false, *ansi);
    CHECK(hw > 0);
    CHECK(hw == ha);
    CHECK(mw.right > 0);
    CHECK(mw.right == ma.right);
    CHECK(Pixels(*wide) == Pixels(*ansi));
    int inked = 0;
    for (TColor c : Pixels(*wide)) inked += c != clWhite;
    CHECK(inked > 20);
}
