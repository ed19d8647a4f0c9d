// The small rules of the skin definition text that need no images: image
// values, colour texts, which sections are caption buttons and the frame
// counts the engine computes. Portable.
#pragma once
#include <cstdint>
#include <string>

#include "framework/graphics/Color.h"

namespace tf {

// The container entry an image value names: the folder part (up to the last
// "\" or ":" outside double-byte characters) is dropped; what remains must be
// non-empty and end in exactly ".bmp" (lower case), else the result is empty.
std::string SkinImageEntryName(const std::string& value);

// A colour written as decimal red, green and blue ("207 207 207",
// "R:1,G:2,B:3"). Digits build numbers; any other character ends one. A final
// number counts only as blue (when red and green were taken); components not
// given are 0; numbers past the third are ignored; each keeps its low 8 bits,
// and one too long for 32 bits counts as 0. An empty text gives def.
TColor ParseSkinColour(const std::string& text, TColor def);

// Whether a section is a caption button: its upper-cased name begins with
// "BUTTON" and is none of "BUTTONS", "BUTTON", "BUTTON.RADIO",
// "BUTTON.CHECKBOX"; a section whose action is -1 counts only when its
// visibility (read with default -1) is 0.
bool IsCaptionButtonSection(const std::string& name, int32_t action, int32_t visibility);

// Frames of a check box or radio button strip: cells 16 wide when the image
// is at least 16 high, else 13; at least 4 (an empty image gives 4).
int32_t BoxFrameCount(int32_t width, int32_t height);

// Frames of a caption button whose skin gives none: 3 for an image at most
// 3.8 times as wide as high, 6 otherwise, without an image or for a negative
// action.
int32_t CaptionButtonFrameCount(bool hasImage, int32_t width, int32_t height, int32_t action);

// Switch values above 1 become 0 ("Tile" of most elements) or 1 (the
// stretch and tile switches of frames, menu bar and progress bar).
constexpr int32_t ClampSwitchToZero(int32_t v) { return v > 1 ? 0 : v; }
constexpr int32_t ClampSwitchToOne(int32_t v) { return v > 1 ? 1 : v; }

} // namespace tf
