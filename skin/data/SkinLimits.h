// What a skin may take: memory when it is unpacked, and room on the screen
// for the frame it gives a window. A skin beyond them is refused with the
// reason; the skin held before stays.
#pragma once
#include <cstdint>
#include <string>

namespace tf {

// The most a skin file may unpack to.
constexpr int64_t kMaxUnpackedSkin = int64_t{64} << 20;

// The frame's sides in pixels (the top side holds the caption).
struct TFrameSides {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Why a frame would not leave a window room on a screen of the given size
// (a side thicker than a quarter of the screen), or empty when it fits.
std::string FrameBeyondScreen(const TFrameSides& sides, int screenWidth, int screenHeight);

} // namespace tf
