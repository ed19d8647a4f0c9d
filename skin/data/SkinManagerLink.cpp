#include "skin/data/SkinManagerLink.h"

namespace tf {

namespace {

TSkinManagerFactory gFactory = nullptr;
TSkinManagerLink* gManager = nullptr;

} // namespace

const char* SkinActionName(TSkinAction action)
{
    switch (action) {
    case TSkinAction::None: return "None";
    case TSkinAction::Skin: return "Skin";
    case TSkinAction::Unskin: return "Unskin";
    case TSkinAction::SkinChanged: return "SkinChanged";
    case TSkinAction::DropDeadSkinners: return "DropDeadSkinners";
    }
    return "Unknown";
}

const char* RunStateName(TRunState state)
{
    switch (state) {
    case TRunState::BeforeActivation: return "BeforeActivation";
    case TRunState::Running: return "Running";
    case TRunState::Destroying: return "Destroying";
    }
    return "Raised";
}

void SetSkinManagerFactory(TSkinManagerFactory factory) { gFactory = factory; }

bool SkinManagerFactoryInstalled() { return gFactory != nullptr; }

TSkinManagerLink* SkinManager() { return gManager; }

TSkinManagerLink* CreateSkinManagerIfNone()
{
    if (!gManager && gFactory) gManager = gFactory();
    return gManager;
}

void SetSkinManager(TSkinManagerLink* manager) { gManager = manager; }

} // namespace tf
