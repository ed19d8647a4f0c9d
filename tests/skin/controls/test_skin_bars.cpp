// Progress bars, track bars, headers and the media player's panel skinned
// on real windows: fills in proportion (plain and chunk variants, vertical
// from the bottom), track bars drawn through custom draw with the control's
// own tick marks, header items and the area after them, a player with no
// visible button, a player freed by its own click, and switching off and
// detaching giving the controls back.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "../../PoisonedFrees.h"
#include "ControlSkinKit.h"
#include "framework/controls/HeaderControl.h"
#include "framework/controls/MPlayer.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/TrackBar.h"
#include "skin/controls/tabbars/SkinHeader.h"
#include "skin/controls/media/SkinMP.h"
#include "skin/controls/tabbars/SkinProgress.h"
#include "skin/controls/tabbars/SkinTrackBar.h"
#include "skin/controls/media/WMediaPlayer.h"

using namespace tf;
using namespace ctltest;
using skintest::PixelAt;

namespace {

struct FormFixture : SkinnedForm {
    FormFixture() : SkinnedForm(420, 300) {}
};

// Pixel (x, y) of an element frame composed at w x h.
TColor ComposedPixel(TDataSkinObject& e, int frame, int frames, int w, int h, int x, int y)
{
    auto composed = ComposeElement(RECT{0, 0, w, h}, *e.Bitmap, e.Margins, frame, frames, e.Tile != 0, false);
    return PixelAt(*composed, x, y);
}

} // namespace

TEST_CASE("A progress bar with range 50-150 at 100 fills exactly half its length; without the element it keeps its look")
{
    FormFixture f;
    auto* bar = f.Make<TProgressBar>(10, 10, 200, 18);
    bar->SetMin(50);
    bar->SetMax(150);
    bar->SetPosition(100);
    skintest::Pump(30);
    auto own = PrintClient(bar->Handle());
    TSkinControl* skinner = f.Skin(bar);
    REQUIRE(skinner);
    CHECK(skinner->ClassName() == "TSkinProgress");

    TDataSkinBorder& e = *f.data->SkinProgress;
    auto picture = PrintClient(bar->Handle());
    const int mid = 9;
    // The fill frame composed over the first 100 pixels, its right edge at 99;
    // the trough after it.
    CHECK(PixelAt(*picture, 50, mid) == ComposedPixel(e, 2, 2, 100, 18, 50, mid));
    CHECK(PixelAt(*picture, 99, mid) == ComposedPixel(e, 2, 2, 100, 18, 99, mid));
    CHECK(PixelAt(*picture, 100, mid) == ComposedPixel(e, 1, 2, 200, 18, 100, mid));
    CHECK(PixelAt(*picture, 150, mid) == ComposedPixel(e, 1, 2, 200, 18, 150, mid));
    CHECK(PixelAt(*picture, 99, mid) != PixelAt(*picture, 100, mid));

    // The position moves: the fill follows.
    bar->SetPosition(150);
    UpdateWindow(bar->Handle());
    auto full = PrintClient(bar->Handle());
    CHECK(PixelAt(*full, 199 - 1, mid) == ComposedPixel(e, 2, 2, 200, 18, 198, mid));

    // A skin without the element: the control's own drawing.
    delete skinner;
    bar->SetPosition(100);
    TBitmap saved;
    saved.Assign(e.Bitmap.get());
    e.Bitmap->FreeImage();
    skinner = f.Skin(bar);
    REQUIRE(skinner);
    InvalidateRect(bar->Handle(), nullptr, TRUE);
    UpdateWindow(bar->Handle());
    auto plain = PrintClient(bar->Handle());
    CHECK(skintest::DifferingPixels(*plain, 0, 0, *own) == 0);
    e.Bitmap->Assign(&saved);
}

