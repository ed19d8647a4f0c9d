#include <doctest.h>

#include <memory>

#include "../window/SkinWindowKit.h"
#include "framework/controls/ExtCtrls.h"
#include "framework/controls/Forms.h"
#include "skin/controls/ControlSkinning.h"

using namespace tf;
using namespace skintest;

TEST_CASE("probe")
{
    InstallControlSkinners();
    SkinFixture fx;
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 100, 50);
    form->Show();
    SetForegroundWindow(form->Handle());
    CHECK(fx.WaitSkinned(form->Handle()));
    Pump(200);
    CHECK(panel->Color() == fx.data->FColors[SkinColor::ButtonFace]);
}
