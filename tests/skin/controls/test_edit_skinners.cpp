// The edit family on the skin previewer's controls under the real form
// skinner, read from the screen and from what the skinners draw: the flat
// border of edits (and an edit without a border left alone), a spin button
// inside an edit kept off the edit's ring, combo boxes in the composite,
// plain, inset and extended variants with the button on the right or, from
// the mirrored image, on the left, a simple combo's list with overlays and
// no button, up-down buttons from a skin element or plainly drawn, the date
// picker's arrow window, attach and detach giving back what they took, and
// a drop-down list's thumb drag ending when the combo, its skinner or the
// list goes from inside the drag's loop.
#include <doctest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <utility>

#include "EditSkinKit.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/DateTimePicker.h"
#include "framework/controls/Memo.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/UpDown.h"
#include "skin/controls/edits/ArrowButton.h"
#include "skin/data/ImgUtil.h"
#include "skin/controls/buttons/ButtonDraw.h"
#include "skin/controls/scrollbars/ComboxScrollBar.h"
#include "skin/controls/edits/EditGeometry.h"
#include "skin/controls/edits/SkinComBox.h"
#include "skin/controls/edits/SkinDateTime.h"
#include "skin/controls/edits/SkinEdit.h"
#include "skin/controls/scrollbars/SkinScrollbarH.h"
#include "skin/controls/edits/SkinUpDown.h"
#include "skin/controls/scrollbars/WScrollbar.h"
#include "skin/draw/User32Entries.h"

using namespace tf;
using namespace ctltest;
using namespace edittest;
using skintest::PixelAt;

namespace {

constexpr TColor White = 0xFFFFFF;

// The previewer skinned through the class table by a stand-in host.
using Fixture = SkinviewFixture;

COMBOBOXINFO ComboInfo(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    const TGetComboBoxInfoProc get = User32Entries().GetComboBoxInfo;
    REQUIRE(static_cast<bool>(get));
    REQUIRE(get(combo, &info) != FALSE);
    return info;
}

// The whole-control element (the composite the skin data made) at the
// combo's size, frame `frame`.
std::unique_ptr<TBitmap> Composite(TDataSkinObject& element, HWND combo, int frame)
{
    const RECT r = ScreenRectOf(combo);
    return ComposeElement(RECT{0, 0, r.right - r.left, r.bottom - r.top}, *element.Bitmap, element.Margins, frame,
                          element.FrameCount, element.Tile != 0, false);
}

} // namespace

TEST_CASE("Edits get the flat skin border; an edit without a border is left exactly as the system draws it")
{
    LiveSkinview live;
    TSkinData& data = *live.view.form->SkinData1;
    const TColor shadow = data.FColors[SkinColor::ButtonShadow];
    auto* edit = Get<TEdit>(live.view, "EditE");
    auto* bare = Get<TEdit>(live.view, "EditNoBorderE");
    REQUIRE(dynamic_cast<TSkinEdit*>(live.SkinnerOf(edit)));
    REQUIRE(dynamic_cast<TSkinEdit*>(live.SkinnerOf(bare)));
    Get<TWinControl>(live.view, "ButtonE")->SetFocus();   // no caret in the pictures
    Repaint(live.window);

    auto on = ScreenPixels(ScreenRectOf(edit->Handle()));
    CHECK(RingMisses(*on, 0, shadow) == 0);
    CHECK(RingMisses(*on, 1, White) == 0);
    CHECK(RingMisses(*on, 2, White) == 0);
    // Switched off, the system's sunken border is back.
    SendMessageA(edit->Handle(), SKM_SKINENABLE, 0, 0);
    Repaint(edit->Handle());
    auto off = ScreenPixels(ScreenRectOf(edit->Handle()));
    CHECK(RingMisses(*off, 0, shadow) > 0);
    SendMessageA(edit->Handle(), SKM_SKINENABLE, 1, 0);

    // The same text and look with the skinner on and off.
    Repaint(bare->Handle());
    auto skinned = ScreenPixels(ScreenRectOf(bare->Handle()));
    SendMessageA(bare->Handle(), SKM_SKINENABLE, 0, 0);
    Repaint(bare->Handle());
    auto own = ScreenPixels(ScreenRectOf(bare->Handle()));
    CHECK(skintest::DifferingPixels(*skinned, 0, 0, *own) == 0);
    // What the skinner would draw over it is nothing at all.
    SendMessageA(bare->Handle(), SKM_SKINENABLE, 1, 0);
    auto drawn = SkinnerPicture(*live.SkinnerOf(bare));
    CHECK(CountColor(*drawn, RECT{0, 0, drawn->Width(), drawn->Height()}, 0x123456) == drawn->Width() * drawn->Height());
}

