// TSkinManage: the one object per process that finds the windows of the
// user-interface thread as they are created and activated (a WH_CBT hook on
// that thread), decides which of them are skinned and by which skin data
// component, attaches a form skinner (WinSkinForm.h) to top-level windows,
// MDI children and dialog boxes and a popup skinner (PopupSkinnerLink.h) to
// every menu window "#32768". It owns the skinners it attached (a form
// skinner of a framework form is owned by the form and leaves the list when
// the form frees it), runs the deferred actions the skin data components
// request (1 skin, 2 unskin, 3 skin changed, 6 drop dead skinners) through a
// timer, and keeps the state the form and popup skinners share.
//
// It listens to the skin data components (SkinDataEvents.h) and acts on
// their events; they never call it. The program's skin engine
// (skin/SkinEngine.h) subscribes for it: the first component to load makes
// the manager, and the engine frees it when it goes. User-interface thread
// only.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"
#include "skin/window/PopupSkinnerLink.h"

namespace tf {

class TBitmap;
class TControl;
class TCustomForm;
class TSkinData;
class TTimer;
class TWinSkinForm;

// The deferred actions the manager runs for a component, with the engine's
// own numbers.
enum class TSkinAction : int { None = 0, Skin = 1, Unskin = 2, SkinChanged = 3, DropDeadSkinners = 6 };
// "None", "Skin", "Unskin", "SkinChanged", "DropDeadSkinners" ("Unknown" else).
const char* SkinActionName(TSkinAction action);

// Where the manager is: before the first window activation, running, or
// being destroyed. A component of a form of its own that loads raises the
// state by one, so values above Running occur and mean "running, raised".
enum class TRunState : int { BeforeActivation = 0, Running = 1, Destroying = 4 };
// "BeforeActivation", "Running", "Destroying", or "Raised" for the others.
const char* RunStateName(TRunState state);

// menuKind values: the kind of menu about to open.
namespace MenuKind {
constexpr int Popup = 0, MenuBar = 1, SystemMenu = 2;
}

class TSkinManage final : public TObject {
public:
    TSkinManage();
    ~TSkinManage() override;
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    // ------------------------------------------------------------ the components' events
    // A component has loaded: it is registered; a main-form one installs the
    // hook and, when Active, asks for skinning (before the first activation
    // that only switches skinning on); any other kind switches skinning on,
    // raises the run state and, when Active, skins its form's window at once.
    void ComponentLoaded(TSkinData& data);
    // Active changed: a main-form component asks for skinning (not without a
    // parsed skin; the manager counts as running from then on) or unskinning;
    // an sfOnlyThisForm one becomes the pending component and asks the same
    // for its form; other kinds change nothing.
    void ComponentActiveChanged(TSkinData& data);
    // A new skin: the component becomes the pending one, its form skinners
    // drop their caption buttons, and a running manager asks for SkinChanged.
    void ComponentNewSkin(TSkinData& data);

    // ------------------------------------------------------------ components and actions
    void RegisterSkinData(TSkinData* data);
    // Also detaches and frees the form skinners that use the component.
    void UnregisterSkinData(TSkinData* data);
    // Takes the system's version value and hooks window creation,
    // activation and destruction on the calling thread (once).
    void InstallHook();
    // A later request replaces a pending one. Before any window was
    // activated, Skin and Unskin only switch enabled on and off.
    void RequestAction(TSkinAction kind, int delayMs);
    // Runs the requested action now instead of when its timer fires (for a
    // caller that must see it done, such as a test switching skinning off
    // and on many times); false when none is waiting.
    bool RunPendingAction();
    // An action is waiting for its timer, and the timer's delay.
    bool ActionScheduled() const;
    int ActionDelay() const;
    // Frees the caption buttons of the form skinners of the pending component.
    void DropCaptionButtons();
    // Attaches a form skinner when the window qualifies (checks in a fixed
    // order: enabled, not skinned, not a plain child, the program's or a
    // dialog box, not zero-sized unless an MDI child, form Tag not 99, not a
    // refused class, accepted, a component with a skin); true if attached.
    bool SkinWindow(HWND window);
    TSkinData* PendingSkinData() const { return pendingSkinData; }
    void SetPendingSkinData(TSkinData* data) { pendingSkinData = data; }
    bool Enabled() const { return enabled; }
    void SetEnabled(bool value) { enabled = value; }
    TRunState RunState() const { return runState; }
    void SetRunState(TRunState value) { runState = value; }

