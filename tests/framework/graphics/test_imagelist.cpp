#include <doctest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "tests/framework/graphics/PixelTestUtil.h"

using namespace tf;
using tftest::CountPixels;
using tftest::PixelAt;

namespace {
constexpr TColor Background = 0x406080;

void Clear(TBitmap& bmp)
{
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(20, 20);
    bmp.Canvas()->Brush()->SetColor(Background);
    bmp.Canvas()->FillRect(RECT{0, 0, 20, 20});
}
} // namespace

TEST_CASE("a bitmap resource loads as 16-wide cells with a white mask")
{
    TImageList list;
    list.LoadFromResourceName(::GetModuleHandleA(nullptr), "TESTCELLS", 16, clWhite);
    CHECK(list.Width() == 16);
    CHECK(list.Height() == 16);
    CHECK(list.Count() == 4);
    REQUIRE(list.Handle());

    const TColor squares[] = {clRed, clLime, clBlue, clBlack};
    TBitmap bmp;
    for (int i = 0; i < 4; ++i) {
        CAPTURE(i);
        Clear(bmp);
        list.Draw(*bmp.Canvas(), 2, 2, i);
        CHECK(CountPixels(bmp, squares[i]) == 64);   // the 8 x 8 square
        CHECK(PixelAt(bmp, 2 + 4, 2 + 4) == squares[i]);
        CHECK(PixelAt(bmp, 2, 2) == Background);    // white is transparent
        CHECK(CountPixels(bmp, clWhite) == 0);
    }
    CHECK_THROWS_AS(list.LoadFromResourceName(::GetModuleHandleA(nullptr), "NOSUCHCELLS", 16, clWhite), EResNotFound);
}

TEST_CASE("disabled images are drawn dimmed in the shadow and highlight colours")
{
    TImageList list;
    list.LoadFromResourceName(::GetModuleHandleA(nullptr), "TESTCELLS", 16, clWhite);
    const TColor shadow = static_cast<TColor>(ColorToRGB(clBtnShadow));
    const TColor highlight = static_cast<TColor>(ColorToRGB(clBtnHighlight));
    TBitmap bmp;
    Clear(bmp);
    list.Draw(*bmp.Canvas(), 2, 2, 0, false);
    CHECK(CountPixels(bmp, clRed) == 0);
    CHECK(CountPixels(bmp, shadow) == 64);             // the square's ink
    CHECK(PixelAt(bmp, 2 + 4, 2 + 4) == shadow);
    CHECK(PixelAt(bmp, 2 + 12, 2 + 12) == highlight);  // the embossed edge, one pixel down-right
    CHECK(CountPixels(bmp, highlight) == 15);
    CHECK(CountPixels(bmp, Background) == 400 - 64 - 15);

    Clear(bmp);
    list.Draw(*bmp.Canvas(), 0, 0, 4);   // out of range: nothing
    list.Draw(*bmp.Canvas(), 0, 0, -1, false);
    CHECK(CountPixels(bmp, Background) == 400);
}

TEST_CASE("images added from bitmaps, with and without a mask colour")
{
    TBitmap src(32, 16);
    src.Canvas()->Brush()->SetColor(clFuchsia);
    src.Canvas()->FillRect(RECT{0, 0, 32, 16});
    src.Canvas()->Brush()->SetColor(clYellow);
    src.Canvas()->FillRect(RECT{0, 0, 4, 4});
    src.Canvas()->FillRect(RECT{16, 0, 20, 4});
    TImageList list;
    CHECK(list.AddMasked(&src, clFuchsia) == 0);
    CHECK(list.Count() == 2);   // two 16-wide images
    CHECK(tftest::PixelAt(src, 10, 10) == clFuchsia);   // the caller's bitmap is untouched
    CHECK(list.Add(&src, nullptr) == 2);
    CHECK(list.Count() == 4);

    TBitmap bmp;
    Clear(bmp);
    list.Draw(*bmp.Canvas(), 0, 0, 1);
    CHECK(CountPixels(bmp, clYellow) == 16);
    CHECK(CountPixels(bmp, clFuchsia) == 0);
    Clear(bmp);
    list.Draw(*bmp.Canvas(), 0, 0, 3);   // no mask: opaque
    CHECK(CountPixels(bmp, clFuchsia) == 256 - 16);

    TBitmap cell;
    list.GetBitmap(0, cell);
    CHECK(cell.Width() == 16);
    CHECK(PixelAt(cell, 1, 1) == clYellow);
    CHECK(PixelAt(cell, 10, 10) == clWhite);

    list.Delete(0);
    CHECK(list.Count() == 3);
    list.SetWidth(8);   // a new size empties the list
    CHECK(list.Count() == 0);
    CHECK(ReadInt(&list, "Width") == 8);
}

TEST_CASE("a native image list is drawn and, when shared, not destroyed")
{
    HIMAGELIST native = ::ImageList_Create(8, 8, ILC_COLOR24 | ILC_MASK, 1, 1);
    TBitmap img(8, 8);
    img.Canvas()->Brush()->SetColor(clBlue);
    img.Canvas()->FillRect(RECT{0, 0, 8, 8});
    HBITMAP copy = static_cast<HBITMAP>(::CopyImage(img.Handle(), IMAGE_BITMAP, 0, 0, 0));
    REQUIRE(::ImageList_AddMasked(native, copy, RGB(255, 255, 255)) == 0);
    ::DeleteObject(copy);

    TBitmap bmp;
    Clear(bmp);
    TImageList::DrawList(native, bmp.Canvas()->Handle(), 1, 1, 0, true);
    CHECK(CountPixels(bmp, clBlue) == 64);
    {
        TImageList list;
        list.SetShareImages(true);
        list.SetHandle(native);
        CHECK(list.Width() == 8);
        CHECK(list.Count() == 1);
        Clear(bmp);
        list.Draw(*bmp.Canvas(), 0, 0, 0, false);
        CHECK(CountPixels(bmp, clBlue) == 0);
        CHECK(CountPixels(bmp, static_cast<TColor>(ColorToRGB(clBtnShadow))) == 64);
    }
    CHECK(::ImageList_GetImageCount(native) == 1);   // still alive
    {
        TImageList owner;
        owner.SetHandle(native);   // owned now
    }
}
