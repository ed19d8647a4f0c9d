// Building skin elements from the definition text and the container's
// bitmaps. Section and key names ignore letter case; a missing key takes its
// default; image values name container entries (SkinVocabulary.h) and an
// image that is missing or refused is empty. An entry that is not a valid
// Windows bitmap raises the bitmap loader's error.
//
// The five reading rules of element sections:
//   plain      TDataSkinObject: the generic keys; exists when "Image" is set
//   two-image  TDataSkinBorder: the generic keys but "Frame", plus a second
//              image key into Bitmap2; exists when "Image" is set
//   progress   TDataSkinBorder: "Bitmap", "Style", the margins, "Trans",
//              "Tile" (above 1 becomes 1); exists when "Bitmap" is set
//   box label  TDataSkinBoxLabel: the generic keys but "Frame", plus the
//              three "Background..." keys; exists when "Image" is set
//   menu bar   TDataSkinObject from "Personality": "MenuBar", "TileMenu",
//              "TileLeftMenu", "TileRightMenu"; exists when "MenuBar" is set
// The generic keys: Image, Style, LeftWidth, RightWidth, TopHeight,
// BottomHeight, Frame, Trans, Tile (above 1 becomes 0), NormalColour,
// MouseOverColour, PressedColour (default -1), NormalColour2,
// MouseOverColour2, PressedColour2 (colour texts, default ButtonText).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Strings.h"
#include "skin/data/SkinElements.h"
#include "skin/data/SkinReader.h"
#include "skin/data/WinSkinIni.h"

namespace tf {

struct TSkinSource {
    const TQuickIni& Ini;
    const TSkinReader& Reader;
    TColor ButtonText;   // default of the text colours
};

// Loads the entry an image value names into bitmap, or empties it.
void LoadSkinImage(const TSkinReader& reader, const std::string& value, TBitmap& bitmap);

std::unique_ptr<TDataSkinObject> ReadPlainElement(const TSkinSource& src, const std::string& section);
std::unique_ptr<TDataSkinBorder> ReadTwoImageElement(const TSkinSource& src, const std::string& section,
                                                     const std::string& secondImageKey);
std::unique_ptr<TDataSkinBorder> ReadProgressElement(const TSkinSource& src, const std::string& section);
std::unique_ptr<TDataSkinBoxLabel> ReadBoxLabelElement(const TSkinSource& src, const std::string& section);
std::unique_ptr<TDataSkinObject> ReadMenuBarElement(const TSkinSource& src);

// A window frame border from "Personality": side is "Left", "Right", "Top" or
// "Bottom" (the keys side + "", "TopHeight", "BotHeight", "Frame", "Stretch",
// "Trans"). Only the fields these keys fill are written.
void ReadFrameBorder(const TSkinSource& src, const std::string& side, TDataSkinBorder& border);

// The caption text from "Personality" and "Fonts".
void ReadTitle(const TSkinSource& src, TDataSkinTitle& title);

// Push buttons, check boxes and radio buttons from "Buttons", with the
// computed check and radio frame counts.
void ReadButtons(const TSkinSource& src, TDataSkinButton& buttons);

// The caption buttons of the sections named in sections (file order), with
// computed frame counts and the position rule of action 4.
std::vector<std::unique_ptr<TDataSkinSysButton>> ReadCaptionButtons(const TSkinSource& src, const TStrings& sections);

// Appends the three buttons of a maximised MDI child (actions 7, 8, 9) cut
// from "MDICONTROLS" / "Image", a strip of 12 equal cells.
void AppendMdiButtons(const TSkinSource& src, std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons);

} // namespace tf
