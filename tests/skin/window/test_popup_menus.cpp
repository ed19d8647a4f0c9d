// Popup menus under Wine: the menu window skinner (subclassing and giving
// back, erasing, painting the window from the skin's menu background,
// WM_PRINT), which framework menus the skin draws and how exactly it gives
// them back, the items' pixels (frames, HilightText, separators), measuring,
// and the identifier rule for items a window draws itself.
#include <doctest.h>

#include "ChromeTestKit.h"
#include "framework/controls/ControlCanvas.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "skin/window/FormPopupMenus.h"
#include "skin/window/MenuItemPaint.h"
#include "skin/window/MenuItemRules.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinPopMenu.h"
#include "tests/kit/HandlerRecorder.h"

using namespace tf;
using namespace skintest;

namespace {

struct Events : TObject {
    int measured = 0;
    void Measure(TObject*, TCanvas*, int& w, int& h)
    {
        ++measured;
        w = 77;
        h = 21;
    }
};

// The composed menu background of a window of w x h.
std::unique_ptr<TBitmap> Background(TSkinData& d, int w, int h)
{
    const TDataSkinObject& e = *d.SkinMenuBackground;
    return ComposeElement(RECT{0, 0, w, h}, *e.Bitmap, e.Margins, 1, 1, e.Tile != 0, false);
}

// Pixels of the window's border band (3 pixels wide) that differ from the
// composed background.
int BorderMismatches(HWND window, TBitmap& expected)
{
    int bad = 0;
    const int w = expected.Width(), h = expected.Height();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (x >= 3 && x < w - 3 && y >= 3 && y < h - 3) continue;
            bad += WindowPixel(window, x, y) != PixelAt(expected, x, y);
        }
    return bad;
}

// A framework popup menu of the form: Open, -, Close.
TPopupMenu* AddPopup(TForm& form, intptr_t tag)
{
    auto* popup = new TPopupMenu(&form);
    popup->SetTag(tag);
    AddItem(popup->Items(), "&Open", &form);
    AddItem(popup->Items(), "-", &form);
    AddItem(popup->Items(), "&Close", &form);
    return popup;
}

int CountColor(TBitmap& b, TColor c)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += PixelAt(b, x, y) == c;
    return n;
}

} // namespace

TEST_CASE("a menu window skinner subclasses its window, answers the query and gives the procedure back")
{
    ChromeFixture fx;
    TestWindow w(WS_POPUP, 10, 10, 100, 60, "popup");
    const void* before = ProcOf(w);
    TWinSkinPopMenu skinner;
    skinner.Attach(w, fx.data, nullptr);
    CHECK(ProcOf(w) != before);
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) == 1);
    skinner.SetMenuHandle(reinterpret_cast<HMENU>(0x1234));
    CHECK(skinner.MenuHandle() == reinterpret_cast<HMENU>(0x1234));
    skinner.Detach();
    CHECK(ProcOf(w) == before);
    CHECK(skinner.Background()->Empty());
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) == 0);
}

