// TMediaPlayer: a row of media buttons (play, pause, stop, next, previous,
// step, back, record, eject) under the class name "TMediaPlayer". It plays
// no media: each button drives a small device model (a mode and a position
// in a 100-frame track), so its buttons, states and notifications behave as
// a player's do. The visible buttons share the width equally, left to right.
// A click is a left press and release on the same enabled button: OnClick
// (which may cancel the action), the action, OnPostClick, and OnNotify when
// Notify was set. AutoEnable enables the buttons that make sense in the new
// mode after each action. Glyphs are the module's bitmaps "EN_MPPLAY",
// "DI_MPPLAY", "CL_MPPLAY" and so on (MediaGlyphName); olive is their
// transparent colour. A handler may free the player: the click's routine
// touches nothing of it afterwards.
#pragma once
#include <array>
#include <memory>

#include "GraphicControl.h"

namespace tf {

class TBitmap;

enum TMPBtnType : uint8_t { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
constexpr int MPButtonCount = 9;
extern const TEnumInfo MPBtnTypeInfo;
using TButtonSet = uint32_t;   // bit i = TMPBtnType i
constexpr TButtonSet AllMPButtons = (1u << MPButtonCount) - 1;

enum TMPModes : uint8_t { mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen };
extern const TEnumInfo MPModesInfo;

// The three looks of a glyph.
enum class TMPGlyphKind : uint8_t { Enabled, Disabled, Colored };
// "EN_MPPLAY", "DI_MPSTOP", "CL_MPEJECT" and so on.
std::string MediaGlyphName(TMPGlyphKind kind, TMPBtnType button);
// The glyph resource of the program module, or an empty bitmap when missing.
std::unique_ptr<TBitmap> LoadMediaGlyph(TMPGlyphKind kind, TMPBtnType button);
// Olive, the glyphs' transparent colour.
constexpr TColor MediaGlyphKey = 0x008080;

using TMPBtnClickEvent = TEvent<TObject*, TMPBtnType, bool&>;   // sender, button, do the action
using TMPPostBtnClickEvent = TEvent<TObject*, TMPBtnType>;

class TMediaPlayer : public TCustomControl {
    TF_CLASS(TMediaPlayer)
public:
    explicit TMediaPlayer(TComponent* owner);
    ~TMediaPlayer() override;

    TButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TButtonSet value);
    TButtonSet EnabledButtons() const { return FEnabledButtons; }
    void SetEnabledButtons(TButtonSet value);
    TButtonSet ColoredButtons() const { return FColoredButtons; }
    void SetColoredButtons(TButtonSet value);
    bool AutoEnable() const { return FAutoEnable; }
    void SetAutoEnable(bool value) { FAutoEnable = value; }
    bool Notify() const { return FNotify; }
    void SetNotify(bool value) { FNotify = value; }

    TMPModes Mode() const { return FMode; }
    int Position() const { return FPosition; }
    static constexpr int Length = 100;

    // The visible button at a client x, or -1.
    int ButtonAt(int x);
    // The button held down by the mouse, or -1.
    int PressedButton() const { return FPressed; }
    // A click of a button, as the mouse gives one.
    void ClickButton(TMPBtnType button);

    TMPBtnClickEvent OnBtnClick;       // published as OnClick
    TMPPostBtnClickEvent OnPostClick;
    TNotifyEvent OnNotify;

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Paint() override;

private:
    void Action(TMPBtnType button);
    void Changed();
    bool IsVisible(int b) const { return FVisibleButtons & (1u << b); }

    TButtonSet FVisibleButtons = AllMPButtons;
    TButtonSet FEnabledButtons = AllMPButtons;
    TButtonSet FColoredButtons = AllMPButtons;
    bool FAutoEnable = false;
    bool FNotify = false;
    TMPModes FMode = mpStopped;
    int FPosition = 0;
    int FPressed = -1;
    std::array<std::array<std::unique_ptr<TBitmap>, 3>, MPButtonCount> FGlyphs;
};

} // namespace tf
