// The arithmetic of a skinned frame, as plain functions of numbers: which
// kind of frame and which caption boxes a window style asks for, where the
// client area lies inside the skin's borders, what a point of the caption
// band hits, and where the caption text goes. No Windows calls: built and
// tested natively too. Halvings truncate toward zero.
#pragma once
#include <cstdint>

namespace tf::frame {

struct TBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TBox&) const = default;
};

// Window style bits the rules read (the values of the Windows headers).
namespace style {
constexpr uint32_t Child = 0x40000000, Popup = 0x80000000, Caption = 0x00C00000, SysMenu = 0x00080000,
                   ThickFrame = 0x00040000, MinimizeBox = 0x00020000, MaximizeBox = 0x00010000,
                   ModalFrame = 0x00000080;   // DS_MODALFRAME
constexpr uint32_t ExDlgModalFrame = 0x00000001, ExContextHelp = 0x00000400, ExMdiChild = 0x00000040,
                   ExLeftScrollBar = 0x00004000, ExAppWindow = 0x00040000;
} // namespace style

// 2 without a whole caption; else 0 sizeable, 3 modal dialog frame, 1 fixed.
// An extended dialog frame makes a captioned window 3.
int FrameKindOf(uint32_t windowStyle, uint32_t exStyle);
// 1 maximise box, 2 minimise box, 4 context help, 8 system menu (the style
// has it or the system menu is known).
int ButtonMaskOf(uint32_t windowStyle, uint32_t exStyle, bool systemMenuKnown);
// 2 minimised (show commands 2, 6, 7), 1 maximised (3), else 0.
int WindowStateOfShowCommand(unsigned showCommand);

// The client area of a window at (x, y) of cx by cy inside the skin's
// borders and menu band; never inverted.
TBox SkinClientBox(int x, int y, int cx, int cy, int borderLeft, int borderTop, int borderRight, int borderBottom,
                   int menuBarHeight);

// Hit codes the rule produces or keeps (the values of the Windows headers).
constexpr int HitNowhere = 0, HitCaption = 2, HitMenu = 5;
// The skinned answer for a point frameY rows below the window's top, given
// the previous procedure's answer: nowhere and caption become caption below
// the top 4 rows, and menu in a menu band under the caption.
int SkinHitTest(int previous, int frameY, int borderTop, int menuBarHeight);

// Where the caption text and its background go in the caption area.
struct TCaptionTextInput {
    TBox Area;                  // the caption area
    int TextWidth = 0;          // the measured text
    int TextHeight = 0;
    int Alignment = 0;          // 0 left, 1 centre, 2 right
    int TextShift = 0;          // the title's margins: left, top, right
    int TextShiftVert = 0;
    int TextRightClip = 0;
    int BackLeft = 0;           // the text background's caps
    int BackRight = 0;
    int RightButtonsExtent = 0;
    bool RightToLeft = false;
    bool PopupStyle = false;    // the window has WS_POPUP
    bool DialogFrame = false;   // frame kind 3
};
// The text background's box; the text itself is that box less the caps.
TBox CaptionTextBox(const TCaptionTextInput& in);

// How far a dialog's controls move right when the dialog grows from width to
// the width its caption needs (0 when it needs no more).
int DialogGrowthShift(int width, int needed);

} // namespace tf::frame