TEST_CASE("the menu window erases its background only without xoMenuBG, and answers 1 either way")
{
    for (bool menuBG : {false, true}) {
        CAPTURE(menuBG);
        ChromeFixture fx([menuBG](TSkinData& d) {
            TSkinOptions o = d.Options();
            if (menuBG) o.Include(xoMenuBG);
            d.SetOptions(o);
        });
        fx.Manager().SetEnabled(true);
        TestWindow w(WS_POPUP, 10, 10, 100, 60, "popup");
        TWinSkinPopMenu skinner;
        skinner.Attach(w, fx.data, nullptr);
        OwnProcLog().Clear();
        HDC dc = GetDC(w);
        CHECK(SendMessageA(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 1);
        ReleaseDC(w, dc);
        CHECK(OwnProcLog().Count(WM_ERASEBKGND) == (menuBG ? 0 : 1));
        skinner.Detach();
    }
}

TEST_CASE("popup menus of a skinned form are drawn by the skin, except one whose Tag is DisableTag; given back exactly")
{
    ChromeFixture fx;
    Events events;
    TPopupMenu *skinned = nullptr, *plain = nullptr, *own = nullptr;
    auto form = ShowForm("Popups", 140, 120, [&](TForm& f) {
        skinned = AddPopup(f, 0);
        plain = AddPopup(f, fx.data->DisableTag());
        own = AddPopup(f, 0);
        own->Items()->Items(0)->OnMeasureItem = TMenuMeasureItemEvent::Of<&Events::Measure>(&events);
    });
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Pump(100);
    CHECK(skinned->OwnerDraw());
    CHECK(skinned->Items()->Items(0)->OnDrawItem);
    CHECK(skinned->Items()->Items(0)->OnMeasureItem);
    CHECK_FALSE(plain->OwnerDraw());
    CHECK_FALSE(plain->Items()->Items(0)->OnDrawItem);
    // An item's own measure event stays.
    const TMenuMeasureItemEvent mine = TMenuMeasureItemEvent::Of<&Events::Measure>(&events);
    CHECK(own->Items()->Items(0)->OnMeasureItem == mine);
    CHECK(own->Items()->Items(0)->OnDrawItem);

    // The skinned menu's window shows the skin's background around its items;
    // the DisableTag menu keeps the system's look.
    TBitmap* drawnBackground = nullptr;
    int skinnedBorder = -1, plainBorder = -1;
    RECT plainRect{};
    for (TPopupMenu* popup : {skinned, plain}) {
        LoopDriver driver({[&] {
            HWND menu = OpenMenuWindow();
            if (!menu) return false;
            Pump(50);
            RECT r{};
            GetWindowRect(menu, &r);
            auto expected = Background(*fx.data, r.right - r.left, r.bottom - r.top);
            const int bad = BorderMismatches(menu, *expected);
            if (popup == skinned) {
                skinnedBorder = bad;
                drawnBackground = PopupBackgroundFor(MenuOfWindow(menu)).Bitmap;
            } else {
                plainBorder = bad;
                plainRect = r;
            }
            PostKey(menu, VK_ESCAPE);
            return true;
        }});
        popup->Popup(200, 200);
        PumpUntil([&] { return driver.Done() && !OpenMenuWindow(); }, 3000);
    }
    CHECK(skinnedBorder == 0);
    CHECK(drawnBackground != nullptr);
    CHECK(plainBorder > 0);

    // Switching the skin off gives everything back as it was.
    fx.data->SetActive(false);
    REQUIRE(PumpUntil([&] { return fx.Skinner(w) == nullptr; }, 2000));
    for (TPopupMenu* popup : {skinned, plain, own}) {
        CHECK_FALSE(popup->OwnerDraw());
        CHECK_FALSE(popup->Items()->Items(0)->OnDrawItem);
    }
    CHECK_FALSE(skinned->Items()->Items(0)->OnMeasureItem);
    CHECK(own->Items()->Items(0)->OnMeasureItem == mine);
}

TEST_CASE("items: frame 4 and HilightText when selected, frame 1 and MenuText when not; popup separators from frame 2")
{
    ChromeFixture fx;
    fx.data->FColors[SkinColor::HilightText] = 0x0000C0;   // told apart from MenuText
    fx.data->FColors[SkinColor::MenuText] = 0x004000;
    auto form = std::make_unique<TForm>(nullptr);
    auto* popup = AddPopup(*form, 0);
    TMenuItem& open = *popup->Items()->Items(0);
    TMenuItem& line = *popup->Items()->Items(1);
    const TDataSkinObject& e = *fx.data->SkinMenuItem;
    const int fw = e.Bitmap->Width() / 5, midY = e.Bitmap->Height() / 2;
    const int w = 140, h = 22;

    const auto draw = [&](TMenuItem& item, bool selected) {
        auto image = std::make_unique<TBitmap>(w, h, pf24bit);
        DrawMenuItem(*fx.data, item, *image->Canvas(), RECT{0, 0, w, h}, selected);
        return image;
    };
    auto selected = draw(open, true);
    auto normal = draw(open, false);
    CHECK(PixelAt(*selected, 0, h / 2) == e.Bitmap->Canvas()->Pixel(3 * fw, midY));
    CHECK(CountColor(*selected, 0x0000C0) > 10);
    CHECK(CountColor(*selected, 0x004000) == 0);
    CHECK(CountColor(*normal, 0x004000) > 10);
    CHECK(CountColor(*normal, 0x0000C0) == 0);

    // A checked item without image shows the system check mark in its
    // text's colour (a dark mark would vanish on a dark menu).
    const int margin = e.Margins.left;
    const auto inkInBox = [&](TBitmap& image, TColor ink) {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = margin + 1; x < margin + 17; ++x) n += PixelAt(image, x, y) == ink;
        return n;
    };
    open.SetChecked(true);
    auto checked = draw(open, false);
    CHECK(inkInBox(*checked, 0x004000) > 4);
    CHECK(inkInBox(*checked, ColorToRGB(clBtnText)) == 0);
    auto checkedSelected = draw(open, true);
    CHECK(inkInBox(*checkedSelected, 0x0000C0) > 4);
    open.SetChecked(false);

    // The skin's own menu glyphs (the system menu's) are drawn in the same
    // colour; an image list of the program's keeps its own colours.
    REQUIRE(fx.data->FMenuGlyphs->Count() == 4);
    popup->SetImages(fx.data->FMenuGlyphs.get());
    open.SetImageIndex(3);
    auto glyph = draw(open, false);
    CHECK(inkInBox(*glyph, 0x004000) > 4);
    CHECK(inkInBox(*glyph, 0x004000) < 16 * 16 / 2);   // the glyph's shape, not its whole cell
    auto glyphSelected = draw(open, true);
    CHECK(inkInBox(*glyphSelected, 0x0000C0) > 4);
    TImageList own(nullptr);
    own.SetSize(16, 16);
    TBitmap square(16, 16, pf24bit);
    square.Canvas()->Brush()->SetColor(0x00A0A0);
    const RECT all{0, 0, 16, 16};
    square.Canvas()->FillRect(all);
    REQUIRE(own.AddMasked(&square, clWhite) == 0);
    popup->SetImages(&own);
    open.SetImageIndex(0);
    auto program = draw(open, false);
    CHECK(inkInBox(*program, 0x00A0A0) > 100);
    CHECK(inkInBox(*program, 0x004000) == 0);
    popup->SetImages(nullptr);
    open.SetImageIndex(-1);

    // A disabled item's text is in ButtonShadow.
    open.SetEnabled(false);
    auto disabled = draw(open, false);
    CHECK(CountColor(*disabled, fx.data->FColors[SkinColor::ButtonShadow]) > 10);
    open.SetEnabled(true);

    // A separator of a framework popup: frame 2 across the item (its bottom
    // rows when the item is lower than the image).
    const int lineH = 8;
    auto sep = std::make_unique<TBitmap>(w, lineH, pf24bit);
    DrawMenuItem(*fx.data, line, *sep->Canvas(), RECT{0, 0, w, lineH}, false);
    const auto slices = menuitem::SeparatorSlices(e.Bitmap->Width(), e.Bitmap->Height(), e.Margins.left,
                                                   e.Margins.right, w, lineH);
    // The first column of each slice comes from the first column of its source.
    int compared = 0, bad = 0;
    for (const menuitem::TSlice& slice : {slices.Left, slices.Middle, slices.Right})
        for (int y = 0; y < lineH; ++y) {
            const TColor want = e.Bitmap->Canvas()->Pixel(slice.Source.Left, slice.Source.Top + y);
            if (want == clSkinKey) continue;
            ++compared;
            bad += PixelAt(*sep, slice.Target.Left, y) != want;
        }
    CHECK(compared > 0);
    CHECK(bad == 0);
}

