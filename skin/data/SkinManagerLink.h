// The skin data component's view of the skin manager, the one object per
// process that skins the windows (it lives in the window-skinning layer).
// The manager plugs in by installing a factory (the program's skin engine
// does); without one there is no manager, and a component that loads says
// so and leaves its windows unskinned.
#pragma once
#include <windows.h>

namespace tf {

class TSkinData;

// The deferred actions a component asks of the manager, with the engine's
// own numbers.
enum class TSkinAction : int { None = 0, Skin = 1, Unskin = 2, SkinChanged = 3, DropDeadSkinners = 6 };
// "None", "Skin", "Unskin", "SkinChanged", "DropDeadSkinners" ("Unknown" else).
const char* SkinActionName(TSkinAction action);

// Where the manager is: before the first window activation, running, or
// being destroyed. A component of a form of its own that loads raises the
// state by one (RaiseRunState), so values above Running occur and mean
// "running, raised".
enum class TRunState : int { BeforeActivation = 0, Running = 1, Destroying = 4 };
// "BeforeActivation", "Running", "Destroying", or "Raised" for the others.
const char* RunStateName(TRunState state);

class TSkinManagerLink {
public:
    virtual ~TSkinManagerLink() = default;

    // Adds or removes a component from the manager's list.
    virtual void RegisterSkinData(TSkinData* data) = 0;
    virtual void UnregisterSkinData(TSkinData* data) = 0;
    // Installs the window-creation hook on the calling (user-interface) thread.
    virtual void InstallHook() = 0;
    // Schedules a deferred action after delay milliseconds; a later request
    // replaces it.
    virtual void RequestAction(TSkinAction kind, int delayMs) = 0;
    // Frees the caption buttons of the form skinners of the pending component.
    virtual void DropCaptionButtons() = 0;
    // Skins one window now if it qualifies; true when a skinner was attached.
    virtual bool SkinWindow(HWND window) = 0;

    // The component whose request is pending (nullptr when none).
    virtual TSkinData* PendingSkinData() const = 0;
    virtual void SetPendingSkinData(TSkinData* data) = 0;
    // Skinning switched on.
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool value) = 0;
    virtual TRunState RunState() const = 0;
    virtual void SetRunState(TRunState value) = 0;
    // One step up (a component of a form of its own has loaded).
    virtual void RaiseRunState() = 0;
};

// Makes the process's manager; it stays alive until the manager's own layer
// ends it with SetSkinManager(nullptr) at finalisation.
using TSkinManagerFactory = TSkinManagerLink* (*)();

// Installs the factory (nullptr: none, no manager can be made).
void SetSkinManagerFactory(TSkinManagerFactory factory);
bool SkinManagerFactoryInstalled();

// The manager, or nullptr when none has been made.
TSkinManagerLink* SkinManager();

// The manager, made with the factory when there is none; nullptr when there
// is neither.
TSkinManagerLink* CreateSkinManagerIfNone();

// Replaces the instance pointer; the manager's layer calls it with nullptr
// when it frees its manager. The caller owns what it passes.
void SetSkinManager(TSkinManagerLink* manager);

} // namespace tf
