// TSkinSizer: a stand-alone size grip, covered by the skin's face colour.
#pragma once
#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinSizer : public TSkinControl {
    TF_CLASS(TSkinSizer)
public:
    explicit TSkinSizer(TComponent* owner);

    void DrawControl(HDC dc, const RECT& rect) override;
    TPaintKind PaintKind() const override { return TPaintKind::Whole; }
};

} // namespace tf
