#include "skin/data/SkinManagerLink.h"

namespace tf {

namespace {

TSkinManagerFactory gFactory = nullptr;
TSkinManagerLink* gManager = nullptr;

} // namespace

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
