// The arithmetic of caption buttons as plain functions: whether a button is
// shown and enabled for a window's state (its two visibility codes, then the
// corrections by its action), where it goes by its alignment, which frame of
// its image is drawn, what its action does and the hint it shows. No Windows
// calls: built and tested natively too. Halvings truncate toward zero.
#pragma once
#include <functional>

#include "skin/window/FrameLayout.h"

namespace tf::caption {

// Actions of the skin's caption buttons that the skinner knows.
namespace action {
constexpr int Close = 0, Maximize = 1, Minimize = 2, Icon = 3, Help = 4, ChildMinimize = 7, ChildRestore = 8,
              ChildClose = 9, IconAlt = 11, SystemMenu = 12, MaximizeAlt = 22, MinimizeAlt = 23,
              ChildMinimizeAlt = 60, ChildRestoreAlt = 61, ChildCloseAlt = 62;
}
// The visibility code of buttons that sit on an MDI frame's menu band.
constexpr int MenuBandVisibility = 100;

// What the visibility codes look at.
struct TWindowFacts {
    bool Maximized = false;
    bool Active = true;
    bool MinimizeBox = false;
    bool MaximizeBox = false;
    bool SystemMenu = false;
    bool ContextHelp = false;
    // An MDI frame whose active child is maximised, with a menu bar.
    bool MDIChildMaximizedOnMenuBar = false;
    bool DialogClass = false;   // "#32770" or a message box form
    int FrameKind = 0;          // 3: dialog frame
};

// The window's answer to the custom-visibility query for a code of 1000 to
// 2000 (called only for those codes).
using TQueryButton = std::function<int(int code)>;

// One operand of the visibility table: first for Visibility, else for
// Visibility1.
bool VisibilityOperand(int code, bool first, const TWindowFacts& facts, const TQueryButton& query);

struct TButtonState {
    bool Visible = false;
    bool Enabled = true;
};
// Visibility AND Visibility1, corrected by the action: a close button needs
// a system menu, maximise and minimise are enabled only with their box and a
// system menu, icon and system-menu buttons never sit on a dialog frame.
TButtonState ButtonState(int buttonAction, int visibility, int visibility1, const TWindowFacts& facts,
                         const TQueryButton& query);

// True for the buttons that show the window icon.
inline bool IsIconButton(int buttonAction) { return buttonAction == action::Icon || buttonAction == action::IconAlt; }

// Where a button of w x h goes, in frame coordinates.
struct TLayoutFacts {
    int WindowWidth = 0;
    frame::TBox CaptionBack;   // where the caption text background was drawn
    int BorderRight = 0;
    int BorderTop = 0;
    int MenuBarHeight = 0;
    int MenuBarLeftMargin = 0;   // the menu bar element's left margin (0 without one)
};
frame::TBox ButtonBounds(int align, int xcoord, int ycoord, int w, int h, const TLayoutFacts& facts);

// The frame drawn into the caption image: 1 active, 4 inactive or disabled,
// 1 whenever the image has fewer than four frames.
int CaptionImageFrame(bool active, bool enabled, int frameCount);
// The frame drawn on the window for a draw state (1 normal, 2 pressed, 3
// hot): 4 (or 1 with fewer than four frames) when disabled; a hot menu-band
// button shows frame 4. A frame the image lacks falls back to 1.
int WindowFrame(int drawState, bool enabled, int frameCount, int visibility);

// What pressing a button does.
enum class TCaptionEffect {
    Close,          // the system close command, when the system menu has one
    Maximize,       // toggle, when enabled
    Minimize,       // toggle, when enabled
    SystemMenu,     // the skin's system menu at the point
    ContextHelp,    // the context help command
    ChildMinimize,  // to the active MDI child
    ChildRestore,
    ChildClose,
    Post            // posted to the window as a caption action
};
TCaptionEffect EffectOf(int buttonAction);

// The hint of a button ("Close", "Maximize", "Minimize", "Restore"), or empty.
const char* HintTextFor(int buttonAction);

// The caption hint: shown from twice the hint pause on, hidden from twice the
// pause plus the hide pause on (times in ms since the cursor stopped on it).
enum class THintStep { Wait, Show, Hide };
THintStep HintStepAt(int elapsed, int hintPause, int hintHidePause);

} // namespace tf::caption