TEST_CASE("The chunk variant fills half too, tiled or stretched; a vertical bar fills from the bottom")
{
    FormFixture f;
    f.data->SkinProgress->Style = 1;
    // A chunk of a colour no other part has.
    TDataSkinObject& chunk = *f.data->SkinProgressChunk;
    chunk.Bitmap->SetPixelFormat(pf24bit);
    chunk.Bitmap->SetSize(8, 10);
    chunk.Bitmap->Canvas()->Brush()->SetColor(RGBColor(0, 200, 60));
    chunk.Bitmap->Canvas()->FillRect(RECT{0, 0, 8, 10});
    chunk.FrameCount = 1;
    chunk.Trans = 0;
    chunk.Margins = RECT{0, 0, 0, 0};
    auto* bar = f.Make<TProgressBar>(10, 10, 200, 20);
    bar->SetMin(50);
    bar->SetMax(150);
    bar->SetPosition(100);
    REQUIRE(f.Skin(bar));
    const TColor green = RGBColor(0, 200, 60);
    auto greenSpan = [&](int row, int& first, int& last) {
        auto picture = PrintClient(bar->Handle());
        first = -1;
        last = -1;
        for (int x = 0; x < 200; ++x)
            if (PixelAt(*picture, x, row) == green) {
                if (first < 0) first = x;
                last = x;
            }
    };
    for (int tile : {1, 0}) {
        CAPTURE(tile);
        chunk.Tile = tile;
        InvalidateRect(bar->Handle(), nullptr, FALSE);
        int first = 0, last = 0;
        greenSpan(10, first, last);
        // Inside the trough's ends, and ending at the middle.
        CHECK(first == (tile ? f.data->SkinProgress->Margins.left + 2 : 2));
        CHECK(last == 99);
    }

    f.data->SkinProgress->Style = 0;
    auto* vertical = f.Make<TProgressBar>(230, 10, 20, 200);
    vertical->SetOrientation(pbVertical);
    vertical->SetBounds(230, 10, 20, 200);
    vertical->SetPosition(25);
    REQUIRE(f.Skin(vertical));
    TDataSkinBorder& e = *f.data->SkinProgress;
    auto picture = PrintClient(vertical->Handle());
    // The lying bar's start is the standing bar's bottom.
    const TColor fill = ComposedPixel(e, 2, 2, 50, 20, 25, 10);
    const TColor trough = ComposedPixel(e, 1, 2, 200, 20, 100, 10);
    CHECK(PixelAt(*picture, 10, 199 - 25) == fill);
    CHECK(PixelAt(*picture, 10, 100) == trough);
    CHECK(PixelAt(*picture, 10, 10) == trough);
    int top = 0;
    while (top < 200 && PixelAt(*picture, 10, top) != fill) ++top;
    CHECK(top > 150);
    CHECK(top < 199);
}

