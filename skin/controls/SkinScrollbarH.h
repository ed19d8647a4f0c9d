// TSkinScrollbarH: a bare window (no control object) with built-in scroll
// bars, skinned with two overlays like TSkinScrollbar.
#pragma once
#include "skin/controls/WinSubClass.h"

namespace tf {

class TWScrollbar;

class TSkinScrollbarH : public TSkinControl {
    TF_CLASS(TSkinScrollbarH)
public:
    explicit TSkinScrollbarH(TComponent* owner);
    ~TSkinScrollbarH() override;

    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* form, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;

    TWScrollbar* HorzBar() const { return FHorzBar; }
    TWScrollbar* VertBar() const { return FVertBar; }

protected:
    void ActiveChanged() override;

private:
    void UpdateBars();
    TWScrollbar* FHorzBar = nullptr;
    TWScrollbar* FVertBar = nullptr;
};

} // namespace tf
