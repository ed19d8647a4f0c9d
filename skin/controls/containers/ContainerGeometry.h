// The arithmetic of skinned containers, free of the Windows API so that it
// is built and tested natively: status bar panel bevels and text formats,
// where a caption lands in its rectangle, the caption line of a group box,
// and the cells of the glyph strips made for other vendors' check and radio
// controls.
#pragma once
#include <string_view>
#include <utility>
#include <vector>

#include "skin/controls/buttons/ButtonFaces.h"

namespace tf {

// Bevel codes of a status bar panel frame.
enum TPanelBevel : int { pbcLowered = 1, pbcRaised = 2, pbcNone = 3 };
// From a panel's "Bevel" in lower case: "pbraised" 2, "pbnone" 3, else 1.
int PanelBevelCode(std::string_view bevelLower);

// The text format of an alignment in lower case ("taleftjustify",
// "tarightjustify", "tacenter"): left 0, right DT_RIGHT (2), centre
// DT_CENTER (1); rightToLeft swaps left and right.
unsigned AlignmentFormat(std::string_view alignmentLower, bool rightToLeft);

// Where a caption measured textWidth x textHeight goes in rect: centred
// horizontally for DT_CENTER, else across the rectangle's width; moved down
// by (rect height - text height) / 2 - 1 either way.
TLayoutRect CaptionTextRect(const TLayoutRect& rect, int textWidth, int textHeight, unsigned format);

// The y of a group box's frame line for a font whose "0" is textHeight high.
int GroupBoxLineY(int textHeight);

// The strip made for another vendor's check or radio control (kind 1 check
// box, 2 radio button, 3 check box with a "Properties" object) from a source
// strip of sourceFrames frames: the number of cells, and which source frame
// (1-based) each filled cell (0-based) takes.
struct TGlyphStripMap {
    int Cells = 0;
    std::vector<std::pair<int, int>> Copies;   // (cell, source frame)
};
TGlyphStripMap GlyphStripMap(int kind, int sourceFrames);

} // namespace tf
