// TWMediaPlayer: the panel a media player skinner lays over the player (same
// parent and bounds). It draws the player's visible buttons (read by name
// from its "VisibleButtons", "EnabledButtons" and "ColoredButtons" at every
// paint) with the skin's button faces and the program's glyphs, and passes
// the mouse on: a press reaches the player at once, a release only when it
// is over the button that was pressed. Never skinned itself (its Tag is the
// skin's DisableTag). The player may be freed while it handles the mouse
// (the panel goes with it): the panel then touches nothing of itself.
#pragma once
#include <array>
#include <memory>

#include "framework/controls/ExtCtrls.h"

namespace tf {

class TBitmap;
class TSkinData;
class TSkinMP;

class TWMediaPlayer : public TCustomPanel {
    TF_CLASS(TWMediaPlayer)
public:
    // No button: the value of PressedButton and HitButton.
    static constexpr int NoButton = 9;

    explicit TWMediaPlayer(TComponent* owner);
    ~TWMediaPlayer() override;

    // Covers the player; Tag becomes the skin's DisableTag.
    void AttachPlayer(TControl* player, TSkinMP* skinner, TSkinData* data);
    // Takes the player's bounds (and visibility) again.
    void FollowPlayer();

    bool MouseIsDown() const { return FMouseDown; }
    int PressedButton() const { return FPressedButton; }
    int HitButton() const { return FHitButton; }
    int ButtonWidth() const { return FButtonWidth; }
    int VisibleCount() const { return FVisibleCount; }
    TControl* Player() const { return FPlayer; }

    void WndProc(TMessage& m) override;

protected:
    void Paint() override;

private:
    struct TButtonLook {
        bool Visible = false;
        bool Enabled = false;
        bool Colored = false;
        std::array<std::unique_ptr<TBitmap>, 3> Glyphs;   // enabled, disabled, coloured
    };
    void PaintButtons();
    void ReadButtons();
    int ButtonUnder(int x);

    std::array<TButtonLook, 9> FButtons;
    TSkinData* FSkinData = nullptr;
    bool FMouseDown = false;
    int FPressedButton = NoButton;
    int FHitButton = NoButton;
    int FButtonWidth = 0;
    TControl* FPlayer = nullptr;
    TSkinMP* FSkinner = nullptr;
    int FVisibleCount = 0;
};

} // namespace tf
