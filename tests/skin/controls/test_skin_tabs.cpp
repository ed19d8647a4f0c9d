// Tab strips skinned on real windows: the tabs of each side drawn from the
// skin's tab frames (flipped for the bottom, laid down and rotated for the
// left and right, with their text turned too), the selected tab in the
// selected frame, the pane image turned to the side; the spin button of a
// single-line strip skinned and shown over the strip; button-style tabs
// with the push-button faces; detaching gives the strip back; close boxes
// asking the form before a page goes; tab controls painting their
// window-less children.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "ControlSkinKit.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/TabControl.h"
#include "skin/controls/tabbars/SkinTab.h"
#include "skin/controls/tabbars/SkinTabBtn.h"
#include "skin/controls/edits/SkinUpDown.h"
#include "skin/data/ImgUtil.h"

using namespace tf;
using namespace ctltest;
using skintest::PixelAt;

namespace {

struct TabFixture : SkinnedForm {
    TabFixture() : SkinnedForm(460, 360) {}
    HWND Tabs(DWORD style, int x, int y, int w, int h, int count)
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
        HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, w, h,
                                    form->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        static const char* const names[] = {"First", "Second", "Third", "Fourth", "Fifth", "Sixth",
                                            "Seventh", "Eighth", "Ninth", "Tenth", "Eleventh", "Twelfth"};
        for (int i = 0; i < count; ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(names[i % 12]);
            SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
        return tabs;
    }
};

// An image turned the way a side's strip is: flipped for the bottom,
// rotated left (right) for the left (right).
void Turn(TBitmap& b, TTabSide side)
{
    if (side == TTabSide::Bottom) FlipVertical(b);
    else if (side == TTabSide::Left) RotateLeft(b);
    else if (side == TTabSide::Right) RotateRight(b);
}

// Which tab frame the picture shows in rect (the outer 2 pixels, clear of
// the text, as far as they lie in the strip), the frame composed upright at
// the tab's size and turned.
int ShownTabFrame(TBitmap& picture, const RECT& rect, const RECT& strip, TDataSkinObject& tabs, TTabSide side,
                  double& ratio)
{
    const bool lying = side == TTabSide::Left || side == TTabSide::Right;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int cw = lying ? h : w, ch = lying ? w : h;
    const TLayoutRect m = MarginsForSide({tabs.Margins.left, tabs.Margins.top, tabs.Margins.right, tabs.Margins.bottom},
                                        side, false);
    int best = 0, bestEqual = -1, bestCompared = 1;
    for (int frame = 1; frame <= tabs.FrameCount; ++frame) {
        TBitmap source;
        source.Assign(tabs.Bitmap.get());
        if (side == TTabSide::Bottom) FlipVertical(source);
        auto composed = ComposeElement(RECT{0, 0, cw, ch}, source, RECT{m.Left, m.Top, m.Right, m.Bottom}, frame,
                                       tabs.FrameCount, tabs.Tile != 0, false);
        if (lying) Turn(*composed, side);
        int equal = 0, compared = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x >= 2 && x < w - 2 && y >= 2 && y < h - 2) continue;
                if (!PtInRect(&strip, POINT{rect.left + x, rect.top + y})) continue;
                const TColor want = PixelAt(*composed, x, y);
                if (want == clSkinKey) continue;
                ++compared;
                equal += PixelAt(picture, rect.left + x, rect.top + y) == want;
            }
        if (equal > bestEqual) {
            best = frame;
            bestEqual = equal;
            bestCompared = compared;
        }
    }
    ratio = static_cast<double>(bestEqual) / bestCompared;
    return best;
}

// The box around the pixels of a colour inside rect.
RECT InkBox(TBitmap& picture, const RECT& rect, TColor ink)
{
    RECT box{rect.right, rect.bottom, rect.left, rect.top};
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (PixelAt(picture, x, y) == ink) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

} // namespace

