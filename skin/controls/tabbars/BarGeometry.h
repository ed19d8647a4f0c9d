// The arithmetic of skinned progress bars, track bars, headers and the
// media player's button row, free of the Windows API. Halvings truncate
// toward zero.
#pragma once
#include <cstdint>
#include <string_view>

#include "skin/controls/buttons/ButtonFaces.h"

namespace tf {

// The filled part of a bar `length` long showing pos in [low, high]: 0 for
// an empty range or a position at or below low, length at or above high.
int ProgressFill(int length, int pos, int low, int high);

// The chunk variant: where the chunks go in a bar of size `bar` whose trough
// has left margin `margin`, for chunks of size `chunk`.
struct TChunkLayout {
    TLayoutRect Strip;   // tiled: the row of chunks; else the stretched fill
    int Count = 0;       // tiled: chunks in the row (the last may be cut)
};
// Tiled chunks fill (margin + 2 .. length - margin - 2) in proportion and
// are centred across; stretched chunks fill (2 .. length - 2) and are 4
// less than the bar across.
TChunkLayout ProgressChunks(TLayoutSize bar, int margin, TLayoutSize chunk, bool tiled, int pos, int low, int high);

// A track bar channel drawn at the image's own thickness: the image is
// centred across the channel when thinner than it.
TLayoutRect TrackChannelImageRect(const TLayoutRect& channel, int imageThickness, bool vertical);
// The channel of a vertical track bar: the system reports it lying down on
// some versions; a lying rectangle (wider than tall) is stood up.
TLayoutRect StandVerticalChannel(const TLayoutRect& reported);

// Header item alignment from its format: 2 right (HDF_RIGHT), 1 centre
// (HDF_CENTER), else 0.
int HeaderTextAlign(int format);
// Whether a header item shows its image: its format has a bit of 0x8800
// (HDF_IMAGE, HDF_OWNERDRAW).
bool HeaderItemHasImage(int format);

// The media player's row: which of the 9 buttons are named in a set's text
// ("[btPlay,btStop]"), as bits.
uint32_t MediaButtonsOfText(std::string_view text);
// The visible button (0-8) at x of a row `width` wide, each visible button
// width / count wide from the left; 9 when none is there.
int MediaButtonAt(uint32_t visible, int width, int x);

} // namespace tf
