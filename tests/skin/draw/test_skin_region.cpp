// Regions cut out of images, and painting a parent's background under a
// control.
#include <doctest.h>

#include <windows.h>

#include <vector>

#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Forms.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/SysUtils.h"
#include "framework/graphics/Picture.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinDraw.h"
#include "tests/skin/data/SkinTestKit.h"

using namespace tf;
using namespace tftest;

namespace {

// Whether every pixel of the w x h image (at dx, dy) is in the region exactly
// when keep(x, y) says so; counts the mismatches.
template <class F>
int RegionMismatches(HRGN region, int w, int h, int dx, int dy, F keep)
{
    int bad = 0;
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < w && y < h && keep(x, y);
            if ((::PtInRegion(region, x + dx, y + dy) != 0) != inside) ++bad;
        }
    return bad;
}

int RectCount(HRGN region)
{
    const DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<uint8_t> data(size);
    ::GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    return static_cast<int>(reinterpret_cast<RGNDATA*>(data.data())->rdh.nCount);
}

} // namespace

TEST_CASE("RegionFromBitmap: exactly the pixels that are not magenta, moved by the offset")
{
    auto b = MakeBitmap(7, 4, [](int x, int y) { return (x * 3 + y) % 4 == 0 ? kMagenta : 0x336699; });
    const TRegionHandle r = RegionFromBitmap(*b, 10, 20, 0, 0, 0, kMagenta);
    REQUIRE(r);
    CHECK(RegionMismatches(r.Get(), 7, 4, 10, 20, [](int x, int y) { return (x * 3 + y) % 4 != 0; }) == 0);
    CHECK(b->PixelFormat() == pf32bit);   // converted
}

TEST_CASE("RegionFromBitmap: tolerances per channel above the key")
{
    // Row of test colours against the key magenta (255, 0, 255), tolerance 1 each.
    const TColor px[] = {RGBColor(255, 0, 255), RGBColor(255, 1, 255), RGBColor(255, 2, 255), RGBColor(254, 0, 255),
                         RGBColor(255, 1, 254), RGBColor(255, 0, 255), RGBColor(0, 0, 0)};
    const bool key[] = {true, true, false, false, false, true, false};
    auto b = MakeBitmap(7, 1, [&](int x, int) { return px[x]; });
    const TRegionHandle r = RegionFromBitmap(*b, 0, 0, 1, 1, 1, kMagenta);
    CHECK(RegionMismatches(r.Get(), 7, 1, 0, 0, [&](int x, int) { return !key[x]; }) == 0);

    // Tolerances are per channel: blue 0, green 3, red 0.
    auto g = MakeBitmap(3, 1, [](int x, int) { return RGBColor(10, 20 + 2 * x, 30); });
    const TRegionHandle rg = RegionFromBitmap(*g, 0, 0, 0, 3, 0, RGBColor(10, 20, 30));
    CHECK(RegionMismatches(rg.Get(), 3, 1, 0, 0, [](int x, int) { return x == 2; }) == 0);   // green 24 is out
}

TEST_CASE("RegionFromBitmap: more than 2000 runs are joined batch by batch")
{
    // A 120 x 100 checkerboard: 6000 single-pixel runs.
    auto b = MakeBitmap(120, 100, [](int x, int y) { return (x + y) % 2 ? kMagenta : 0x000000; });
    const TRegionHandle r = RegionFromBitmap(*b, -3, 5, 0, 0, 0, kMagenta);
    REQUIRE(r);
    CHECK(RegionMismatches(r.Get(), 120, 100, -3, 5, [](int x, int y) { return (x + y) % 2 == 0; }) == 0);
    CHECK(RectCount(r.Get()) == 6000);
}

