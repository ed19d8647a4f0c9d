// The skin engine as a program makes it: made and destroyed 100 times in one
// process, each time skinning a form with a menu and controls, leaves the
// GDI and USER counts flat and no hook, factory or table behind; a skin data
// component that loads while there is no engine says so, with its name, and
// its windows keep the system look.
#include <doctest.h>

#include <memory>
#include <string>
#include <vector>

#include "window/ChromeTestKit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/core/SysUtils.h"
#include "skin/SkinEngine.h"
#include "skin/data/SkinHost.h"
#include "skin/data/SkinDataEvents.h"
#include "skin/window/ControlSkinnerLink.h"
#include "skin/window/FormChrome.h"
#include "skin/window/PopupSkinnerLink.h"

using namespace tf;
using namespace skintest;

namespace {

// Records what the skin data components report instead of the error box.
struct Reports {
    static std::vector<std::string>& Texts()
    {
        static std::vector<std::string> texts;
        return texts;
    }
    Reports()
    {
        Texts().clear();
        TSkinHost host;
        host.ReportError = [](const std::string& text) { Texts().push_back(text); };
        InstallSkinHost(host);
    }
    ~Reports() { InstallSkinHost(TSkinHost{}); }
};

// The main window's skin data component as stored form data makes it.
TSkinData* LoadSkinData(const char* name)
{
    auto* data = new TSkinData(nullptr);
    data->SetName(name);
    data->SetLoading(true);
    data->SetActive(true);
    TMemoryStream block(LightBlueBlock());
    data->ReadBinaryProperty("SkinStream", block);
    data->Loaded();
    return data;
}

// A form with a menu and a button, shown and activated.
std::unique_ptr<TForm> MenuForm()
{
    return ShowForm("Engine", 140, 120, [](TForm& f) {
        auto* menu = new TMainMenu(&f);
        AddItem(AddItem(menu->Items(), "&File", &f), "&Open", &f);
        f.SetMenu(menu);
        auto* button = new TButton(&f);
        button->SetParent(&f);
        button->SetBounds(20, 20, 100, 28);
        button->SetCaption("Button");
    });
}

// Nothing of an engine is left.
void CheckNothingLeft()
{
    CHECK(TSkinEngine::Current() == nullptr);
    CHECK(SkinManage() == nullptr);
    CHECK_FALSE(SkinHookInstalled());
    CHECK_FALSE(SkinDataListened());
    CHECK(!FormChromeFactory());
    CHECK(!PopupSkinnerFactory());
    CHECK(!ControlSkinning().SkinControl);
    CHECK(!ControlSkinning().SkinChildWindow);
}

// One life of an engine: a skin loaded, a form skinned with its chrome and
// control skinners, then the form and the component freed and the engine
// destroyed, as a program ends, or the engine destroyed first while the
// form lives on (it is given back unskinned).
void OneEngine(bool engineFirst)
{
    auto engine = std::make_unique<TSkinEngine>();
    CHECK(TSkinEngine::Current() == engine.get());
    TSkinData* data = LoadSkinData("SkinData1");
    REQUIRE(engine->Manager());
    CHECK(SkinHookInstalled());
    auto form = MenuForm();
    const HWND w = form->Handle();
    REQUIRE(PumpUntil(
        [&] {
            TWinSkinForm* s = engine->Manager()->FindFormSkinner(w);
            return s && s->SkinState() == TFormSkinState::Running && s->ControlSkinners().Count() > 0;
        },
        3000));
    CHECK(engine->Manager()->FindFormSkinner(w)->Chrome() != nullptr);
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    if (engineFirst) {
        engine.reset();
        CheckNothingLeft();
        CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) != 1);
    }
    form.reset();
    data->Free();
    engine.reset();
    CheckNothingLeft();
}

} // namespace

TEST_CASE("100 engines made and destroyed leave the GDI and USER counts flat and no hook behind")
{
    OneEngine(false);   // whatever is made once per process is made now
    OneEngine(true);
    const GuiCounts before = CountGuiObjects();
    for (int i = 0; i < 100; ++i) OneEngine(i % 2 == 1);
    Pump(100);
    const GuiCounts after = CountGuiObjects();
    MESSAGE("GDI " << before.Gdi << " -> " << after.Gdi << ", USER " << before.User << " -> " << after.User);
    CHECK(after.Gdi == before.Gdi);
    CHECK(after.User == before.User);
    CheckNothingLeft();
}

TEST_CASE("one engine at a time: a second one is refused and the first keeps working")
{
    TSkinEngine engine;
    CHECK_THROWS_AS(TSkinEngine(), EInvalidOperation);
    CHECK(TSkinEngine::Current() == &engine);
    CHECK(static_cast<bool>(ControlSkinning().SkinControl));
}

TEST_CASE("a skin data component loaded with no engine says so with its name; its windows keep the system look")
{
    CheckNothingLeft();
    Reports reports;
    TSkinData* data = LoadSkinData("SkinData7");
    REQUIRE(Reports::Texts().size() == 1);
    CHECK(Reports::Texts()[0].rfind("SkinData7: ", 0) == 0);
    CHECK(Reports::Texts()[0].find("skin engine") != std::string::npos);
    CHECK(SkinManage() == nullptr);
    CHECK_FALSE(SkinHookInstalled());
    // The skin itself was read; only nothing wears it.
    CHECK_FALSE(data->FNoSkin);
    auto form = MenuForm();
    const HWND w = form->Handle();
    Pump(500);
    CHECK(SendMessageA(w, SKM_QUERYSKINNED, 0, 0) != 1);
    CHECK(GetMenu(w) != nullptr);
    // A new skin applied later reports again and still makes no manager.
    data->ApplyNewSkin();
    CHECK(Reports::Texts().size() == 2);
    CHECK(SkinManage() == nullptr);
    form.reset();
    data->Free();
    CheckNothingLeft();
}