TEST_CASE("A track bar keeps its tick marks while channel and thumb come from the skin")
{
    FormFixture f;
    for (bool vertical : {false, true}) {
        CAPTURE(vertical);
        auto* track = f.Make<TTrackBar>(10, 10, vertical ? 40 : 240, vertical ? 200 : 40);
        if (vertical) {
            track->SetOrientation(trVertical);
            track->SetBounds(10, 10, 40, 200);
        }
        track->SetMax(10);
        track->SetPosition(3);
        skintest::Pump(30);
        auto own = PrintClient(track->Handle());
        TSkinControl* skinner = f.Skin(track);
        REQUIRE(skinner);
        CHECK(skinner->ClassName() == "TSkinTrackBar");
        auto picture = PrintClient(track->Handle());
        HWND w = track->Handle();

        // The thumb: frame 2 of the thumb element's 5, stretched over it.
        RECT thumb{};
        SendMessageA(w, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        TDataSkinObject& thumbs = vertical ? *f.data->SkinTrackThumbVert : *f.data->SkinTrackThumbHorz;
        const int tw = thumb.right - thumb.left, th = thumb.bottom - thumb.top;
        TBitmap expected(tw, th, pf24bit);
        expected.Canvas()->Brush()->SetColor(clSkinKey);
        expected.Canvas()->FillRect(RECT{0, 0, tw, th});
        DrawElementStretched(expected.Canvas()->Handle(), RECT{0, 0, tw, th}, *thumbs.Bitmap, 2, 5, false);
        int same = 0, compared = 0;
        for (int y = 0; y < th; ++y)
            for (int x = 0; x < tw; ++x)
                if (PixelAt(expected, x, y) != clSkinKey) {
                    ++compared;
                    same += PixelAt(*picture, thumb.left + x, thumb.top + y) == PixelAt(expected, x, y);
                }
        CHECK(compared > 20);
        CHECK(same == compared);

        // The channel: the skin's image across its middle, ends fixed.
        RECT channel{};
        SendMessageA(w, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        if (vertical && channel.right - channel.left > channel.bottom - channel.top)
            channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
        TDataSkinObject& image = vertical ? *f.data->SkinTrackVert : *f.data->SkinTrack;
        const int thickness = vertical ? image.Bitmap->Width() : image.Bitmap->Height();
        if (vertical) {
            const int x0 = channel.left + (channel.right - channel.left - thickness) / 2;
            const int y = channel.top + 2;   // above the thumb
            for (int i = 0; i < thickness; ++i)
                CHECK(PixelAt(*picture, x0 + i, y) == PixelAt(*image.Bitmap, i, image.Margins.top));
        } else {
            const int y0 = channel.top + (channel.bottom - channel.top - thickness) / 2;
            const int x = channel.right - 3;   // right of the thumb
            for (int i = 0; i < thickness; ++i)
                CHECK(PixelAt(*picture, x, y0 + i) == PixelAt(*image.Bitmap, image.Bitmap->Width() - 3, i));
        }

        // The tick marks (beyond the thumb, on the far side) are the control's own.
        const RECT ticks = vertical ? RECT{thumb.right + 1, 0, 40, 200} : RECT{0, thumb.bottom + 1, 240, 40};
        int dark = 0, differing = 0;
        for (int y = ticks.top; y < ticks.bottom; ++y)
            for (int x = ticks.left; x < ticks.right; ++x) {
                differing += PixelAt(*picture, x, y) != PixelAt(*own, x, y);
                dark += PixelAt(*own, x, y) != PixelAt(*own, ticks.left, ticks.top);
            }
        CHECK(dark > 5);
        CHECK(differing == 0);

        // Switched off, the control draws itself again.
        SendMessageA(w, SKM_SKINENABLE, 0, 0);
        auto off = PrintClient(w);
        CHECK(skintest::DifferingPixels(*off, 0, 0, *own) == 0);
        delete skinner;
        track->Free();
    }
}

TEST_CASE("The track bar skinner answers custom draw by stage and item, and passes other notifications on")
{
    FormFixture f;
    auto* track = f.Make<TTrackBar>(10, 10, 200, 40);
    auto* skinner = static_cast<TSkinTrackBar*>(f.Skin(track));
    REQUIRE(skinner);
    HDC dc = GetDC(track->Handle());
    struct Case {
        DWORD stage;
        DWORD_PTR item;
        LRESULT answer;
    };
    const Case cases[] = {
        {CDDS_PREPAINT, 0, CDRF_NOTIFYITEMDRAW},     {CDDS_ITEMPREPAINT, TBCD_TICS, CDRF_DODEFAULT},
        {CDDS_ITEMPREPAINT, TBCD_THUMB, CDRF_SKIPDEFAULT}, {CDDS_ITEMPREPAINT, TBCD_CHANNEL, CDRF_SKIPDEFAULT},
        {CDDS_PREERASE, 0, CDRF_DODEFAULT},          {CDDS_POSTPAINT, 0, CDRF_DODEFAULT},
        {CDDS_ITEMPOSTPAINT, TBCD_THUMB, CDRF_DODEFAULT},
    };
    for (const Case& c : cases) {
        CAPTURE(c.stage);
        CAPTURE(c.item);
        NMCUSTOMDRAW draw{};
        draw.hdr.hwndFrom = track->Handle();
        draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
        draw.dwDrawStage = c.stage;
        draw.dwItemSpec = c.item;
        draw.hdc = dc;
        CHECK(track->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&draw)) == c.answer);
    }
    ReleaseDC(track->Handle(), dc);

    // Another notification, and the engine's own message on CN_NOTIFY, reach the control.
    struct Listener : TObject {
        int Heard = 0;
        void Notified(TObject*, NMHDR*, LRESULT&) { ++Heard; }
    } listener;
    track->OnNotify = decltype(track->OnNotify)::Of<&Listener::Notified>(&listener);
    NMHDR other{track->Handle(), 0, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    track->Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&other));
    CHECK(listener.Heard == 1);
    CHECK(track->Perform(CN_NOTIFY, 0, ForeignMessageMark) == 0);
    track->OnNotify.Clear();
}

