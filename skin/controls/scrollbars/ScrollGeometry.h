// The arithmetic of skinned scroll bars, free of the Windows API: hit
// testing along a bar, the thumb of a scroll bar control, dragging, the
// frames of the 23-frame arrow strip, and the position a dragged list thumb
// stands for. Lengths are pixels along the bar's axis from its start.
#pragma once

namespace tf {

// Parts of a bar: the system's scroll request codes.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = 0,    // SB_LINEUP
    spSecondArrow = 1,   // SB_LINEDOWN
    spTrackBefore = 2,   // SB_PAGEUP
    spTrackAfter = 3,    // SB_PAGEDOWN
    spThumb = 5,         // SB_THUMBTRACK
    spEndScroll = 8,     // SB_ENDSCROLL
};

// The system's MulDiv: a * b / c rounded half away from zero, -1 when c is 0.
int MulDivRound(int a, int b, int c);

// The part at position p of a bar.
int ScrollHitTest(int p, int arrowSize, int thumbStart, int thumbEnd, int barLength);

struct TThumbSpan {
    int Start = 0;
    int End = 0;
    bool operator==(const TThumbSpan&) const = default;
};

// The thumb of a scroll bar control from its scroll information (range 0
// stands for 9999999). A thumb shorter than 8 pixels is drawn 8 long.
TThumbSpan ControlBarThumb(int length, int arrowSize, int min, int max, int page, int pos);
// The thumb a press on such a bar starts from (its properties, no minimum).
TThumbSpan PressedControlThumb(int length, int arrowSize, int min, int max, int page, int pos);

// Where a dragged thumb starts: moved by delta, kept between the arrows.
int DragThumbStart(int dragStart, int delta, int arrowSize, int barLength, int thumbLength);

// The length of each arrow: the arrow size, or half a bar too short for two.
int ArrowLength(int barLength, int arrowSize);

// Frames of the 23-frame strip: an arrow (vertical bars use the up and down
// arrows), shown pressed or hot when hotPart is that arrow.
int ArrowFrame(bool vertical, bool second, int hotPart, bool pressed);
// The frame of a thumb element (1 normal, 2 pressed, 3 hot).
int ThumbFrame(int hotPart, bool pressed);
// The grip frame of the 23-frame strip.
int GripFrame(bool vertical, int hotPart, bool pressed);

// The position a list's thumb dragged to `offset` pixels past the first
// arrow stands for (the drop-down list of a combo box).
int ListThumbPosition(int offset, int trackLength, int thumbLength, int min, int max, int page);

} // namespace tf
