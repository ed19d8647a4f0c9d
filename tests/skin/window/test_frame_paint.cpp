// Frame and caption painting, pixel by pixel: the borders are the skin's
// border images (active and inactive frames), the caption text in the
// skin's caption colours with its clipping and alignment, the minimised
// look, message boxes skinned, and a painting failure that falls back to the
// system's painting and is reported once.
#include <doctest.h>

#include <stdexcept>

#include "SkinWindowKit.h"
#include "framework/controls/Forms.h"
#include "framework/core/Streams.h"
#include "skin/window/FormChrome.h"
#include "skin/window/PaintFailure.h"

using namespace tf;
using namespace skintest;

namespace {

// The window's frame as its skinner paints it now, into a memory bitmap.
std::unique_ptr<TBitmap> FrameOf(SkinFixture& fx, HWND w)
{
    const RECT r = WindowRectOf(w);
    auto image = std::make_unique<TBitmap>(r.right - r.left, r.bottom - r.top, pf24bit);
    fx.Skinner(w)->PaintFrame(image->Canvas()->Handle());
    return image;
}

int CountColour(TBitmap& image, const RECT& r, TColor colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += PixelAt(image, x, y) == colour;
    return n;
}

// Checks the three side pieces and the caption band right of the text
// against the skin's borders composed at the window's size, frame `frame`.
void CheckBorders(SkinFixture& fx, HWND w, TBitmap& image, int frame)
{
    TWinSkinForm& s = *fx.Skinner(w);
    const int W = image.Width(), H = image.Height();
    const int bl = s.BorderLeft(), br = s.BorderRight(), bt = s.BorderTop(), bb = s.BorderBottom();
    auto left = ComposedBorder(*fx.data, SkinBorder::Left, bl, H, frame);
    auto right = ComposedBorder(*fx.data, SkinBorder::Right, br, H, frame);
    auto bottom = ComposedBorder(*fx.data, SkinBorder::Bottom, W - bl - br, bb, frame);
    auto top = ComposedBorder(*fx.data, SkinBorder::Top, W - bl - br, bt, frame);
    CHECK(DifferingPixels(image, 0, 0, *left) == 0);
    CHECK(DifferingPixels(image, W - br, 0, *right) == 0);
    CHECK(DifferingPixels(image, bl, H - bb, *bottom) == 0);
    // Right of the caption text the band is the top border's image.
    const int from = s.CaptionBackRect().right + 1;
    int bad = 0;
    for (int y = 0; y < bt; ++y)
        for (int x = from; x < W - br; ++x) bad += PixelAt(image, x, y) != PixelAt(*top, x - bl, y);
    CHECK(from < W - br);
    CHECK(bad == 0);
}

// A chrome whose caption-button drawing fails, as a broken drawing routine would.
bool gChromeFails = true;
struct FailingChrome final : TFormChrome {
    void DrawCaptionButtons(HDC dc) override
    {
        if (gChromeFails) throw std::runtime_error("caption buttons could not be drawn");
        TFormChrome::DrawCaptionButtons(dc);
    }
};

std::vector<std::string> gReports;

} // namespace

TEST_CASE("the frame is the skin's border images: active, then inactive")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 360, 240, "Pixels");
    TestWindow other(WS_OVERLAPPEDWINDOW, 600, 400, 200, 150, "Other");
    Activate(w);
    REQUIRE(fx.WaitSkinned(w));
    TWinSkinForm& s = *fx.Skinner(w);
    REQUIRE(s.ActiveLook());
    auto active = FrameOf(fx, w);
    CheckBorders(fx, w, *active, 1);
    // The caption text in the active caption colour.
    const TColor activeText = ColorToRGB(fx.data->FColors[SkinColor::TitleTextActive]);
    const TColor inactiveText = ColorToRGB(fx.data->FColors[SkinColor::TitleTextNoActive]);
    CHECK(CountColour(*active, s.CaptionTextRect(), activeText) > 10);
    CHECK(CountColour(*active, s.CaptionTextRect(), inactiveText) == 0);

    Activate(other);
    REQUIRE(PumpUntil([&] { return !s.ActiveLook(); }, 1000));
    auto inactive = FrameOf(fx, w);
    CheckBorders(fx, w, *inactive, 2);
    CHECK(CountColour(*inactive, s.CaptionTextRect(), inactiveText) > 10);
    CHECK(CountColour(*inactive, s.CaptionTextRect(), activeText) == 0);
    // The two frames of the light blue skin do differ.
    CHECK(DifferingPixels(*active, 0, 0, *ComposedBorder(*fx.data, SkinBorder::Left, s.BorderLeft(), 240, 2)) > 0);
}

TEST_CASE("a framework form paints its frame into a given DC on request")
{
    SkinFixture fx;
    auto form = ShownForm("Painted on request", 120, 120, 300, 200);
    REQUIRE(fx.WaitSkinned(form->Handle()));
    auto image = PaintedFrame(form->Handle());
    CheckBorders(fx, form->Handle(), *image, 1);
}

TEST_CASE("caption text: clipped with an ellipsis before TextRightClip, centred in the caption area")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 260, 200,
                 "A caption that is much too long for the width of this window to hold");
    Activate(w);
    REQUIRE(fx.WaitSkinned(w));
    TWinSkinForm& s = *fx.Skinner(w);
    const RECT& title = fx.data->SkinTitle->Margins;
    const RECT r = WindowRectOf(w);
    const int W = r.right - r.left;
    FrameOf(fx, w);
    CHECK(s.CaptionTextRect().right == W - s.BorderRight() - title.right);
    CHECK(s.CaptionTextRect().left == s.BorderLeft() + title.left);

    SetWindowTextA(w, "Short");
    fx.data->SkinTitle->TextAlignment = 1;
    FrameOf(fx, w);
    const RECT& text = s.CaptionBackRect();
    const int areaLeft = s.BorderLeft(), areaWidth = W - s.BorderLeft() - s.BorderRight();
    CHECK(text.left == areaLeft + (areaWidth - (text.right - text.left)) / 2);
    fx.data->SkinTitle->TextAlignment = 0;
}

