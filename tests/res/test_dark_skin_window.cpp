// The dark skin file put on a form with a few controls by the whole engine:
// the frame takes the skin's 8-pixel borders and 34-row caption, the
// borders and the close button are the skin's pixels, a push button shows
// the dark face with light text, and a check box shows the frames of the
// 12-frame strip for unchecked and checked.
#include <doctest.h>

#include <memory>
#include <string>

#include "framework/controls/Grids.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/ListView.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/TreeView.h"
#include "tests/skin/controls/SkinPictures.h"
#include "tests/skin/window/ChromeTestKit.h"

using namespace tf;
using namespace skintest;
using ctltest::PrintClient;

namespace {

// A skin data component as stored form data makes it, holding dark.skn.
TSkinData* DarkSkinData()
{
    TFileStream file(DARK_SKN, fmOpenRead);
    TMemoryStream block;
    block.WriteInt32(static_cast<int32_t>(file.Size()));
    block.CopyFrom(file, file.Size());
    block.SetPosition(0);
    auto* data = new TSkinData(nullptr);
    data->SetName("DarkSkin");
    data->SetLoading(true);
    data->SetActive(true);
    data->ReadBinaryProperty("SkinStream", block);
    data->Loaded();
    return data;
}

struct DarkForm {
    TSkinEngine engine;
    TSkinData* data = DarkSkinData();
    TButton* button = nullptr;
    TCheckBox* check = nullptr;
    std::unique_ptr<TForm> form = ShowForm("Dark", 140, 120, [this](TForm& f) {
        button = new TButton(&f);
        button->SetParent(&f);
        button->SetBounds(20, 20, 100, 28);
        button->SetCaption("Go");
        check = new TCheckBox(&f);
        check->SetParent(&f);
        check->SetBounds(20, 64, 140, 22);
        check->SetCaption("Check");
    });
    TWinSkinForm* skinner = nullptr;

    DarkForm()
    {
        const HWND w = form->Handle();
        REQUIRE(PumpUntil(
            [&] {
                skinner = engine.Manager()->FindFormSkinner(w);
                return skinner && skinner->SkinState() == TFormSkinState::Running &&
                       skinner->ControlSkinners().Count() >= 2;
            },
            3000));
        REQUIRE(PumpUntil([&] { return skinner->ActiveLook(); }, 2000));
    }
    ~DarkForm()
    {
        form.reset();
        data->Free();
    }
};

// Pixel (x, y) of a skin image or a picture, 24 or 32 bits per pixel.
TColor Pixel(TBitmap& b, int x, int y)
{
    const int bytes = b.PixelFormat() == pf32bit ? 4 : 3;
    const uint8_t* p = b.ScanLine(y) + bytes * x;
    return static_cast<TColor>(p[0] << 16 | p[1] << 8 | p[2]);
}

// Pixels of frame `frame` (0-based) of a strip of n frames drawn at (px, py)
// of image that match the strip, and the strip's pixels that are not
// magenta (transparent).
struct Match {
    int same = 0, total = 0;
};
Match MatchFrame(TBitmap& image, int px, int py, TBitmap& strip, int n, int frame)
{
    const int w = strip.Width() / n;
    Match m;
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < w; ++x) {
            const TColor want = Pixel(strip, frame * w + x, y);
            if (want == 0xFF00FF) continue;
            ++m.total;
            m.same += Pixel(image, px + x, py + y) == want;
        }
    return m;
}

int Brightness(TColor c) { return (RedOf(c) + GreenOf(c) + BlueOf(c)) / 3; }

} // namespace

