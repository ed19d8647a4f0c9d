// The published enumerations and sets of the skin data component, with the
// identifier tables that stored form data and access by name use.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "framework/core/Object.h"

namespace tf {

// Kinds of control and menu that are skinned.
enum TSkinControlType : uint8_t {
    xcMainMenu, xcPopupMenu, xcMenuItem, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcSpin, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcTrackBar, xcSystemMenu, xcFastReport
};
extern const TEnumInfo SkinControlTypeInfo;   // "TSkinControlType", 22 members

// Behaviour switches read by the skinners.
enum TSkinOption : uint8_t {
    xoMDIScrollbar, xoMenuMerge, xoTransparent, xoPreview, xoParentBackGround, xoNoFocusRect,
    xoToolbarBK, xoToolbarButton, xoMDIChildBorder, xoMenuBG, xoCaptionButtonHint, xoFormScrollbar
};
extern const TEnumInfo SkinOptionInfo;        // "TSkinOption", 12 members

// Which windows a skin data component skins.
enum TSkinFormType : uint8_t { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };
extern const TEnumInfo SkinFormTypeInfo;      // "TSkinFormType"

// A set of enumeration members stored as a bit mask (bit n for ordinal n).
template <class E>
class TEnumSet {
public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> members)
    {
        for (E m : members) Include(m);
    }
    static constexpr TEnumSet FromBits(uint32_t bits)
    {
        TEnumSet s;
        s.FBits = bits;
        return s;
    }
    constexpr uint32_t Bits() const { return FBits; }
    constexpr bool Contains(E m) const { return (FBits >> static_cast<unsigned>(m)) & 1u; }
    constexpr void Include(E m) { FBits |= 1u << static_cast<unsigned>(m); }
    constexpr void Exclude(E m) { FBits &= ~(1u << static_cast<unsigned>(m)); }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    uint32_t FBits = 0;
};

using TSkinControlTypes = TEnumSet<TSkinControlType>;
using TSkinOptions = TEnumSet<TSkinOption>;

// Every member of TSkinControlType.
constexpr TSkinControlTypes AllSkinControls = TSkinControlTypes::FromBits((1u << (xcFastReport + 1)) - 1);
// Defaults at creation.
constexpr TSkinControlTypes DefaultSkinControls =
    TSkinControlTypes::FromBits(AllSkinControls.Bits() & ~(1u << xcMenuItem) & ~(1u << xcFastReport));
constexpr TSkinOptions DefaultSkinOptions{xoPreview, xoToolbarBK, xoCaptionButtonHint};

} // namespace tf