TEST_CASE("Header items are drawn from the skin with their text; the area after them gets the normal frame")
{
    FormFixture f;
    auto* header = f.Make<THeaderControl>(10, 10, 300, 22);
    for (const char* text : {"Name", "Size"}) {
        THeaderSection* s = header->Sections()->Add();
        s->SetText(text);
        s->SetWidth(100);
    }
    header->Sections()->Items(1)->SetAlignment(taRightJustify);
    auto* skinner = static_cast<TSkinHeader*>(f.Skin(header));
    REQUIRE(skinner);
    CHECK(skinner->ClassName() == "TSkinHeader");
    CHECK(skinner->HotItem() == -1);
    auto picture = PrintClient(header->Handle());
    REQUIRE(skinner->ItemRects().size() == 2);
    CHECK(skinner->ItemRects()[1].left == 103);
    CHECK(skinner->ItemRects()[1].right == 197);

    TDataSkinObject& e = *f.data->SkinHeader;
    // Each item shows frame 1 around its text, and the rest of the header too.
    TBitmap item(100, 22, pf24bit);
    BitBlt(item.Canvas()->Handle(), 0, 0, 100, 22, picture->Canvas()->Handle(), 0, 0, SRCCOPY);
    double ratio = 0;
    CHECK(ShownFrame(item, e, e.FrameCount, 3, &ratio) == 1);
    CHECK(ratio > 0.97);
    TBitmap rest(100, 22, pf24bit);
    BitBlt(rest.Canvas()->Handle(), 0, 0, 100, 22, picture->Canvas()->Handle(), 200, 0, SRCCOPY);
    CHECK(ShownFrame(rest, e, e.FrameCount, 11, &ratio) == 1);
    CHECK(ratio > 0.99);
    // Text: left in the first item, right in the second.
    auto inkColumns = [&](int from, int to) {
        int first = -1, last = -1;
        for (int x = from; x < to; ++x)
            for (int y = 5; y < 17; ++y)
                if (PixelAt(*picture, x, y) == static_cast<TColor>(ColorToRGB(f.data->FColors[SkinColor::WindowText]))) {
                    if (first < 0) first = x;
                    last = x;
                }
        return std::pair<int, int>{first, last};
    };
    const auto [l0, r0] = inkColumns(0, 100);
    const auto [l1, r1] = inkColumns(100, 200);
    CHECK(l0 >= 0);
    CHECK(l0 < 10);
    CHECK(r1 > 190);
    CHECK(l1 > 150);

    // Hot items follow the mouse over the stored rectangles, one at a time.
    header->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));
    CHECK(skinner->HotItem() == 1);
    header->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    CHECK(skinner->HotItem() == 0);
    auto hot = PrintClient(header->Handle());
    BitBlt(item.Canvas()->Handle(), 0, 0, 100, 22, hot->Canvas()->Handle(), 0, 0, SRCCOPY);
    CHECK(ShownFrame(item, e, e.FrameCount, 3) == 2);
    header->Perform(WM_MOUSELEAVE);
    CHECK(skinner->HotItem() == -1);
}

