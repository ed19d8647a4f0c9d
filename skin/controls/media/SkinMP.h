// TSkinMP: media players. A panel of the skinner's own (TWMediaPlayer) lies
// over the player with the same parent and bounds and follows its moves,
// visibility and enabled state; switching the skinner off hides the panel,
// unskinning frees it. A click (the panel hands the mouse on to the player)
// may free the player, and the skinner and panel with it.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TWMediaPlayer;

class TSkinMP : public TSkinControl {
    TF_CLASS(TSkinMP)
public:
    explicit TSkinMP(TComponent* owner);
    ~TSkinMP() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& m) override;
    void SkinChanged() override;
    void Notification(TComponent* c, TOperation op) override;

    TWMediaPlayer* Panel() const { return FPanel; }

protected:
    void ActiveChanged() override;

private:
    void ShowPanel();
    TWMediaPlayer* FPanel = nullptr;
};

} // namespace tf
