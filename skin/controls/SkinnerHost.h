// What a control skinner needs of the form skinner that chose it: the list
// that keeps the skinners, the shared drawing canvas, the skin, the window
// that hears SKM_RESKINSCROLLBAR, whether the form skinner runs, and the
// menu-item drawing that tool bars hand their menu items to. A form skinner
// lends one through HostOf (ControlSkinning.h); tests make their own.
#pragma once
#include <windows.h>

namespace tf {

class TCanvas;
class TComponent;
class TControlSkinnerList;
class TMenuItem;
class TSkinData;

class TSkinnerHost {
public:
    virtual ~TSkinnerHost() = default;
    virtual TControlSkinnerList& Skinners() = 0;
    virtual TCanvas* Canvas() = 0;
    virtual TSkinData* SkinData() = 0;
    // The skinned top-level window.
    virtual HWND Window() = 0;
    // Whether the form skinner runs (its skin applied).
    virtual bool FormRunning() = 0;
    // The form skinner as the sender of the skin data's OnSkinControl.
    virtual TComponent* Sender() = 0;
    // A menu item shown by a tool bar button goes to the form's menu-item
    // drawing; nothing while the form skinner has none.
    virtual void SkinMenuItem(TMenuItem* item) {}
};

} // namespace tf
