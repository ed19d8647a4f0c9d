#include <doctest.h>

#include <thread>

#include "framework/core/Idents.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "tests/framework/graphics/PixelTestUtil.h"

using namespace tf;
using tftest::CountPixels;
using tftest::PixelAt;

namespace {
struct TChangeCounter : TObject {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};
bool IsLiveGdiObject(HGDIOBJ h) { return ::GetObjectType(h) != 0; }
} // namespace

TEST_CASE("colour names map to values and back")
{
    struct Case {
        const char* name;
        int32_t value;
    } cases[] = {{"clBtnFace", static_cast<int32_t>(0x8000000F)},  {"clBtnShadow", static_cast<int32_t>(0x80000010)},
                 {"CLWINDOWTEXT", static_cast<int32_t>(0x80000008)}, {"clGradientInactiveCaption", static_cast<int32_t>(0x8000001C)},
                 {"clInfoBk", static_cast<int32_t>(0x80000018)},     {"clred", 0x0000FF},
                 {"clBlue", 0xFF0000},                               {"clNone", 0x1FFFFFFF},
                 {"clDefault", 0x20000000}};
    for (const Case& c : cases) {
        CAPTURE(c.name);
        int32_t v = 0;
        CHECK(IdentToColor(c.name, v));
        CHECK(v == c.value);
        int32_t viaCore = 0;   // the stored-form reader's lookup
        CHECK(IdentToInt(c.name, viaCore));
        CHECK(viaCore == c.value);
    }
    int32_t v = 7;
    CHECK_FALSE(IdentToColor("clNotAColour", v));
    CHECK(v == 7);
    std::string name;
    CHECK(ColorToIdent(clHighlightText, name));
    CHECK(name == "clHighlightText");
}

TEST_CASE("ColorToRGB resolves system colours only")
{
    CHECK(ColorToRGB(clBtnFace) == ::GetSysColor(COLOR_BTNFACE));
    CHECK(ColorToRGB(clBtnShadow) == ::GetSysColor(COLOR_BTNSHADOW));
    CHECK(ColorToRGB(clInfoBk) == ::GetSysColor(COLOR_INFOBK));
    CHECK(ColorToRGB(clRed) == 0x0000FFu);
    CHECK(ColorToRGB(0x123456) == 0x123456u);
}

TEST_CASE("font size follows height at 96 dpi")
{
    TFont f;
    CHECK(f.Name() == DefaultFontName);
    CHECK(f.Color() == clWindowText);
    f.SetHeight(-16);
    CHECK(f.Size() == 12);
    f.SetSize(9);
    CHECK(f.Height() == -12);
    f.SetSize(12);
    CHECK(f.Height() == -16);
}

TEST_CASE("font handle is made once, re-made after a change and released")
{
    TFont f;
    TChangeCounter counter;
    f.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&counter);
    HFONT h1 = f.Handle();
    REQUIRE(h1);
    CHECK(f.Handle() == h1);

    f.SetHeight(-20);
    CHECK(counter.Count == 1);
    CHECK_FALSE(IsLiveGdiObject(h1));   // the old handle is gone
    HFONT h2 = f.Handle();
    LOGFONTA lf{};
    REQUIRE(::GetObjectA(h2, sizeof lf, &lf));
    CHECK(lf.lfHeight == -20);

    f.SetStyle({fsBold, fsUnderline});
    CHECK(counter.Count == 2);
    HFONT h3 = f.Handle();
    REQUIRE(::GetObjectA(h3, sizeof lf, &lf));
    CHECK(lf.lfWeight == FW_BOLD);
    CHECK(lf.lfUnderline);
    CHECK_FALSE(lf.lfItalic);

    // The colour is drawn with SetTextColor; the handle stays.
    f.SetColor(clRed);
    CHECK(counter.Count == 3);
    CHECK(f.Handle() == h3);

    f.SetHeight(-20);   // no change, no event
    CHECK(counter.Count == 3);
}

TEST_CASE("font Assign copies attributes into a handle of its own")
{
    TFont a, b;
    a.SetName("Arial");
    a.SetHeight(-14);
    a.SetColor(clBlue);
    a.SetStyle({fsItalic});
    a.SetCharset(GB2312_CHARSET);
    HFONT ha = a.Handle();
    TChangeCounter counter;
    b.OnChange = TNotifyEvent::Of<&TChangeCounter::Changed>(&counter);
    b.Assign(&a);
    CHECK(counter.Count == 1);
    CHECK(b.Name() == "Arial");
    CHECK(b.Height() == -14);
    CHECK(b.Color() == clBlue);
    CHECK(b.Style() == TFontStyles{fsItalic});
    CHECK(b.Charset() == GB2312_CHARSET);
    CHECK(b.Handle() != ha);
    CHECK(IsLiveGdiObject(ha));
    TCanvas c;   // a canvas is not a font
    CHECK_THROWS_AS(b.Assign(&c), EConvertError);
}

