// TSkinTab31: the older tab set along the bottom of a form ("TTabSet"),
// subclassed by window procedure. Its tabs are drawn from the skin's "Tabs"
// element flipped upside down, laid out as the tab set lays them out from
// its first visible tab; its scroller's arrows get a spin button skinner
// with side-by-side buttons.
#pragma once
#include <memory>

#include "skin/controls/SkinControl.h"

namespace tf {

class TBitmap;
class TSkinUpDown;
class TWinControl;

class TSkinTab31 : public TSkinControl {
    TF_CLASS(TSkinTab31)
public:
    explicit TSkinTab31(TComponent* owner);
    ~TSkinTab31() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    // Face and tabs cover the whole tab set.
    TPaintKind PaintKind() const override { return FTabBitmap && FControl ? TPaintKind::Whole : TPaintKind::Custom; }
    void SkinChanged() override;
    void Notification(TComponent* c, TOperation op) override;

    TSkinUpDown* UpDown() const { return FUpDown; }

private:
    void PrepareTabBitmap();

    std::unique_ptr<TBitmap> FTabBitmap;
    TSkinUpDown* FUpDown = nullptr;
    TWinControl* FScroller = nullptr;
};

} // namespace tf
