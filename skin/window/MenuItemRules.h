// The arithmetic of owner-drawn menu items as plain functions: the widths the
// skin adds when measuring, the measuring of entries known only by their
// text, where the glyph, check mark, caption and shortcut of an item go (left
// to right and mirrored), and which parts of the menu item element a
// separator is cut from. No Windows calls: built and tested natively too.
// Halvings truncate toward zero.
#pragma once
#include "skin/window/FrameLayout.h"

namespace tf::menuitem {

// Items of a menu window start this far right of and below its corner.
constexpr int PopupItemOrigin = 3;

// Width added to a framework main-menu item the framework measured: the
// menu item element's left margin (0 without an element) + 10, + 25 when the
// item's menu has no image list.
int MainMenuExtraWidth(int elementLeftMargin, bool hasImageList);
// The same for popup items: margin + 12, + 23 without an image list.
int PopupExtraWidth(int elementLeftMargin, bool hasImageList);

// An entry measured from its text alone: text width + 26 + the element's
// left margin; the height grows by 4 (and 4 more on the Windows 95 family),
// or becomes 8 for an empty text (a separator).
struct TSize {
    int Width = 0, Height = 0;
};
TSize MeasureByText(int textWidth, bool textEmpty, int height, int elementLeftMargin, bool windows95);

struct TContentInput {
    frame::TBox Item;             // the item rectangle
    bool RightToLeft = false;
    bool HasElement = false;      // the skin has a menu item element
    int ElementLeftMargin = 0;
    int ImageListWidth = 0;       // 0 without an image list
    int ImageHeight = 0;          // the image list's image height
    bool Separator = false;
    bool HasImage = false;        // the item's image index is in the list
    bool Checked = false;
    int CheckWidth = 0, CheckHeight = 0;   // the system check mark bitmap
    int CaptionWidth = 0, CaptionHeight = 0;
};

struct TContentLayout {
    frame::TBox GlyphBox;
    bool CheckedBack = false;     // pattern fill of GlyphBox before it moves, then a sunken edge around it
    frame::TBox FilledBox;        // what the pattern fills
    bool DrawImage = false;
    int ImageX = 0, ImageY = 0;
    bool DrawCheck = false;       // the system check mark, transparent
    int CheckX = 0, CheckY = 0;
    frame::TBox Text;             // the caption's rectangle
    int CaptionRight = 0;         // where the measured caption ends (left to right)
    frame::TBox Shortcut;         // the shortcut's rectangle (right-aligned, or left for right to left)
};
TContentLayout ContentLayout(const TContentInput& in);

// A separator is frame 2 of the five-frame menu item element: its left cap
// (left margin wide), right cap (right margin wide) and stretched middle,
// taking the bottom rows when the item is lower than the image.
struct TSlice {
    frame::TBox Source;   // in the element image
    frame::TBox Target;   // in the item-sized bitmap
};
struct TSeparatorSlices {
    TSlice Left, Middle, Right;
};
TSeparatorSlices SeparatorSlices(int imageWidth, int imageHeight, int leftMargin, int rightMargin, int itemWidth,
                                 int itemHeight);

} // namespace tf::menuitem
