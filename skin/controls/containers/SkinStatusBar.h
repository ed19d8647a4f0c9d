// TSkinStatusBar: status bars redrawn panel by panel from the skin's
// "StatusBarEdges" (lowered, raised and plain panel frames), with the panel
// texts in the skin's text colour and the size grip from "ExtraImages". In
// simple mode (SimplePanel, or no panels) one lowered panel runs across the
// whole bar. Owner-drawn panels get their skinned frame and then the
// application's OnDrawPanel drawing.
#pragma once
#include <memory>

#include "skin/controls/SkinControl.h"

namespace tf {

class TSkinStatusBar : public TSkinControl {
    TF_CLASS(TSkinStatusBar)
public:
    explicit TSkinStatusBar(TComponent* owner);
    ~TSkinStatusBar() override;

    bool BeforeMessage(TMessage& m) override;
    void DrawControl(HDC dc, const RECT& rect) override;
    TPaintKind PaintKind() const override { return TPaintKind::Whole; }

private:
    void DrawPanels(HDC dc, const RECT& rect);
    void DrawOwnerPanels(HDC dc);

    std::unique_ptr<TBitmap> FBuffer;
};

} // namespace tf
