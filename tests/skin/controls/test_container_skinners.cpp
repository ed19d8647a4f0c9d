// The container family: panels taking the face colour and giving their own
// back, group boxes with the flat rounded frame and their caption on the
// face colour (right-aligned with WS_EX_RIGHT), status bars redrawn panel by
// panel from the skin (simple mode, owner-drawn panels, the size grip),
// stand-alone size grips and dialogs, tab sheets, and the two skinners that
// write skin-made bitmaps into other vendors' controls.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>

#include "EditSkinKit.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/GroupBox.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/StatusBar.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Bitmap.h"
#include "skin/controls/containers/ContainerGeometry.h"
#include "skin/controls/containers/SkinAdvPage.h"
#include "skin/controls/containers/SkinBox.h"
#include "skin/controls/containers/SkinGroupBox.h"
#include "skin/controls/buttons/SkinObjImage.h"
#include "skin/controls/containers/SkinStatusBar.h"
#include "skin/controls/edits/SkinUpDown.h"

using namespace tf;
using namespace ctltest;
using namespace edittest;
using skintest::PixelAt;

namespace {

using Fixture = SkinviewFixture;

// A status bar panel's frame as the skin composes it.
std::unique_ptr<TBitmap> PanelFrame(TSkinData& data, const RECT& r, int bevel)
{
    TDataSkinObject& edges = *data.SkinStatusBar;
    return ComposeElement(RECT{0, 0, r.right - r.left, r.bottom - r.top}, *edges.Bitmap, edges.Margins, bevel, 3,
                          edges.Tile != 0, false);
}

// How many pixels of the rectangle's one-pixel ring in the picture differ
// from the same ring of the composed frame.
int FrameMisses(TBitmap& picture, const RECT& r, TBitmap& frame)
{
    int misses = 0;
    const int w = r.right - r.left, h = r.bottom - r.top;
    for (int x = 0; x < w; ++x)
        for (int y : {0, h - 1}) misses += PixelAt(picture, r.left + x, r.top + y) != PixelAt(frame, x, y);
    for (int y = 1; y < h - 1; ++y)
        for (int x : {0, w - 1}) misses += PixelAt(picture, r.left + x, r.top + y) != PixelAt(frame, x, y);
    return misses;
}

// Stand-ins for other vendors' controls that take skin-made bitmaps.
class TCheckStandIn : public TCustomControl {
public:
    explicit TCheckStandIn(TComponent* owner) : TCustomControl(owner) {}
    const TClassInfo& ClassType() const override { return StaticClass(); }
    static const TClassInfo& StaticClass()
    {
        static const TClassInfo info = TClassBuilder<TCheckStandIn>("TRzCheckBox", TCustomControl::StaticClass())
                                           .Object<TBitmap>("CustomGlyphs", &TCheckStandIn::Glyphs, &TCheckStandIn::SetGlyphs)
                                           .Int("TransparentColor", &TCheckStandIn::Key, &TCheckStandIn::SetKey)
                                           .Bool("UseCustomGlyphs", &TCheckStandIn::UseGlyphs, &TCheckStandIn::SetUseGlyphs)
                                           .Build();
        return info;
    }
    TBitmap* Glyphs() const { return FGlyphs.get(); }
    void SetGlyphs(TBitmap* b) { FGlyphs->Assign(b); }
    TColor Key() const { return FKey; }
    void SetKey(TColor c) { FKey = c; }
    bool UseGlyphs() const { return FUse; }
    void SetUseGlyphs(bool v)
    {
        if (v && !FUse) ++Reloads;   // the control loads its glyphs when switched on
        FUse = v;
    }
    int Reloads = 0;

private:
    std::unique_ptr<TBitmap> FGlyphs = std::make_unique<TBitmap>();
    TColor FKey = 0;
    bool FUse = false;
};

class TPagesStandIn : public TCustomControl {
public:
    explicit TPagesStandIn(TComponent* owner) : TCustomControl(owner) {}
    const TClassInfo& ClassType() const override { return StaticClass(); }
    static const TClassInfo& StaticClass()
    {
        static const TClassInfo info =
            TClassBuilder<TPagesStandIn>("TAdvPageControl", TCustomControl::StaticClass())
                .Object<TBitmap>("TabBackGround", &TPagesStandIn::Back, &TPagesStandIn::SetBack)
                .Object<TBitmap>("TabBackGroundActive", &TPagesStandIn::Active, &TPagesStandIn::SetActive)
                .Build();
        return info;
    }
    TBitmap* Back() const { return FBack.get(); }
    void SetBack(TBitmap* b) { FBack->Assign(b); }
    TBitmap* Active() const { return FActive.get(); }
    void SetActive(TBitmap* b) { FActive->Assign(b); }

private:
    std::unique_ptr<TBitmap> FBack = std::make_unique<TBitmap>();
    std::unique_ptr<TBitmap> FActive = std::make_unique<TBitmap>();
};

INT_PTR CALLBACK PlainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

bool SameBitmap(TBitmap& a, TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    return skintest::DifferingPixels(a, 0, 0, b) == 0;
}

} // namespace