TEST_CASE("An edit printing itself, and its client painted into another DC, keep the skin's border rules")
{
    Fixture f;
    auto* edit = Get<TEdit>(f.view, "EditE");
    HWND w = edit->Handle();
    const RECT r = ScreenRectOf(w);
    TBitmap printed(r.right - r.left, r.bottom - r.top, pf24bit);
    SendMessageA(w, WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas()->Handle()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    CHECK(RingMisses(printed, 0, f.data->FColors[SkinColor::ButtonShadow]) == 0);

    // SKM_PAINTCLIENTTO hands the edit a WM_PAINT with the DC: its text lands there.
    RECT client;
    GetClientRect(w, &client);
    TBitmap text(client.right, client.bottom, pf24bit);
    TSkinControl::FillSolid(text.Canvas()->Handle(), client, 0x123456);
    CHECK(SendMessageA(w, SKM_PAINTCLIENTTO, reinterpret_cast<WPARAM>(text.Canvas()->Handle()), SkinMessageMark) ==
          SkinMessageMark);
    CHECK(CountColor(text, client, 0x123456) < client.right * client.bottom);
    CHECK(CountColor(text, client, 0) > 0);   // the black text
    // Without the mark the message is not the skin's.
    CHECK(SendMessageA(w, SKM_PAINTCLIENTTO, 0, 0) != SkinMessageMark);
}

TEST_CASE("A spin button inside an edit is skinned and never touches the edit's 3-pixel ring")
{
    LiveSkinview live;
    TSkinData& data = *live.view.form->SkinData1;
    auto* spin = Get<TSpinEdit>(live.view, "SpinEditE");
    Get<TWinControl>(live.view, "ButtonE")->SetFocus();
    Repaint(live.window);
    auto* edit = dynamic_cast<TSkinEdit*>(live.SkinnerOf(spin));
    REQUIRE(edit);
    REQUIRE(edit->UpDown());
    CHECK(edit->UpDown()->InEdit());
    CHECK(edit->UpDown()->Handle() == spin->ButtonWindow());
    // The buttons lie against the edit's right edge, inside its border.
    const RECT buttons = ScreenRectOf(spin->ButtonWindow()), whole = ScreenRectOf(spin->Handle());
    CHECK(whole.right - buttons.right < 3);

    auto picture = ScreenPixels(whole);
    CHECK(RingMisses(*picture, 0, data.FColors[SkinColor::ButtonShadow]) == 0);
    CHECK(RingMisses(*picture, 1, White) == 0);
    CHECK(RingMisses(*picture, 2, White) == 0);
    // The buttons are drawn from the skin's "UpDown.Vert" inside the ring:
    // the first button's frame 1 over the top half, the second's frame 5.
    const TLayoutRect inside = UpDownInEditRect({buttons.left, buttons.top, buttons.right, buttons.bottom},
                                                {whole.left, whole.top, whole.right, whole.bottom});
    const int w = inside.Right - inside.Left, h = inside.Bottom - inside.Top;
    TBitmap want(picture->Width(), picture->Height(), pf24bit);
    HDC dc = want.Canvas()->Handle();
    TSkinControl::FillSolid(dc, RECT{0, 0, want.Width(), want.Height()}, clSkinKey);
    const int x = buttons.left - whole.left + inside.Left, y = buttons.top - whole.top + inside.Top;
    TSkinControl::FillSolid(dc, RECT{x, y, x + w, y + h}, data.FColors[SkinColor::ButtonFace]);
    TDataSkinBorder& element = *data.SkinUpDownVert;
    DrawElementStretched(dc, RECT{x, y, x + w, y + h / 2}, *element.Bitmap, 1, element.FrameCount, true);
    DrawElementStretched(dc, RECT{x, y + h / 2, x + w, y + h}, *element.Bitmap, 5, element.FrameCount, true);
    CHECK(MatchRatio(*picture, want, RECT{x, y, x + w, y + h}) > 0.97);
    CHECK(edit->UpDown()->Active());

    // The spin still works: its up button steps the value.
    const int before = spin->Value();
    SendMessageA(spin->ButtonWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(spin->ButtonWindow(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    skintest::Pump(30);
    CHECK(spin->Value() == before + 1);
}

TEST_CASE("Combo boxes in the composite variant: normal, focused and disabled frames; right-to-left from the mirror image")
{
    LiveSkinview live;
    TSkinData& data = *live.view.form->SkinData1;
    REQUIRE(data.SkinComboButton);
    REQUIRE(data.SkinComboButton->Style == 2);   // the program's skin has "SunkEdge": composites
    auto* combo = Get<TComboBox>(live.view, "ComboDropDownE");
    auto* list = Get<TComboBox>(live.view, "ComboListE");
    auto* rtl = Get<TComboBox>(live.view, "ComboRtlE");
    auto* disabled = Get<TComboBox>(live.view, "ComboDropDownD");
    REQUIRE(dynamic_cast<TSkinComBox*>(live.SkinnerOf(combo)));
    Get<TWinControl>(live.view, "ButtonE")->SetFocus();
    skintest::Pump(50);
    Repaint(live.window);

    const auto shown = [&](TComboBox* c, TDataSkinObject& element, int frame) {
        auto picture = ScreenPixels(ScreenRectOf(c->Handle()));
        auto want = Composite(element, c->Handle(), frame);
        return MatchRatio(*picture, *want, RECT{0, 0, picture->Width(), picture->Height()});
    };
    CHECK(shown(combo, *data.SkinComboButton, 1) > 0.97);
    CHECK(shown(list, *data.SkinComboButton, 1) > 0.97);
    CHECK(shown(disabled, *data.SkinComboButton, 3) > 0.97);
    // The button is on the left, from the mirrored composite.
    CHECK(rtl->BiDiMode() == bdRightToLeft);
    CHECK((GetWindowLongA(rtl->Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0);
    CHECK(shown(rtl, *data.SkinSunkEdge, 1) > 0.97);
    CHECK(shown(rtl, *data.SkinComboButton, 1) < 0.9);
    // It is the same state as on the right, mirrored: the normal frame at
    // rest, not the last frame of a reversed strip.
    {
        auto picture = ScreenPixels(ScreenRectOf(rtl->Handle()));
        for (int frame = 1; frame <= data.SkinComboButton->FrameCount; ++frame) {
            auto want = Composite(*data.SkinComboButton, rtl->Handle(), frame);
            MirrorHorizontal(*want);
            const double ratio = MatchRatio(*picture, *want, RECT{0, 0, picture->Width(), picture->Height()});
            CAPTURE(frame);
            CHECK((frame == 1 ? ratio > 0.97 : ratio < 0.97));
        }
    }

    // Focus in the edit part shows the focused frame.
    SetFocus(dynamic_cast<TSkinComBox*>(live.SkinnerOf(combo))->EditWindow());
    skintest::Pump(50);
    CHECK(shown(combo, *data.SkinComboButton, 4) > 0.97);
    Get<TWinControl>(live.view, "ButtonE")->SetFocus();
    skintest::Pump(50);
    CHECK(shown(combo, *data.SkinComboButton, 1) > 0.97);
}

TEST_CASE("Combo boxes in the plain and inset variants: the button from the image, or from its mirror on the left")
{
    Fixture f(false);
    TSkinData& data = *f.data;
    // A skin with a plain combo button (no composites): four coloured frames,
    // the mirror image in other colours.
    data.SkinSunkEdge.reset();
    data.SkinExtraImages.reset();
    TDataSkinBorder& button = *data.SkinComboButton;
    button.Style = 0;
    button.FrameCount = 4;
    button.Bitmap = ColourStrip(16, 21, {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0});
    button.Bitmap2 = ColourStrip(16, 21, {0xC000C0, 0xC0C000, 0x404040, 0x808080});
    f.view.SkinAll(*f.host);
    Get<TWinControl>(f.view, "ButtonE")->SetFocus();
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);

    auto* combo = Get<TComboBox>(f.view, "ComboListE");
    auto* skinner = f.Skinner<TSkinComBox>(combo);
    auto picture = SkinnerPicture(*skinner);
    const int w = picture->Width(), h = picture->Height();
    const TComboLayout right = ComboButtonLayout(w, h, arrow, false);
    CHECK(PixelAt(*picture, right.Button.Left + 1, 1) == 0x0000C0);
    CHECK(PixelAt(*picture, w - 1, h - 1) == 0x0000C0);
    CHECK(PixelAt(*picture, right.Text.Left + 5, h / 2) == 0x123456);   // the text area is left alone
    const RECT drawn = skinner->ButtonRect();
    CHECK(drawn.left == right.Button.Left);
    CHECK(drawn.right == w);

    auto* rtl = Get<TComboBox>(f.view, "ComboRtlE");
    auto mirrored = SkinnerPicture(*f.Skinner<TSkinComBox>(rtl));
    const TComboLayout left = ComboButtonLayout(mirrored->Width(), h, arrow, true);
    CHECK(PixelAt(*mirrored, 0, 0) == 0xC000C0);
    CHECK(PixelAt(*mirrored, left.Button.Right - 1, h - 1) == 0xC000C0);
    CHECK(PixelAt(*mirrored, mirrored->Width() - 2, h / 2) == 0x123456);

    auto disabled = SkinnerPicture(*f.Skinner<TSkinComBox>(Get<TComboBox>(f.view, "ComboListD")));
    CHECK(PixelAt(*disabled, disabled->Width() - 2, 1) == 0xC00000);

    // Inset: the background ring and strip, a one-frame button at the inner
    // edge, the shadow frame around.
    button.Style = 1;
    auto inset = SkinnerPicture(*skinner, 0x654321);
    CHECK(RingMisses(*inset, 0, data.FColors[SkinColor::ButtonShadow]) == 0);
    const RECT b = skinner->ButtonRect();
    const TLayoutRect want = ComboInsetButton(w, h, GetSystemMetrics(SM_CYVTHUMB), 16, 21, false);
    CHECK(b.left == want.Left);
    CHECK(b.right == want.Right);
    CHECK(PixelAt(*inset, b.left + 2, b.top + 2) == 0x0000C0);
    CHECK(PixelAt(*inset, 5, h / 2) == 0x654321);   // the text area is left alone
}

TEST_CASE("Extended mode draws a flat border and the skin's combo arrow over the control's first child")
{
    Fixture f(false);
    f.data->Skin3rd()->Insert(0, "TComboBox=comboboxex");
    f.view.SkinAll(*f.host);
    auto* combo = Get<TComboBox>(f.view, "ComboDropDownE");
    auto* skinner = f.Skinner<TSkinComBox>(combo);
    CHECK(skinner->ExtendedMode());
    HWND child = GetWindow(combo->Handle(), GW_CHILD);
    REQUIRE(child);
    RECT part = ScreenRectOf(child);
    const RECT whole = ScreenRectOf(combo->Handle());
    OffsetRect(&part, -whole.left, -whole.top);
    auto picture = SkinnerPicture(*skinner);
    TBitmap want(picture->Width(), picture->Height(), pf24bit);
    TSkinControl::FillSolid(want.Canvas()->Handle(), RECT{0, 0, want.Width(), want.Height()}, clSkinKey);
    TDataSkinObject& arrow = *f.data->SkinComboArrow;
    TSkinControl::FillSolid(want.Canvas()->Handle(), part, f.data->FColors[SkinColor::ButtonFace]);
    DrawStripFrame(want.Canvas()->Handle(), part, arrow.FrameCount, 1, *arrow.Bitmap);
    CHECK(MatchRatio(*picture, want, part) == doctest::Approx(1.0));
    CHECK(PixelAt(*picture, part.right + 1, part.bottom) == 0x123456);   // no border: the window has none
}

TEST_CASE("A simple combo gets overlay scroll bars on its list and no button; drop-down lists get the list skinner")
{
    Fixture f;
    auto* simple = Get<TComboBox>(f.view, "ComboSimpleE");
    auto* skinner = f.Skinner<TSkinComBox>(simple);
    const COMBOBOXINFO info = ComboInfo(simple->Handle());
    CHECK((info.stateButton & STATE_SYSTEM_INVISIBLE) != 0);
    REQUIRE(skinner->ListScroll());
    CHECK(skinner->ListScroll()->Handle() == info.hwndList);
    CHECK(skinner->ListScroll()->VertBar()->Shown());   // twenty items: the list scrolls
    CHECK_FALSE(skinner->ListBar());
    CHECK_FALSE(skinner->EditWindow());   // a simple combo's edit is not subclassed
    auto nothing = SkinnerPicture(*skinner);
    CHECK(CountColor(*nothing, RECT{0, 0, nothing->Width(), nothing->Height()}, 0x123456) ==
          nothing->Width() * nothing->Height());

    for (const char* name : {"ComboDropDownE", "ComboListE"}) {
        CAPTURE(name);
        auto* combo = Get<TComboBox>(f.view, name);
        auto* s = f.Skinner<TSkinComBox>(combo);
        REQUIRE(s->ListBar());
        CHECK(s->ListBar()->Handle() == ComboInfo(combo->Handle()).hwndList);
        CHECK_FALSE(s->ListScroll());
    }
    // Only the combo with an edit part has it subclassed.
    CHECK(f.Skinner<TSkinComBox>(Get<TComboBox>(f.view, "ComboDropDownE"))->EditWindow());
    CHECK_FALSE(f.Skinner<TSkinComBox>(Get<TComboBox>(f.view, "ComboListE"))->EditWindow());
}

TEST_CASE("Up-down buttons: the element's frames per button and state, or plain boxes without one")
{
    Fixture f(false);
    // An up-down element of eight coloured frames: first button 1-4, second 5-8.
    auto element = std::make_unique<TDataSkinBorder>("UpDown.Vert");
    element->FrameCount = 8;
    element->Bitmap = ColourStrip(10, 10, {0x000010, 0x000020, 0x000030, 0x000040, 0x000050, 0x000060, 0x000070, 0x000080});
    auto horizontal = std::make_unique<TDataSkinBorder>("UpDown.Horz");
    horizontal->FrameCount = 8;
    horizontal->Bitmap = ColourStrip(10, 10, {0x100000, 0x200000, 0x300000, 0x400000, 0x500000, 0x600000, 0x700000, 0x800000});
    f.data->SkinUpDownVert = std::move(element);
    f.data->SkinUpDownHorz = std::move(horizontal);
    f.view.SkinAll(*f.host);
    SetCursorPos(1270, 1010);   // over none of them

    auto* upDown = Get<TUpDown>(f.view, "UpDownE");
    auto* skinner = f.Skinner<TSkinUpDown>(upDown);
    auto picture = SkinnerPicture(*skinner);
    const int w = picture->Width(), h = picture->Height();
    CHECK(PixelAt(*picture, w / 2, h / 4) == 0x000010);
    CHECK(PixelAt(*picture, w / 2, h * 3 / 4) == 0x000050);
    auto disabled = SkinnerPicture(*f.Skinner<TSkinUpDown>(Get<TUpDown>(f.view, "UpDownD")));
    CHECK(PixelAt(*disabled, w / 2, h / 4) == 0x000030);
    CHECK(PixelAt(*disabled, w / 2, h * 3 / 4) == 0x000070);
    auto sideways = SkinnerPicture(*f.Skinner<TSkinUpDown>(Get<TUpDown>(f.view, "UpDownHorzE")));
    CHECK(PixelAt(*sideways, 2, sideways->Height() / 2) == 0x100000);
    CHECK(PixelAt(*sideways, sideways->Width() - 2, sideways->Height() / 2) == 0x500000);

    // Pressed with the cursor over the second button: frame 6 there only.
    const RECT r = ScreenRectOf(upDown->Handle());
    SetCursorPos(r.left + w / 2, r.bottom - 3);
    SendMessageA(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w / 2, h - 3));
    auto pressed = SkinnerPicture(*skinner);
    SendMessageA(upDown->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(w / 2, h - 3));
    CHECK(PixelAt(*pressed, w / 2, h / 4) == 0x000010);
    CHECK(PixelAt(*pressed, w / 2, h * 3 / 4) == 0x000060);
    auto released = SkinnerPicture(*skinner);
    CHECK(PixelAt(*released, w / 2, h * 3 / 4) == 0x000050);
    SetCursorPos(1270, 1010);

    // Without the element: face-coloured boxes framed in the dark shadow
    // colour, each with its arrow.
    f.data->SkinUpDownVert.reset();
    auto plain = SkinnerPicture(*skinner);
    const TColor dark = f.data->FColors[SkinColor::ButtonDkShadow];
    CHECK(PixelAt(*plain, 0, 0) == dark);
    CHECK(PixelAt(*plain, 2, 2) == f.data->FColors[SkinColor::ButtonFace]);
    CHECK(PixelAt(*plain, w / 2, h / 4 - 2) == dark);   // the up arrow's point
}

TEST_CASE("Date pickers: the arrow window covers the picker's button; time and spin pickers get the flat edit border")
{
    Fixture f;
    auto* picker = Get<TDateTimePicker>(f.view, "DatePickerE");
    auto* skinner = f.Skinner<TSkinDateTime>(picker);
    TArrowButton* arrow = skinner->Arrow();
    REQUIRE(arrow);
    HWND a = arrow->Handle();
    CHECK(GetParent(a) == picker->Handle());
    CHECK((GetWindowLongA(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN) != 0);
    CHECK((GetWindowLongA(a, GWL_STYLE) & WS_TABSTOP) == 0);
    const RECT whole = ScreenRectOf(picker->Handle());
    RECT mine = ScreenRectOf(a);
    OffsetRect(&mine, -whole.left, -whole.top);
    const int w = whole.right - whole.left, h = whole.bottom - whole.top;
    CHECK(mine.right == w - 2);   // client coordinates start inside the 2-pixel edge
    CHECK(mine.right - mine.left == arrow->ArrowWidth());
    CHECK(mine.bottom - mine.top == h - 4);
    // The arrow shows frame 1 of the skin's combo arrow, hot frame 4.
    auto shown = std::make_unique<TBitmap>(arrow->Width(), arrow->Height(), pf24bit);
    arrow->Perform(WM_PAINT, reinterpret_cast<WPARAM>(shown->Canvas()->Handle()));
    TBitmap want(shown->Width(), shown->Height(), pf24bit);
    TDataSkinObject& strip = *f.data->SkinComboArrow;
    TSkinControl::FillSolid(want.Canvas()->Handle(), RECT{0, 0, want.Width(), want.Height()}, f.data->FColors[SkinColor::ButtonFace]);
    DrawStripFrame(want.Canvas()->Handle(), RECT{0, 0, want.Width(), want.Height()}, strip.FrameCount, 1, *strip.Bitmap);
    CHECK(MatchRatio(*shown, want, RECT{0, 0, want.Width(), want.Height()}) == doctest::Approx(1.0));
    arrow->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(arrow));
    CHECK(arrow->Hot());
    arrow->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(arrow));
    CHECK_FALSE(arrow->Hot());
    // The disabled picker's arrow does not light up.
    TArrowButton* off = f.Skinner<TSkinDateTime>(Get<TDateTimePicker>(f.view, "DatePickerD"))->Arrow();
    off->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(off));
    CHECK_FALSE(off->Hot());

    // The border is the flat one with one white ring.
    auto border = SkinnerPicture(*skinner);
    CHECK(RingMisses(*border, 0, f.data->FColors[SkinColor::ButtonShadow]) == 0);
    CHECK(RingMisses(*border, 1, White) == 0);
    // Time pickers and spin-date pickers are skinned as edits.
    f.Skinner<TSkinEdit>(Get<TDateTimePicker>(f.view, "TimePickerE"));
    f.Skinner<TSkinEdit>(Get<TDateTimePicker>(f.view, "DateUpDownE"));
}

TEST_CASE("Detaching gives back what the edit family took: procedures, styles, the arrow window")
{
    Fixture f(false);
    auto* combo = Get<TComboBox>(f.view, "ComboDropDownE");
    auto* picker = Get<TDateTimePicker>(f.view, "DatePickerE");
    HWND edit = GetWindow(combo->Handle(), GW_CHILD);
    const COMBOBOXINFO info = ComboInfo(combo->Handle());
    const LONG_PTR editProc = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    const LONG_PTR listProc = GetWindowLongPtrA(info.hwndList, GWLP_WNDPROC);
    const LONG pickerStyle = GetWindowLongA(picker->Handle(), GWL_STYLE);
    auto* spin = Get<TSpinEdit>(f.view, "SpinEditE");
    const LONG_PTR spinProc = GetWindowLongPtrA(spin->ButtonWindow(), GWLP_WNDPROC);
    const int windows = [&] {
        int n = 0;
        for (HWND w = GetWindow(picker->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) ++n;
        return n;
    }();

    f.view.SkinAll(*f.host);
    Repaint(f.view.form->Handle());
    CHECK(GetWindowLongPtrA(edit, GWLP_WNDPROC) != editProc);
    CHECK(GetWindowLongPtrA(info.hwndList, GWLP_WNDPROC) != listProc);
    CHECK(GetWindowLongPtrA(spin->ButtonWindow(), GWLP_WNDPROC) != spinProc);
    f.host.reset();   // the form skinner's detach: every skinner freed
    CHECK(GetWindowLongPtrA(edit, GWLP_WNDPROC) == editProc);
    CHECK(GetWindowLongPtrA(info.hwndList, GWLP_WNDPROC) == listProc);
    CHECK(GetWindowLongPtrA(spin->ButtonWindow(), GWLP_WNDPROC) == spinProc);
    CHECK(GetWindowLongA(picker->Handle(), GWL_STYLE) == pickerStyle);
    int after = 0;
    for (HWND w = GetWindow(picker->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) ++after;
    CHECK(after == windows);
    // The controls still work as before.
    CHECK(SendMessageA(combo->Handle(), CB_SETCURSEL, 2, 0) == 2);
    CHECK(combo->Text() == "Choice 3");
}

namespace {
// Another party's subclass of a combo's edit part or list, made after skinning.
WNDPROC laterPrevious = nullptr;
LRESULT CALLBACK LaterProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(laterPrevious, w, msg, wParam, lParam);
}
void SubclassLater(HWND w)
{
    laterPrevious = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
}
} // namespace

TEST_CASE("A combo's list subclassed again after skinning keeps working when the skinners go")
{
    Fixture f;
    auto* combo = Get<TComboBox>(f.view, "ComboListE");
    auto* skinner = f.Skinner<TSkinComBox>(combo);
    REQUIRE(skinner->ListBar());
    HWND list = skinner->ListBar()->Handle();
    const LRESULT items = SendMessageA(list, LB_GETCOUNT, 0, 0);
    REQUIRE(items == 20);
    SubclassLater(list);

    // Every skinner freed: the later subclass stays the list's procedure and
    // the list still answers, also when new skinners take the old ones' place.
    f.host.reset();
    CHECK(GetWindowLongPtrA(list, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&LaterProc));
    CHECK(SendMessageA(list, LB_GETCOUNT, 0, 0) == items);
    f.host = std::make_unique<TestHost>(f.data, f.view.form->Handle());
    SkinControl(*f.host, Get<TComboBox>(f.view, "ComboDropDownE"), f.view.form);
    CHECK(SendMessageA(list, LB_GETCOUNT, 0, 0) == items);
    // The other party leaves, putting back what it found.
    SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(laterPrevious));
    CHECK(SendMessageA(list, LB_GETCOUNT, 0, 0) == items);
    CHECK(SendMessageA(combo->Handle(), CB_SETCURSEL, 3, 0) == 3);
    CHECK(combo->Text() == "Choice 4");
}

TEST_CASE("A combo's edit part subclassed again after skinning keeps working when its skinner goes")
{
    Fixture f;
    auto* combo = Get<TComboBox>(f.view, "ComboDropDownE");
    auto* skinner = f.Skinner<TSkinComBox>(combo);
    HWND edit = skinner->EditWindow();
    REQUIRE(edit);
    SubclassLater(edit);
    const auto text = [&] {
        char buffer[32] = {};
        GetWindowTextA(edit, buffer, sizeof buffer);
        return std::string(buffer);
    };
    const auto type = [&](const char* s) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        for (const char* c = s; *c; ++c) SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(*c), 0);
    };

    // The skinner cannot take its procedure out of the middle of the chain;
    // the edit must keep reaching its own procedure through it, also when
    // another object takes the skinner's place in memory.
    skinner->Unskin();
    delete skinner;
    SkinControl(*f.host, Get<TComboBox>(f.view, "ComboListE"), f.view.form);
    type("abc");
    CHECK(text() == "abc");
    CHECK(combo->Text() == "abc");
    // The other party leaves, putting back what it found: still the edit's own behaviour.
    SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(laterPrevious));
    type("de");
    CHECK(text() == "de");
}

