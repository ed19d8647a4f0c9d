// The skin engine's private window messages. Other modules may send them to
// skinned windows. The values 0xBC4A to 0xBC4E share the range in which the
// framework reflects notifications to controls (CN_NOTIFY is 0xBC4E); the
// skin engine's messages of that range always carry lParam SkinMessageMark,
// which no reflection ever has, and receivers test it before acting.
#pragma once
#include <windows.h>

#include "framework/controls/Messages.h"

namespace tf {

constexpr UINT SKM_REAPPLY = 0x3401;            // re-apply the skin to a framework form
constexpr UINT SKM_REPAINTFRAME = 0x3502;       // repaint the skinned frame now
constexpr UINT SKM_FORMSKINNED = 0x3503;        // posted after a form skinner was attached (lParam 1000)
constexpr UINT SKM_SKINENABLE = 0x3506;         // one control skinner on (wParam > 0) or off
constexpr UINT SKM_CLOSETAB = 0x3507;           // may a tab's page close? (answer 0 closes)
constexpr UINT SKM_CAPTIONACTION = 0x3514;      // a caption-button action for the window (wParam action)
constexpr UINT SKM_QUERYBUTTON = 0x3515;        // is a caption button with a custom visibility code shown?
constexpr UINT SKM_FRAMECHILDREDRAW = 0x3516;   // posted to an MDI client: redraw the frame window
constexpr UINT SKM_RESKINSCROLLBAR = 0x3517;    // replace the scroll-bar skinner of the control in wParam
constexpr UINT SKM_MENUBARNEXT = 0x3518;        // open the menu-bar item at the point in lParam
constexpr UINT SKM_QUERYSKINNED = 0x3523;       // a skinned window answers 1

// Carried in lParam by the messages of the shared range below.
constexpr LPARAM SkinMessageMark = ForeignMessageMark;   // 0x41A2
constexpr UINT SKM_PAINTCLIENTTO = 0xBC4A;      // paint the client area into the DC in wParam
constexpr UINT SKM_PAINTFRAMETO = 0xBC4B;       // paint the skinned frame into the DC in wParam
constexpr UINT SKM_PROBE = 0xBC4D;              // a skinned framework form answers SkinMessageMark
constexpr UINT SKM_SKINAPPLIED = 0xBC4E;        // the window's skin has been applied

// lParam of the SKM_FORMSKINNED a manager posts.
constexpr LPARAM FormSkinnedMark = 1000;

} // namespace tf
