// The painting check boxes and radio buttons share: the box glyph from the
// skin's strip beside the caption, and (when the skinner paints the whole
// control) the caption with its focus rectangle.
#pragma once
#include <windows.h>

namespace tf {

class TBitmap;
class TSkinControl;

struct TCheckMarkPaint {
    TBitmap* Strip = nullptr;
    int FrameCount = 0;
    int Frame = 1;
    // How far left of the window's right edge the box stands when the text
    // is on its left (BS_LEFTTEXT).
    int RightInset = 0;
    // The skinner paints face and caption (Mode 1), not just the box.
    bool WholeControl = false;
    bool Transparent = false;
};

void DrawCheckMark(TSkinControl& skinner, HDC dc, const RECT& rect, const TCheckMarkPaint& paint);

} // namespace tf