TEST_CASE("Each side's tabs come from the skin's frames turned to the side, their text turned with them")
{
    TabFixture f;
    struct Case {
        TTabSide side;
        DWORD style;
        int dy;   // where a tab lands, relative to its rectangle
    };
    const Case cases[] = {
        {TTabSide::Top, 0, 1},
        {TTabSide::Bottom, TCS_BOTTOM, -1},
        {TTabSide::Left, TCS_VERTICAL | TCS_MULTILINE, 0},
        {TTabSide::Right, TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE, -1},
    };
    TDataSkinBorder& tabs = *f.data->SkinTabs;
    for (const Case& c : cases) {
        CAPTURE(static_cast<int>(c.side));
        HWND w = f.Tabs(c.style, 20, 20, 300, 240, 3);
        SendMessageA(w, TCM_SETCURSEL, 1, 0);
        auto* skinner = dynamic_cast<TSkinTab*>(f.SkinWindow(w));
        REQUIRE(skinner);
        CHECK(skinner->TabSide() == c.side);
        auto picture = PrintClient(w);
        RECT display{0, 0, 300, 240};
        SendMessageA(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
        const TLayoutRect pane = TabPaneRect({display.left, display.top, display.right, display.bottom}, c.side);
        const TLayoutRect s = TabStripRect({0, 0, 300, 240}, pane, c.side);
        const RECT strip{s.Left, s.Top, s.Right, s.Bottom};
        for (int i = 0; i < 3; ++i) {
            CAPTURE(i);
            RECT r{};
            REQUIRE(SendMessageA(w, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)));
            OffsetRect(&r, 0, c.dy);
            double ratio = 0;
            CHECK(ShownTabFrame(*picture, r, strip, tabs, c.side, ratio) == (i == 1 ? 2 : 1));
            CHECK(ratio > 0.9);
            // The text runs along the tab.
            const RECT ink = InkBox(*picture, r, i == 1 ? tabs.MouseOverColour2 : tabs.NormalColour2);
            REQUIRE(ink.right > ink.left);
            const bool lying = c.side == TTabSide::Left || c.side == TTabSide::Right;
            if (lying) CHECK(ink.bottom - ink.top > 2 * (ink.right - ink.left));
            else CHECK(ink.right - ink.left > 2 * (ink.bottom - ink.top));
        }

        // The pane: the pane image turned to the side, its outer line all round.
        TBitmap image;
        image.Assign(tabs.Bitmap2.get());
        Turn(image, c.side);
        const int midX = (pane.Left + pane.Right) / 2, midY = (pane.Top + pane.Bottom) / 2;
        CHECK(PixelAt(*picture, pane.Left, midY) == PixelAt(image, 0, image.Height() / 2));
        CHECK(PixelAt(*picture, pane.Right - 1, midY) == PixelAt(image, image.Width() - 1, image.Height() / 2));
        CHECK(PixelAt(*picture, midX, pane.Bottom - 1) == PixelAt(image, image.Width() / 2, image.Height() - 1));
        DestroyWindow(w);
        f.host->Skinners().DropDestroyed();
    }
}

TEST_CASE("The spin button of a single-line strip gets its own skinner and shows over the strip")
{
    TabFixture f;
    HWND w = f.Tabs(0, 20, 20, 220, 120, 12);
    HWND spin = FindWindowExA(w, nullptr, UPDOWN_CLASSA, nullptr);
    REQUIRE(spin);
    REQUIRE(IsWindowVisible(spin));
    auto* skinner = dynamic_cast<TSkinTab*>(f.SkinWindow(w));
    REQUIRE(skinner);
    REQUIRE(skinner->UpDown());
    CHECK(skinner->UpDown()->ClassName() == "TSkinUpDown");
    CHECK(skinner->UpDown()->Handle() == spin);
    // Skinning again does not skin the spin twice.
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    int spins = 0;
    for (int i = 0; i < f.host->Skinners().Count(); ++i)
        spins += dynamic_cast<TSkinControl*>(f.host->Skinners().Item(i))->Handle() == spin;
    CHECK(spins == 1);

    RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    skintest::Pump(100);
    auto screen = ScreenPixels(ScreenRectOf(spin));
    auto own = PrintClient(spin);
    CHECK(skintest::DifferingPixels(*screen, 0, 0, *own) == 0);
    // Scrolled to a far tab, the strip follows.
    SendMessageA(w, TCM_SETCURSEL, 9, 0);
    UpdateWindow(w);
    auto moved = PrintClient(w);
    RECT distant{};
    SendMessageA(w, TCM_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&distant));
    CHECK(distant.left >= 0);
    CHECK(distant.right < 220);
    double ratio = 0;
    OffsetRect(&distant, 0, 1);
    RECT display{0, 0, 220, 120};
    SendMessageA(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT strip{0, 0, 220, display.top - 3};
    CHECK(ShownTabFrame(*moved, distant, strip, *f.data->SkinTabs, TTabSide::Top, ratio) == 2);
    CHECK(ratio > 0.9);
}