TEST_CASE("a minimised window shows only the caption band over the face colour")
{
    SkinFixture fx;
    TestWindow w(WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, "Minimised");
    Activate(w);
    REQUIRE(fx.WaitSkinned(w));
    ShowWindow(w, SW_MINIMIZE);
    TWinSkinForm& s = *fx.Skinner(w);
    REQUIRE(PumpUntil([&] { return s.WindowStateValue() == FrameWindowState::Minimized; }, 1000));
    const RECT r = WindowRectOf(w);
    const int W = r.right - r.left, H = r.bottom - r.top;
    auto image = FrameOf(fx, w);
    // The caption band spans the whole width: no side borders.
    auto top = ComposedBorder(*fx.data, SkinBorder::Top, W, s.BorderTop(), s.ActiveLook() ? 1 : 2);
    const int from = s.CaptionBackRect().right + 1;
    int bad = 0;
    for (int y = 0; y < std::min(H, s.BorderTop()); ++y)
        for (int x = from; x < W; ++x) bad += PixelAt(*image, x, y) != PixelAt(*top, x, y);
    CHECK(bad == 0);
    if (H > s.BorderTop())
        CHECK(PixelAt(*image, W / 2, H - 1) == ColorToRGB(fx.data->FColors[SkinColor::ButtonFace]));
}

namespace {
SkinFixture* gBoxFixture = nullptr;
bool gBoxSkinned = false, gBoxFramePainted = false;

// Looks at the box from inside its modal loop, then closes it.
void CALLBACK InspectBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowA("#32770", "Skinned box");
    if (!box) return;
    TWinSkinForm* s = gBoxFixture->Skinner(box);
    if (!s || s->SkinState() != TFormSkinState::Running) return;
    gBoxSkinned = SendMessageA(box, SKM_QUERYSKINNED, 0, 0) == 1;
    const RECT r = WindowRectOf(box);
    TBitmap image(r.right - r.left, r.bottom - r.top, pf24bit);
    s->PaintFrame(image.Canvas()->Handle());
    auto left = ComposedBorder(*gBoxFixture->data, SkinBorder::Left, s->BorderLeft(), image.Height(),
                               s->ActiveLook() ? 1 : 2);
    gBoxFramePainted = DifferingPixels(image, 0, 0, *left) == 0;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}
} // namespace

TEST_CASE("the program's message boxes are skinned")
{
    SkinFixture fx;
    gBoxFixture = &fx;
    gBoxSkinned = gBoxFramePainted = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &InspectBox);
    MessageBoxA(nullptr, "A box of the program.", "Skinned box", MB_OK);
    KillTimer(nullptr, timer);
    CHECK(gBoxSkinned);
    CHECK(gBoxFramePainted);
}

TEST_CASE("a painting failure falls back to the system's frame, is reported once, and a new skin brings the skin back")
{
    gChromeFails = true;
    gReports.clear();
    ResetPaintFailureReport();
    SetPaintFailureReporter([](const std::string& what) { gReports.push_back(what); });
    SetFormChromeFactory([](TWinSkinForm&) -> std::unique_ptr<TFormChrome> { return std::make_unique<FailingChrome>(); });
    {
        SkinFixture fx;
        TestWindow a(WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, "Failing A");
        TestWindow b(WS_OVERLAPPEDWINDOW, 450, 100, 300, 200, "Failing B");
        Activate(a);
        REQUIRE(fx.WaitSkinned(a));
        Activate(b);
        REQUIRE(fx.WaitSkinned(b));
        OwnProcLog().Clear();
        for (int i = 0; i < 5; ++i) {
            RedrawWindow(a, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            RedrawWindow(b, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            Activate(i % 2 ? a : b);
            Pump(20);
        }
        // Named by the window's class and caption.
        CHECK(gReports == std::vector<std::string>{"TfSkinTestWindow \"Failing A\": caption buttons could not be drawn"});
        // The system paints the frames now: the paint messages reach the windows' own procedure.
        CHECK(OwnProcLog().Count(WM_NCPAINT) >= 10);
        CHECK(FindWindowA("#32770", nullptr) == nullptr);   // never an error box
        CHECK(IsWindow(a));

        // The skin stays off for the window until a new skin comes.
        const int leftWidth = fx.Skinner(a)->BorderLeft();
        auto leftOf = [&](HWND w) {
            const RECT r = WindowRectOf(w);
            return ComposedBorder(*fx.data, SkinBorder::Left, leftWidth, r.bottom - r.top, 2);
        };
        CHECK(DifferingPixels(*FrameOf(fx, a), 0, 0, *leftOf(a)) > 0);
        gChromeFails = false;
        char folder[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, folder);
        const std::string file = std::string(folder) + "tamfern-new-skin.skn";
        {
            const std::vector<uint8_t>& block = LightBlueBlock();   // its length, then the skin file
            TFileStream out(file, fmCreate);
            out.WriteBuffer(block.data() + 4, static_cast<int32_t>(block.size() - 4));
        }
        fx.data->SetSkinFile(file);
        CHECK(PumpUntil([&] { return DifferingPixels(*FrameOf(fx, a), 0, 0, *leftOf(a)) == 0; }, 3000));
        DeleteFileA(file.c_str());
    }
    SetFormChromeFactory(nullptr);
    SetPaintFailureReporter(nullptr);
    ResetPaintFailureReport();
}