TEST_CASE("Panels take the skin's face colour, follow a new skin and get their own colour back")
{
    Fixture f(false);
    auto* panel = Get<TPanel>(f.view, "InnerPanelE");
    panel->SetColor(clRed);
    auto* outer = Get<TPanel>(f.view, "PanelE");
    const TColor outerColor = outer->Color();
    const bool outerParent = outer->ParentColor();
    f.view.SkinAll(*f.host);
    auto* skinner = dynamic_cast<TSkinBox*>(SkinnerOf(f.host->Skinners(), panel));
    REQUIRE(skinner);
    CHECK(skinner->SetsColor());
    CHECK(panel->Color() == f.Face());
    CHECK(outer->Color() == f.Face());
    // No handler of its own: the panel's messages are its own.
    CHECK(panel->WindowProc == TWndMethod::Of<&TControl::WndProc>(panel));
    auto face = std::make_unique<TBitmap>(panel->Width(), panel->Height(), pf24bit);
    panel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(face->Canvas()->Handle()));
    CHECK(PixelAt(*face, 5, 5) == f.Face());

    // A new face colour reaches the panel.
    const TColor skinFace = f.Face();
    f.data->FColors[SkinColor::ButtonFace] = RGB(10, 200, 30);
    skinner->SkinChanged();
    CHECK(panel->Color() == RGB(10, 200, 30));
    f.data->FColors[SkinColor::ButtonFace] = skinFace;

    // Unskin gives the colour back and leaves State 2; freeing after that
    // changes nothing more.
    skinner->Unskin();
    CHECK(panel->Color() == clRed);
    CHECK(skinner->SkinnerState() == TSkinnerState::Unskinned);
    f.host.reset();
    CHECK(panel->Color() == clRed);
    CHECK(outer->Color() == outerColor);   // freed without Unskin: given back too
    CHECK(outer->ParentColor() == outerParent);
}

TEST_CASE("Group boxes: a flat rounded frame in the shadow colour, the caption on the face colour, children painted")
{
    Fixture f;
    auto* group = Get<TGroupBox>(f.view, "GroupBoxE");
    auto* skinner = dynamic_cast<TSkinGroupBox*>(SkinnerOf(f.host->Skinners(), group));
    REQUIRE(skinner);
    CHECK(skinner->Mode() == 1);
    HWND w = group->Handle();
    HDC screen = GetDC(w);
    HGDIOBJ old = SelectObject(screen, group->Font()->Handle());
    SIZE zero{}, caption{};
    GetTextExtentPoint32A(screen, "0", 1, &zero);
    GetTextExtentPoint32A(screen, "Group box", 9, &caption);
    SelectObject(screen, old);
    ReleaseDC(w, screen);
    const int y = GroupBoxLineY(zero.cy);
    const int gw = group->Width(), gh = group->Height();

    auto picture = PrintClient(w);
    CHECK(PixelAt(*picture, gw - 12, y) == f.Shadow());        // the top line right of the caption
    CHECK(PixelAt(*picture, 1, gh / 2) == f.Shadow());          // left
    CHECK(PixelAt(*picture, gw - 2, gh / 2) == f.Shadow());     // right
    CHECK(PixelAt(*picture, gw / 2, gh - 2) == f.Shadow());     // bottom
    CHECK(PixelAt(*picture, 1, gh - 2) != f.Shadow());          // a curved corner
    CHECK(PixelAt(*picture, gw / 2, gh / 2 + 5) == f.Face());   // the face inside
    int lineUnderCaption = 0;
    for (int x = 8; x < 8 + caption.cx; ++x) lineUnderCaption += PixelAt(*picture, x, y) == f.Shadow();
    CHECK(lineUnderCaption == 0);   // the caption covers the line behind it
    // The window-less label inside is painted too.
    auto* label = Get<TLabel>(f.view, "GroupLabelE");
    CHECK(CountColor(*picture, label->BoundsRect(), 0) > 0);

    // Right-aligned: the caption ends 8 pixels from the right edge; the line
    // shows where it stood.
    SetWindowLongA(w, GWL_EXSTYLE, GetWindowLongA(w, GWL_EXSTYLE) | WS_EX_RIGHT);
    auto right = PrintClient(w);
    int leftLine = 0, rightLine = 0;
    for (int x = 8; x < 8 + caption.cx; ++x) leftLine += PixelAt(*right, x, y) == f.Shadow();
    for (int x = gw - 8 - caption.cx; x < gw - 8; ++x) rightLine += PixelAt(*right, x, y) == f.Shadow();
    CHECK(leftLine == caption.cx);
    CHECK(rightLine == 0);
    CHECK(CountColor(*right, RECT{gw - 8 - caption.cx, 0, gw - 8, zero.cy}, 0) > 0);   // the text itself
}

