// The form skinner's view of the control skinners, which live in the layer
// above (skin/controls). The form skinner keeps a TControlSkinnerList of the
// skinners of its window and runs the class tables through the entries that
// the control layer installs; until it does, the entries do nothing and a
// skinned window's controls keep the system look.
#pragma once
#include <windows.h>

#include <vector>

namespace tf {

class TComponent;
class TWinSkinForm;

// A control skinner's state: made, attached, unskinned (containers), or its
// window destroyed (the list then drops it), with the engine's own numbers.
enum class TSkinnerState : int { Created = 0, Attached = 1, Unskinned = 2, WindowDestroyed = 6 };
// "Created", "Attached", "Unskinned", "WindowDestroyed" ("Unknown" else).
const char* SkinnerStateName(TSkinnerState state);

// What the form skinner needs of one control skinner. A skinner attached to a
// control is owned by that control; one attached to a bare window is owned by
// the form skinner's list. Either way a skinner leaves the list that holds it
// when it is destroyed.
class TControlSkinnerLink {
public:
    virtual ~TControlSkinnerLink() = default;
    // WindowDestroyed once the skinned window has been destroyed (the list
    // drops it).
    virtual TSkinnerState SkinnerState() const = 0;
    // The skin was replaced: re-read every element before the next paint.
    virtual void SkinChanged() = 0;
    // The window the skinner skins (zero before it is attached).
    virtual HWND SkinnedWindow() const = 0;
    // The list lets go of the skinner: true when it may be freed now. A
    // skinner still called by a handler installed after its own stays behind
    // passing everything on, freed by its owner.
    virtual bool Release() { return true; }
};

// The control skinners of one skinned window, in the order they were added.
class TControlSkinnerList {
public:
    TControlSkinnerList() = default;
    TControlSkinnerList(const TControlSkinnerList&) = delete;
    TControlSkinnerList& operator=(const TControlSkinnerList&) = delete;
    ~TControlSkinnerList() { FreeAll(); }

    // Adds a skinner unless it is listed already.
    void Add(TControlSkinnerLink* skinner);
    // Removes a skinner (called by the skinner's own destructor).
    void Remove(TControlSkinnerLink* skinner);
    // Removes and frees every skinner whose window has been destroyed.
    void DropDestroyed();
    // Frees every skinner (each restores what it replaced as it goes).
    void FreeAll();
    // Tells every skinner that the skin changed, in list order.
    void SkinChanged();

    int Count() const { return static_cast<int>(FItems.size()); }
    TControlSkinnerLink* Item(int index) const { return FItems.at(static_cast<size_t>(index)); }
    // The first skinner of a window, or nullptr.
    TControlSkinnerLink* FindByWindow(HWND window) const;

private:
    std::vector<TControlSkinnerLink*> FItems;
};

// The class tables, installed by the control layer.
struct TControlSkinningEntries {
    // The control class table for one component of a form, with the form
    // (the skinned window's framework form) as parent.
    void (*SkinControl)(TWinSkinForm& formSkinner, TComponent* component, TComponent* parent) = nullptr;
    // The window-class table for one bare child window.
    void (*SkinChildWindow)(TWinSkinForm& formSkinner, HWND child) = nullptr;
    // Replaces the scroll-bar skinner of a control window with a new one of
    // the same family (the form skinner's answer to SKM_RESKINSCROLLBAR).
    void (*ReskinScrollBar)(TWinSkinForm& formSkinner, HWND control) = nullptr;
};

// The installed entries (members left null do nothing).
const TControlSkinningEntries& ControlSkinning();
void InstallControlSkinning(const TControlSkinningEntries& entries);

} // namespace tf
