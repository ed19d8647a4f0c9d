// Shared drawing of the button family (push, bit, menu and speed buttons,
// check boxes and radio buttons), also used by later families: element and
// strip frames, whole paint messages, erasing under a transparent face,
// glyphs, text colours and right-to-left text.
#pragma once
#include <windows.h>

#include <string>

#include "framework/controls/Messages.h"
#include "framework/graphics/Color.h"

namespace tf {

class TBitmap;
class TControl;
class TDataSkinButton;
class TDataSkinObject;
class TSkinControl;

// Frame `frame` of an element's frames (side by side) composed at rect's
// size with the element's margins (centre tiled when Tile is set), copied to
// dc with magenta transparent when Trans is 1. Nothing for an inverted rect.
void DrawElementFrame(HDC dc, const RECT& rect, int frameCount, int frame, TDataSkinObject& element);

// Frame `frame` of a strip of frameCount equal frames side by side,
// stretched to rect, magenta transparent. Nothing for an inverted rect.
void DrawStripFrame(HDC dc, const RECT& rect, int frameCount, int frame, TBitmap& strip);

// A paint message in full: the DC in wParam, or BeginPaint's; the skinner
// draws the window rectangle at the origin. Not passed on. A failure while
// drawing switches the skinner off (the control repaints itself).
void PaintMessage(TSkinControl& skinner, TMessage& m);

// For a skinner that paints the whole control: WM_PAINT and WM_PRINTCLIENT
// handled by PaintMessage, WM_ERASEBKGND answered 1 without drawing. True
// when the message was one of these (it is not passed on).
bool PaintWholeControl(TSkinControl& skinner, TMessage& m);

// WM_ERASEBKGND under a transparent face: the parent's background (control
// objects) or the control's colour (bare windows). Result 1.
void EraseBackground(TSkinControl& skinner, TMessage& m);

// flags plus DT_RTLREADING for a control (or the skinner's repaint target)
// that reads right to left.
UINT TextFlags(TControl* control, UINT flags);

// Image `index` (1-based) of a glyph holding numGlyphs images side by side;
// the first when index is past them; the disabled look made from the whole
// glyph when index is 2 and the glyph has one image. Drawn at (x, y) with
// its bottom-left colour transparent.
void DrawGlyph(HDC dc, int x, int y, int numGlyphs, int index, TBitmap& glyph);

// The button text colour for a face frame: the element's NormalColour2
// (normal only when normalOnly), MouseOverColour2 when hot (frame 4),
// PressedColour2 when pressed (frame 2), each when the skin gives it; else
// base. Disabled text is the button shadow colour.
TColor ButtonTextColor(const TDataSkinButton& element, int frame, TColor base, bool normalOnly = false);

// Every "||" of text replaced by a line break (CR LF).
std::wstring ReplaceBars(const std::wstring& text);

} // namespace tf