TEST_CASE("font from a LOGFONT and from a handle it then owns")
{
    LOGFONTA lf{};
    lf.lfHeight = -13;
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = 1;
    lf.lfCharSet = ANSI_CHARSET;
    strcpy(lf.lfFaceName, "Tahoma");
    TFont f(lf);
    CHECK(f.Name() == "Tahoma");
    CHECK(f.Height() == -13);
    CHECK(f.Style() == TFontStyles{fsBold, fsItalic});
    CHECK(f.Charset() == ANSI_CHARSET);

    lf.lfHeight = -30;
    lf.lfWeight = FW_NORMAL;
    HFONT h = ::CreateFontIndirectA(&lf);
    {
        TFont g;
        g.SetHandle(h);
        CHECK(g.Handle() == h);
        CHECK(g.Height() == -30);
        CHECK(g.Style() == TFontStyles{fsItalic});
    }
    CHECK_FALSE(IsLiveGdiObject(h));   // released once, by its one owner
}

TEST_CASE("font properties by name")
{
    TFont f;
    Write(&f, "Color", "255");
    CHECK(f.Color() == clRed);
    Write(&f, "color", "-2147483633");   // clBtnFace
    CHECK(f.Color() == clBtnFace);
    Write(&f, "Height", "-16");
    CHECK(ReadInt(&f, "Size") == 12);
    Write(&f, "Name", "Arial");
    CHECK(f.Name() == "Arial");
    CHECK(ReadText(&f, "name") == L"Arial");
    Write(&f, "Style", "[fsBold,fsUnderline]");
    CHECK(f.Style() == TFontStyles{fsBold, fsUnderline});
    CHECK(ReadText(&f, "Style") == L"[fsBold,fsUnderline]");
    Write(&f, "Charset", "134");
    CHECK(f.Charset() == 134);
    Write(&f, "Size", "9");
    CHECK(f.Height() == -12);
    CHECK(ReadInt(&f, "Missing") == -1);
    CHECK(f.InheritsFrom("TPersistent"));

    TBrush b;
    Write(&b, "Style", "bsClear");
    CHECK(b.Style() == bsClear);
    CHECK(ReadEnum(&b, "Style") == "bsClear");
    TPen p;
    Write(&p, "Width", "3");
    CHECK(p.Width() == 3);
}

TEST_CASE("brush and pen handles follow their attributes")
{
    TBrush b;
    HBRUSH h1 = b.Handle();
    LOGBRUSH lb{};
    REQUIRE(::GetObjectA(h1, sizeof lb, &lb));
    CHECK(lb.lbStyle == BS_SOLID);
    CHECK(lb.lbColor == 0xFFFFFFu);
    b.SetStyle(bsClear);
    CHECK_FALSE(IsLiveGdiObject(h1));
    REQUIRE(::GetObjectA(b.Handle(), sizeof lb, &lb));
    CHECK(lb.lbStyle == BS_HOLLOW);
    b.SetColor(clBtnFace);   // a colour makes a clear brush solid again
    CHECK(b.Style() == bsSolid);
    REQUIRE(::GetObjectA(b.Handle(), sizeof lb, &lb));
    CHECK(lb.lbColor == ::GetSysColor(COLOR_BTNFACE));

    TPen p;
    p.SetColor(clBlue);
    p.SetWidth(0);
    CHECK(p.Width() == 1);
    LOGPEN lp{};
    REQUIRE(::GetObjectA(p.Handle(), sizeof lp, &lp));
    CHECK(lp.lopnColor == 0xFF0000u);
    p.SetStyle(psClear);
    REQUIRE(::GetObjectA(p.Handle(), sizeof lp, &lp));
    CHECK(lp.lopnStyle == PS_NULL);
}

