#include "skin/SkinEngine.h"

#include "framework/core/SysUtils.h"
#include "skin/EngineParts.h"
#include "skin/window/SkinManage.h"

namespace tf {

namespace {
TSkinEngine* gEngine = nullptr;
} // namespace

TSkinEngine::TSkinEngine(TSkinEngineParts parts) : FParts(parts)
{
    if (gEngine) throw EInvalidOperation("A skin engine exists already: a program makes one");
    // The layers below the manager first: a window the manager skins finds
    // its chrome and control tables in place.
    if (FParts.Controls) engine::InstallControlSkinners();
    if (FParts.Chrome) engine::InstallWindowChrome();
    engine::InstallSkinManager();
    gEngine = this;
}

TSkinEngine::~TSkinEngine()
{
    // The manager detaches its form and popup skinners (with their chrome and
    // control skinners) and removes its hook before the tables they use go.
    engine::RemoveSkinManager();
    if (FParts.Chrome) engine::RemoveWindowChrome();
    if (FParts.Controls) engine::RemoveControlSkinners();
    if (gEngine == this) gEngine = nullptr;
}

TSkinEngine* TSkinEngine::Current() { return gEngine; }

TSkinManage* TSkinEngine::Manager() const { return SkinManage(); }

} // namespace tf