TEST_CASE("Button-style tabs are drawn with the push-button faces, the selected one pressed")
{
    TabFixture f;
    HWND w = f.Tabs(TCS_BUTTONS, 20, 20, 300, 120, 3);
    SendMessageA(w, TCM_SETCURSEL, 2, 0);
    auto* skinner = new TSkinTabBtn(f.host.get());
    skinner->AttachWindow(w, f.data.get(), f.host.get(), nullptr);
    auto picture = PrintClient(w);
    TDataSkinButton& face = *f.data->SkinButtons;
    for (int i = 0; i < 3; ++i) {
        CAPTURE(i);
        RECT r{};
        SendMessageA(w, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        OffsetRect(&r, 0, 1);
        TBitmap item(r.right - r.left, r.bottom - r.top, pf24bit);
        BitBlt(item.Canvas()->Handle(), 0, 0, item.Width(), item.Height(), picture->Canvas()->Handle(), r.left, r.top,
               SRCCOPY);
        double ratio = 0;
        CHECK(ShownFrame(item, face, face.FrameCount, 2, &ratio) == (i == 2 ? 2 : 1));
        CHECK(ratio > 0.95);
    }
}

TEST_CASE("Detaching the tab skinner gives the strip its own look and procedure back")
{
    TabFixture f;
    HWND w = f.Tabs(0, 20, 20, 300, 160, 3);
    skintest::Pump(30);
    const LONG_PTR proc = GetWindowLongPtrA(w, GWLP_WNDPROC);
    auto own = PrintClient(w);
    TSkinControl* skinner = f.SkinWindow(w);
    REQUIRE(skinner);
    auto skinned = PrintClient(w);
    CHECK(skintest::DifferingPixels(*skinned, 0, 0, *own) > 500);
    SendMessageA(w, SKM_SKINENABLE, 0, 0);
    auto off = PrintClient(w);
    CHECK(skintest::DifferingPixels(*off, 0, 0, *own) == 0);
    f.host->Skinners().Remove(skinner);
    delete skinner;
    CHECK(GetWindowLongPtrA(w, GWLP_WNDPROC) == proc);
    auto after = PrintClient(w);
    CHECK(skintest::DifferingPixels(*after, 0, 0, *own) == 0);
}

namespace {

// Answers SKM_CLOSETAB on the form (over the form's own handler) with
// `Answer`, recording what it was asked.
class CloseTabAnswer : public TObject {
public:
    explicit CloseTabAnswer(TControl* form) : FForm(form), FSaved(form->WindowProc)
    {
        form->WindowProc = TWndMethod::Of<&CloseTabAnswer::Proc>(this);
    }
    ~CloseTabAnswer() override { FForm->WindowProc = FSaved; }
    void Proc(TMessage& m)
    {
        if (m.Msg != SKM_CLOSETAB) return FSaved(m);
        Log.Add(nullptr, m.Msg, tftest::Via::Called, m.WParam, m.LParam);
        if (WhileAsked) WhileAsked();
        m.Result = Answer;
    }
    LRESULT Answer = 0;
    // Run while the form is asked (a form that frees things itself).
    std::function<void()> WhileAsked;
    tftest::MessageLog Log;

private:
    TControl* FForm;
    TWndMethod FSaved;
};

TPageControl* MakePages(SkinnedForm& f, int tag, TTabPosition side, std::initializer_list<const char*> captions)
{
    auto* pages = f.Make<TPageControl>(20, 20, 300, 120);
    pages->SetTag(tag);
    pages->SetTabPosition(side);
    for (const char* caption : captions) {
        auto* sheet = new TTabSheet(f.form);
        sheet->SetParent(pages);
        sheet->SetCaption(caption);
    }
    return pages;
}

POINT CloseBoxCentre(const TSkinTab& skinner, int tab)
{
    const RECT& r = skinner.CloseRects().at(static_cast<size_t>(tab));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace

TEST_CASE("A close box asks the form with SKM_CLOSETAB and frees the page unless the form answers non-zero")
{
    TabFixture f;
    CloseTabAnswer answer(f.form);
    TPageControl* pages = MakePages(f, CloseBoxTag, tpTop, {"One", "Two", "Three"});
    HandlerRecorder recorder(pages, {WM_LBUTTONDOWN});
    auto* skinner = dynamic_cast<TSkinTab*>(f.Skin(pages));
    REQUIRE(skinner);
    CHECK(skinner->CloseButtons());
    UpdateWindow(pages->Handle());
    REQUIRE(skinner->CloseRects().size() == 3);

    // Kept: the form answers 1.
    answer.Answer = 1;
    POINT p = CloseBoxCentre(*skinner, 1);
    SendMessageA(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    CHECK_SEQUENCE(answer.Log, {tftest::Called(SKM_CLOSETAB).W(reinterpret_cast<WPARAM>(pages->Handle())).L(1)});
    CHECK(pages->PageCount() == 3);
    // The click on the close box never reached the control (the recorder
    // sits under the skinner).
    CHECK(recorder.Log.Count(WM_LBUTTONDOWN) == 0);
    CHECK(pages->ActivePageIndex() == 0);

    // Closed: the form answers 0; the page goes with its tab.
    answer.Answer = 0;
    answer.Log.Clear();
    SendMessageA(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    CHECK_SEQUENCE(answer.Log, {tftest::Called(SKM_CLOSETAB).W(reinterpret_cast<WPARAM>(pages->Handle())).L(1)});
    REQUIRE(pages->PageCount() == 2);
    CHECK(pages->Pages(1)->Caption() == "Three");
    CHECK(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0) == 2);
    UpdateWindow(pages->Handle());
    CHECK(skinner->CloseRects().size() == 2);

    // A click on a tab beside its close box selects it as the control's own.
    answer.Log.Clear();
    RECT tab{};
    SendMessageA(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    SendMessageA(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.left + 6, (tab.top + tab.bottom) / 2));
    SendMessageA(pages->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(tab.left + 6, (tab.top + tab.bottom) / 2));
    skintest::Pump(30);
    CHECK(answer.Log.Count(SKM_CLOSETAB) == 0);
    CHECK(recorder.Log.Count(WM_LBUTTONDOWN) == 1);
    CHECK(pages->ActivePageIndex() == 1);
    delete skinner;   // before the recorder under it goes
}

TEST_CASE("A form that frees the page, or the whole control, while asked about a close box: nothing more is freed")
{
    TabFixture f;
    CloseTabAnswer answer(f.form);
    TPageControl* pages = MakePages(f, CloseBoxTag, tpTop, {"One", "Two", "Three"});
    auto* skinner = dynamic_cast<TSkinTab*>(f.Skin(pages));
    REQUIRE(skinner);
    UpdateWindow(pages->Handle());
    REQUIRE(skinner->CloseRects().size() == 3);

    // The form frees the asked page itself and answers 0: the page after it stays.
    answer.WhileAsked = [&] { pages->Pages(1)->Free(); };
    POINT p = CloseBoxCentre(*skinner, 1);
    SendMessageA(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    REQUIRE(pages->PageCount() == 2);
    CHECK(pages->Pages(1)->Caption() == "Three");

    // The form frees the whole control: the skinner went with it.
    UpdateWindow(pages->Handle());
    answer.WhileAsked = [&] { pages->Free(); };
    p = CloseBoxCentre(*skinner, 0);
    const int controls = f.form->ControlCount();
    SendMessageA(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    skintest::Pump(30);
    CHECK(f.form->ControlCount() == controls - 1);
    CHECK(SkinnerOf(f.host->Skinners(), pages) == nullptr);
}

TEST_CASE("A skin changed to one without the tab element gives the strip back and frees the old images")
{
    TabFixture f;
    HWND w = f.Tabs(0, 20, 20, 300, 160, 3);
    skintest::Pump(30);
    auto own = PrintClient(w);
    auto* skinner = dynamic_cast<TSkinTab*>(f.SkinWindow(w));
    REQUIRE(skinner);
    UpdateWindow(w);
    f.data->SkinTabs.reset();
    skinner->SkinChanged();
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    CHECK(skinner->Active());
    CHECK(skintest::DifferingPixels(*PrintClient(w), 0, 0, *own) == 0);
}

TEST_CASE("Close boxes only on page controls tagged 7777 with their tabs on top")
{
    TabFixture f;
    struct Case {
        int tag;
        TTabPosition side;
        bool pageControl;
        bool boxes;
    };
    const Case cases[] = {
        {CloseBoxTag, tpTop, true, true},   {0, tpTop, true, false},          {CloseBoxTag, tpBottom, true, false},
        {CloseBoxTag, tpLeft, true, false}, {CloseBoxTag, tpTop, false, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.tag);
        CAPTURE(static_cast<int>(c.side));
        CAPTURE(c.pageControl);
        TCustomTabControl* control = nullptr;
        if (c.pageControl) {
            control = MakePages(f, c.tag, c.side, {"One", "Two"});
        } else {
            auto* tabs = f.Make<TTabControl>(20, 20, 300, 120);
            tabs->SetTag(c.tag);
            tabs->Tabs()->Add("One");
            tabs->Tabs()->Add("Two");
            control = tabs;
        }
        auto* skinner = dynamic_cast<TSkinTab*>(f.Skin(control));
        REQUIRE(skinner);
        CHECK(skinner->CloseButtons() == c.boxes);
        CHECK(skinner->Mode() == (c.pageControl ? 0 : 2));
        UpdateWindow(control->Handle());
        // Without close boxes the boxes' rectangles stay empty.
        const RECT r = skinner->CloseRects().at(0);
        CHECK((r.right > r.left) == c.boxes);
        control->Free();
    }
}

TEST_CASE("A tab control paints its window-less children over the pane; button-style page controls get button tabs")
{
    TabFixture f;
    auto* tabs = f.Make<TTabControl>(20, 20, 200, 100);
    tabs->Tabs()->Add("One");
    tabs->Tabs()->Add("Two");
    auto* label = new TLabel(f.form);
    label->SetParent(tabs);
    label->SetBounds(20, 50, 100, 16);
    label->SetCaption("Over the pane");
    label->Font()->SetColor(clRed);
    REQUIRE(f.Skin(tabs));
    auto picture = PrintClient(tabs->Handle());
    int red = 0;
    for (int y = 50; y < 66; ++y)
        for (int x = 20; x < 120; ++x) red += skintest::PixelAt(*picture, x, y) == static_cast<TColor>(ColorToRGB(clRed));
    CHECK(red > 20);

    auto* buttons = MakePages(f, 0, tpTop, {"One", "Two"});
    buttons->SetStyle(tsButtons);
    TSkinControl* skinner = f.Skin(buttons);
    REQUIRE(skinner);
    CHECK(skinner->ClassName() == "TSkinTabBtn");
    auto* sided = MakePages(f, 0, tpRight, {"One", "Two"});
    auto* right = dynamic_cast<TSkinTab*>(f.Skin(sided));
    REQUIRE(right);
    CHECK(right->TabSide() == TTabSide::Right);
}

TEST_CASE("A skin without the tab image leaves the control its own strip; the pane is still drawn")
{
    TabFixture f;
    f.data->SkinTabs->Bitmap->FreeImage();
    HWND w = f.Tabs(0, 20, 20, 300, 160, 3);
    skintest::Pump(30);
    auto own = PrintClient(w);
    auto* skinner = dynamic_cast<TSkinTab*>(f.SkinWindow(w));
    REQUIRE(skinner);
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    auto picture = PrintClient(w);
    RECT display{0, 0, 300, 160};
    SendMessageA(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const TLayoutRect pane = TabPaneRect({display.left, display.top, display.right, display.bottom}, TTabSide::Top);
    TBitmap strip(300, pane.Top - 1, pf24bit);
    BitBlt(strip.Canvas()->Handle(), 0, 0, 300, strip.Height(), own->Canvas()->Handle(), 0, 0, SRCCOPY);
    CHECK(skintest::DifferingPixels(*picture, 0, 0, strip) == 0);
    TBitmap& border = *f.data->SkinTabs->Bitmap2;
    CHECK(skintest::PixelAt(*picture, pane.Left, (pane.Top + pane.Bottom) / 2) ==
          skintest::PixelAt(border, 0, border.Height() / 2));
}