TEST_CASE("canvas fills, frames and outlines draw the expected pixels")
{
    TBitmap bmp;
    tftest::MakeWhite(bmp, 20, 20);
    TCanvas& c = *bmp.Canvas();

    c.Brush()->SetColor(clRed);
    c.FillRect(RECT{2, 2, 8, 8});
    CHECK(PixelAt(bmp, 2, 2) == clRed);
    CHECK(PixelAt(bmp, 7, 7) == clRed);
    CHECK(PixelAt(bmp, 8, 8) == clWhite);   // right and bottom are exclusive
    CHECK(PixelAt(bmp, 1, 1) == clWhite);

    c.Brush()->SetColor(clBlue);
    c.FrameRect(RECT{10, 10, 16, 16});
    CHECK(PixelAt(bmp, 10, 10) == clBlue);
    CHECK(PixelAt(bmp, 15, 12) == clBlue);
    CHECK(PixelAt(bmp, 12, 15) == clBlue);
    CHECK(PixelAt(bmp, 12, 12) == clWhite);   // a frame leaves the inside

    c.Pen()->SetColor(clLime);
    c.Brush()->SetColor(clYellow);
    c.Rectangle(0, 10, 6, 16);
    CHECK(PixelAt(bmp, 0, 10) == clLime);
    CHECK(PixelAt(bmp, 5, 15) == clLime);
    CHECK(PixelAt(bmp, 3, 12) == clYellow);

    c.Brush()->SetStyle(bsClear);
    c.Rectangle(10, 0, 16, 6);   // outline only
    CHECK(PixelAt(bmp, 10, 0) == clLime);
    CHECK(PixelAt(bmp, 12, 3) == clWhite);

    c.Pen()->SetColor(clBlack);
    c.MoveTo(0, 19);
    c.LineTo(10, 19);
    CHECK(PixelAt(bmp, 0, 19) == clBlack);
    CHECK(PixelAt(bmp, 9, 19) == clBlack);
    CHECK(PixelAt(bmp, 10, 19) == clWhite);   // LineTo leaves the end point
    CHECK(c.PenPos().x == 10);

    c.SetPixel(19, 0, clFuchsia);
    CHECK(c.Pixel(19, 0) == clFuchsia);
    CHECK(PixelAt(bmp, 19, 0) == clFuchsia);
    CHECK(c.Pixel(100, 100) == -1);
}

TEST_CASE("canvas polygon and round rectangle fill their inside")
{
    TBitmap bmp;
    tftest::MakeWhite(bmp, 20, 20);
    TCanvas& c = *bmp.Canvas();
    c.Pen()->SetColor(clRed);
    c.Brush()->SetColor(clRed);
    const POINT tri[] = {{0, 0}, {19, 0}, {0, 19}};
    c.Polygon(tri);
    CHECK(PixelAt(bmp, 3, 3) == clRed);
    CHECK(PixelAt(bmp, 18, 18) == clWhite);

    tftest::MakeWhite(bmp, 20, 20);
    c.Pen()->SetColor(clBlue);
    c.Brush()->SetColor(clBlue);
    c.RoundRect(0, 0, 20, 20, 10, 10);
    CHECK(PixelAt(bmp, 10, 10) == clBlue);
    CHECK(PixelAt(bmp, 0, 0) == clWhite);   // rounded corner
    CHECK(PixelAt(bmp, 10, 0) == clBlue);
}

TEST_CASE("TextOut draws in the font colour on the brush colour unless the brush is clear")
{
    TBitmap bmp;
    tftest::MakeWhite(bmp, 80, 30);
    TCanvas& c = *bmp.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetHeight(-16);
    c.Font()->SetColor(clRed);
    c.Brush()->SetColor(clYellow);
    c.TextOut(2, 2, std::string("WMW"));
    const int w = c.TextWidth("WMW");
    const int h = c.TextHeight("WMW");
    CHECK(w > 10);
    CHECK(h >= 12);
    CHECK(c.TextWidth("WMWWMW") > w);
    CHECK(CountPixels(bmp, clRed) > 10);
    CHECK(PixelAt(bmp, 2, 2) == clYellow);           // the cell's background
    CHECK(PixelAt(bmp, 2 + w - 1, 2 + h - 1) == clYellow);
    CHECK(PixelAt(bmp, 2 + w + 2, 2) == clWhite);    // nothing outside the cell

    tftest::MakeWhite(bmp, 80, 30);
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(clBlue);
    c.TextOut(2, 2, std::wstring(L"WMW"));
    CHECK(CountPixels(bmp, clBlue) > 10);
    CHECK(CountPixels(bmp, clYellow) == 0);
    CHECK(PixelAt(bmp, 2, 2) == clWhite);

    // Transparent background with a solid brush, set explicitly.
    tftest::MakeWhite(bmp, 80, 30);
    c.Brush()->SetColor(clYellow);
    c.SetBkMode(TRANSPARENT);
    c.TextOut(2, 2, std::string("WMW"));
    CHECK(CountPixels(bmp, clYellow) == 0);
    CHECK(c.BkMode() == TRANSPARENT);
}