TEST_CASE("an entry known only by its menu is measured from its text; a separator entry is an etched line")
{
    ChromeFixture fx;
    TMenuItem entry(nullptr);
    entry.SetCaption("-");
    auto image = std::make_unique<TBitmap>(120, 10, pf24bit);
    DrawMenuHandleItem(*fx.data, nullptr, entry, false, RECT{0, 0, 120, 10}, *image->Canvas());
    // EDGE_ETCHED along a row: the shadow line over the highlight line.
    const TColor shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    int etchedRow = -1;
    for (int y = 0; y + 1 < 10 && etchedRow < 0; ++y)
        if (PixelAt(*image, 60, y) == shadow && PixelAt(*image, 60, y + 1) == light) etchedRow = y;
    CHECK(etchedRow >= 0);

    int width = 0, height = 15;
    MeasureMenuText(*fx.data, "Hello", width, height);
    CHECK(height == 19);
    const int margin = fx.data->SkinMenuItem->Margins.left;
    CHECK(width > 26 + margin);
    width = 0;
    height = 15;
    MeasureMenuText(*fx.data, "", width, height);
    CHECK(height == 8);
    CHECK(width == 26 + margin);
}

TEST_CASE("identifiers 1 to 4095 outside the main menu are left to the form; others, and a bare window's, the skin draws")
{
    ChromeFixture fx;
    TMainMenu* main = nullptr;
    auto form = ShowForm("Identifiers", 140, 120, [&](TForm& f) {
        main = new TMainMenu(&f);
        AddItem(AddItem(main->Items(), "&File", &f), "&Open", &f);
        f.SetMenu(main);
    });
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    Pump(100);
    // What reaches the form's own handling behind the skinner.
    std::vector<UINT> drawn;
    tftest::THandlerRecorder recorder(form.get(), std::set<UINT>{WM_DRAWITEM});
    recorder.OnKept = [&](TMessage& m) { drawn.push_back(reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->itemID); };

    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 3000, "Own");
    AppendMenuA(menu, MF_STRING, 5000, "Skinned");
    TBitmap target(100, 20, pf24bit);
    const auto drawItem = [&](UINT id) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = id;
        dis.hwndItem = reinterpret_cast<HWND>(menu);
        dis.hDC = target.Canvas()->Handle();
        dis.rcItem = RECT{0, 0, 100, 20};
        return SendMessageA(w, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    };
    drawItem(3000);
    CHECK(drawn == std::vector<UINT>{3000});
    CHECK(drawItem(5000) == 1);
    CHECK(drawn == std::vector<UINT>{3000});
    // An item of the main menu is the skin's whatever its identifier.
    CHECK(drawItem(main->Items()->Items(0)->Items(0)->Command()) == 1);
    CHECK(drawn.size() == 1);
    recorder.Restore();

    // A bare window with a menu: every entry is drawn through a stand-in item.
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), "&Menu");
    TestWindow bare(WS_OVERLAPPEDWINDOW, 160, 140, 300, 200, "Bare", 0, nullptr, bar);
    ShowWindow(bare, SW_SHOW);
    SetForegroundWindow(bare);
    REQUIRE(fx.WaitSkinned(bare));
    Pump(100);
    OwnProcLog().Clear();
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = 3000;
    dis.hwndItem = reinterpret_cast<HWND>(menu);
    dis.hDC = target.Canvas()->Handle();
    dis.rcItem = RECT{0, 0, 100, 20};
    CHECK(SendMessageA(bare, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)) == 1);
    CHECK(OwnProcLog().Count(WM_DRAWITEM) == 0);
}

