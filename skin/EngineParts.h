// The pieces that TSkinEngine (SkinEngine.h) wires when it is made and
// takes down when it goes, each defined in the layer it belongs to. Nothing
// but the engine calls them: programs and tests make a TSkinEngine.
#pragma once

namespace tf::engine {

// The skin manager: subscribed to the skin data components' events; the
// first component that loads makes it
// (skin/window/SkinManage.cpp).
void InstallSkinManager();
// Frees the manager if one was made (every form skinner detached in its
// shutdown form, every popup skinner freed, the hook removed) and lets no
// further one be made.
void RemoveSkinManager();

// Caption buttons, the menu bar and the skin's menus for every form skinner,
// and a skinner for every menu window (skin/window/SkinChrome.cpp).
void InstallWindowChrome();
void RemoveWindowChrome();

// The control skinner families and the class tables as the form skinners'
// entries (skin/controls/ControlSkinning.cpp).
void InstallControlSkinners();
void RemoveControlSkinners();

} // namespace tf::engine