TEST_CASE("Status bars: each panel's frame from the skin by its bevel, texts, the size grip; simple mode one lowered panel")
{
    Fixture f;
    TSkinData& data = *f.data;
    auto* bar = Get<TStatusBar>(f.view, "StatusBarE");
    REQUIRE(dynamic_cast<TSkinStatusBar*>(SkinnerOf(f.host->Skinners(), bar)));
    HWND w = bar->Handle();
    auto picture = PrintClient(w);
    const int bevels[] = {pbcLowered, pbcRaised, pbcNone, pbcLowered};
    for (int i = 0; i < 4; ++i) {
        CAPTURE(i);
        RECT r{};
        REQUIRE(SendMessageA(w, SB_GETRECT, i, reinterpret_cast<LPARAM>(&r)));
        r.right += 2;
        if (i == 3) r.right = picture->Width();
        auto frame = PanelFrame(data, r, bevels[i]);
        CHECK(FrameMisses(*picture, r, *frame) == 0);
    }
    // The texts, in the skin's text colour.
    RECT first{};
    SendMessageA(w, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&first));
    InflateRect(&first, -2, -2);
    CHECK(CountColor(*picture, first, data.SkinStatusBar->NormalColour2) > 10);
    // The size grip: frame 5 of "ExtraImages", its corner one pixel inside.
    TDataSkinObject& grip = *data.SkinExtraImages;
    const int gw = grip.FrameWidth(), gh = grip.Bitmap->Height();
    CHECK(ShownStripFrame(*picture, picture->Width() - 1 - gw, picture->Height() - 1 - gh, *grip.Bitmap,
                          grip.FrameCount) == 5);

    // Simple mode with an empty text: one lowered panel over the whole width.
    auto* simple = Get<TStatusBar>(f.view, "SimpleBarE");
    CHECK(simple->SimpleText().empty());
    auto whole = PrintClient(simple->Handle());
    const RECT all{0, 0, whole->Width(), whole->Height()};
    auto lowered = PanelFrame(data, all, pbcLowered);
    CHECK(FrameMisses(*whole, all, *lowered) == 0);
}

namespace {
struct PanelPainter : TObject {
    int calls = 0;
    void Draw(TObject* sender, TStatusPanel*, RECT r)
    {
        ++calls;
        auto* bar = static_cast<TStatusBar*>(sender);
        TSkinControl::FillSolid(bar->Canvas()->Handle(), r, clRed);
    }
};
} // namespace

TEST_CASE("An owner-drawn status bar panel gets the skin's frame, then the application's drawing inside it")
{
    Fixture f(false);
    auto* bar = new TStatusBar(f.view.form);
    bar->SetParent(f.view.form);
    bar->SetBounds(10, 940, 400, 22);
    bar->Panels()->Add()->SetText("Text");
    TStatusPanel* owner = bar->Panels()->Add();
    owner->SetStyle(psOwnerDraw);
    owner->SetWidth(120);
    PanelPainter painter;
    bar->OnDrawPanel = TDrawPanelEvent::Of<&PanelPainter::Draw>(&painter);
    SkinControl(*f.host, bar, f.view.form);
    REQUIRE(dynamic_cast<TSkinStatusBar*>(SkinnerOf(f.host->Skinners(), bar)));
    auto picture = std::make_unique<TBitmap>(400, 22, pf24bit);
    bar->Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture->Canvas()->Handle()));
    CHECK(painter.calls == 1);   // only the owner-drawn panel
    RECT r{};
    REQUIRE(SendMessageA(bar->Handle(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&r)));
    RECT frameRect = r;
    frameRect.right = 400;   // the last panel runs to the edge
    auto frame = PanelFrame(*f.data, frameRect, pbcLowered);
    CHECK(FrameMisses(*picture, frameRect, *frame) == 0);
    RECT inside = r;
    InflateRect(&inside, -2, -2);
    CHECK(CountColor(*picture, inside, clRed) == (inside.right - inside.left) * (inside.bottom - inside.top));
}