TEST_CASE("TextRect clips text and fills the rectangle")
{
    TBitmap bmp;
    tftest::MakeWhite(bmp, 60, 20);
    TCanvas& c = *bmp.Canvas();
    c.Font()->SetColor(clBlack);
    c.Brush()->SetColor(clAqua);
    c.TextRect(RECT{0, 0, 20, 20}, 0, 0, "WWWWWWWWWW");
    CHECK(PixelAt(bmp, 19, 19) == clAqua);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 60; ++x) REQUIRE(PixelAt(bmp, x, y) == clWhite);
}

TEST_CASE("a changed font is taken out of the DC before its handle is deleted")
{
    TBitmap bmp;
    tftest::MakeWhite(bmp, 40, 20);
    TCanvas& c = *bmp.Canvas();
    c.TextOut(0, 0, std::string("A"));
    HFONT first = c.Font()->Handle();
    CHECK(::GetCurrentObject(c.Handle(), OBJ_FONT) == first);
    c.Font()->SetHeight(-20);
    CHECK_FALSE(IsLiveGdiObject(first));   // DeleteObject fails on a selected font
    c.TextOut(0, 0, std::string("A"));
    CHECK(::GetCurrentObject(c.Handle(), OBJ_FONT) == c.Font()->Handle());

    c.Font()->Assign(c.Font());   // self-assignment changes nothing
    CHECK(::GetCurrentObject(c.Handle(), OBJ_FONT) == c.Font()->Handle());
}

TEST_CASE("a canvas on a foreign DC draws there and gives the DC its objects back")
{
    HDC dc = ::CreateCompatibleDC(nullptr);
    TBitmap target(10, 10);
    HGDIOBJ oldBmp = ::SelectObject(dc, target.Handle());
    HGDIOBJ dcFont = ::GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ dcBrush = ::GetCurrentObject(dc, OBJ_BRUSH);
    HGDIOBJ dcPen = ::GetCurrentObject(dc, OBJ_PEN);
    HBRUSH ownBrush = ::CreateSolidBrush(0x00FF00);
    ::SelectObject(dc, ownBrush);
    {
        TCanvas c;
        CHECK_FALSE(c.HandleAllocated());
        CHECK_THROWS_AS(c.Handle(), EInvalidOperation);
        c.SetHandle(dc);
        HBRUSH dcBrushNow = c.CurrentBrush();
        CHECK(dcBrushNow == ownBrush);   // the DC owner's brush, before the canvas needs its own
        c.Brush()->SetColor(clRed);
        c.Pen()->SetColor(clBlue);
        c.TextOut(0, 0, std::string("x"));
        c.FrameRect(RECT{0, 0, 10, 10}, dcBrushNow);
        c.Rectangle(2, 2, 8, 8);
        CHECK(::GetCurrentObject(dc, OBJ_BRUSH) == c.Brush()->Handle());
        c.SetHandle(nullptr);
        CHECK(::GetCurrentObject(dc, OBJ_BRUSH) == ownBrush);
        CHECK(::GetCurrentObject(dc, OBJ_FONT) == dcFont);
        CHECK(::GetCurrentObject(dc, OBJ_PEN) == dcPen);
        c.SetHandle(dc);
        c.FillRect(RECT{4, 4, 6, 6});
    }   // destroying the canvas deselects too, and never deletes the DC
    CHECK(::GetCurrentObject(dc, OBJ_BRUSH) == ownBrush);
    CHECK(::GetObjectType(dc) == OBJ_MEMDC);
    ::SelectObject(dc, dcBrush);
    ::DeleteObject(ownBrush);
    ::SelectObject(dc, oldBmp);
    ::DeleteDC(dc);
    CHECK(PixelAt(target, 0, 0) == 0x00FF00);   // framed with the DC's brush
    CHECK(PixelAt(target, 2, 2) == clBlue);
    CHECK(PixelAt(target, 4, 4) == clRed);
}

TEST_CASE("DrawFocusRect inverts, so drawing it twice restores the pixels")
{
    TBitmap bmp;
    tftest::MakeWhite(bmp, 20, 20);
    TCanvas& c = *bmp.Canvas();
    c.DrawFocusRect(RECT{2, 2, 18, 18});
    const int changed = 400 - CountPixels(bmp, clWhite);
    CHECK(changed > 10);
    CHECK(PixelAt(bmp, 10, 10) == clWhite);
    c.DrawFocusRect(RECT{2, 2, 18, 18});
    CHECK(CountPixels(bmp, clWhite) == 400);
}

