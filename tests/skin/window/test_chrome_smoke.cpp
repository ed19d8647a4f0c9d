#include <doctest.h>

#include "ChromeTestKit.h"

using namespace tf;
using namespace skintest;

TEST_CASE("smoke")
{
    ChromeFixture fx;
    std::unique_ptr<TMainMenu> menu;
    auto form = ShowForm("Menu test", 140, 120, [&](TForm& f) {
        menu = std::make_unique<TMainMenu>(&f);
        TMenuItem* file = AddItem(menu->Items(), "&File", &f);
        AddItem(file, "&Open", &f);
        AddItem(file, "-", &f);
        AddItem(file, "E&xit", &f);
        TMenuItem* edit = AddItem(menu->Items(), "&Edit", &f);
        AddItem(edit, "&Copy", &f);
        AddItem(menu->Items(), "&Help", &f);
        f.SetMenu(menu.release());
    });
    REQUIRE(fx.WaitSkinned(form->Handle()));
    Pump(500);
    Screenshot("/tmp/i12_smoke1.png");
    PostMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
    LoopDriver driver({[] { return OpenMenuWindow() != nullptr; }, [] { Screenshot("/tmp/i12_smoke2.png"); return true; },
                       [] { PostKey(OpenMenuWindow(), VK_RIGHT); return true; }, [] { Pump(0); return true; }, [] { MESSAGE("menu " << OpenMenuWindow()); return OpenMenuWindow() != nullptr; }, [] { Screenshot("/tmp/i12_smoke3.png"); return true; },
                       [] { PostKey(OpenMenuWindow(), VK_ESCAPE); return true; }});
    PumpUntil([&] { return driver.Done(); }, 8000);
    Pump(300);
}
