#include <doctest.h>

#include "framework/core/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/Picture.h"
#include "tests/framework/graphics/BmpBuilder.h"
#include "tests/framework/graphics/PixelTestUtil.h"

using namespace tf;
using tftest::CountPixels;
using tftest::PixelAt;
using tftest::Put16;
using tftest::Put32;

namespace {

// A 32-bit icon image of one colour; (0, 0) is masked out when holed.
std::vector<uint8_t> IconImage(int size, TColor color, bool holed)
{
    std::vector<uint8_t> d;
    Put32(d, 40);
    Put32(d, static_cast<uint32_t>(size));
    Put32(d, static_cast<uint32_t>(2 * size));
    Put16(d, 1);
    Put16(d, 32);
    for (int i = 0; i < 6; ++i) Put32(d, 0);
    for (int y = size - 1; y >= 0; --y)   // bottom-up
        for (int x = 0; x < size; ++x) {
            const bool hole = holed && x == 0 && y == 0;
            d.push_back(hole ? 0 : static_cast<uint8_t>(color >> 16));
            d.push_back(hole ? 0 : static_cast<uint8_t>(color >> 8));
            d.push_back(hole ? 0 : static_cast<uint8_t>(color));
            d.push_back(0);
        }
    const int andStride = ((size + 31) / 32) * 4;
    for (int y = size - 1; y >= 0; --y)
        for (int i = 0; i < andStride; ++i) d.push_back(holed && y == 0 && i == 0 ? 0x80 : 0);
    return d;
}

std::vector<uint8_t> IconFileBytes(const std::vector<std::pair<int, std::vector<uint8_t>>>& images)
{
    std::vector<uint8_t> f;
    Put16(f, 0);
    Put16(f, 1);
    Put16(f, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (const auto& [size, data] : images) {
        f.push_back(static_cast<uint8_t>(size));
        f.push_back(static_cast<uint8_t>(size));
        f.push_back(0);
        f.push_back(0);
        Put16(f, 1);
        Put16(f, 32);
        Put32(f, static_cast<uint32_t>(data.size()));
        Put32(f, offset);
        offset += static_cast<uint32_t>(data.size());
    }
    for (const auto& [size, data] : images) f.insert(f.end(), data.begin(), data.end());
    return f;
}

std::vector<uint8_t> TwoImageIcon()
{
    return IconFileBytes({{16, IconImage(16, clLime, false)}, {32, IconImage(32, clRed, true)}});
}

void LoadIcon(TIcon& icon, const std::vector<uint8_t>& bytes)
{
    TMemoryStream s(bytes);
    icon.LoadFromStream(s);
}

bool IconAlive(HICON h)
{
    ICONINFO info{};
    if (!::GetIconInfo(h, &info)) return false;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return true;
}

} // namespace

TEST_CASE("an icon file with two images loads, draws and saves back unchanged")
{
    const std::vector<uint8_t> file = TwoImageIcon();
    TIcon icon;
    CHECK(icon.Empty());
    LoadIcon(icon, file);
    CHECK(icon.ImageCount() == 2);
    CHECK(icon.Width() == 32);   // the system icon size is preferred
    CHECK(icon.Height() == 32);
    CHECK(icon.Transparent());
    REQUIRE(icon.Handle());

    TBitmap target;
    tftest::MakeWhite(target, 32, 32);
    target.Canvas()->Draw(0, 0, &icon);
    CHECK(PixelAt(target, 5, 5) == clRed);
    CHECK(PixelAt(target, 0, 0) == clWhite);   // masked out
    CHECK(CountPixels(target, clRed) == 32 * 32 - 1);

    TIconHandle small = icon.CreateHandleForSize(16, 16);
    REQUIRE(small);
    tftest::MakeWhite(target, 32, 32);
    ::DrawIconEx(target.Canvas()->Handle(), 0, 0, small.Get(), 0, 0, 0, nullptr, DI_NORMAL);
    CHECK(CountPixels(target, clLime) == 16 * 16);

    TMemoryStream saved;
    icon.SaveToStream(saved);
    CHECK(saved.Bytes() == file);

    saved.SetPosition(0);
    TIcon again;
    again.LoadFromStream(saved);
    CHECK(again.ImageCount() == 2);
    CHECK(again.Images()[0].Width == 16);
    CHECK(again.Images()[1].Data == icon.Images()[1].Data);
}

TEST_CASE("an icon takes ownership of a handle and releases the previous one")
{
    TIcon source;
    LoadIcon(source, TwoImageIcon());
    HICON h1 = ::CopyIcon(source.Handle());
    HICON h2 = ::CopyIcon(source.Handle());
    {
        TIcon icon;
        icon.SetHandle(h1);
        CHECK(icon.Handle() == h1);
        CHECK(icon.Width() == 32);
        CHECK(icon.ImageCount() == 0);
        icon.SetHandle(h2);
        CHECK_FALSE(IconAlive(h1));
        CHECK(IconAlive(h2));

        // A handle-only icon saves one 32-bit image that draws the same.
        TMemoryStream s;
        icon.SaveToStream(s);
        s.SetPosition(0);
        TIcon back;
        back.LoadFromStream(s);
        CHECK(back.ImageCount() == 1);
        CHECK(back.Width() == 32);
        TBitmap target;
        tftest::MakeWhite(target, 32, 32);
        target.Canvas()->Draw(0, 0, &back);
        CHECK(CountPixels(target, clRed) == 32 * 32 - 1);
        CHECK(PixelAt(target, 0, 0) == clWhite);

        HICON released = icon.ReleaseHandle();
        CHECK(released == h2);
        CHECK(icon.Empty());
    }
    CHECK(IconAlive(h2));
    ::DestroyIcon(h2);
    TIcon icon;
    CHECK_THROWS_AS(icon.SetWidth(5), EInvalidGraphicOperation);
    TMemoryStream nothing;
    icon.SaveToStream(nothing);   // an empty icon writes nothing
    CHECK(nothing.Size() == 0);
}

TEST_CASE("icon Assign gives the copy a handle of its own")
{
    TIcon a;
    LoadIcon(a, TwoImageIcon());
    TIcon b;
    b.Assign(&a);
    CHECK(b.ImageCount() == 2);
    CHECK(b.Handle() != a.Handle());
    TIcon handleOnly;
    handleOnly.SetHandle(::CopyIcon(a.Handle()));
    TIcon c;
    c.Assign(&handleOnly);
    CHECK(c.Handle() != handleOnly.Handle());
    CHECK(c.Width() == 32);
    HICON ch = c.Handle();
    c.Assign(nullptr);
    CHECK(c.Empty());
    CHECK_FALSE(IconAlive(ch));
}

TEST_CASE("invalid icon files raise and leave the icon as it was")
{
    const std::vector<uint8_t> good = TwoImageIcon();
    auto with = [&](size_t at, std::vector<uint8_t> bytes) {
        std::vector<uint8_t> b = good;
        for (size_t i = 0; i < bytes.size(); ++i) b.at(at + i) = bytes[i];
        return b;
    };
    auto cut = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + static_cast<ptrdiff_t>(n)); };
    const size_t img1 = 6 + 32;   // first image's header
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"reserved word set", with(0, {1})},
        {"a cursor file", with(2, {2})},
        {"no images", with(4, {0, 0})},
        {"directory cut", cut(20)},
        {"image size past the end", with(6 + 8, {0xFF, 0xFF, 0, 0})},
        {"image offset past the end", with(6 + 12, {0xFF, 0xFF, 0, 0})},
        {"image offset inside the directory", with(6 + 12, {8, 0, 0, 0})},
        {"image header size 12", with(img1, {12})},
        {"image 7 bits per pixel", with(img1 + 14, {7})},
        {"image width 5000", with(img1 + 4, {0x88, 0x13})},
        {"image compressed", with(img1 + 16, {1})},
        {"image claims a taller mask", with(img1 + 8, {64})},
        {"last image cut", cut(good.size() - 1)},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        TIcon icon;
        LoadIcon(icon, IconFileBytes({{16, IconImage(16, clBlue, false)}}));
        HICON before = icon.Handle();
        TMemoryStream s(c.bytes);
        CHECK_THROWS_AS(icon.LoadFromStream(s), EInvalidGraphic);
        CHECK(icon.Handle() == before);
        CHECK(icon.ImageCount() == 1);
        CHECK(icon.Width() == 16);
    }
}

