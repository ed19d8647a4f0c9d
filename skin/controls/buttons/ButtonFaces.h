// The arithmetic of the button family, free of the Windows API so that it
// is built and tested natively: which frame of the skin's strips a state
// shows, and where a glyph and its caption go on a button face. Frames count
// from 1; halvings and thirds truncate toward zero.
#pragma once
#include <cstdint>
#include <string_view>

namespace tf {

// Frames of the push-button element.
enum TButtonFace : int { bfNormal = 1, bfPressed = 2, bfDisabled = 3, bfHot = 4, bfFocused = 5 };

// Disabled overrides everything, then pressed, hot and focused (or default).
int ButtonFaceFrame(bool disabled, bool pressed, bool hot, bool focused);

// A speed button: down shows the pressed face; a disabled one that is not
// down the disabled face; else pressed, hot or normal.
int SpeedButtonFaceFrame(bool enabled, bool down, bool pressed, bool hot);
// The glyph image (1-based) a speed button face shows.
int SpeedButtonGlyphImage(int faceFrame, bool down);
// The glyph image of a bit button: 3 pressed, 2 disabled, 1 otherwise.
int BitButtonGlyphImage(bool disabled, bool pressed);

// The check frame told by a control's "State" text (lower case): 1 for an
// unchecked state, 2 checked, 4 grayed; 0 when the text says none of these.
int CheckFrameOfState(std::string_view stateLower);
// The frame of a check box strip: checkFrame is 1 (off), 2 (on) or 4
// (grayed); disabled adds 2; indeterminate shows 4. A strip of 12 frames
// orders them otherwise (on 5, off disabled 4, on disabled 8, indeterminate
// 9 or 12 when disabled).
int CheckBoxFrame(int checkFrame, bool disabled, bool indeterminate, int frameCount);
// The frame of a radio button strip; a strip of 8 frames maps 2, 3, 4 to 5, 4, 8.
int RadioButtonFrame(bool checked, bool disabled, int frameCount);

// ------------------------------------------------------------------ layout

struct TLayoutPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TLayoutPoint&) const = default;
};
struct TLayoutSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TLayoutSize&) const = default;
};
struct TLayoutRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TLayoutRect&) const = default;
};

enum class TGlyphPlace : uint8_t { Left, Right, Top, Bottom };
// From a "Layout" value in lower case ("blglyphleft"...); anything else is Left.
TGlyphPlace GlyphPlaceOf(std::string_view layoutLower);

// Text format flags the layout adds (the system's DT_ values).
constexpr unsigned kTextCenter = 0x1, kTextRight = 0x2, kTextWordBreak = 0x10;

// The rectangle the caption is measured in: the face shrunk by 2 and, beside
// the glyph, cut by the glyph's size plus 2.
TLayoutRect ButtonTextArea(const TLayoutRect& face, TGlyphPlace place, TLayoutSize glyph);

struct TButtonLayoutInput {
    TLayoutSize Face;        // client size of the face
    TGlyphPlace Place = TGlyphPlace::Left;
    TLayoutSize Glyph;
    TLayoutSize Text;        // measured caption, (0, 0) when empty
    int Margin = -1;         // -1: centred
    int Spacing = -1;        // -1: shared out
    bool Centred = false;    // "Alignment" reads "tacenter" (bit buttons)
    bool SpeedButton = false;
};
struct TGlyphTextLayout {
    TLayoutPoint Glyph;
    TLayoutPoint Text;
    unsigned Flags = kTextWordBreak;
    int Margin = 0;
    int Spacing = 0;
};
// Places glyph and caption of a bit button or (SpeedButton) speed button.
TGlyphTextLayout LayoutButton(const TButtonLayoutInput& in);

// A menu button: glyph, caption and an 8 x 3 drop-down arrow from left to
// right. The caption is measured in the face less the glyph and the arrow.
TLayoutRect MenuButtonTextArea(TLayoutSize face, TLayoutSize glyph);
struct TMenuButtonLayout {
    TLayoutPoint Glyph;
    TLayoutPoint Text;
    TLayoutPoint Arrow;   // centre of the arrow's top edge
};
TMenuButtonLayout LayoutMenuButton(TLayoutSize face, TLayoutSize glyph, TLayoutSize text, int margin, int spacing);

} // namespace tf