TEST_CASE("A stand-alone size grip and a dialog: the grip vanishes into the face colour, the dialog's background is the face")
{
    Fixture f;
    HWND form = f.view.form->Handle();
    HWND grip = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP | SBS_SIZEBOX, 900, 900, 17,
                                17, form, nullptr, nullptr, nullptr);
    SkinChildWindow(*f.host, grip);
    auto* sizer = dynamic_cast<TSkinControl*>(f.host->Skinners().FindByWindow(grip));
    REQUIRE(sizer);
    CHECK(sizer->ClassName() == "TSkinSizer");
    TBitmap painted(17, 17, pf24bit);
    SendMessageA(grip, WM_PAINT, reinterpret_cast<WPARAM>(painted.Canvas()->Handle()), 0);
    CHECK(CountColor(painted, RECT{0, 0, 17, 17}, f.Face()) == 17 * 17);

    // A dialog with a static child: face-coloured background and statics.
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
        DLGITEMTEMPLATE item;
        WORD itemClass[2], itemTitle, extra;
    } tpl{};
    tpl.t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    tpl.t.cdit = 1;
    tpl.t.cx = 100;
    tpl.t.cy = 50;
    tpl.item.style = WS_CHILD | WS_VISIBLE | SS_LEFT;
    tpl.item.x = 5;
    tpl.item.y = 5;
    tpl.item.cx = 60;
    tpl.item.cy = 10;
    tpl.item.id = 100;
    tpl.itemClass[0] = 0xFFFF;
    tpl.itemClass[1] = 0x0082;   // static
    HWND dialog = CreateDialogIndirectParamA(nullptr, &tpl.t, form, &PlainDialog, 0);
    REQUIRE(dialog);
    // And a list with a scroll bar: the bar is skinned as any list's.
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 5, 30, 80, 50,
                                dialog, nullptr, nullptr, nullptr);
    REQUIRE(list);
    for (int i = 0; i < 20; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Item"));
    const LONG_PTR listProc = GetWindowLongPtrA(list, GWLP_WNDPROC);
    SkinChildWindow(*f.host, dialog);   // "#32770": its children, then the dialog
    auto* box = dynamic_cast<TSkinControl*>(f.host->Skinners().FindByWindow(dialog));
    REQUIRE(box);
    auto* bars = dynamic_cast<TSkinControl*>(f.host->Skinners().FindByWindow(list));
    REQUIRE(bars);
    CHECK(bars->ClassName() == "TSkinScrollbarH");
    CHECK(GetWindowLongPtrA(list, GWLP_WNDPROC) != listProc);
    CHECK(SendMessageA(list, LB_GETCOUNT, 0, 0) == 20);   // the list works on
    CHECK(box->ClassName() == "TSkinBoxH");
    HWND label = GetDlgItem(dialog, 100);
    HDC dc = GetDC(label);
    CHECK(SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)) ==
          reinterpret_cast<LRESULT>(f.data->FFaceBrush.Get()));
    ReleaseDC(label, dc);
    const RECT outer = ScreenRectOf(dialog);
    TBitmap erased(outer.right - outer.left, outer.bottom - outer.top, pf24bit);
    SendMessageA(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Canvas()->Handle()), 0);
    CHECK(CountColor(erased, RECT{0, 0, erased.Width(), erased.Height()}, f.Face()) == erased.Width() * erased.Height());
    f.host.reset();
    CHECK(GetWindowLongPtrA(list, GWLP_WNDPROC) == listProc);   // given back
    DestroyWindow(dialog);
    DestroyWindow(grip);
}

