// Tool bars drawn from the skin through their custom-draw events: the bar's
// background from the toolbar gradient (or, with xoToolbarBK, the skin's
// face in place of the system's), and each button's face from the skin's
// button element behind the bar's own drawing of image and text.
// The class table hands a skinned form's tool bars to a TToolbarSkinHandlers,
// which assigns the events that are free and gives everything back when it
// goes (with the form skinner's other skinners, or with the tool bar).
#pragma once
#include <windows.h>

#include "framework/controls/ToolBar.h"
#include "framework/core/Component.h"
#include "skin/window/ControlSkinnerLink.h"

namespace tf {

class TSkinData;
class TSkinnerHost;

// Stretches the skin's toolbar image over rect of the bar's canvas; nothing
// without the image or with xoToolbarBK in Options.
void DrawToolbarBackground(TToolBar* toolbar, const RECT& rect, TSkinData& data);
// Sets the canvas font colour for the bar's text (the skin's button text
// unless the bar has a colour of its own), and paints the skin's button
// element (5 frames: pressed 2, hot or focused 4, default 1; disabled and
// plain states nothing) inside the button's bounds less a pixel, only while
// the form skinner runs and Options lack xoToolbarButton.
void DrawToolbarButton(TToolBar* toolbar, TToolButton* button, TCustomDrawState state, TSkinData& data, bool formRunning);

class TToolbarSkinHandlers : public TComponent, public TControlSkinnerLink {
    TF_CLASS(TToolbarSkinHandlers)
public:
    explicit TToolbarSkinHandlers(TComponent* owner);
    ~TToolbarSkinHandlers() override;

    // Flat := True and the free custom-draw events; listed with host's skinners.
    void Attach(TToolBar* toolbar, TSkinnerHost* host);

    TSkinnerState SkinnerState() const override { return TSkinnerState::Attached; }
    void SkinChanged() override;
    HWND SkinnedWindow() const override { return nullptr; }

    void DrawBackground(TToolBar* sender, const RECT& rect, bool& defaultDraw);
    void DrawButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw);

private:
    TToolBar* FToolBar = nullptr;
    TSkinnerHost* FHost = nullptr;
    bool FSavedFlat = false;
    bool FColorTaken = false;   // the bar's system face replaced by the skin's
    TColor FSavedColor = 0, FSetColor = 0;
    bool FSavedParentColor = false;
    bool FOwnBackground = false;
    bool FOwnButton = false;
};

} // namespace tf