TEST_CASE("a form in the dark skin: 8-pixel borders, a 34-row caption, the skin's border pixels and close button")
{
    DarkForm f;
    TWinSkinForm& s = *f.skinner;
    CHECK(s.BorderLeft() == 8);
    CHECK(s.BorderRight() == 8);
    CHECK(s.BorderTop() == 34);
    CHECK(s.BorderBottom() == 8);
    // The client area stands where the skin's frame ends.
    const HWND w = f.form->Handle();
    const RECT r = WindowRectOf(w);
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    CHECK(origin.x - r.left == 8);
    CHECK(origin.y - r.top == 34);
    const SIZE client = ClientSizeOf(w);
    CHECK(r.right - r.left - client.cx == 16);
    CHECK(r.bottom - r.top - client.cy == 34 + 8);

    auto frame = PaintedFrame(w);
    const int W = frame->Width(), H = frame->Height();
    // The left and right borders halfway down are the columns of the skin's
    // active frame, the bottom border its rows.
    TBitmap& left = *f.data->SkinBorders[static_cast<size_t>(SkinBorder::Left)]->Bitmap;
    TBitmap& right = *f.data->SkinBorders[static_cast<size_t>(SkinBorder::Right)]->Bitmap;
    TBitmap& bottom = *f.data->SkinBorders[static_cast<size_t>(SkinBorder::Bottom)]->Bitmap;
    const int middle = left.Height() / 2;
    for (int x = 0; x < 8; ++x) {
        CAPTURE(x);
        CHECK(Pixel(*frame, x, H / 2) == Pixel(left, x, middle));
        CHECK(Pixel(*frame, W - 8 + x, H / 2) == Pixel(right, x, middle));
        CHECK(Pixel(*frame, W / 2, H - 8 + x) == Pixel(bottom, 0, x));
    }
    // The frame is dark: the outer edge and the caption band below its accent.
    CHECK(Brightness(Pixel(*frame, 0, H / 2)) < 40);
    CHECK(Brightness(Pixel(*frame, W - 120, 20)) < 80);

    // The close button: frame 1 of its 26 x 22 strip, 36 pixels from the
    // right edge and 6 rows down.
    TDataSkinSysButton* close = nullptr;
    for (auto& b : f.data->SkinSysButtons)
        if (b->Action == 0) close = b.get();
    REQUIRE(close);
    REQUIRE(close->Bitmap->Width() / close->FrameCount == 26);
    REQUIRE(close->Bitmap->Height() == 22);
    const Match m = MatchFrame(*frame, W - close->Xcoord, close->Ycoord, *close->Bitmap, close->FrameCount, 0);
    CHECK(m.total > 500);
    CHECK(m.same == m.total);
}

TEST_CASE("a form in the dark skin: a push button's dark face with light text, a check box from the 12-frame strip")
{
    DarkForm f;
    SetCursorPos(2, 2);   // nothing hot

    // The button's face: the right-hand part of its middle row is a colour
    // of the skin's button frames, and dark; its caption is light.
    auto picture = PrintClient(f.button->Handle());
    const int bw = picture->Width(), bh = picture->Height();
    TBitmap& faces = *f.data->SkinButtons->Bitmap;
    const int n = f.data->SkinButtons->FrameCount;
    const TColor sample = Pixel(*picture, bw - 10, bh / 2);
    bool inSkin = false;
    for (int i = 0; i < n && !inSkin; ++i)
        for (int y = 0; y < faces.Height(); ++y)
            inSkin = inSkin || Pixel(faces, i * faces.Width() / n + faces.Width() / n / 2, y) == sample;
    CHECK(inSkin);
    CHECK(Brightness(sample) < 90);
    int light = 0;
    for (int y = 4; y < bh - 4; ++y)
        for (int x = 8; x < bw - 8; ++x) light += Brightness(Pixel(*picture, x, y)) > 180;
    CHECK(light > 10);

    // The check box: unchecked normal is frame 1 of the strip, checked is
    // frame 5 (the 12-frame order).
    TBitmap& strip = *f.data->SkinButtons->CheckBitmap;
    const int frames = f.data->SkinButtons->CheckFrameCount;
    REQUIRE(frames == 12);
    const auto shown = [&](int frame) {
        auto box = PrintClient(f.check->Handle());
        return MatchFrame(*box, 0, (box->Height() - strip.Height()) / 2, strip, frames, frame);
    };
    Match off = shown(0);
    CHECK(off.total > 150);
    CHECK(off.same == off.total);
    f.check->SetChecked(true);
    Pump(50);
    Match on = shown(4);
    CHECK(on.same == on.total);
    CHECK(shown(0).same < on.total / 2);   // no longer the unchecked box
}

