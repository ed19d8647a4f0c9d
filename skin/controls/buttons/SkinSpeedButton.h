// TSkinSpeedButton: window-less tool buttons. The skinner hooks the control's
// WindowProc (AttachGraphic, not Attach) and paints into the control's canvas
// when the parent paints it. Hot follows the framework's mouse enter and
// leave notifications; press and click stay the control's own. A down button
// shows the pressed face; a flat one shows its face only when hot or pressed.
#pragma once
#include "skin/controls/buttons/SkinBitButton.h"

namespace tf {

class TCanvas;

class TSkinSpeedButton : public TSkinBitButton {
    TF_CLASS(TSkinSpeedButton)
public:
    explicit TSkinSpeedButton(TComponent* owner);

    // Skins the owner control (a graphic control); nothing when attached.
    void AttachGraphic(TSkinnerHost* form, TSkinData* data, TCanvas* canvas);
    bool BeforeMessage(TMessage& m) override;
    void AfterMessage(TMessage& m) override;
    void PaintControl(HDC dc) override;
    // Painted when the parent paints it: no window of its own to route.
    TPaintKind PaintKind() const override { return TPaintKind::Custom; }
    // Hot whenever the mouse is over it, enabled or not.
    int HotItemAt(POINT) const override { return 0; }
    void HotChanged() override;

    // Paints the face into canvas at rect (the control's client area).
    void PaintSpeedButton(TCanvas& canvas, const RECT& rect);

private:
    void PaintNow();
    void RestoreHandler();
    bool FPainting = false;
};

} // namespace tf