TEST_CASE("RegionFromBitmap: no rows gives no region; all key gives an empty one")
{
    TBitmap none;
    CHECK(!RegionFromBitmap(none, 0, 0, 0, 0, 0, kMagenta));
    auto all = Filled(5, 5, kMagenta);
    const TRegionHandle r = RegionFromBitmap(*all, 0, 0, 0, 0, 0, kMagenta);
    REQUIRE(r);
    RECT box{};
    CHECK(::GetRgnBox(r.Get(), &box) == NULLREGION);
}

TEST_CASE("RegionFromBitmap: a border composed 0 wide gives an empty region, not a failure")
{
    // A transparent border drawn at a width of 0 (a skin without that image).
    auto border = Filled(4, 30, 0x123456);
    auto composed = ComposeElement(RECT{0, 0, 0, 30}, *border, RECT{0, 3, 0, 3}, 1, 1, false, false);
    REQUIRE(composed->Width() == 0);
    REQUIRE(composed->Height() == 30);
    const TRegionHandle r = RegionFromBitmap(*composed, 5, 5, 0, 0, 0, kMagenta);
    REQUIRE(r);
    RECT box{};
    CHECK(::GetRgnBox(r.Get(), &box) == NULLREGION);
}

namespace {

// A parent whose background is a colour and whose painting colours each
// pixel column by its x coordinate, into the DC given in wParam.
LRESULT CALLBACK ParentProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_ERASEBKGND && wp) {
        RECT r{0, 0, 200, 200};
        HBRUSH b = ::CreateSolidBrush(RGB(0, 0, 250));
        ::FillRect(reinterpret_cast<HDC>(wp), &r, b);
        ::DeleteObject(b);
        return 1;
    }
    if (msg == WM_PAINT && wp) {
        HDC dc = reinterpret_cast<HDC>(wp);
        for (int x = 0; x < 200; ++x) {
            RECT r{x, 10, x + 1, 200};   // rows 0..9 keep the background
            HBRUSH b = ::CreateSolidBrush(RGB(x, 100, 0));
            ::FillRect(dc, &r, b);
            ::DeleteObject(b);
        }
        return 0;
    }
    return ::DefWindowProcA(w, msg, wp, lp);
}

} // namespace

TEST_CASE("PaintParentBackground paints the parent's pixels under the control, clipped to it")
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkinTestParent";
    ::RegisterClassA(&wc);
    HWND parent = ::CreateWindowExA(0, "SkinTestParent", "", WS_POPUP, 0, 0, 200, 150, nullptr, nullptr, nullptr, nullptr);
    REQUIRE(parent);
    HWND child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 30, 5, 40, 20, parent, nullptr, nullptr, nullptr);
    REQUIRE(child);

    // A canvas wider and taller than the control: what lies outside stays.
    auto canvas = Filled(60, 30, 0x00FF00);
    HDC dc = canvas->Canvas()->Handle();
    PaintParentBackground(child, dc);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            CAPTURE(x);
            CAPTURE(y);
            TColor expected = 0x00FF00;
            if (x < 40 && y < 20) expected = y + 5 < 10 ? RGBColor(0, 0, 250) : RGBColor(x + 30, 100, 0);
            REQUIRE(PixelAt(*canvas, x, y) == expected);
        }
    // The DC's origin and clipping are restored.
    POINT origin{};
    ::GetViewportOrgEx(dc, &origin);
    CHECK(origin.x == 0);
    CHECK(origin.y == 0);
    RECT clip{};
    CHECK(::GetClipBox(dc, &clip) != ERROR);
    CHECK(clip.right == 60);

    // A window without parent: nothing.
    auto other = Filled(4, 4, 0x00FF00);
    PaintParentBackground(parent, other->Canvas()->Handle());
    CHECK(PixelAt(*other, 0, 0) == 0x00FF00);
    ::DestroyWindow(parent);
}