TEST_CASE("CopyRect copies and stretches between canvases")
{
    TBitmap src, dst;
    tftest::MakeWhite(src, 4, 4);
    src.Canvas()->SetPixel(0, 0, clRed);
    src.Canvas()->SetPixel(3, 3, clBlue);
    tftest::MakeWhite(dst, 16, 16);
    dst.Canvas()->CopyRect(RECT{0, 0, 4, 4}, *src.Canvas(), RECT{0, 0, 4, 4});
    CHECK(PixelAt(dst, 0, 0) == clRed);
    CHECK(PixelAt(dst, 3, 3) == clBlue);
    dst.Canvas()->CopyRect(RECT{8, 8, 16, 16}, *src.Canvas(), RECT{0, 0, 4, 4});   // twice the size
    CHECK(PixelAt(dst, 8, 8) == clRed);
    CHECK(PixelAt(dst, 9, 9) == clRed);
    CHECK(PixelAt(dst, 15, 15) == clBlue);
    CHECK(PixelAt(dst, 14, 14) == clBlue);
}

TEST_CASE("canvas lock is counted and excludes other threads")
{
    TCanvas c;
    c.Lock();
    c.Lock();
    CHECK(c.LockCount() == 2);
    bool otherGot = true;
    std::thread([&] { otherGot = c.TryLock(); }).join();
    CHECK_FALSE(otherGot);
    c.Unlock();
    c.Unlock();
    CHECK(c.LockCount() == 0);
    std::thread([&] {
        otherGot = c.TryLock();
        if (otherGot) c.Unlock();
    }).join();
    CHECK(otherGot);
    {
        TCanvasLock guard(c);
        CHECK(c.LockCount() == 1);
    }
    CHECK(c.LockCount() == 0);
}

TEST_CASE("pattern bitmap is a shared checkerboard that a brush can use")
{
    TBitmap* pat = AllocPatternBitmap(clRed, clBlue);
    CHECK(AllocPatternBitmap(clRed, clBlue) == pat);
    CHECK(AllocPatternBitmap(clBlue, clRed) != pat);
    CHECK(pat->Width() == 8);
    CHECK(PixelAt(*pat, 0, 0) == clRed);
    CHECK(PixelAt(*pat, 1, 0) == clBlue);
    CHECK(PixelAt(*pat, 1, 1) == clRed);

    TBitmap bmp;
    tftest::MakeWhite(bmp, 8, 8);
    bmp.Canvas()->Brush()->SetBitmap(pat);
    bmp.Canvas()->FillRect(RECT{0, 0, 8, 8});
    CHECK(CountPixels(bmp, clRed) == 32);
    CHECK(CountPixels(bmp, clBlue) == 32);
    bmp.Canvas()->Brush()->SetBitmap(nullptr);
}

TEST_CASE("drawing and re-making fonts, brushes, pens and canvases leaks no GDI objects")
{
    // Every handle seen during a round must be gone once its owners are.
    std::vector<HGDIOBJ> seen;
    auto round = [&seen] {
        TBitmap bmp(32, 32);
        TCanvas& c = *bmp.Canvas();
        for (int i = 0; i < 5; ++i) {
            c.Font()->SetHeight(-10 - i);
            c.Brush()->SetColor(RGBColor(i * 40, 0, 0));
            c.Pen()->SetWidth(1 + i);
            c.Rectangle(0, 0, 20, 20);
            c.TextOut(0, 0, std::string("leak"));
            seen.insert(seen.end(), {c.Font()->Handle(), c.Brush()->Handle(), c.Pen()->Handle()});
        }
        TFont copy;
        copy.Assign(c.Font());
        seen.push_back(copy.Handle());
        seen.push_back(bmp.Handle());
        seen.push_back(c.Handle());
        bmp.SetSize(40, 40);
        bmp.SetPixelFormat(pf32bit);
        c.FillRect(RECT{0, 0, 4, 4});
        seen.push_back(bmp.Handle());
        seen.push_back(c.Handle());
    };
    round();   // first-use caches (stock objects, pattern bitmaps) settle
    for (HGDIOBJ h : seen) CHECK(::GetObjectType(h) == 0);
    // The process count, where the system keeps one (Wine reports 0).
    const DWORD before = tftest::GdiObjects();
    for (int i = 0; i < 50; ++i) round();
    const DWORD after = tftest::GdiObjects();
    CHECK(after == before);
    int alive = 0;
    for (HGDIOBJ h : seen) alive += ::GetObjectType(h) != 0;
    CHECK(alive == 0);
    CHECK(seen.size() == 51 * 20);
}
