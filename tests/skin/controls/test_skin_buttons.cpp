// The button family on the skin previewer's controls, skinned through the
// class table by a stand-in host: the face frame each state shows (read from
// the pictures against the skin's own frames), captions split by "||",
// glyph placement, check box and radio button frames (grayed and disabled
// included), speed buttons flat, down and transparent, and a skin without a
// check image leaving the system look.
#include <doctest.h>

#include "ControlSkinKit.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/RadioButton.h"
#include "framework/controls/SpeedButton.h"
#include "framework/controls/StdCtrls.h"
#include "skin/controls/buttons/ButtonFaces.h"
#include "skin/controls/buttons/SkinButton.h"

using namespace tf;
using namespace ctltest;
using skintest::PixelAt;

namespace {

struct Fixture {
    Skinview view;   // read before the engine: unskinned, for the host
    TSkinEngine engine{ControlsOnly()};
    std::unique_ptr<TestHost> host;
    TSkinData* data;
    Fixture(bool skin = true)
    {
        view.form->Show();
        data = view.form->SkinData1;
        host = std::make_unique<TestHost>(data, view.form->Handle());
        if (skin) view.SkinAll(*host);
        skintest::Pump(50);
    }
    ~Fixture() { host.reset(); }
    template <class T>
    T* Get(const std::string& name)
    {
        T* c = view.Find<T>(name);
        REQUIRE(c);
        return c;
    }
    int Face(TWinControl* c)
    {
        auto picture = PrintClient(c->Handle());
        double ratio = 0;
        const int frame = ShownFrame(*picture, *data->SkinButtons, data->SkinButtons->FrameCount, 2, &ratio);
        CHECK(ratio > 0.97);
        return frame;
    }
    std::unique_ptr<TBitmap> PaintGraphic(TControl* c)
    {
        auto picture = std::make_unique<TBitmap>(c->Width(), c->Height(), pf24bit);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture->Canvas()->Handle()));
        return picture;
    }
    int CheckFrame(TWinControl* c, bool radio, bool boxRight = false)
    {
        auto picture = PrintClient(c->Handle());
        TBitmap& strip = radio ? *data->SkinButtons->RadioBitmap : *data->SkinButtons->CheckBitmap;
        const int n = radio ? data->SkinButtons->RadioFrameCount : data->SkinButtons->CheckFrameCount;
        const int w = strip.Width() / n;
        const int x = boxRight ? c->ClientWidth() - (radio ? 1 : 0) - w : 0;
        return ShownStripFrame(*picture, x, (c->ClientHeight() - strip.Height()) / 2, strip, n);
    }
};

} // namespace

TEST_CASE("Push buttons show the skin's face for normal, focused, default, hot, pressed and disabled")
{
    Fixture f;
    auto* button = f.Get<TButton>("ButtonE");
    auto* defaultButton = f.Get<TButton>("DefaultButtonE");
    auto* grid = f.Get<TWinControl>("GridE");
    grid->SetFocus();
    CHECK(f.Face(button) == bfNormal);
    CHECK(f.Face(defaultButton) == bfFocused);   // Default counts while another control has the focus
    CHECK(f.Face(f.Get<TButton>("ButtonD")) == bfDisabled);
    CHECK(f.Face(f.Get<TButton>("DefaultButtonD")) == bfDisabled);

    HWND w = button->Handle();
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    CHECK(f.Face(button) == bfHot);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    CHECK(GetFocus() == w);   // a press focuses the button
    CHECK(f.Face(button) == bfPressed);
    SendMessageA(w, WM_MOUSELEAVE, 0, 0);
    CHECK(f.Face(button) == bfFocused);
    CHECK(f.view.form->Clicks() == 0);
    // The skin's face colour replaced nothing of the button's own.
    CHECK(button->Color() == clBtnFace);
}