TEST_CASE("a form in the dark skin: edits, lists, grids, tree and list views in the skin's window colours, given back")
{
    TSkinEngine engine;
    TSkinData* data = DarkSkinData();
    REQUIRE(data->FColorSet[SkinColor::Window]);
    const TColor window = data->FColors[SkinColor::Window];
    const TColor windowText = data->FColors[SkinColor::WindowText];
    TEdit* edit = nullptr;
    TEdit* yellow = nullptr;
    TListBox* list = nullptr;
    TStringGrid* grid = nullptr;
    TTreeView* tree = nullptr;
    TListView* view = nullptr;
    auto form = ShowForm("Views", 140, 120, [&](TForm& f) {
        f.SetBounds(140, 120, 420, 320);
        const auto place = [&f](TWinControl* c, int x, int y) {
            c->SetParent(&f);
            c->SetBounds(x, y, 120, 80);
        };
        place(edit = new TEdit(&f), 10, 10);
        edit->SetHeight(24);
        place(yellow = new TEdit(&f), 140, 10);   // a colour of the program's own stays
        yellow->SetHeight(24);
        yellow->SetColor(clYellow);
        place(list = new TListBox(&f), 270, 10);
        list->Font()->SetColor(clRed);            // and so does a text colour
        place(grid = new TStringGrid(&f), 10, 120);
        place(tree = new TTreeView(&f), 140, 120);
        place(view = new TListView(&f), 270, 120);
    });
    const HWND w = form->Handle();
    TWinSkinForm* skinner = nullptr;
    REQUIRE(PumpUntil(
        [&] {
            skinner = engine.Manager()->FindFormSkinner(w);
            return skinner && skinner->SkinState() == TFormSkinState::Running;
        },
        3000));

    CHECK(edit->Color() == window);
    CHECK(edit->Font()->Color() == windowText);
    CHECK(yellow->Color() == clYellow);
    CHECK(yellow->Font()->Color() == clWindowText);   // its text stays readable on it
    CHECK(list->Color() == window);
    CHECK(list->Font()->Color() == clRed);
    CHECK(grid->Color() == window);
    // What the views draw: their background is the skin's window colour.
    for (TWinControl* c : std::initializer_list<TWinControl*>{edit, list, tree, view}) {
        CAPTURE(c->ClassName());
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        auto picture = PrintClient(c->Handle());
        CHECK(Pixel(*picture, picture->Width() - 6, picture->Height() - 6) == ColorToRGB(window));
    }

    // The flat border's inner rings join the border to that background.
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK(WindowPixel(edit->Handle(), 1, edit->Height() / 2) == ColorToRGB(window));
    CHECK(WindowPixel(edit->Handle(), 2, edit->Height() / 2) == ColorToRGB(window));

    // Skinning off gives every one back what it had.
    data->SetActive(false);
    REQUIRE(PumpUntil([&] { return engine.Manager()->FindFormSkinner(w) == nullptr; }, 3000));
    CHECK(edit->Color() == clWindow);
    CHECK(edit->Font()->Color() == clWindowText);
    CHECK(yellow->Color() == clYellow);
    CHECK(list->Color() == clWindow);
    CHECK(list->Font()->Color() == clRed);
    CHECK(grid->Color() == clWindow);
    CHECK(tree->Color() == clWindow);
    CHECK(view->Color() == clWindow);
    auto picture = PrintClient(tree->Handle());
    CHECK(Pixel(*picture, picture->Width() - 6, picture->Height() - 6) == ColorToRGB(clWindow));
    form.reset();
    data->Free();
}
