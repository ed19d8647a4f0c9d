#include "skin/window/CaptionButtonRules.h"

namespace tf::caption {

bool VisibilityOperand(int code, bool first, const TWindowFacts& f, const TQueryButton& query)
{
    const bool eitherBox = f.MinimizeBox || f.MaximizeBox;
    switch (code) {
    case 0: return true;
    case 1: return f.Maximized;
    case 2: return !f.Maximized;
    case 3: return f.Active;
    case 4: return !f.Active;
    case 6:
    case 8: return first ? eitherBox && f.SystemMenu : eitherBox;
    case 7: return !f.MaximizeBox;
    case 9: return !f.MinimizeBox;
    case 10: return first ? f.ContextHelp && !eitherBox : f.ContextHelp;
    case MenuBandVisibility: return f.MDIChildMaximizedOnMenuBar;
    case 200: return !f.DialogClass && f.FrameKind == 3;
    default: break;
    }
    if (code >= 201 && code <= 999) return true;
    if (code >= 1000 && code <= 2000) return first ? query && query(code) > 0 : true;
    return false;   // -1, 5 and every other code
}

TButtonState ButtonState(int buttonAction, int visibility, int visibility1, const TWindowFacts& facts,
                         const TQueryButton& query)
{
    TButtonState s;
    s.Visible = VisibilityOperand(visibility, true, facts, query) && VisibilityOperand(visibility1, false, facts, query);
    switch (buttonAction) {
    case action::Close:
        if (!facts.SystemMenu) s.Visible = false;
        break;
    case action::Maximize: s.Enabled = facts.MaximizeBox && facts.SystemMenu; break;
    case action::Minimize: s.Enabled = facts.MinimizeBox && facts.SystemMenu; break;
    case action::Icon:
    case action::IconAlt:
    case action::SystemMenu:
        if (facts.FrameKind == 3) s.Visible = false;
        break;
    default: break;
    }
    return s;
}

frame::TBox ButtonBounds(int align, int xcoord, int ycoord, int w, int h, const TLayoutFacts& f)
{
    int x = 0, y = 0;
    switch (align) {
    case 0:
        x = xcoord;
        y = ycoord;
        break;
    case 1:
        x = f.WindowWidth - xcoord;
        y = ycoord;
        break;
    case 2:
    case 8:
        x = f.CaptionBack.Left - w - xcoord;
        y = ycoord;
        break;
    case 3:
    case 9:
        x = f.CaptionBack.Right + xcoord;
        y = ycoord;
        break;
    case 100:
        x = f.WindowWidth - xcoord - f.BorderRight - f.MenuBarLeftMargin;
        y = (f.MenuBarHeight - h) / 2 + f.BorderTop;
        break;
    default: break;
    }
    return frame::TBox{x, y, x + w, y + h};
}

int CaptionImageFrame(bool active, bool enabled, int frameCount)
{
    if (frameCount < 4) return 1;
    return active && enabled ? 1 : 4;
}

int WindowFrame(int drawState, bool enabled, int frameCount, int visibility)
{
    int frame = drawState;
    if (!enabled) frame = frameCount > 3 ? 4 : 1;
    else if (visibility == MenuBandVisibility && frame == 3) frame = 4;
    return frame >= 1 && frame <= frameCount ? frame : 1;
}

TCaptionEffect EffectOf(int buttonAction)
{
    switch (buttonAction) {
    case action::Close: return TCaptionEffect::Close;
    case action::Maximize:
    case action::MaximizeAlt: return TCaptionEffect::Maximize;
    case action::Minimize:
    case action::MinimizeAlt: return TCaptionEffect::Minimize;
    case action::Icon:
    case action::IconAlt:
    case action::SystemMenu: return TCaptionEffect::SystemMenu;
    case action::Help: return TCaptionEffect::ContextHelp;
    case action::ChildMinimize:
    case action::ChildMinimizeAlt: return TCaptionEffect::ChildMinimize;
    case action::ChildRestore:
    case action::ChildRestoreAlt: return TCaptionEffect::ChildRestore;
    case action::ChildClose:
    case action::ChildCloseAlt: return TCaptionEffect::ChildClose;
    default: return TCaptionEffect::Post;
    }
}

const char* HintTextFor(int buttonAction)
{
    switch (buttonAction) {
    case action::Close:
    case action::ChildClose:
    case action::ChildCloseAlt: return "Close";
    case action::Maximize:
    case action::MaximizeAlt: return "Maximize";
    case action::Minimize:
    case action::ChildMinimize:
    case action::MinimizeAlt:
    case action::ChildMinimizeAlt: return "Minimize";
    case action::ChildRestore:
    case action::ChildRestoreAlt: return "Restore";
    default: return "";
    }
}

THintStep HintStepAt(int elapsed, int hintPause, int hintHidePause)
{
    if (elapsed < 2 * hintPause) return THintStep::Wait;
    if (elapsed < 2 * hintPause + hintHidePause) return THintStep::Show;
    return THintStep::Hide;
}

} // namespace tf::caption
