// TSkinAdvPage: page controls that take their tab backgrounds as bitmaps
// ("TabBackGround", "TabBackGroundActive") get them composed from the skin's
// tab element (mode 4), again when the skin changes; a spin button inside
// the page control (its tab scroller) is skinned as well.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinUpDown;

class TSkinAdvPage : public TSkinControl {
    TF_CLASS(TSkinAdvPage)
public:
    explicit TSkinAdvPage(TComponent* owner);
    ~TSkinAdvPage() override;

    void Attach(TSkinnerHost* form, TSkinData* data, bool setColor, TCanvas* canvas) override;
    void Unskin() override;
    void DrawControl(HDC dc, const RECT& rect) override;
    void SkinChanged() override;
    void Notification(TComponent* c, TOperation op) override;

    int PageMode() const { return FPageMode; }
    void SetPageMode(int value) { FPageMode = value; }
    TSkinUpDown* UpDown() const { return FUpDown; }

private:
    void BuildBackgrounds();
    void ClearBackgrounds();

    TSkinUpDown* FUpDown = nullptr;
    int FPageMode = 0;
};

} // namespace tf