namespace {
// What a timer runs inside the list skinner's thumb loop.
std::function<void()> inLoop;
void CALLBACK RunInLoop(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (auto run = std::exchange(inLoop, nullptr)) run();
}
} // namespace

TEST_CASE("A drop-down list's thumb drag ends at once when the combo, the skinner or the list goes from inside its loop")
{
    SkinnedForm f(300, 240);
    auto* combo = f.Make<TComboBox>(10, 10, 160, 24);
    combo->SetStyle(csDropDownList);
    for (int i = 0; i < 20; ++i) combo->Items()->Add("Choice " + std::to_string(i + 1));
    REQUIRE(dynamic_cast<TSkinComBox*>(f.Skin(combo)));
    HWND list = ComboInfo(combo->Handle()).hwndList;
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    skintest::Pump(50);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    REQUIRE(QueryScrollBarInfo(list, OBJID_VSCROLL, bar));
    REQUIRE(bar.xyThumbBottom > bar.xyThumbTop);
    const LPARAM onThumb = MAKELPARAM((bar.rcScrollBar.left + bar.rcScrollBar.right) / 2,
                                      bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2);

    std::function<void()> act;
    SUBCASE("the combo is freed") { act = [&] { delete combo; }; }
    SUBCASE("every skinner is freed") { act = [&] { f.host.reset(); }; }
    SUBCASE("skinning is switched off") { act = [&] { SendMessageA(combo->Handle(), SKM_SKINENABLE, 0, 0); }; }
    SUBCASE("the list closes") { act = [&] { SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0); }; }

    // The press starts the loop; the timer acts while it runs and then
    // releases the button, which a loop still running would answer by
    // scrolling the list.
    tftest::MessageLog log;
    log.Watch(list);
    bool inside = false;
    inLoop = [&] {
        inside = GetCapture() == list;
        log.Clear();
        act();
        PostMessageA(list, WM_LBUTTONUP, 0, 0);
    };
    PostMessageA(list, WM_NCLBUTTONDOWN, HTVSCROLL, onThumb);
    SetTimer(nullptr, 0, 20, &RunInLoop);
    skintest::Pump(300);
    log.StopWatching();
    CHECK(inside);
    CHECK(log.Count(WM_VSCROLL) == 0);
    CHECK(GetCapture() != list);
    inLoop = nullptr;
}