TEST_CASE("A caption with || between words draws them on two lines")
{
    Fixture f;
    auto* two = f.Get<TButton>("TwoLinesE");
    auto picture = PrintClient(two->Handle());
    TSkinControl* skinner = SkinnerOf(f.host->Skinners(), two);
    REQUIRE(skinner);
    CHECK(skinner->WindowText() == L"Two\r\nlines");
    // Dark text rows above and below the middle, nothing on the middle row.
    const int h = picture->Height(), w = picture->Width();
    const auto darkIn = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 6; x < w - 6; ++x) {
                const TColor c = PixelAt(*picture, x, y);
                n += RedOf(c) + GreenOf(c) + BlueOf(c) < 3 * 110;
            }
        return n;
    };
    CHECK(darkIn(4, h / 2 - 1) > 10);
    CHECK(darkIn(h / 2 + 1, h - 4) > 10);
}

TEST_CASE("A bit button's glyph stands where the layout puts it; disabled, only its black is embossed")
{
    Fixture f;
    // No caption: spacing 0, the glyph alone centred (40 x 30 button, 16 x 16 glyph).
    auto picture = PrintClient(f.Get<TBitBtn>("EmptyBitBtnE")->Handle());
    const TColor ink = RGBColor(24, 64, 140);
    CHECK(PixelAt(*picture, 12 + 4, 7 + 7) == ink);
    CHECK(PixelAt(*picture, 12 + 1, 7 + 7) != ink);
    auto disabled = PrintClient(f.Get<TBitBtn>("EmptyBitBtnD")->Handle());
    int inkPixels = 0;
    for (int y = 0; y < disabled->Height(); ++y)
        for (int x = 0; x < disabled->Width(); ++x) inkPixels += PixelAt(*disabled, x, y) == ink;
    CHECK(inkPixels == 0);
    // With a caption the glyph goes left of it, both centred together.
    auto glyphed = PrintClient(f.Get<TBitBtn>("BitBtnE")->Handle());
    int firstInk = -1;
    for (int x = 0; x < glyphed->Width() && firstInk < 0; ++x)
        if (PixelAt(*glyphed, x, 13) == ink) firstInk = x;
    CHECK(firstInk > 4);
    CHECK(firstInk < 40);
}

TEST_CASE("Check boxes and radio buttons show their strip frames, grayed and disabled included")
{
    Fixture f;
    CHECK(f.CheckFrame(f.Get<TCheckBox>("CheckBoxE"), false) == 1);
    CHECK(f.CheckFrame(f.Get<TCheckBox>("CheckedE"), false) == 2);
    CHECK(f.CheckFrame(f.Get<TCheckBox>("GrayedE"), false) == 4);
    CHECK(f.CheckFrame(f.Get<TCheckBox>("CheckBoxD"), false) == 3);
    CHECK(f.CheckFrame(f.Get<TCheckBox>("CheckedD"), false) == 4);
    CHECK(f.CheckFrame(f.Get<TCheckBox>("LeftTextE"), false, true) == 1);
    CHECK(f.CheckFrame(f.Get<TRadioButton>("RadioOneE"), true) == 2);
    CHECK(f.CheckFrame(f.Get<TRadioButton>("RadioTwoE"), true) == 1);
    CHECK(f.CheckFrame(f.Get<TRadioButton>("RadioOneD"), true) == 4);
    CHECK(f.CheckFrame(f.Get<TRadioButton>("RadioTwoD"), true) == 3);

    // The control's own clicks change the state; the skin follows.
    auto* box = f.Get<TCheckBox>("CheckBoxE");
    SendMessageA(box->Handle(), BM_CLICK, 0, 0);
    CHECK(box->Checked());
    CHECK(f.CheckFrame(box, false) == 2);
    auto* two = f.Get<TRadioButton>("RadioTwoE");
    SendMessageA(two->Handle(), BM_CLICK, 0, 0);
    CHECK(f.CheckFrame(two, true) == 2);
    CHECK(f.CheckFrame(f.Get<TRadioButton>("RadioOneE"), true) == 1);
    CHECK(f.view.form->Clicks() >= 2);
}