TEST_CASE("a picture holds a copy of its graphic and reports changes")
{
    struct Counter : TObject {
        int Count = 0;
        void Changed(TObject*) { ++Count; }
    } counter;
    TPicture pic;
    pic.OnChange = TNotifyEvent::Of<&Counter::Changed>(&counter);
    CHECK(pic.Empty());
    CHECK(pic.Width() == 0);

    TIcon* icon = pic.Icon();
    CHECK(counter.Count == 1);
    TMemoryStream s(TwoImageIcon());
    icon->LoadFromStream(s);
    CHECK(counter.Count == 2);   // the graphic's own change is passed on
    CHECK(pic.Width() == 32);
    CHECK(pic.Graphic() == icon);

    TBitmap target;
    tftest::MakeWhite(target, 40, 40);
    pic.Draw(*target.Canvas(), RECT{0, 0, 32, 32});
    CHECK(PixelAt(target, 10, 10) == clRed);
    CHECK(PixelAt(target, 35, 35) == clWhite);

    TPicture other;
    other.Assign(&pic);
    REQUIRE(dynamic_cast<TIcon*>(other.Graphic()));
    CHECK(other.Graphic() != pic.Graphic());
    CHECK(static_cast<TIcon*>(other.Graphic())->Handle() != icon->Handle());

    TBitmap* bmp = pic.Bitmap();   // a bitmap replaces the icon
    CHECK(pic.Empty());
    bmp->SetSize(3, 4);
    CHECK(pic.Width() == 3);
    CHECK(pic.Height() == 4);
    const int beforeSet = counter.Count;
    TBitmap loose(5, 5);
    pic.SetBitmap(&loose);
    CHECK(counter.Count == beforeSet + 1);
    CHECK(pic.Graphic() != &loose);
    CHECK(pic.Width() == 5);
    CHECK(ReadObject(&pic, "Graphic") == pic.Graphic());
    pic.Assign(nullptr);
    CHECK(pic.Graphic() == nullptr);
    pic.Draw(*target.Canvas(), RECT{0, 0, 5, 5});   // nothing to draw
}