TEST_CASE("PaintParentBackground under framework controls: a windowed and a graphic child of a panel")
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetBounds(0, 0, 200, 100);
    panel->SetColor(RGBColor(200, 10, 10));
    // A picture over the whole panel makes every position tell.
    auto* image = new TImage(&form);
    image->SetParent(panel);
    image->SetBounds(0, 0, 200, 100);
    const auto art = MakeBitmap(200, 100, [](int x, int y) { return RGBColor(x, y, 77); });
    image->Picture()->Assign(art.get());
    auto* child = new TPanel(&form);
    child->SetParent(panel);
    child->SetBounds(20, 10, 50, 30);
    child->SetColor(RGBColor(10, 200, 10));
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    label->SetTransparent(true);
    label->SetBounds(100, 40, 30, 20);
    panel->Handle();

    for (TControl* c : {static_cast<TControl*>(child), static_cast<TControl*>(label)}) {
        CAPTURE(c->ClassName());
        auto canvas = Filled(60, 40, 0x00FF00);
        PaintParentBackground(c, canvas->Canvas()->Handle());
        const RECT client = c->ClientRect();
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool under = x < client.right && y < client.bottom;
                REQUIRE(PixelAt(*canvas, x, y) == (under ? RGBColor(x + c->Left(), y + c->Top(), 77) : 0x00FF00));
            }
    }
    // No parent: nothing.
    auto canvas = Filled(4, 4, 0x00FF00);
    TPanel orphan(nullptr);
    PaintParentBackground(&orphan, canvas->Canvas()->Handle());
    CHECK(PixelAt(*canvas, 1, 1) == 0x00FF00);
}

namespace {

// A parent's message handler that records what it is asked and fails on one
// message.
struct TFailingParent : TObject {
    TWinControl* Control = nullptr;
    TWndMethod Saved;
    UINT FailOn = 0;
    std::vector<UINT> Seen;
    void Proc(TMessage& m)
    {
        if (m.Msg == WM_ERASEBKGND || m.Msg == WM_PAINT) {
            Seen.push_back(m.Msg);
            if (m.Msg == FailOn) throw Exception("parent cannot paint");
            return;
        }
        Saved(m);
    }
};

} // namespace

TEST_CASE("PaintParentBackground: at design time a failing parent skips the rest and the failure stays inside")
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 150, 80);
    auto* child = new TPanel(&form);
    child->SetParent(panel);
    child->SetBounds(10, 10, 40, 20);
    TFailingParent parent;
    parent.Saved = panel->WindowProc;
    panel->WindowProc = TWndMethod::Of<&TFailingParent::Proc>(&parent);

    struct Case {
        bool designing;
        UINT failOn;
        std::vector<UINT> seen;
        bool escapes;
    };
    const Case cases[] = {
        {true, WM_ERASEBKGND, {WM_ERASEBKGND}, false},            // the paint is skipped
        {true, WM_PAINT, {WM_ERASEBKGND, WM_PAINT}, false},
        {true, 0, {WM_ERASEBKGND, WM_PAINT}, false},
        {false, WM_ERASEBKGND, {WM_ERASEBKGND}, true},            // at run time the failure is the caller's
    };
    for (const Case& c : cases) {
        CAPTURE(c.designing);
        CAPTURE(c.failOn);
        child->SetDesigning(c.designing);
        parent.FailOn = c.failOn;
        parent.Seen.clear();
        auto canvas = Filled(60, 40, 0x00FF00);
        HDC dc = canvas->Canvas()->Handle();
        bool escaped = false;
        try {
            PaintParentBackground(child, dc);
        } catch (const Exception&) {
            escaped = true;
        }
        CHECK(escaped == c.escapes);
        CHECK(parent.Seen == c.seen);
        // The DC's origin and clipping are restored either way.
        POINT origin{};
        ::GetViewportOrgEx(dc, &origin);
        CHECK(origin.x == 0);
        CHECK(origin.y == 0);
        RECT clip{};
        ::GetClipBox(dc, &clip);
        CHECK(clip.right == 60);
        CHECK(clip.bottom == 40);
    }
    child->SetDesigning(false);
    panel->WindowProc = parent.Saved;
}
