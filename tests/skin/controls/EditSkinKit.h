// Helpers for the tests of the edit and container families: the previewer's
// controls by name, pictures of a window as its skinner draws it (into a
// bitmap or from the screen), rings and areas of pictures compared with the
// skin's colours and elements, and strips of plain-coloured frames that
// stand in for a skin's images.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "ControlSkinKit.h"

namespace edittest {

// The named control of the previewer, required to exist.
template <class T>
T* Get(ctltest::Skinview& view, const std::string& name)
{
    T* c = view.Find<T>(name);
    REQUIRE(c);
    return c;
}

// A bitmap of the window's size filled with `fill`, then what the skinner
// draws into it (DrawControl through PaintControl, at the origin).
inline std::unique_ptr<tf::TBitmap> SkinnerPicture(tf::TSkinControl& skinner, tf::TColor fill = 0x123456)
{
    const RECT r = ctltest::ScreenRectOf(skinner.Handle());
    auto picture = std::make_unique<tf::TBitmap>(r.right - r.left, r.bottom - r.top, tf::pf24bit);
    tf::TSkinControl::FillSolid(picture->Canvas()->Handle(), RECT{0, 0, picture->Width(), picture->Height()}, fill);
    skinner.PaintControl(picture->Canvas()->Handle());
    return picture;
}

// How many pixels of ring `ring` (0 the outermost) of the picture are not `color`.
inline int RingMisses(tf::TBitmap& picture, int ring, tf::TColor color)
{
    const int w = picture.Width(), h = picture.Height();
    int misses = 0;
    for (int x = ring; x < w - ring; ++x) {
        misses += skintest::PixelAt(picture, x, ring) != color;
        misses += skintest::PixelAt(picture, x, h - 1 - ring) != color;
    }
    for (int y = ring + 1; y < h - 1 - ring; ++y) {
        misses += skintest::PixelAt(picture, ring, y) != color;
        misses += skintest::PixelAt(picture, w - 1 - ring, y) != color;
    }
    return misses;
}

// Of the pixels of `want` (not magenta) in the rectangle, the share that
// `picture` shows equally at the same places.
inline double MatchRatio(tf::TBitmap& picture, tf::TBitmap& want, const RECT& r)
{
    int equal = 0, compared = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const tf::TColor c = skintest::PixelAt(want, x, y);
            if (c == tf::clSkinKey) continue;
            ++compared;
            equal += skintest::PixelAt(picture, x, y) == c;
        }
    return compared ? static_cast<double>(equal) / compared : 0;
}

// How many pixels of the rectangle are `color`.
inline int CountColor(tf::TBitmap& picture, const RECT& r, tf::TColor color)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += skintest::PixelAt(picture, x, y) == color;
    return n;
}

// A strip of equal frames of one colour each, `width` wide and `height` high
// each; frame k has colours[k - 1].
inline std::unique_ptr<tf::TBitmap> ColourStrip(int width, int height, std::initializer_list<tf::TColor> colours)
{
    auto strip = std::make_unique<tf::TBitmap>(width * static_cast<int>(colours.size()), height, tf::pf24bit);
    int x = 0;
    for (tf::TColor c : colours) {
        tf::TSkinControl::FillSolid(strip->Canvas()->Handle(), RECT{x, 0, x + width, height}, c);
        x += width;
    }
    return strip;
}

// The previewer shown and skinned through the class table by a stand-in
// host (or shown only, to skin later).
struct SkinviewFixture {
    ctltest::Skinview view;   // read before the engine: unskinned, for the host
    tf::TSkinEngine engine{ctltest::ControlsOnly()};
    std::unique_ptr<ctltest::TestHost> host;
    tf::TSkinData* data;
    explicit SkinviewFixture(bool skin = true)
    {
        view.form->Show();
        data = view.form->SkinData1;
        host = std::make_unique<ctltest::TestHost>(data, view.form->Handle());
        if (skin) view.SkinAll(*host);
        skintest::Pump(50);
    }
    ~SkinviewFixture()
    {
        host.reset();
    }
    SkinviewFixture(const SkinviewFixture&) = delete;
    SkinviewFixture& operator=(const SkinviewFixture&) = delete;
    tf::TColor Face() const { return data->FColors[tf::SkinColor::ButtonFace]; }
    tf::TColor Shadow() const { return data->FColors[tf::SkinColor::ButtonShadow]; }
    // The skinner of class S the host keeps for a control; required.
    template <class S>
    S* Skinner(tf::TControl* c)
    {
        auto* s = dynamic_cast<S*>(ctltest::SkinnerOf(host->Skinners(), c));
        REQUIRE(s);
        return s;
    }
};

// Repaints a window and its children now and lets the queue run.
inline void Repaint(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    skintest::Pump(60);
}

} // namespace edittest