TEST_CASE("WM_PRINT paints the background into the given DC and lets the system draw inside")
{
    ChromeFixture fx;
    auto form = ShowForm("Print");
    HWND w = form->Handle();
    TPopupMenu* popup = AddPopup(*form, 0);
    REQUIRE(fx.WaitSkinned(w));
    Pump(100);
    REQUIRE(popup->OwnerDraw());
    int bad = -1;
    LoopDriver driver({[&] {
        HWND menu = OpenMenuWindow();
        if (!menu) return false;
        RECT r{};
        GetWindowRect(menu, &r);
        const int mw = r.right - r.left, mh = r.bottom - r.top;
        TBitmap printed(mw, mh, pf24bit);
        SendMessageA(menu, WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas()->Handle()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        auto expected = Background(*fx.data, mw, mh);
        bad = 0;
        for (int y = 0; y < mh; ++y)
            for (int x = 0; x < mw; ++x)
                if (x < 3 || y < 3 || x >= mw - 3 || y >= mh - 3) bad += PixelAt(printed, x, y) != PixelAt(*expected, x, y);
        PostKey(menu, VK_ESCAPE);
        return true;
    }});
    popup->Popup(220, 220);
    PumpUntil([&] { return driver.Done() && !OpenMenuWindow(); }, 3000);
    CHECK(bad == 0);
}

TEST_CASE("a hidden form's popup menus take the skin before the form does; its skinner takes them over and gives back")
{
    ChromeFixture fx;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(140, 120, 320, 240);
    TPopupMenu* popup = AddPopup(*form, 0);
    form->HandleNeeded();
    SkinPopupMenusBeforeForm(*form);
    CHECK(fx.Skinner(form->Handle()) == nullptr);
    CHECK(popup->OwnerDraw());
    const TMenuDrawItemEvent early = popup->Items()->Items(0)->OnDrawItem;
    CHECK(early);

    form->Show();
    SetForegroundWindow(form->Handle());
    REQUIRE(fx.WaitSkinned(form->Handle()));
    Pump(100);
    CHECK(popup->OwnerDraw());
    CHECK(popup->Items()->Items(0)->OnDrawItem);
    CHECK_FALSE(popup->Items()->Items(0)->OnDrawItem == early);   // the skinner's own now

    fx.data->SetActive(false);
    REQUIRE(PumpUntil([&] { return fx.Skinner(form->Handle()) == nullptr; }, 2000));
    CHECK_FALSE(popup->OwnerDraw());
    CHECK_FALSE(popup->Items()->Items(0)->OnDrawItem);
}
