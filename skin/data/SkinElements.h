// Skin elements: one drawable piece of a skin each, an image of one or more
// equal frames (frame 1 leftmost) with the margins of its nine-part grid, a
// transparency switch (magenta is transparent when Trans is nonzero), a tiling
// switch, a style and text colours. The skin data component builds them at
// every skin load (SkinElementReader.h); skinners only read them. Every
// bitmap member always exists; an element without image has an empty one.
// Frame counts hold what the skin says; wherever frames are cut, a count
// below 1 counts as 1 (UsableFrameCount).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Color.h"
#include "skin/draw/SkinDraw.h"

namespace tf {

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string name = {});
    virtual ~TDataSkinObject();
    TDataSkinObject(TDataSkinObject&&) noexcept = default;
    TDataSkinObject& operator=(TDataSkinObject&&) noexcept = default;

    bool Empty() const { return Bitmap->Empty(); }   // no image
    // Width of one frame of Bitmap (frames side by side); a FrameCount below
    // 1 counts as 1, as everywhere frames are cut.
    int32_t FrameWidth() const { return Bitmap->Width() / UsableFrameCount(FrameCount); }

    RECT Margins{0, 0, 0, 0};        // fixed left/right columns, top/bottom rows
    std::unique_ptr<TBitmap> Bitmap;
    int32_t Trans = 0;
    int32_t Tile = 0;
    std::string Name;
    int32_t FrameCount = 0;
    int32_t Style = 0;
    int32_t NormalColour = 0, MouseOverColour = 0, PressedColour = 0;       // numbers from the skin
    TColor NormalColour2 = 0, MouseOverColour2 = 0, PressedColour2 = 0;     // text colours
};

// An element with a second image (tabs: the pane; combo button: the mirrored button).
class TDataSkinBorder : public TDataSkinObject {
public:
    explicit TDataSkinBorder(std::string name = {});
    std::unique_ptr<TBitmap> Bitmap2;
};

// How thick a frame side of this image is: one frame's height for the top
// and bottom sides, its width for the left and right.
int FrameSideSize(const TDataSkinBorder& border, bool leftOrRight);

// Caption text: Margins are Left = text shift, Top = vertical text shift,
// Right = right clip.
class TDataSkinTitle : public TDataSkinObject {
public:
    explicit TDataSkinTitle(std::string name = {}) : TDataSkinObject(std::move(name)) {}
    int32_t TextAlignment = 0;
    int32_t Textbackground = 0;
    int32_t FontHeight = 0;
    int32_t TXTBackleft = 0;
    int32_t TXTBackRight = 0;
    TColor ActiveText = clNone;      // clNone (0x1FFFFFFF): the skin gives none
    TColor InActiveText = clNone;
};

// Push buttons (Bitmap), check boxes and radio buttons.
class TDataSkinButton : public TDataSkinObject {
public:
    explicit TDataSkinButton(std::string name = {});
    std::unique_ptr<TBitmap> CheckBitmap;
    std::unique_ptr<TBitmap> RadioBitmap;
    int32_t RadioFrameCount = 0;
    int32_t CheckFrameCount = 0;
    // Width of one frame of CheckBitmap / RadioBitmap; a count below 1 is 1.
    int32_t CheckFrameWidth() const { return CheckBitmap->Width() / UsableFrameCount(CheckFrameCount); }
    int32_t RadioFrameWidth() const { return RadioBitmap->Width() / UsableFrameCount(RadioFrameCount); }
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// A caption button.
class TDataSkinSysButton : public TDataSkinObject {
public:
    explicit TDataSkinSysButton(std::string name = {}) : TDataSkinObject(std::move(name)) {}
    int32_t Action = 0;
    int32_t Align = 0;
    int32_t Xcoord = 0;
    int32_t Ycoord = 0;
    int32_t CombineOp = 0;
    int32_t Visibility = 0;
    int32_t Visibility1 = 0;
};

// Group box caption.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    explicit TDataSkinBoxLabel(std::string name = {}) : TDataSkinObject(std::move(name)) {}
    int32_t BackgroundLeftShift = 0;
    int32_t BackgroundRightShift = 0;
    int32_t BackgroundAlignment = 0;
};

} // namespace tf
