#include "skin/data/SkinTypes.h"

namespace tf {

const TEnumInfo SkinControlTypeInfo{
    "TSkinControlType",
    {"xcMainMenu", "xcPopupMenu", "xcMenuItem", "xcToolbar", "xcControlbar", "xcCombo", "xcCheckBox",
     "xcRadioButton", "xcProgress", "xcScrollbar", "xcEdit", "xcButton", "xcBitBtn", "xcSpeedButton", "xcSpin",
     "xcPanel", "xcGroupBox", "xcStatusBar", "xcTab", "xcTrackBar", "xcSystemMenu", "xcFastReport"}};

const TEnumInfo SkinOptionInfo{
    "TSkinOption",
    {"xoMDIScrollbar", "xoMenuMerge", "xoTransparent", "xoPreview", "xoParentBackGround", "xoNoFocusRect",
     "xoToolbarBK", "xoToolbarButton", "xoMDIChildBorder", "xoMenuBG", "xoCaptionButtonHint", "xoFormScrollbar"}};

const TEnumInfo SkinFormTypeInfo{"TSkinFormType", {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"}};

} // namespace tf