TEST_CASE("Tab sheets are filled with the face colour with their window-less children on it")
{
    Fixture f;
    auto* sheet = Get<TTabSheet>(f.view, "SheetOneE");
    TSkinControl* skinner = SkinnerOf(f.host->Skinners(), sheet);
    REQUIRE(skinner);
    CHECK(skinner->ClassName() == "TSkinTabSheet");
    const RECT client{0, 0, sheet->ClientWidth(), sheet->ClientHeight()};
    TBitmap picture(client.right, client.bottom, pf24bit);
    sheet->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()));
    CHECK(CountColor(picture, client, f.Face()) == client.right * client.bottom);
    TSkinControl::FillSolid(picture.Canvas()->Handle(), client, clRed);
    sheet->Perform(WM_PAINT, reinterpret_cast<WPARAM>(picture.Canvas()->Handle()));
    CHECK(PixelAt(picture, client.right - 2, client.bottom - 2) == f.Face());
    CHECK(CountColor(picture, Get<TLabel>(f.view, "SheetLabelE")->BoundsRect(), 0) > 0);
}

TEST_CASE("Other vendors' check boxes get skin-made glyph strips, again for a new skin, and switch back to their own")
{
    Fixture f(false);
    TDataSkinButton& buttons = *f.data->SkinButtons;
    auto* rz = new TCheckStandIn(f.view.form);
    rz->SetParent(f.view.form);
    rz->SetBounds(900, 900, 40, 20);
    SkinControl(*f.host, rz, f.view.form);
    auto* skinner = dynamic_cast<TSkinObjImage*>(SkinnerOf(f.host->Skinners(), rz));
    REQUIRE(skinner);
    CHECK(skinner->GlyphKind() == 1);
    const int n = buttons.CheckFrameCount, w = buttons.CheckBitmap->Width() / n, h = buttons.CheckBitmap->Height();
    REQUIRE(rz->Glyphs()->Width() == 9 * w);
    CHECK(rz->Glyphs()->Height() == h);
    CHECK(rz->Key() == clSkinKey);
    CHECK(rz->UseGlyphs());
    CHECK(rz->Reloads == 1);
    // Cell 7 is the source's fourth frame; with five frames cell 8 is the fifth.
    CHECK(ShownStripFrame(*rz->Glyphs(), 7 * w, 0, *buttons.CheckBitmap, n) == 4);
    if (n == 5) CHECK(ShownStripFrame(*rz->Glyphs(), 8 * w, 0, *buttons.CheckBitmap, n) == 5);

    // Another skin: a new strip, loaded again.
    buttons.CheckBitmap = ColourStrip(13, 13, {0x000001, 0x000002, 0x000003, 0x000004});
    buttons.CheckFrameCount = 4;
    skinner->SkinChanged();
    CHECK(rz->Glyphs()->Width() == 9 * 13);
    CHECK(PixelAt(*rz->Glyphs(), 6 * 13 + 1, 1) == 0x000003);
    CHECK(PixelAt(*rz->Glyphs(), 2 * 13 + 1, 1) == clSkinKey);   // no fifth frame: the cell stays empty
    CHECK(rz->Reloads == 2);
    skinner->Unskin();
    CHECK_FALSE(rz->UseGlyphs());
}

TEST_CASE("Page controls that take tab backgrounds get them from the skin's tabs and lose them when skinning stops")
{
    Fixture f(false);
    f.data->Skin3rd()->Insert(0, "TAdvPageControl=advpagecontrol");
    auto* pages = new TPagesStandIn(f.view.form);
    pages->SetParent(f.view.form);
    pages->SetBounds(800, 900, 120, 60);
    HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 80, 2, 30, 16, pages->Handle(), nullptr,
                                nullptr, nullptr);
    SkinControl(*f.host, pages, f.view.form);
    auto* skinner = dynamic_cast<TSkinAdvPage*>(SkinnerOf(f.host->Skinners(), pages));
    REQUIRE(skinner);
    CHECK(skinner->PageMode() == 4);
    TDataSkinBorder& tabs = *f.data->SkinTabs;
    auto normal = ComposeElement(RECT{0, 0, 100, 21}, *tabs.Bitmap, tabs.Margins, 1, tabs.FrameCount, tabs.Tile != 0, false);
    auto active = ComposeElement(RECT{0, 0, 100, 21}, *tabs.Bitmap, tabs.Margins, 2, tabs.FrameCount, tabs.Tile != 0, false);
    CHECK(SameBitmap(*pages->Back(), *normal));
    CHECK(SameBitmap(*pages->Active(), *active));
    // The spin button inside is skinned when the control draws.
    skinner->PaintControl(nullptr);
    REQUIRE(skinner->UpDown());
    CHECK(skinner->UpDown()->Handle() == spin);
    skinner->Unskin();
    CHECK(pages->Back()->Empty());
    CHECK(pages->Active()->Empty());
}
