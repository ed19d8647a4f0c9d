// Skinning leaves nothing behind: the process's GDI and USER object counts
// are the same after 100 cycles of skinning off and on, and after 100
// windows created, skinned and destroyed.
#include <doctest.h>

#include <memory>

#include "SkinWindowKit.h"
#include "framework/controls/Forms.h"

using namespace tf;
using namespace skintest;

namespace {

// Runs one deferred action at once (the component's requests wait 250 ms).
void RunAction(SkinFixture& fx, TSkinAction kind)
{
    fx.Manager().SetPendingSkinData(fx.data);
    fx.Manager().RequestAction(kind, 1);
    REQUIRE(PumpUntil([&] { return fx.Manager().PendingSkinData() == nullptr; }, 2000));
}

} // namespace

TEST_CASE("the object counts see what is made and freed")
{
    const GuiCounts before = CountGuiObjects();
    HBRUSH brushes[5];
    for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menus[3];
    for (HMENU& m : menus) m = CreatePopupMenu();
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    const GuiCounts made = CountGuiObjects();
    CHECK(made.Gdi == before.Gdi + 5);
    CHECK(made.User >= before.User + 4);
    for (HBRUSH b : brushes) DeleteObject(b);
    for (HMENU m : menus) DestroyMenu(m);
    DestroyWindow(window);
    const GuiCounts after = CountGuiObjects();
    CHECK(after.Gdi == before.Gdi);
    CHECK(after.User == before.User);
}

TEST_CASE("100 cycles of skinning off and on leave the object counts flat")
{
    SkinFixture fx;
    auto form = ShownForm("Cycles", 150, 120, 320, 240);
    HWND w = form->Handle();
    REQUIRE(fx.WaitSkinned(w));
    auto cycle = [&] {
        RunAction(fx, TSkinAction::Unskin);
        REQUIRE(fx.Skinner(w) == nullptr);
        RunAction(fx, TSkinAction::Skin);
        REQUIRE(fx.WaitSkinned(w));
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    };
    cycle();   // whatever is made once per process is made now
    const GuiCounts before = CountGuiObjects();
    for (int i = 0; i < 100; ++i) cycle();
    const GuiCounts after = CountGuiObjects();
    CHECK(after.Gdi == before.Gdi);
    CHECK(after.User == before.User);
    MESSAGE("GDI " << before.Gdi << " -> " << after.Gdi << ", USER " << before.User << " -> " << after.User);
}

TEST_CASE("100 windows created, skinned and destroyed leave the object counts flat")
{
    SkinFixture fx;
    auto one = [&] {
        // Each with a menu of its own, which the skin takes off into its band.
        HMENU menu = CreateMenu();
        AppendMenuA(menu, MF_STRING, 1, "&File");
        TestWindow w(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, "Passing", 0, nullptr, menu);
        SetForegroundWindow(w);
        REQUIRE(fx.WaitSkinned(w));
        RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    };
    one();
    fx.Manager().PurgeFormSkinners();
    const GuiCounts before = CountGuiObjects();
    for (int i = 0; i < 100; ++i) one();
    fx.Manager().PurgeFormSkinners();
    CHECK(fx.Manager().FormSkinnerCount() == 0);
    const GuiCounts after = CountGuiObjects();
    CHECK(after.Gdi == before.Gdi);
    CHECK(after.User == before.User);
    MESSAGE("GDI " << before.Gdi << " -> " << after.Gdi << ", USER " << before.User << " -> " << after.User);
}