TEST_CASE("A skin without the check image leaves check boxes their system look")
{
    Fixture f(false);
    auto* box = f.Get<TCheckBox>("CheckedE");
    f.Get<TPanel>("PanelE")->SetTag(f.data->DisableTag());   // its colour stays what the box was printed on
    auto own = PrintClient(box->Handle());
    f.data->SkinButtons->CheckBitmap->SetSize(0, 0);
    f.view.SkinAll(*f.host);
    TSkinControl* skinner = SkinnerOf(f.host->Skinners(), box);
    REQUIRE(skinner);
    CHECK(skinner->Mode() == 0);
    auto skinned = PrintClient(box->Handle());
    CHECK(skintest::DifferingPixels(*skinned, 0, 0, *own) == 0);
    // Radio buttons still wear the skin.
    CHECK(f.CheckFrame(f.Get<TRadioButton>("RadioOneE"), true) == 2);
}

TEST_CASE("A new skin that takes away or brings back the check image gives check boxes the system's look or the skin's")
{
    Fixture f(false);
    auto* box = f.Get<TCheckBox>("CheckedE");
    HWND window = f.view.form->Handle();
    auto painted = [&] {
        SetForegroundWindow(window);
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        skintest::Pump(200);
    };
    auto own = PrintClient(box->Handle());
    f.view.SkinAll(*f.host);
    REQUIRE(SkinnerOf(f.host->Skinners(), box));
    TBitmap strip;
    CopyBitmap(*f.data->SkinButtons->CheckBitmap, strip);

    // The new skin has no check image: the system's look on the screen, at once.
    f.data->SkinButtons->CheckBitmap->SetSize(0, 0);
    f.host->Skinners().SkinChanged();
    painted();
    CHECK(SkinnerOf(f.host->Skinners(), box)->Mode() == 0);
    // The screen shows what the control itself paints.
    auto shown = ScreenPixels(ScreenRectOf(box->Handle()));
    CHECK(skintest::DifferingPixels(*shown, 0, 0, *PrintClient(box->Handle())) == 0);

    // The next one has it again: the box is drawn from it.
    CopyBitmap(strip, *f.data->SkinButtons->CheckBitmap);
    f.host->Skinners().SkinChanged();
    CHECK(SkinnerOf(f.host->Skinners(), box)->Mode() == 1);
    CHECK(skintest::DifferingPixels(*PrintClient(box->Handle()), 0, 0, *own) > 0);
    CHECK(f.CheckFrame(box, false) == 2);
}

TEST_CASE("Speed buttons: normal, down, disabled, flat until hovered, transparent over their panel")
{
    Fixture f(false);
    auto* flat = f.Get<TSpeedButton>("FlatSpeedE");
    auto* panel = f.Get<TPanel>("PanelE");
    flat->SetTag(5555);   // a transparent button shows its parent through
    panel->SetColor(clRed);
    panel->SetTag(f.data->DisableTag());   // the panel keeps its red
    f.view.SkinAll(*f.host);
    TDataSkinButton& face = *f.data->SkinButtons;
    double ratio = 0;
    auto normal = f.PaintGraphic(f.Get<TSpeedButton>("SpeedButtonE"));
    CHECK(ShownFrame(*normal, face, face.FrameCount, 2, &ratio) == bfNormal);
    CHECK(ratio > 0.97);
    auto down = f.PaintGraphic(f.Get<TSpeedButton>("DownSpeedE"));
    CHECK(ShownFrame(*down, face, face.FrameCount, 2) == bfPressed);
    auto disabled = f.PaintGraphic(f.Get<TSpeedButton>("SpeedButtonD"));
    CHECK(ShownFrame(*disabled, face, face.FrameCount, 2) == bfDisabled);
    auto disabledDown = f.PaintGraphic(f.Get<TSpeedButton>("DownSpeedD"));
    CHECK(ShownFrame(*disabledDown, face, face.FrameCount, 2) == bfPressed);

    auto through = f.PaintGraphic(flat);
    CHECK(PixelAt(*through, 2, 2) == clRed);
    CHECK(PixelAt(*through, flat->Width() - 3, flat->Height() - 3) == clRed);
    flat->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(flat));
    auto hot = f.PaintGraphic(flat);
    CHECK(ShownFrame(*hot, face, face.FrameCount, 2, &ratio) == bfHot);
    CHECK(ratio > 0.97);
    flat->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(flat));
    auto left = f.PaintGraphic(flat);
    CHECK(PixelAt(*left, 2, 2) == clRed);
}
