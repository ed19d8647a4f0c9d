// TSkinScrollbarH: a bare window (no control object) with built-in scroll
// bars, skinned with two overlays like TSkinScrollbar.
#pragma once
#include "skin/controls/scrollbars/BarPair.h"
#include "skin/controls/SkinControl.h"

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

    TWScrollbar* HorzBar() const { return FBars.Horz(); }
    TWScrollbar* VertBar() const { return FBars.Vert(); }

protected:
    void ActiveChanged() override;

private:
    TBarPair FBars;
};

} // namespace tf