    // ------------------------------------------------------------ windows
    // Skips a form that is invisible or whose window is a child; else SkinWindow.
    void SkinVisibleForm(TCustomForm* form);
    // Attaches a popup skinner when the kind of menu about to open is skinned.
    void SkinPopupWindow(HWND window);
    // Detaches and frees the popup skinner of the window; true if there was one.
    bool ReleasePopupWindow(HWND window);
    TWinSkinForm* FindFormSkinner(HWND window) const;
    // The form of the screen's list whose window it is, else the control the
    // framework tied to the window (frames embedded elsewhere), else null.
    TControl* FindFormOfWindow(HWND window) const;
    // The component that skins the window: the last sfOnlyThisForm one whose
    // owner's window it is; for a dialog box the last sfDialog one; else the
    // last sfMainform one; else the first registered; null when none.
    TSkinData* SelectSkinData(HWND window) const;
    // The name checks and the main component's OnFormSkin.
    bool AcceptWindow(HWND window, const std::string& className) const;
    // Removes the first form skinner of the window from the list (not while
    // the manager itself goes); a skinner being destroyed names itself, as
    // a dead window's handle may be in use again.
    void ForgetFormSkinner(HWND window);
    void ForgetFormSkinner(TWinSkinForm* skinner);
    // Frees every form skinner whose window was destroyed.
    void PurgeFormSkinners();
    // The MDI children hear of a change unless xoMDIChildBorder is set.
    void SetMDIMaximized(bool value);
    // Gives the menu handle to the last popup skinner that has none.
    void BindPopupMenuHandle(HMENU menu);
    TBitmap* PopupBitmapFor(HMENU menu) const;

    // ------------------------------------------------------------ shared state
    int MenuKindValue() const { return menuKind; }
    void SetMenuKind(int value) { menuKind = value; }
    bool MDIMaximized() const { return mdiMaximized; }
    HWND MDIClientWindow() const { return mdiClientWindow; }
    void SetMDIClientWindow(HWND value) { mdiClientWindow = value; }
    TControl* MDIFrameForm() const { return mdiFrameForm; }
    void SetMDIFrameForm(TControl* value) { mdiFrameForm = value; }
    bool ForceSkin() const { return forceSkin; }
    TSkinAction PendingAction() const { return pendingAction; }
    TSkinData* MainSkinData() const { return mainSkinData; }
    int FormSkinnerCount() const { return static_cast<int>(formSkinners.size()); }
    TWinSkinForm* FormSkinner(int index) const { return formSkinners.at(static_cast<size_t>(index)); }
    int PopupSkinnerCount() const { return static_cast<int>(popupSkinners.size()); }
    TPopupSkinnerLink* PopupSkinner(int index) const { return popupSkinners.at(static_cast<size_t>(index)).get(); }
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas; }

private:
    void ActionTimerTick(TObject* sender);
    void RunActionForOneForm(TSkinAction action, TSkinData* data);
    void RunActionForAll(TSkinAction action, TSkinData* data);
    void FreeFormSkinner(TWinSkinForm* skinner);
    void DetachAndFree(TWinSkinForm* skinner);
    void DropDeadSkinners();
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void HookEvent(int code, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<TTimer> actionTimer;
    std::vector<TWinSkinForm*> formSkinners;
    std::vector<std::unique_ptr<TPopupSkinnerLink>> popupSkinners;
    std::vector<TSkinData*> skinDatas;
    bool enabled = false;
    bool forceSkin = false;
    TRunState runState = TRunState::BeforeActivation;
    int menuKind = MenuKind::Popup;
    bool mdiMaximized = false;
    HWND mdiClientWindow = nullptr;
    TControl* mdiFrameForm = nullptr;
    TSkinAction pendingAction = TSkinAction::None;
    TSkinData* pendingSkinData = nullptr;
    TSkinData* mainSkinData = nullptr;
};

// The manager, or null before the first skin data component loaded.
TSkinManage* SkinManage();

// Whether the manager's window hook is installed (it goes with the manager).
bool SkinHookInstalled();

// The system's version value as GetVersion gave it when the hook was
// installed (0 before); its high bit marks the Windows 95 family.
DWORD SkinOSVersion();
// Tests only: the value SkinOSVersion answers from the next InstallHook on
// (0 goes back to the system's).
void OverrideSkinOSVersion(DWORD value);

} // namespace tf