TEST_CASE("A media player with every button hidden shows a plain face-coloured panel; the panel follows the player")
{
    FormFixture f;
    auto* player = f.Make<TMediaPlayer>(20, 40, 270, 30);
    auto* skinner = dynamic_cast<TSkinMP*>(f.Skin(player));
    REQUIRE(skinner);
    TWMediaPlayer* panel = skinner->Panel();
    REQUIRE(panel);
    CHECK(panel->Tag() == f.data->DisableTag());
    CHECK(panel->Parent() == player->Parent());
    CHECK(panel->BoundsRect().left == 20);
    CHECK(panel->Visible());
    // Above the player.
    CHECK(GetWindow(panel->Handle(), GW_HWNDNEXT) == player->Handle());

    auto picture = PrintClient(panel->Handle());
    CHECK(panel->VisibleCount() == 9);
    CHECK(panel->ButtonWidth() == 30);
    // Each button has its glyph, the disabled one (eject is not enabled) too.
    player->SetEnabledButtons(AllMPButtons & ~(1u << btEject));
    picture = PrintClient(panel->Handle());
    auto glyph = LoadMediaGlyph(TMPGlyphKind::Colored, btPlay);
    auto eject = LoadMediaGlyph(TMPGlyphKind::Disabled, btEject);
    auto matches = [&](TBitmap& shot, TBitmap& g, int left) {
        const int gx = left + (30 - g.Width()) / 2, gy = (30 - g.Height()) / 2;
        for (int y = 0; y < g.Height(); ++y)
            for (int x = 0; x < g.Width(); ++x)
                if (PixelAt(g, x, y) != MediaGlyphKey && PixelAt(shot, gx + x, gy + y) != PixelAt(g, x, y)) return false;
        return true;
    };
    CHECK(matches(*picture, *glyph, 0));
    CHECK(matches(*picture, *eject, 240));

    player->SetVisibleButtons(0);
    picture = PrintClient(panel->Handle());
    CHECK(panel->VisibleCount() == 0);
    const TColor face = f.data->FColors[SkinColor::ButtonFace];
    int other = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 270; ++x) other += PixelAt(*picture, x, y) != face;
    CHECK(other == 0);

    // Bounds, visibility and the enabled state follow the player.
    player->SetBounds(30, 50, 200, 28);
    CHECK(panel->BoundsRect().left == 30);
    CHECK(panel->Width() == 200);
    player->SetVisible(false);
    CHECK_FALSE(panel->Visible());
    player->SetVisible(true);
    CHECK(panel->Visible());
    player->SetEnabled(false);
    CHECK_FALSE(panel->Enabled());
    // Switched off the panel hides; unskinned it goes.
    SendMessageA(player->Handle(), SKM_SKINENABLE, 0, 0);
    CHECK_FALSE(panel->Visible());
    // Moved and enabled while off: switched on, the panel covers the player where it is now.
    player->SetBounds(40, 60, 180, 26);
    player->SetEnabled(true);
    SendMessageA(player->Handle(), SKM_SKINENABLE, 1, 0);
    CHECK(panel->Visible());
    const RECT covered = panel->BoundsRect(), at = player->BoundsRect();
    CHECK(EqualRect(&covered, &at));
    CHECK(panel->Enabled());
    const int children = f.form->ControlCount();
    skinner->Unskin();
    CHECK(skinner->Panel() == nullptr);
    CHECK(f.form->ControlCount() == children - 1);
    delete skinner;
}

namespace {
// A form's click handler that frees the player, and what is heard after it.
struct PlayerFreer : TObject {
    TMediaPlayer* player = nullptr;
    int clicks = 0, later = 0;
    void Click(TObject*, TMPBtnType, bool&)
    {
        ++clicks;
        std::exchange(player, nullptr)->Free();
    }
    void PostClick(TObject*, TMPBtnType) { ++later; }
    void Notified(TObject*) { ++later; }
};
} // namespace

TEST_CASE("A media player freed by its own click handler: nothing of it, its skinner or its panel is used afterwards")
{
    // Freed memory is overwritten in this program (PoisonedFrees.h): a use
    // of the freed player, skinner or panel reads garbage and crashes.
    FormFixture f;
    auto* player = f.Make<TMediaPlayer>(20, 40, 270, 30);
    PlayerFreer freer;
    freer.player = player;
    player->OnBtnClick = TMPBtnClickEvent::Of<&PlayerFreer::Click>(&freer);
    player->OnPostClick = TMPPostBtnClickEvent::Of<&PlayerFreer::PostClick>(&freer);
    player->OnNotify = TNotifyEvent::Of<&PlayerFreer::Notified>(&freer);
    player->SetNotify(true);
    HWND clicked = player->Handle();
    SUBCASE("a click on the player itself") {}
    SUBCASE("a click on the skin's panel over it")
    {
        auto* skinner = dynamic_cast<TSkinMP*>(f.Skin(player));
        REQUIRE(skinner);
        REQUIRE(skinner->Panel());
        clicked = skinner->Panel()->Handle();
    }
    const LPARAM onPlay = MAKELPARAM(15, 15);
    SendMessageA(clicked, WM_LBUTTONDOWN, MK_LBUTTON, onPlay);
    SendMessageA(clicked, WM_LBUTTONUP, 0, onPlay);
    CHECK(freer.clicks == 1);
    CHECK(freer.later == 0);
    CHECK_FALSE(IsWindow(clicked));
    CHECK(f.form->ControlCount() == 0);
}
