#include "skin/data/SkinManagerLink.h"

namespace tf {

namespace {

// Keeps the flags and the pending component, skins nothing.
class TIdleSkinManager final : public TSkinManagerLink {
public:
    void RegisterSkinData(TSkinData*) override {}
    void UnregisterSkinData(TSkinData* data) override
    {
        if (FPending == data) FPending = nullptr;
    }
    void InstallHook() override {}
    void RequestAction(int, int) override {}
    void DropCaptionButtons() override {}
    bool SkinWindow(HWND) override { return false; }
    TSkinData* PendingSkinData() const override { return FPending; }
    void SetPendingSkinData(TSkinData* data) override { FPending = data; }
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool value) override { FEnabled = value; }
    int RunState() const override { return FRunState; }
    void SetRunState(int value) override { FRunState = value; }

private:
    TSkinData* FPending = nullptr;
    bool FEnabled = false;
    int FRunState = 0;
};

TSkinManagerLink* IdleManager()
{
    static TIdleSkinManager manager;
    return &manager;
}

TSkinManagerFactory gFactory = nullptr;
TSkinManagerLink* gManager = nullptr;

} // namespace

void SetSkinManagerFactory(TSkinManagerFactory factory) { gFactory = factory; }

TSkinManagerLink* SkinManager() { return gManager; }

TSkinManagerLink* CreateSkinManagerIfNone()
{
    if (!gManager) gManager = gFactory ? gFactory() : IdleManager();
    return gManager;
}

void SetSkinManager(TSkinManagerLink* manager) { gManager = manager; }

} // namespace tf
