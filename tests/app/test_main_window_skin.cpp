// The guard's main window wears the skin its SkinData1 carries: shown by an
// alarm, its frame on the screen is the skin's border images (active, then
// inactive), its caption text is in the skin's caption colours, its client
// area keeps its stored size inside the skin's frame and its region follows
// the borders' transparent corners.
#include <doctest.h>

#include <windows.h>

#include "../skin/window/SkinWindowKit.h"
#include "GuardProcess.h"

using namespace guardtest;
using namespace tf;
using skintest::ComposedBorder;
using skintest::PixelAt;

namespace {

const std::string kMZ("MZ\x90\0\x03\0\0\0 skin", 13);

struct Folder {
    std::string path;
    Folder() : path("C:\\tamfern-skin-" + std::to_string(GetCurrentProcessId()) + "\\")
    {
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~Folder()
    {
        DeleteFileA((path + "shown.exe").c_str());
        RemoveDirectoryA(path.c_str());
    }
};

// What the screen shows of a window now.
std::unique_ptr<TBitmap> ScreenOf(HWND w)
{
    const RECT r = skintest::WindowRectOf(w);
    auto image = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top, pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(image->Canvas()->Handle(), 0, 0, image->Width(), image->Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return image;
}

// Pixels of a border piece at (px, py) on the screen image that differ from
// the composed piece; magenta pixels of the piece are cut away by the region.
int BorderMismatches(TBitmap& screen, int px, int py, TBitmap& piece)
{
    int bad = 0;
    for (int y = 0; y < piece.Height(); ++y)
        for (int x = 0; x < piece.Width(); ++x) {
            const TColor want = PixelAt(piece, x, y);
            if (want != 0xFF00FF && PixelAt(screen, px + x, py + y) != want) ++bad;
        }
    return bad;
}

int CountColour(TBitmap& image, const RECT& r, TColor colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += PixelAt(image, x, y) == colour;
    return n;
}

bool InRegion(HWND w, int x, int y)
{
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool in = GetWindowRgn(w, rgn) != ERROR && PtInRegion(rgn, x, y);
    DeleteObject(rgn);
    return in;
}

} // namespace

TEST_CASE("the main window, shown by an alarm, wears the skin of SkinData1")
{
    const auto skin = skintest::LightBlueSkin();   // the same skin, to compose the expected pixels
    TSkinData& d = *skin;
    REQUIRE_FALSE(d.FNoSkin);
    const SIZE leftSize = skintest::BorderFrameSize(d, SkinBorder::Left);
    const SIZE rightSize = skintest::BorderFrameSize(d, SkinBorder::Right);
    const int bl = leftSize.cx, br = rightSize.cx;
    const int bt = skintest::BorderFrameSize(d, SkinBorder::Top).cy;
    const int bb = skintest::BorderFrameSize(d, SkinBorder::Bottom).cy;

    TempFolder home("tamfern-skin-");
    GuardProcess guard(home.Path());
    REQUIRE(guard.Form() != nullptr);
    HWND form = guard.Form();
    // Hidden, it is not skinned yet: the stored size under the system frame.
    const SIZE storedClient = skintest::ClientSizeOf(form);
    CHECK(SendMessageA(form, SKM_QUERYSKINNED, 0, 0) != 1);

    Folder dir;
    WriteFileBytes(dir.path + "shown.exe", kMZ);
    REQUIRE(WaitFor([&] { return guard.Visible(); }, 5000));
    REQUIRE(WaitFor(
        [&] {
            const RECT r = skintest::WindowRectOf(form);
            return SendMessageA(form, SKM_QUERYSKINNED, 0, 0) == 1 && r.right - r.left == storedClient.cx + bl + br;
        },
        3000));
    Sleep(300);
    const RECT r = skintest::WindowRectOf(form);
    const int W = r.right - r.left, H = r.bottom - r.top;
    const SIZE client = skintest::ClientSizeOf(form);
    CHECK(client.cx == storedClient.cx);
    CHECK(client.cy == storedClient.cy);
    CHECK(H == storedClient.cy + bt + bb);

    // The region follows the transparent corners of the side borders.
    CHECK_FALSE(InRegion(form, 0, 0));
    CHECK_FALSE(InRegion(form, W - 1, 0));
    CHECK(InRegion(form, W / 2, 0));
    CHECK(InRegion(form, 0, H / 2));

    auto active = ScreenOf(form);
    CHECK(BorderMismatches(*active, 0, 0, *ComposedBorder(d, SkinBorder::Left, bl, H, 1)) == 0);
    CHECK(BorderMismatches(*active, W - br, 0, *ComposedBorder(d, SkinBorder::Right, br, H, 1)) == 0);
    CHECK(BorderMismatches(*active, bl, H - bb, *ComposedBorder(d, SkinBorder::Bottom, W - bl - br, bb, 1)) == 0);
    // "Tamfern" in the active caption colour, left in the band, nothing right of it.
    const TColor activeText = ColorToRGB(d.FColors[SkinColor::TitleTextActive]);
    const TColor inactiveText = ColorToRGB(d.FColors[SkinColor::TitleTextNoActive]);
    // Right of the window icon, which the icon caption button draws at x = 8.
    const int textLeft = 8 + GetSystemMetrics(SM_CXSMICON);
    const RECT textArea{textLeft, 0, textLeft + 120, bt};
    CHECK(CountColour(*active, textArea, activeText) > 20);
    CHECK(CountColour(*active, RECT{bl + 160, 0, W - br - 80, bt}, activeText) == 0);
    // Under the button band (97 pixels high) the cool bar (113 high) shows the skin's face too.
    const TColor face = ColorToRGB(d.FColors[SkinColor::ButtonFace]);
    const RECT strip{bl + 20, bt + 102, bl + 380, bt + 112};
    CHECK(CountColour(*active, strip, face) == (strip.right - strip.left) * (strip.bottom - strip.top));

    // Another window active: the inactive frame and caption colour.
    skintest::TestWindow other(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 200, 120, "Other");
    SetForegroundWindow(other);
    REQUIRE(WaitFor(
        [&] {
            auto shot = ScreenOf(form);
            return BorderMismatches(*shot, 0, 0, *ComposedBorder(d, SkinBorder::Left, bl, H, 2)) == 0;
        },
        3000));
    auto inactive = ScreenOf(form);
    CHECK(BorderMismatches(*inactive, bl, H - bb, *ComposedBorder(d, SkinBorder::Bottom, W - bl - br, bb, 2)) == 0);
    CHECK(CountColour(*inactive, textArea, inactiveText) > 20);
    CHECK(CountColour(*inactive, textArea, activeText) == 0);
    CHECK(guard.Close());
}
