// The guard's notification-area menu drawn by the skin, opened 200 times
// in-process through the icon's callback: the process's GDI and USER object
// counts stay flat.
#include <doctest.h>

#include <windows.h>

#include <fstream>
#include <iterator>

#include "app/AppClasses.h"
#include "app/Unit_main.h"
#include "framework/controls/Application.h"
#include "framework/controls/Menus.h"
#include "framework/reader/FormReader.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/FormPopupMenus.h"
#include "tests/skin/window/ChromeTestKit.h"

using namespace tf;
using namespace skintest;

namespace {

const UINT kTrayCallback = 0xB054;

BOOL CALLBACK CollectUtilWindows(HWND w, LPARAM out)
{
    char cls[32] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "TUtilWindow") reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

// The icon reports a right click: its menu opens (modally, inside the call).
void RightClickIcon()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), &CollectUtilWindows, reinterpret_cast<LPARAM>(&windows));
    for (HWND w : windows) {
        SendMessageA(w, kTrayCallback, 0, WM_RBUTTONDOWN);
        SendMessageA(w, kTrayCallback, 0, WM_RBUTTONUP);
    }
}

// Opens the menu and closes it with Escape once it shows; true when it showed.
bool OpenAndClose()
{
    bool shown = false;
    LoopDriver driver({[&] {
                          HWND menu = OpenMenuWindow();
                          if (!menu) return false;
                          shown = true;
                          PostKey(menu, VK_ESCAPE);
                          return true;
                      }},
                      5);
    RightClickIcon();
    PumpUntil([&] { return driver.Done() && !OpenMenuWindow(); }, 3000);
    return shown;
}

} // namespace

TEST_CASE("200 openings of the skinned notification-area menu leave the GDI and USER counts flat")
{
    auto engine = std::make_unique<TSkinEngine>(TSkinEngineParts{true, false});
    RegisterMainWindowClasses();
    std::ofstream(TForm_main::ProgramDir() + "file.dat", std::ios::binary).flush();
    std::ifstream in(TAMFERN_MAIN_FORM_DATA, std::ios::binary);
    const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    REQUIRE(data.size() > 4);
    auto* form = new TForm_main(Application);
    Form_main = form;
    ReadFormBinary(form, data.data(), data.size());
    // As the program does at start: the hidden window's menus take the skin.
    REQUIRE(SkinManage());
    SkinPopupMenusBeforeForm(*form);
    CHECK(form->PopupMenu1->OwnerDraw());
    CHECK(SkinManage()->FindFormSkinner(form->Handle()) == nullptr);

    for (int i = 0; i < 5; ++i) REQUIRE(OpenAndClose());
    const GuiCounts before = CountGuiObjects();
    int shown = 0;
    for (int i = 0; i < 200; ++i) shown += OpenAndClose();
    const GuiCounts after = CountGuiObjects();
    CHECK(shown == 200);
    MESSAGE("GDI " << before.Gdi << " -> " << after.Gdi << ", USER " << before.User << " -> " << after.User);
    CHECK(after.Gdi == before.Gdi);
    CHECK(after.User == before.User);

    form->Free();
    Form_main = nullptr;
    engine.reset();
}
