// Carrying out the class tables (ClassTable.h) on real controls and windows
// for a form skinner: the selection's steps in order (DisableTag, parent and
// already-skinned tests, the window, OnSkinControl, then the table), making
// and attaching the chosen skinner and walking the children. Installed into
// the window layer by the skin engine.
#pragma once
#include <windows.h>

namespace tf {

class TComponent;
class TControl;
class TSkinnerHost;
class TWinSkinForm;

// The selection for one component of a form (or of a frame or container),
// with parent the form or container on whose behalf it runs.
void SkinControl(TSkinnerHost& host, TComponent* component, TComponent* parent);
// The selection for one bare child window.
void SkinChildWindow(TSkinnerHost& host, HWND child);
// Replaces the scroll skinner of the control whose (old) window is given by
// a fresh one of the same family.
void ReskinScrollBar(TSkinnerHost& host, HWND control);
// Whether a control already has a skinner (it answers SKM_QUERYSKINNED, or a
// listed skinner skins it).
bool ControlSkinned(TSkinnerHost& host, TControl* control);

// The host a form skinner lends its control skinners (made once, owned by
// the form skinner).
TSkinnerHost& HostOf(TWinSkinForm& formSkinner);

} // namespace tf
