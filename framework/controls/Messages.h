// The message record every control handler receives, and the framework's own
// messages: CM_* notifications sent to controls when their state changes, and
// CN_* reflections of notifications a parent window receives for a child.
#pragma once
#include <windows.h>

#include <cstdint>

#include "framework/core/Object.h"

namespace tf {

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    WORD WParamLo() const { return LOWORD(WParam); }
    WORD WParamHi() const { return HIWORD(WParam); }
    WORD LParamLo() const { return LOWORD(LParam); }
    WORD LParamHi() const { return HIWORD(LParam); }
    // Signed client coordinates of a mouse message.
    int XPos() const { return static_cast<int16_t>(LOWORD(LParam)); }
    int YPos() const { return static_cast<int16_t>(HIWORD(LParam)); }
};

// A control's replaceable message handler: (object, member) taking the record.
using TWndMethod = TEvent<TMessage&>;

// ------------------------------------------------------------ notifications
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_DIALOGKEY = CM_BASE + 0x05;          // wParam key, lParam key data
constexpr UINT CM_DIALOGCHAR = CM_BASE + 0x06;         // wParam character
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 0x07;       // lParam the newly focused TWinControl*
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 0x08;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 0x09;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 0x0B;     // wParam the new value
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 0x0C;
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 0x0F;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 0x12;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;         // lParam the TControl*
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;         // lParam the TControl*
constexpr UINT CM_MENUCHANGED = CM_BASE + 0x15;        // sent to the form's window
constexpr UINT CM_ENTER = CM_BASE + 0x1A;
constexpr UINT CM_EXIT = CM_BASE + 0x1B;
constexpr UINT CM_RELEASE = CM_BASE + 0x21;            // posted by TCustomForm::Release
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 0x22;
constexpr UINT CM_RECREATEWND = CM_BASE + 0x33;        // the default re-creates the window
constexpr UINT CM_CHANGED = CM_BASE + 0x37;            // a property that shows changed (performed on the control)

// ------------------------------------------------------------ reflections
// A framework parent performs CN_BASE + msg on the child the notification is
// about, with the same wParam and lParam, and returns the child's result.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;            // 0xBD11
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;            // 0xBD14
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;              // 0xBC4E
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;            // 0xBD15
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// Messages of other modules share CN_NOTIFY's number (and 0xBC4A-0xBC4D); they
// carry this lParam, which no reflection ever has. Handlers in that range
// must leave such messages alone.
constexpr LPARAM ForeignMessageMark = 0x41A2;

} // namespace tf
